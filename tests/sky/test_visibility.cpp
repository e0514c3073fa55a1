// Where a listed object stands against the horizon profile, and when it
// next crosses it.
#include "orvex_object.h"
#include "orvex_visibility.h"

#include <QTranslator>
#include <QtTest>

#include <cmath>

Q_DECLARE_METATYPE(QVector<HorizonPoint>)

namespace {
const double deg = orvex::pi / 180;
const double latitude = std::atan2(orvex::sin_lat, orvex::cos_lat) / deg;
constexpr double sidereal_rate = 1.002737909350795;

QVector<HorizonPoint> profile(std::initializer_list<std::pair<double, double>> points)
{
    QVector<HorizonPoint> p;
    for (const auto &a : points)
        p.append({0, 0, a.first, 90.0 - a.second});
    return p;
}
// The same altitude all round.
QVector<HorizonPoint> flat(double alt) { return profile({{0, alt}, {90, alt}, {180, alt}, {270, alt}}); }
// Five degrees over the western half (azimuth from the south 0 to 180),
// thirty over the eastern.
QVector<HorizonPoint> stepped()
{
    return profile({{0.01, 5}, {179.99, 5}, {180.01, 30}, {359.99, 30}});
}

// Hour angle (hours, 0 to 24) at which an object of declination d (degrees)
// sets below the altitude h0 (degrees): cos H = (sin h0 - sin φ sin δ) / (cos φ cos δ).
double setting_hour_angle(double d, double h0)
{
    const double c = (std::sin(h0 * deg) - orvex::sin_lat * std::sin(d * deg)) / (orvex::cos_lat * std::cos(d * deg));
    return std::acos(c) / deg / 15;
}
} // namespace

class Test_visibility : public QObject
{
    Q_OBJECT

private slots:
    void altitude_and_azimuth_data()
    {
        QTest::addColumn<double>("hour_angle");
        QTest::addColumn<double>("decl");
        QTest::addColumn<double>("alt");
        QTest::addColumn<double>("az"); // from the south through the west
        QTest::newRow("equator on the meridian") << 0.0 << 0.0 << 90 - latitude << 0.0;
        QTest::newRow("the pole") << 5.0 << 90.0 << latitude << 180.0;
        QTest::newRow("equator setting in the west") << 6.0 << 0.0 << 0.0 << 90.0;
        QTest::newRow("equator rising in the east") << 18.0 << 0.0 << 0.0 << -90.0;
        QTest::newRow("lower culmination") << 12.0 << 60.0 << latitude - 30 << 180.0;
    }
    void altitude_and_azimuth()
    {
        QFETCH(double, hour_angle);
        QFETCH(double, decl);
        QFETCH(double, alt);
        QFETCH(double, az);
        const Orvex_horizon_line horizon(flat(10));
        const double ra = 3 * 3600, lst = std::fmod(ra + hour_angle * 3600, 86400);
        const Orvex_visibility v = visibility_at(ra, decl * 3600, lst, horizon);
        QVERIFY(v.position_known);
        QVERIFY2(qAbs(v.altitude - alt) < 1e-6, qPrintable(QString::number(v.altitude)));
        QVERIFY2(qAbs(std::remainder(v.azimuth - az, 360)) < 1e-6, qPrintable(QString::number(v.azimuth)));
        QCOMPARE(v.horizon, 10.0);
        QCOMPARE(v.above, alt >= 10);
        QVERIFY(!visibility_at(ra, decl * 3600, -1, horizon).position_known);
    }

