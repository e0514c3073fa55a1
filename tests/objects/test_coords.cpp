// Coordinate texts, the sidereal clock and the horizontal conversion.
#include "orvex_object.h"
#include "orvex_sidereal.h"

#include <QtTest>

#include <clocale>
#include <cmath>

namespace {

// Every case runs twice: in the C locale, and with the C library's numbers
// in a Russian locale, whose decimal comma no reader or printer may see.
template <typename... T>
void rows(const QString &name, const T &...values)
{
    for (const char *locale : {"C", "ru_RU.UTF-8"}) {
        QTestData &row = QTest::addRow("%s [%s]", qPrintable(name), locale);
        row << QByteArray(locale);
        (row << ... << values);
    }
}

bool use_numeric_locale()
{
    QFETCH(QByteArray, locale);
    return std::setlocale(LC_NUMERIC, locale.constData()) != nullptr;
}

} // namespace

class Test_coords : public QObject
{
    Q_OBJECT

private slots:
    void init() { sidereal_time = -1.0; }
    void cleanup() { std::setlocale(LC_NUMERIC, "C"); }

    void texts_data()
    {
        // Printed texts stay well-formed whatever a broken reply put in the
        // number. Form texts (R.A., Decl.) are split at colons; reply texts
        // (h:m:s, d:m:s) read like "%d:%d:%lf" or "%d %d %lf". "nan" and
        // "inf" are no numbers, and what overflows counts 0.
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("value");
        const std::tuple<const char *, const char *, double> cases[] = {
            {"time", "23:59:59.00", -1}, {"time", "12:30:15.50", 45015.5}, {"time", "23:59:59.99", 86399.999},
            {"time", "01:00:00.00", 90000}, {"time", "00:59:59.99", 3599.996}, {"time", "00:00:00.00", std::nan("")},
            {"time", "00:00:00.00", 1e300}, {"angle", "+00:00:00.0", -0.0}, {"angle", "-00:30:00.0", -1800},
            {"angle", "+12:30:15.5", 45015.5}, {"angle", "+00:00:00.0", 1296000}, {"angle", "+00:59:59.9", 3599.96},
            {"angle", "+00:00:00.0", -INFINITY},
            {"decl", "-00:30:00", -1800}, {"decl", "-12:30:00", -45000}, {"decl", "+12:30", 45000},
            {"decl", " -1:2:3.5 ", -3723.5}, {"decl", "-1:-Infinity:0", -3600},
            {"ra", "12:30", 45000}, {"ra", "12", 43200}, {"ra", "12 30 00", 0}, {"ra", "x:30:15", 1815},
            {"ra", "", 0}, {"ra", "1:2:3:4", 3723}, {"ra", "12:nan:00", 43200}, {"ra", "12:30:+INF", 45000},
            {"ra", "1e308", 0}, {"ra", "12:30:15.5", 45015.5},
            {"hms", "12:30:15.5", 45015.5}, {"hms", "19 30 15.9", 70215.9}, {"hms", "12:30", 45000},
            {"hms", "-1 30 0", -1800}, {"hms", "12:30:nan", 45000}, {"hms", "12:30:-inf", 45000}, {"hms", "1:0:1e1", 3610},
            {"hms", "7", 25200}, {"hms", "1 2 3       :", 3723}, // a late colon is no colon form
            {"dms", "-00:30:00", -1800}, {"dms", "  +12 30 15.5", 45015.5}, {"dms", "+12:30:15.5", 45015.5},
            {"dms", "-", 0}, {"dms", "-1:2:Infinity", -3720}, {"dms", "1 NaN 5", 3600},
        };
        for (const auto &[kind, text, value] : cases)
            rows(QStringLiteral("%1 %2 %3").arg(kind, text).arg(value), QString(kind), QByteArray(text), value);
    }

    void texts()
    {
        if (!use_numeric_locale())
            QSKIP("the locale is not installed");
        QFETCH(QString, kind);
        QFETCH(QByteArray, text);
        QFETCH(double, value);
        if (kind == "time" || kind == "angle")
            QCOMPARE(kind == "time" ? sec_to_hms(value) : arcsec_to_dms(value), QString(text));
        else if (kind == "ra" || kind == "decl")
            QCOMPARE(kind == "ra" ? ra_text_to_sec(QString(text)) : decl_text_to_arcsec(QString(text)), value);
        else
            QCOMPARE(kind == "hms" ? hms_to_sec(text.constData()) : dms_to_arcsec(text.constData()), value);
        QCOMPARE(hms_to_sec(nullptr) + dms_to_arcsec(nullptr), 0.0); // no text at all
    }

