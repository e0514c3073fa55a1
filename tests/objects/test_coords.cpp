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
void rows(const char *name, const T &...values)
{
    for (const char *locale : {"C", "ru_RU.UTF-8"}) {
        QTestData &row = QTest::addRow("%s [%s]", name, locale);
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

    void formats_time_without_carry_data();
    void formats_time_without_carry();
    void formats_angle_data();
    void formats_angle();
    void formatters_survive_nonsense();
    void parses_texts_data();
    void parses_texts();
    void reply_parsers_stop_at_the_end();
    void sidereal_clock();
    void horizontal_at_meridian_and_pole();
    void horizontal_needs_sidereal_time();
    void rates_guard_the_zenith();
    void setters_chain_through_overrides();
};

void Test_coords::formats_time_without_carry_data()
{
    QTest::addColumn<QByteArray>("locale");
    QTest::addColumn<double>("t");
    QTest::addColumn<QString>("text");
    rows("negative wraps", -1.0, "23:59:59.00");
    rows("zero", 0.0, "00:00:00.00");
    rows("plain", 45296.75, "12:34:56.75");
    rows("end of day", 86399.999, "23:59:59.99");
    rows("hours wrap", 90000.0, "01:00:00.00");
    rows("no carry", 3599.996, "00:59:59.99");
}

void Test_coords::formats_time_without_carry()
{
    if (!use_numeric_locale())
        QSKIP("the locale is not installed");
    QFETCH(double, t);
    QFETCH(QString, text);
    QCOMPARE(sec_to_hms(t), text);
}

void Test_coords::formats_angle_data()
{
    QTest::addColumn<QByteArray>("locale");
    QTest::addColumn<double>("a");
    QTest::addColumn<QString>("text");
    rows("minus zero", -0.0, "+00:00:00.0");
    rows("negative", -1800.0, "-00:30:00.0");
    rows("positive", 45015.5, "+12:30:15.5");
    rows("pole", 324000.0, "+90:00:00.0");
    rows("full circle", 1296000.0, "+00:00:00.0");
    rows("no carry", 3599.96, "+00:59:59.9");
}

void Test_coords::formats_angle()
{
    if (!use_numeric_locale())
        QSKIP("the locale is not installed");
    QFETCH(double, a);
    QFETCH(QString, text);
    QCOMPARE(arcsec_to_dms(a), text);
}

void Test_coords::formatters_survive_nonsense()
{
    // Texts stay well-formed whatever a broken reply put in the number.
    QCOMPARE(sec_to_hms(std::nan("")).size(), 11);
    QCOMPARE(sec_to_hms(1e300).size(), 11);
    QCOMPARE(arcsec_to_dms(-INFINITY).size(), 11);
    // Each call gives its own text: no shared buffer to be overwritten.
    const QString a = sec_to_hms(0), b = sec_to_hms(3600);
    QCOMPARE(a, QStringLiteral("00:00:00.00"));
    QCOMPARE(b, QStringLiteral("01:00:00.00"));
}

void Test_coords::parses_texts_data()
{
    // Form texts (R.A., Decl.) are split at colons; reply texts (h:m:s,
    // d:m:s) read like "%d:%d:%lf" or "%d %d %lf". "nan" and "inf" are no
    // numbers, and what overflows counts 0.
    QTest::addColumn<QByteArray>("locale");
    QTest::addColumn<QString>("reader");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("value");
    const std::tuple<const char *, const char *, double> cases[] = {
        {"decl", "-00:30:00", -1800}, {"decl", "-12:30:00", -45000}, {"decl", "+12:30", 45000},
        {"decl", " -1:2:3.5 ", -3723.5}, {"decl", "-1:-Infinity:0", -3600},
        {"ra", "12:30", 45000}, {"ra", "12", 43200}, {"ra", "12 30 00", 0}, {"ra", "x:30:15", 1815},
        {"ra", "", 0}, {"ra", "1:2:3:4", 3723}, {"ra", "12:nan:00", 43200}, {"ra", "12:30:+INF", 45000},
        {"ra", "1e308", 0}, {"ra", "12:30:15.5", 45015.5},
        {"hms", "12:30:15.5", 45015.5}, {"hms", "12 30 15.5", 45015.5}, {"hms", "12:30", 45000},
        {"hms", "", 0}, {"hms", "12:30:nan", 45000}, {"hms", "12:30:-inf", 45000}, {"hms", "1:0:1e1", 3610},
        {"dms", "-00:30:00", -1800}, {"dms", "  +12 30 15.5", 45015.5}, {"dms", "+12:30:15.5", 45015.5},
        {"dms", "-", 0}, {"dms", "-1:2:Infinity", -3720}, {"dms", "1 NaN 5", 3600},
    };
    for (const auto &[reader, text, value] : cases)
        rows(qPrintable(QStringLiteral("%1 %2").arg(reader, text)), QString(reader), QByteArray(text), value);
}

void Test_coords::parses_texts()
{
    if (!use_numeric_locale())
        QSKIP("the locale is not installed");
    QFETCH(QString, reader);
    QFETCH(QByteArray, text);
    const QString form_text = QString::fromUtf8(text);
    const double value = reader == "ra" ? ra_text_to_sec(form_text)
        : reader == "decl"              ? decl_text_to_arcsec(form_text)
        : reader == "hms"               ? hms_to_sec(text.constData())
                                        : dms_to_arcsec(text.constData());
    QTEST(value, "value");
}

void Test_coords::reply_parsers_stop_at_the_end()
{
    // A colon beyond the tenth character does not switch to the colon form.
    QCOMPARE(hms_to_sec("1 2 3       :"), 3723.0);
    // Text from a buffer with no terminator must be copied first; a short
    // zero-terminated buffer is never read past its end.
    const char tiny[2] = {'7', '\0'};
    QCOMPARE(hms_to_sec(tiny), 7.0 * 3600);
    QCOMPARE(hms_to_sec(nullptr), 0.0);
}

void Test_coords::sidereal_clock()
{
    const QDateTime t0(QDate(2025, 1, 1), QTime(0, 0), Qt::LocalTime);
    QCOMPARE(sidereal_time_at(t0), 23332.0);
    QCOMPARE(sidereal_time_at(t0.addSecs(86400)), 23568.0);
    QCOMPARE(sidereal_time_at(t0.addMSecs(999)), 23332.0);
    QVERIFY(sidereal_time_at(t0.addSecs(-23270)) < 0);
    QVERIFY(sidereal_time_at(t0.addSecs(-23260)) >= 0);
    update_sidereal_time();
    QVERIFY(sidereal_time >= 0 && sidereal_time < 86400);
    QCOMPARE(sidereal_time, std::floor(sidereal_time));
}

void Test_coords::horizontal_at_meridian_and_pole()
{
    double a = 1, z = 1;
    sidereal_time = 43200;
    equ_to_horizontal(43200, 0, a, z);
    QCOMPARE(std::round(a * 10) / 10, 0.0);
    QVERIFY(std::fabs(z - 157152.7) < 0.1);
    for (double st : {0.0, 20000.0, 86000.0}) {
        sidereal_time = st;
        equ_to_horizontal(1234, 324000, a, z);
        QVERIFY(std::fabs(std::fabs(a) - 648000) < 0.1);
        QVERIFY(std::fabs(z - 166847.3) < 0.1);
    }
    // West of the meridian the azimuth is positive.
    sidereal_time = 43200 + 3600;
    equ_to_horizontal(43200, 0, a, z);
    QVERIFY(a > 0);
}

void Test_coords::horizontal_needs_sidereal_time()
{
    double a = 5, z = 5;
    sidereal_time = -1;
    equ_to_horizontal(1000, 1000, a, z);
    QCOMPARE(a, 0.0);
    QCOMPARE(z, 0.0);
}

void Test_coords::rates_guard_the_zenith()
{
    Orvex_object tel;
    tel.decl = 0;
    tel.zenith = 0;
    double ar = 0, zr = 0;
    tel.rates_to_horizontal(1.0, 0.0, 0.0, ar, zr);
    QCOMPARE(ar, 15.0 / 0.0001);
    QCOMPARE(zr, 0.0);
    tel.zenith = 324000; // on the horizon sin z = 1
    tel.rates_to_horizontal(0.0, 2.0, 90.0, ar, zr);
    QVERIFY(std::fabs(ar - 2.0) < 1e-9);
    QVERIFY(std::fabs(zr) < 1e-9);
}

namespace {
// Counts what reaches the longest setter, as the main window's override does.
class Recording_record : public Orvex_object
{
public:
    using Orvex_object::set_form;
    void set_form(QString n, QString r, QString d, QString e) override
    {
        last = QStringList{n, r, d, e};
        Orvex_object::set_form(n, r, d, e);
    }
    QStringList last;
};
} // namespace

void Test_coords::setters_chain_through_overrides()
{
    Recording_record rec;
    QVERIFY(rec.is_comment);
    QCOMPARE(rec.epoch, 2000.0);
    Orvex_object &as_base = rec;
    as_base.set_form(QStringLiteral("12:30:00"), QStringLiteral("-00:30:00"));
    QCOMPARE(rec.last, QStringList({"Unknown", "12:30:00", "-00:30:00", "2000.0"}));
    QCOMPARE(rec.ra, 45000.0);
    QCOMPARE(rec.decl, -1800.0);
    QVERIFY(rec.is_comment); // the caller decides when a line is an object
    as_base.set_form("M 51", "13:29:52", "+47:11:43", " 1950 ");
    QCOMPARE(rec.epoch, 1950.0);
    as_base.set_form("x", "1:0:0", "0", "J2000");
    QCOMPARE(rec.epoch, 0.0);
    as_base.set_form("x", "1:0:0", "0", "nan");
    QCOMPARE(rec.epoch, 0.0);
    QCOMPARE(rec.epoch_text, QStringLiteral("nan"));
    QCOMPARE(QString::number(1.5), QStringLiteral("1.5"));
    QCOMPARE(QLocale().decimalPoint(), QLatin1Char('.'));
}

QTEST_GUILESS_MAIN(Test_coords)
#include "test_coords.moc"