    // Against a flat profile the answer is known; against the stepped one
    // the object sets over the low western half and rises over the high
    // eastern one. Times are clock minutes: a sidereal day is 1436 of them.
    void crossing_times_data()
    {
        QTest::addColumn<QVector<HorizonPoint>>("horizon");
        QTest::addColumn<double>("hour_angle"); // now, hours
        QTest::addColumn<double>("decl");
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("sidereal_hours"); // until the crossing
        const double h10 = setting_hour_angle(20, 10), h0 = setting_hour_angle(-20, 0);
        QTest::newRow("flat 10, sets") << flat(10) << 0.0 << 20.0 << int(Orvex_crossing::sets) << h10;
        QTest::newRow("flat 10, sets, from far east")
            << flat(10) << 24 - h10 + 0.5 << 20.0 << int(Orvex_crossing::sets) << 2 * h10 - 0.5;
        QTest::newRow("flat 10, rises") << flat(10) << 12.0 << 20.0 << int(Orvex_crossing::rises) << 12 - h10;
        QTest::newRow("no profile, south, sets") << QVector<HorizonPoint>() << 1.0 << -20.0
                                                 << int(Orvex_crossing::sets) << h0 - 1;
        QTest::newRow("no profile, south, rises") << QVector<HorizonPoint>() << h0 + 0.1 << -20.0
                                                  << int(Orvex_crossing::rises) << 24 - 2 * h0 - 0.1;
        QTest::newRow("stepped, sets in the west")
            << stepped() << 0.0 << 20.0 << int(Orvex_crossing::sets) << setting_hour_angle(20, 5);
        QTest::newRow("stepped, rises in the east")
            << stepped() << 12.0 << 20.0 << int(Orvex_crossing::rises) << 12 - setting_hour_angle(20, 30);
        QTest::newRow("circumpolar") << flat(0) << 3.0 << 60.0 << int(Orvex_crossing::never_sets) << 0.0;
        QTest::newRow("circumpolar, but not over a high north")
            << profile({{0, 0}, {150, 0}, {180, 20}, {210, 0}}) << 0.0 << 60.0 << int(Orvex_crossing::sets)
            << qQNaN(); // some time before the lower culmination
        QTest::newRow("far south") << flat(0) << 0.0 << -50.0 << int(Orvex_crossing::never_rises) << 0.0;
        QTest::newRow("never over a high profile") << flat(50) << 6.0 << 0.0 << int(Orvex_crossing::never_rises) << 0.0;
    }
    void crossing_times()
    {
        QFETCH(QVector<HorizonPoint>, horizon);
        QFETCH(double, hour_angle);
        QFETCH(double, decl);
        QFETCH(int, kind);
        QFETCH(double, sidereal_hours);
        const double ra = 20 * 3600, lst = std::fmod(ra + hour_angle * 3600, 86400);
        const Orvex_horizon_line line(horizon);
        const Orvex_crossing c = next_crossing(ra, decl * 3600, lst, line);
        QCOMPARE(int(c.kind), kind);
        if (kind != Orvex_crossing::sets && kind != Orvex_crossing::rises)
            return;
        QCOMPARE(visibility_at(ra, decl * 3600, lst, line).above, kind == Orvex_crossing::sets);
        if (qIsNaN(sidereal_hours)) {
            QVERIFY(c.minutes > 8 * 60 && c.minutes < 12 * 60);
            return;
        }
        // Rounded to the minute from a time found to the second.
        const double minutes = sidereal_hours * 60 / sidereal_rate;
        QVERIFY2(qAbs(c.minutes - minutes) <= 0.52,
                 qPrintable(QStringLiteral("%1 for %2").arg(c.minutes).arg(minutes)));
        QCOMPARE(int(next_crossing(ra, decl * 3600, -1, line).kind), int(Orvex_crossing::unknown));
    }

    void tool_tip_text_data()
    {
        QTest::addColumn<bool>("russian");
        QTest::addColumn<bool>("above");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("text");
        const auto en = [](const char *s) { return QString::fromUtf8(s); };
        QTest::newRow("en sets") << false << true << int(Orvex_crossing::sets) << 130
                                 << en("alt 34.5°, az 212° SSW, above the horizon; sets below it in 2 h 10 min");
        QTest::newRow("ru sets") << true << true << int(Orvex_crossing::sets) << 130
                                 << en("высота 34.5°, азимут 212° ЮЮЗ, над горизонтом; зайдёт за него через 2 ч 10 мин");
        QTest::newRow("en rises") << false << false << int(Orvex_crossing::rises) << 45
                                  << en("alt 34.5°, az 212° SSW, below the horizon; rises above it in 45 min");
        QTest::newRow("ru rises") << true << false << int(Orvex_crossing::rises) << 0
                                  << en("высота 34.5°, азимут 212° ЮЮЗ, под горизонтом; поднимется над ним через < 1 мин");
        QTest::newRow("en never rises") << false << false << int(Orvex_crossing::never_rises) << 0
                                        << en("alt 34.5°, az 212° SSW, below the horizon; never rises");
        QTest::newRow("ru never sets") << true << true << int(Orvex_crossing::never_sets) << 0
                                       << en("высота 34.5°, азимут 212° ЮЮЗ, над горизонтом; никогда не заходит");
        QTest::newRow("ru never rises") << true << false << int(Orvex_crossing::never_rises) << 0
                                        << en("высота 34.5°, азимут 212° ЮЮЗ, под горизонтом; никогда не восходит");
    }
    void tool_tip_text()
    {
        QFETCH(bool, russian);
        QFETCH(bool, above);
        QFETCH(int, kind);
        QFETCH(int, minutes);
        QFETCH(QString, text);
        QTranslator ru;
        if (russian) {
            QVERIFY(ru.load(QCoreApplication::applicationDirPath() + "/Orvex_Obj_List_ru_RU.qm"));
            QCoreApplication::installTranslator(&ru);
        }
        Orvex_visibility v;
        v.position_known = true;
        v.above = above;
        v.altitude = 34.5;
        v.azimuth = 32; // from the south: 212 from the north
        Orvex_crossing c;
        c.kind = Orvex_crossing::Kind(kind);
        c.minutes = minutes;
        QCOMPARE(visibility_text(v, c), text);
    }
};

QTEST_MAIN(Test_visibility)
#include "test_visibility.moc"
