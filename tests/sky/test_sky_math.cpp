// The sky view's arithmetic and the horizon reply reader, without a window.
#include "orvex_horizon_parse.h"
#include "orvex_sky_math.h"
#include "orvex_slew_guard.h"

#include <QFont>
#include <QtTest>

namespace {
// A profile from "azimuth:altitude" pairs, azimuth from the south.
QVector<HorizonPoint> profile(std::initializer_list<std::pair<double, double>> points)
{
    QVector<HorizonPoint> p;
    for (const auto &a : points)
        p.append({0, 0, a.first, 90.0 - a.second});
    return p;
}
} // namespace

class Test_sky_math : public QObject
{
    Q_OBJECT

private slots:
    void projection_data()
    {
        QTest::addColumn<int>("D");
        QTest::addColumn<bool>("all_sky");
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("z");
        QTest::addColumn<QPoint>("pixel");
        QTest::newRow("zenith KSV") << 550 << false << 37.0 << 0.0 << QPoint(275, 275);
        QTest::newRow("south all-sky") << 550 << true << 0.0 << 90.0 << QPoint(275, 550);
        QTest::newRow("south KSV, -274.5 to -274") << 550 << false << 0.0 << 90.0 << QPoint(275, 1);
        QTest::newRow("west all-sky") << 550 << true << 90.0 << 90.0 << QPoint(550, 275);
        QTest::newRow("north all-sky") << 550 << true << 180.0 << 90.0 << QPoint(275, 1);
        QTest::newRow("north KSV") << 550 << false << 180.0 << 90.0 << QPoint(275, 550);
        QTest::newRow("east all-sky") << 550 << true << -90.0 << 90.0 << QPoint(1, 275);
        QTest::newRow("west KSV") << 550 << false << 90.0 << 90.0 << QPoint(550, 275);
        QTest::newRow("odd side keeps R 275") << 551 << true << 0.0 << 0.0 << QPoint(275, 275);
        QTest::newRow("below horizon KSV") << 550 << false << 0.0 << 120.0 << QPoint(275, 38);
        QTest::newRow("r 137.5 rounds up") << 550 << true << 0.0 << 45.0 << QPoint(275, 413);
        // -2.7 + 0.5 must become -2, not -3 as floor would.
        QTest::newRow("toward zero") << 550 << true << 180.0 << 2.7 / 275 * 90 << QPoint(275, 273);
        QTest::newRow("huge, pinned") << 550 << true << 0.0 << 1e300 << QPoint(275, 1000000);
        // No direction, no pixel: not the zenith, not the pinned edge.
        QTest::newRow("NaN zenith distance") << 550 << true << 0.0 << qQNaN() << QPoint(-1, -1);
        QTest::newRow("infinite azimuth") << 550 << false << qInf() << 45.0 << QPoint(-1, -1);
        QTest::newRow("infinite zenith distance") << 550 << true << 90.0 << qInf() << QPoint(-1, -1);
    }
    void projection()
    {
        QFETCH(int, D);
        QFETCH(bool, all_sky);
        QFETCH(double, a);
        QFETCH(double, z);
        QFETCH(QPoint, pixel);
        int x = -9, y = -9;
        QCOMPARE(sky_project(D, all_sky, a * 3600, z * 3600, x, y), pixel != QPoint(-1, -1));
        QCOMPARE(QPoint(x, y), pixel);
    }

    void sizes_font_and_grid_rules()
    {
        const int marker[][2] = {{349, 2}, {350, 3}, {449, 3}, {450, 4}, {650, 4}, {651, 5}};
        for (const auto &m : marker)
            QCOMPARE(sky_marker_size(m[0]), m[1]);
        QVERIFY(sky_red_pen_width(449) == 1 && sky_red_pen_width(450) == 2);
        QFont points, pixels;
        points.setPointSizeF(9);
        pixels.setPixelSize(13);
        QVERIFY(sky_scale_font(points, 275) && sky_scale_font(pixels, 275));
        QVERIFY(points.pointSizeF() == 4.5 && pixels.pixelSize() == 7);
        // Hour circles thin out from 76 degrees of declination, stop at 86.
        QVERIFY(sky_hour_segment_drawn(75.9, 1) && !sky_hour_segment_drawn(76, 3) && sky_hour_segment_drawn(80.9, 4));
        QVERIFY(!sky_hour_segment_drawn(81, 4) && sky_hour_segment_drawn(81, 18) && !sky_hour_segment_drawn(86, 0));
        const int text_x[] = {0, 403, 412, 434, 453, 469, 0}; // telescope lines 1 to 5
        for (int k = 0; k < 7; ++k)
            QCOMPARE(sky_telescope_text_x(550, k), text_x[k]);
        // Other sides tell every divisor (7, 20, 30, 35, 40) from its neighbour.
        const int text_x_800[] = {587, 602, 633, 661, 685}, text_x_1000[] = {735, 754, 793, 829, 858};
        for (int k = 1; k <= 5; ++k)
            QVERIFY(sky_telescope_text_x(800, k) == text_x_800[k - 1]
                    && sky_telescope_text_x(1000, k) == text_x_1000[k - 1]);
        // Negative hour angles wrap; 23.9995 shows as 0, not "24.000".
        QVERIFY(sky_selection_hour_angle(0, 7200) == 22.0 && sky_selection_hour_angle(86398.2, 0) == 0.0);
        QVERIFY(sky_selection_hour_angle(1800, 0) == 0.5 && sky_selection_hour_angle(7200, 7200) == 0.0);
    }

