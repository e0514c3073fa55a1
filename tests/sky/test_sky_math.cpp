// The sky view's arithmetic without a window: projection, derived sizes,
// font scaling, grid thinning, telescope text placement, hit test.
#include "orvex_sky_math.h"

#include <QFont>
#include <QtTest>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace {
constexpr double deg = 3600.0;

QPoint at(int D, bool all_sky, double a_deg, double z_deg)
{
    int x = -9, y = -9;
    sky_project(D, all_sky, a_deg * deg, z_deg * deg, x, y);
    return QPoint(x, y);
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
        QTest::newRow("zenith all-sky") << 550 << true << 37.0 << 0.0 << QPoint(275, 275);
        QTest::newRow("zenith KSV") << 550 << false << 37.0 << 0.0 << QPoint(275, 275);
        QTest::newRow("south all-sky") << 550 << true << 0.0 << 90.0 << QPoint(275, 550);
        // -274.5 truncates toward zero to -274.
        QTest::newRow("south KSV") << 550 << false << 0.0 << 90.0 << QPoint(275, 1);
        QTest::newRow("north all-sky") << 550 << true << 180.0 << 90.0 << QPoint(275, 1);
        QTest::newRow("north KSV") << 550 << false << 180.0 << 90.0 << QPoint(275, 550);
        QTest::newRow("west all-sky") << 550 << true << 90.0 << 90.0 << QPoint(550, 275);
        QTest::newRow("west KSV") << 550 << false << 90.0 << 90.0 << QPoint(550, 275);
        QTest::newRow("east all-sky") << 550 << true << -90.0 << 90.0 << QPoint(1, 275);
        QTest::newRow("east KSV") << 550 << false << -90.0 << 90.0 << QPoint(1, 275);
        QTest::newRow("odd side keeps R 275") << 551 << true << 0.0 << 0.0 << QPoint(275, 275);
        // Below the horizon: outside the all-sky disc, back inside in KSV.
        QTest::newRow("below horizon all-sky") << 550 << true << 0.0 << 120.0 << QPoint(275, 642);
        QTest::newRow("below horizon KSV") << 550 << false << 0.0 << 120.0 << QPoint(275, 38);
        // r = 275 * 45 / 90 = 137.5: the +0.5 makes it 138.
        QTest::newRow("half way south") << 550 << true << 0.0 << 45.0 << QPoint(275, 413);
    }

    void projection()
    {
        QFETCH(int, D);
        QFETCH(bool, all_sky);
        QFETCH(double, a);
        QFETCH(double, z);
        QFETCH(QPoint, pixel);
        QCOMPARE(at(D, all_sky, a, z), pixel);
    }

    void negative_offsets_truncate_toward_zero()
    {
        // Offset -2.7 (+0.5 = -2.2) must become -2, not -3 as floor would.
        const double z = 2.7 / 275.0 * 324000.0;
        int x, y;
        sky_project(550, true, 180 * deg, z, x, y);
        QCOMPARE(y, 275 - 2);
        sky_project(550, true, -90 * deg, z, x, y);
        QCOMPARE(x, 275 - 2);
    }

    void corrupt_positions_stay_defined()
    {
        int x, y;
        sky_project(550, true, 0, std::numeric_limits<double>::quiet_NaN(), x, y);
        QCOMPARE(y, 275);
        sky_project(550, true, 0, 1e300, x, y);
        QVERIFY(y > 100000);
        QCOMPARE(sky_trunc(-1e300), -sky_trunc(1e300));
        QCOMPARE(sky_trunc(-2.9), -2);
    }

    void sizes()
    {
        const int sizes[][2] = {{349, 2}, {350, 3}, {449, 3}, {450, 4},
                                {650, 4}, {651, 5}, {100, 2}};
        for (const auto &s : sizes)
            QCOMPARE(sky_marker_size(s[0]), s[1]);
        QCOMPARE(sky_line_step(550), 15);
        QCOMPARE(sky_line_step(100), 2);
        QCOMPARE(sky_red_pen_width(449), 1);
        QCOMPARE(sky_red_pen_width(450), 2);
    }

    void font_scaling()
    {
        QFont points;
        points.setPointSizeF(9);
        QVERIFY(sky_scale_font(points, 275));
        QCOMPARE(points.pointSizeF(), 4.5);

        QFont pixels;
        pixels.setPixelSize(13);
        QVERIFY(sky_scale_font(pixels, 275));
        QCOMPARE(pixels.pixelSize(), 7);

        QFont tiny;
        tiny.setPixelSize(1);
        QVERIFY(sky_scale_font(tiny, 100));
        QCOMPARE(tiny.pixelSize(), 1);

        QFont big;
        big.setPointSizeF(10);
        QVERIFY(sky_scale_font(big, 1100));
        QCOMPARE(big.pointSizeF(), 20.0);
    }

    void hour_circles_thin_out_near_the_pole()
    {
        QVERIFY(sky_hour_segment_drawn(75.9, 1));
        QVERIFY(sky_hour_segment_drawn(76, 2));
        QVERIFY(!sky_hour_segment_drawn(76, 3));
        QVERIFY(sky_hour_segment_drawn(80.9, 4));
        QVERIFY(!sky_hour_segment_drawn(81, 4));
        QVERIFY(sky_hour_segment_drawn(81, 18));
        QVERIFY(!sky_hour_segment_drawn(86, 0));
        QVERIFY(!sky_hour_segment_drawn(90, 12));
    }

    void telescope_text_sits_right_of_the_rim()
    {
        // D = 550, L = 15, Rd = 275: line 1 at t(sqrt(275^2 - 260^2)) = 89,
        // plus R 275, plus t(275 / 7) = 39.
        QCOMPARE(sky_telescope_text_x(550, 1), 89 + 275 + 39);
        // Line 5: t(sqrt(275^2 - 200^2)) = 188, t(275 / 40) = 6.
        QCOMPARE(sky_telescope_text_x(550, 5), 188 + 275 + 6);
    }

    void selection_hour_angle()
    {
        QCOMPARE(sky_selection_hour_angle(7200, 0), 2.0);
        QCOMPARE(sky_selection_hour_angle(0, 7200), 22.0);
        // 23.9995 h would print as 24.000: shown as 0.
        QCOMPARE(sky_selection_hour_angle(86398.2, 0), 0.0);
    }

    void hit_test_distance_rule()
    {
        std::vector<std::unique_ptr<Orvex_object>> store;
        Orvex_object_list list;
        auto add = [&](int x, int y, bool comment = false) {
            store.emplace_back(new Orvex_object);
            store.back()->is_comment = comment;
            store.back()->screen_x = x;
            store.back()->screen_y = y;
            list.append(store.back().get());
        };
        add(109, 100);                     // 0: 9 to the right, q = 81
        QCOMPARE(sky_hit_test(list, 100, 100, 550), 0);
        list.clear();
        add(110, 100);                     // q = 100: a miss
        add(106, 108);                     // q = 36 + 64 = 100: a miss
        QCOMPARE(sky_hit_test(list, 100, 100, 550), -1);
        add(107, 107);                     // q = 98: a hit
        QCOMPARE(sky_hit_test(list, 100, 100, 550), 2);

        list.clear();
        add(103, 100);                     // both at q = 9: the first wins
        add(100, 103);
        add(101, 101, true);               // a comment, nearer: never hit
        QCOMPARE(sky_hit_test(list, 100, 100, 550), 0);

        list.clear();
        add(-1, -1);                       // not placed (too low)
        add(0, 3);                         // x = 0 counts as not placed
        QCOMPARE(sky_hit_test(list, 0, 0, 550), -1);
        QCOMPARE(sky_hit_test(list, 1, 3, 550), -1);
    }
};

QTEST_MAIN(Test_sky_math)
#include "test_sky_math.moc"