    void sidereal_clock()
    {
        const QDateTime t0(QDate(2025, 1, 1), QTime(0, 0), Qt::LocalTime);
        QCOMPARE(sidereal_time_at(t0), 23332.0);
        QCOMPARE(sidereal_time_at(t0.addSecs(86400)), 23568.0);
        QCOMPARE(sidereal_time_at(t0.addMSecs(999)), 23332.0);
        // Before the reference the clock counts back through midnight.
        QCOMPARE(sidereal_time_at(t0.addSecs(-23270)), 86399.0);
        QCOMPARE(sidereal_time_at(t0.addSecs(-23260)), 9.0);
        update_sidereal_time();
        QVERIFY(sidereal_time >= 0 && sidereal_time < 86400);
        QCOMPARE(sidereal_time, std::floor(sidereal_time));
    }

    // The clock estimate keeps the sidereal rate for any date: from the
    // reference instant it advances as Greenwich sidereal time does
    // (Meeus, Astronomical Algorithms, 12.4), and it is always a time of day.
    void sidereal_clock_any_date_data()
    {
        QTest::addColumn<QDateTime>("utc");
        for (const char *when : {"1990-03-21T04:00:00", "2000-01-01T12:00:00", "2024-06-30T23:59:59",
                                 "2024-12-31T20:59:59", "2025-01-01T00:00:00", "2025-07-15T18:30:00",
                                 "2100-01-01T00:00:00", "2150-12-31T23:00:00"})
            QTest::newRow(when) << QDateTime::fromString(when, Qt::ISODate).toUTC();
    }
    void sidereal_clock_any_date()
    {
        QFETCH(QDateTime, utc);
        // Greenwich sidereal time in seconds of time at a UTC instant.
        const auto gmst = [](const QDateTime &t) {
            const double d = t.toMSecsSinceEpoch() / 86400000.0 + 2440587.5 - 2451545.0;
            const double T = d / 36525.0;
            const double deg = 280.46061837 + 360.98564736629 * d + 0.000387933 * T * T - T * T * T / 38710000.0;
            return std::fmod(std::fmod(deg, 360.0) + 360.0, 360.0) * 240.0;
        };
        // The formula itself, against the book's example 12.b.
        QVERIFY(std::fabs(gmst(QDateTime(QDate(1987, 4, 10), QTime(19, 21), Qt::UTC)) - 30897.0896) < 0.01);

        const QDateTime t0(QDate(2025, 1, 1), QTime(0, 0), Qt::LocalTime);
        const double expected = std::fmod(23332.0 + gmst(utc) - gmst(t0) + 2 * 86400.0, 86400.0);
        const double st = sidereal_time_at(utc);
        QVERIFY2(st >= 0 && st < 86400 && st == std::floor(st), qPrintable(QString::number(st)));
        double off = std::fabs(st - expected);
        off = std::min(off, 86400 - off); // around midnight
        QVERIFY2(off < 2.0, qPrintable(QStringLiteral("%1 against %2").arg(st).arg(expected)));
    }

    void horizontal_at_meridian_and_pole()
    {
        double a = 5, z = 5;
        equ_to_horizontal(1000, 1000, a, z); // no sidereal time yet
        QVERIFY(a == 0 && z == 0);
        sidereal_time = 43200;
        equ_to_horizontal(43200, 0, a, z);
        QVERIFY(std::fabs(a) < 0.05 && std::fabs(z - 157152.7) < 0.1);
        for (double st : {0.0, 20000.0, 86000.0}) {
            sidereal_time = st;
            equ_to_horizontal(1234, 324000, a, z);
            QVERIFY(std::fabs(std::fabs(a) - 648000) < 0.1 && std::fabs(z - 166847.3) < 0.1);
        }
        sidereal_time = 43600; // west of the meridian the azimuth is positive
        equ_to_horizontal(40000, 0, a, z);
        QVERIFY(a > 0);
    }

    void rates_guard_the_zenith()
    {
        Orvex_object tel;
        tel.decl = 216000; // cos 60 degrees = 1/2; the zenith distance is 0
        double ar = 0, zr = 0;
        tel.rates_to_horizontal(1.0, 0.0, 0.0, ar, zr);
        QCOMPARE(ar, 7.5 / 0.0001);
        QCOMPARE(zr, 0.0);
        tel.zenith = 324000; // on the horizon sin z = 1
        tel.rates_to_horizontal(0.0, 2.0, 90.0, ar, zr);
        QVERIFY(std::fabs(ar - 2.0) < 1e-9 && std::fabs(zr) < 1e-9);
    }

    void setters_fill_the_record()
    {
        Orvex_object rec;
        rec.set_form(QStringLiteral("12:30:00"), QStringLiteral("-00:30:00"));
        QCOMPARE(QStringList({rec.name, rec.epoch_text}), QStringList({"Unknown", "2000.0"}));
        QVERIFY(rec.is_comment && rec.decl == -1800.0); // the caller decides when a line is an object
        rec.set_form("x", "1:0:0", "0", " 1950 ");
        QCOMPARE(rec.epoch, 1950.0);
        rec.set_form("x", "1:0:0", "0", "nan");
        QVERIFY(rec.epoch == 0.0 && rec.epoch_text == "nan");
        QCOMPARE(QLocale().decimalPoint(), QLatin1Char('.'));
    }
};

QTEST_GUILESS_MAIN(Test_coords)
#include "test_coords.moc"