    void hit_test_takes_the_first_nearest_placed_object()
    {
        Orvex_object o[5];
        const int xy[][2] = {{110, 100}, {101, 101}, {103, 100}, {100, 103}, {0, 100}};
        Orvex_object_list list;
        for (int i = 0; i < 5; ++i) {
            o[i].screen_x = xy[i][0], o[i].screen_y = xy[i][1], o[i].is_comment = i == 1;
            list << &o[i];
        }
        // 10 px misses, 1 is a comment, x = 0 is not placed.
        QVERIFY(sky_hit_test(list, 100, 100, 550) == 2 && sky_hit_test(list, 1, 100, 550) == -1);
    }

    // The pick distance: closer than 10 pixels (q = dx*dx + dy*dy below
    // 100), and below D*D + D*D, the first in the list on a tie; pixels in
    // row or column 0 are "not placed".
    void hit_distance_data()
    {
        QTest::addColumn<int>("D");
        QTest::addColumn<QPoint>("click");
        QTest::addColumn<QVector<QPoint>>("objects");
        QTest::addColumn<int>("hit");
        const QPoint c(100, 100);
        QTest::newRow("9 px right, q 81") << 550 << c << QVector<QPoint>{{109, 100}} << 0;
        QTest::newRow("10 px left, q 100") << 550 << c << QVector<QPoint>{{90, 100}} << -1;
        QTest::newRow("6 across 8 down, q 100") << 550 << c << QVector<QPoint>{{106, 108}} << -1;
        QTest::newRow("7 across 7 up, q 98") << 550 << c << QVector<QPoint>{{93, 93}} << 0;
        QTest::newRow("the nearer") << 550 << c << QVector<QPoint>{{107, 107}, {103, 100}} << 1;
        QTest::newRow("a tie, the first") << 550 << c << QVector<QPoint>{{103, 100}, {100, 97}} << 0;
        QTest::newRow("row 0") << 550 << QPoint(100, 1) << QVector<QPoint>{{100, 0}} << -1;
        QTest::newRow("column 0") << 550 << QPoint(1, 100) << QVector<QPoint>{{0, 100}} << -1;
        QTest::newRow("row 1") << 550 << QPoint(100, 1) << QVector<QPoint>{{100, 1}} << 0;
        QTest::newRow("column 1") << 550 << QPoint(1, 100) << QVector<QPoint>{{1, 100}} << 0;
        QTest::newRow("a 6 px view: q below 72") << 6 << QPoint(1, 1) << QVector<QPoint>{{10, 1}, {9, 1}} << 1;
    }
    void hit_distance()
    {
        QFETCH(int, D);
        QFETCH(QPoint, click);
        QFETCH(QVector<QPoint>, objects);
        QFETCH(int, hit);
        QVector<Orvex_object> o(objects.size());
        Orvex_object_list list;
        for (int i = 0; i < o.size(); ++i) {
            o[i].is_comment = false;
            o[i].screen_x = objects[i].x(), o[i].screen_y = objects[i].y();
            list << &o[i];
        }
        QCOMPARE(sky_hit_test(list, click.x(), click.y(), D), hit);
    }

    void horizon_reply_points_turn_to_the_south_and_to_zenith_distance()
    {
        const Horizon_reply r = parse_horizon_reply(
            "0 10\n270\t -2\n180 0\n200 5 extra\r\n\nabc def\n12\n  #not a header\n"
            "nan inf\n1e999 -1e999\n7,5 3\n180.5 40");
        const double az[] = {180, 90, 360, 20, 180, 180, 192, 180, 180, 180, 180, 0.5};
        const double zd[] = {80, 92, 90, 85, 90, 90, 90, 90, 90, 90, 87, 50};
        QVERIFY(!r.reverse && r.points.size() == 12);
        for (int i = 0; i < 12; ++i)
            QVERIFY(r.points[i].az == az[i] && r.points[i].zd == zd[i]);

        // Headers choose the set before the first point.
        QVERIFY(parse_horizon_reply("# reverse side\n1 2\n").reverse);
        QVERIFY(!parse_horizon_reply("# reverse\n# direct\n1 2\n").reverse);
        QVERIFY(parse_horizon_reply("#reverse\n# site profile\n1 2\n").reverse);
        QVERIFY(!parse_horizon_reply("#reverse\n#direct\n1 2\n").reverse);
        // A leading empty line is a point of its own.
        const Horizon_reply empty_first = parse_horizon_reply("\n0 10\n");
        QVERIFY(empty_first.points.size() == 2 && empty_first.points[0].zd == 90 && empty_first.points[1].zd == 80);
        const Horizon_reply late = parse_horizon_reply("1 2\n# reverse\n3 4\n");
        QVERIFY(!late.reverse && late.points.size() == 2);
        QCOMPARE(parse_horizon_reply("# reverse").points.size(), 0);
        const Horizon_reply many =
            parse_horizon_reply("# reverse\n" + QByteArray("1 1\n").repeated(359) + "2 2\n3 3\n");
        QVERIFY(many.points.size() == 360 && many.points.last().az == 182.0);
    }

    // side: "" unknown, "D" direct, "R" reverse (flipped).
    void slew_guard_data()
    {
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<QString>("side");
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("alt");
        QTest::addColumn<double>("horizon");
        QTest::addColumn<bool>("below");
        QTest::newRow("no profile, below") << "" << "" << 10.0 << -0.1 << 0.0 << true;
        QTest::newRow("no profile, at") << "" << "D" << 10.0 << 0.0 << 0.0 << false;
        QTest::newRow("direct, between points") << "DR" << "D" << 45.0 << 14.9 << 15.0 << true;
        QTest::newRow("direct, at a point") << "DR" << "D" << 90.0 << 20.0 << 20.0 << false;
        QTest::newRow("direct, past 360") << "DR" << "D" << -45.0 << 4.0 << 5.0 << true;
        QTest::newRow("reverse drawn") << "DR" << "R" << 0.0 << 25.0 << 30.0 << true;
        QTest::newRow("side unknown, reverse higher") << "DR" << "" << 0.0 << 25.0 << 30.0 << true;
        QTest::newRow("side unknown, direct higher") << "DR" << "" << 90.0 << 19.0 << 20.0 << true;
        QTest::newRow("only direct loaded") << "D" << "" << 90.0 << 19.0 << 20.0 << true;
        QTest::newRow("flipped, reverse missing") << "D" << "R" << 0.0 << 9.0 << 10.0 << true;
    }
    void slew_guard()
    {
        QFETCH(QString, loaded);
        QFETCH(QString, side);
        QFETCH(double, a);
        QFETCH(double, alt);
        QFETCH(double, horizon);
        QFETCH(bool, below);
        Orvex_horizon_sets sets;
        if (loaded.contains('D'))
            sets.direct = profile({{0, 10}, {90, 20}, {180, 10}, {270, 0}});
        if (loaded.contains('R'))
            sets.reverse = profile({{0, 12}, {90, 5}, {180, 5}, {270, 5}, {360, 30}});
        sets.flip_known = !side.isEmpty();
        sets.flip = side == "R";
        const Orvex_slew_check c = check_slew_at(a * 3600, (90 - alt) * 3600, sets);
        QCOMPARE(c.horizon, horizon);
        QCOMPARE(c.altitude, alt);
        QVERIFY(c.below == below && c.azimuth == a);
        // Placed by the sidereal time as the sky window places objects; with
        // none there is no position and so no warning.
        sidereal_time = 0;
        const Orvex_slew_check north = check_slew(12 * 3600, -30 * 3600, sets);
        QVERIFY(north.below && qAbs(north.altitude + 76.3465) < 1e-3 && qAbs(north.azimuth) > 179.999);
        sidereal_time = -1;
        QVERIFY(!check_slew(12 * 3600, -30 * 3600, sets).below);
    }
};

QTEST_MAIN(Test_sky_math)
#include "test_sky_math.moc"
