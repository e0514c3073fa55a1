// The sky view's arithmetic and the horizon reply reader, without a window.
#include "orvex_horizon_parse.h"
#include "orvex_sky_labels.h"
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

    // Where the telescope can be: anything else is drawn as no position.
    void telescope_position_possible_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("possible");
        QTest::newRow("Z 0") << "Z" << 0.0 << true;
        QTest::newRow("Z 180") << "Z" << 648000.0 << true;
        QTest::newRow("Z -30") << "Z" << -108000.0 << false;
        QTest::newRow("Z 200") << "Z" << 720000.0 << false;
        QTest::newRow("Z NaN") << "Z" << qQNaN() << false;
        QTest::newRow("A -360") << "A" << -1296000.0 << true;
        QTest::newRow("A 361") << "A" << 1299600.0 << false;
        QTest::newRow("A inf") << "A" << qInf() << false;
        QTest::newRow("Decl -90") << "Decl" << -324000.0 << true;
        QTest::newRow("Decl 95") << "Decl" << 342000.0 << false;
        QTest::newRow("RA 24 h") << "RA" << 86400.0 << true;
        QTest::newRow("RA 1e300 h") << "RA" << 3.6e303 << false;
        QTest::newRow("HA -24 h") << "HA" << -86400.0 << true;
        QTest::newRow("HA -NaN") << "HA" << -qQNaN() << false;
    }
    void telescope_position_possible()
    {
        QFETCH(QString, field);
        QFETCH(double, value);
        QFETCH(bool, possible);
        Orvex_object t;
        t.azimuth = 10 * 3600;
        t.zenith = 40 * 3600;
        QVERIFY(sky_telescope_position_possible(t));
        (field == "Z" ? t.zenith : field == "A" ? t.azimuth : field == "Decl" ? t.decl
                                                : field == "RA" ? t.ra : t.hour_angle) = value;
        QCOMPARE(sky_telescope_position_possible(t), possible);
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

    // The pick distance: closer than 10 pixels (q = dx*dx + dy*dy below
    // 100), and below D*D + D*D, the first in the list on a tie; pixels in
    // row or column 0 are "not placed"; comment lines are never hit.
    void hit_distance_data()
    {
        QTest::addColumn<int>("D");
        QTest::addColumn<QPoint>("click");
        QTest::addColumn<QVector<QPoint>>("objects");
        QTest::addColumn<int>("hit");
        QTest::addColumn<int>("comment"); // the index of a comment line, or -1
        const QPoint c(100, 100);
        QTest::newRow("9 px right, q 81") << 550 << c << QVector<QPoint>{{109, 100}} << 0 << -1;
        QTest::newRow("10 px left, q 100") << 550 << c << QVector<QPoint>{{90, 100}} << -1 << -1;
        QTest::newRow("6 across 8 down, q 100") << 550 << c << QVector<QPoint>{{106, 108}} << -1 << -1;
        QTest::newRow("7 across 7 up, q 98") << 550 << c << QVector<QPoint>{{93, 93}} << 0 << -1;
        QTest::newRow("the nearer") << 550 << c << QVector<QPoint>{{107, 107}, {103, 100}} << 1 << -1;
        QTest::newRow("a tie, the first") << 550 << c << QVector<QPoint>{{103, 100}, {100, 97}} << 0 << -1;
        QTest::newRow("row 0") << 550 << QPoint(100, 1) << QVector<QPoint>{{100, 0}} << -1 << -1;
        QTest::newRow("column 0") << 550 << QPoint(1, 100) << QVector<QPoint>{{0, 100}} << -1 << -1;
        QTest::newRow("row 1") << 550 << QPoint(100, 1) << QVector<QPoint>{{100, 1}} << 0 << -1;
        QTest::newRow("column 1") << 550 << QPoint(1, 100) << QVector<QPoint>{{1, 100}} << 0 << -1;
        QTest::newRow("a 6 px view: q below 72") << 6 << QPoint(1, 1) << QVector<QPoint>{{10, 1}, {9, 1}} << 1 << -1;
        QTest::newRow("a comment is skipped") << 550 << c << QVector<QPoint>{{101, 101}, {103, 100}} << 1 << 0;
    }
    void hit_distance()
    {
        QFETCH(int, D);
        QFETCH(QPoint, click);
        QFETCH(QVector<QPoint>, objects);
        QFETCH(int, hit);
        QFETCH(int, comment);
        QVector<Orvex_object> o(objects.size());
        Orvex_object_list list;
        for (int i = 0; i < o.size(); ++i) {
            o[i].is_comment = i == comment;
            o[i].screen_x = objects[i].x(), o[i].screen_y = objects[i].y();
            list << &o[i];
        }
        QCOMPARE(sky_hit_test(list, click.x(), click.y(), D), hit);
    }

    void horizon_reply_points_turn_to_the_south_and_to_zenith_distance()
    {
        const Horizon_reply r = parse_horizon_reply(
            "0 10\n270\t -2\n180 0\n200 5 extra\r\n\nabc def\n12\n  #not a header\n"
            "nan inf\n1e999 -1e999\n7,5 3\n180.5 40", false);
        const double az[] = {180, 90, 360, 20, 180, 180, 192, 180, 180, 180, 180, 0.5};
        const double zd[] = {80, 92, 90, 85, 90, 90, 90, 90, 90, 90, 87, 50};
        QVERIFY(!r.reverse && r.points.size() == 12);
        for (int i = 0; i < 12; ++i)
            QVERIFY(r.points[i].az == az[i] && r.points[i].zd == zd[i]);

        // Headers choose the set before the first point; without one the
        // points are the profile that was asked for.
        QVERIFY(parse_horizon_reply("# reverse side\n1 2\n", false).reverse);
        QVERIFY(!parse_horizon_reply("# reverse\n# direct\n1 2\n", true).reverse);
        QVERIFY(parse_horizon_reply("#reverse\n# site profile\n1 2\n", false).reverse);
        QVERIFY(parse_horizon_reply("1 2\n", true).reverse && parse_horizon_reply("# site\n1 2\n", true).reverse);
        QVERIFY(!parse_horizon_reply("1 2\n", false).reverse);
        const Horizon_reply late = parse_horizon_reply("1 2\n# reverse\n3 4\n", false);
        QVERIFY(!parse_horizon_reply("#reverse\n#direct\n1 2\n", false).reverse);
        // A leading empty line is a point of its own.
        const Horizon_reply empty_first = parse_horizon_reply("\n0 10\n", false);
        QVERIFY(empty_first.points.size() == 2 && empty_first.points[0].zd == 90 && empty_first.points[1].zd == 80);
        QVERIFY(!late.reverse && late.points.size() == 2);
        QVERIFY(parse_horizon_reply("1 2\n# direct\n3 4\n", true).reverse);
        QCOMPARE(parse_horizon_reply("# reverse", false).points.size(), 0);
        const Horizon_reply many =
            parse_horizon_reply("# reverse\n" + QByteArray("1 1\n").repeated(359) + "2 2\n3 3\n", false);
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
        // Without one the check cannot be made: the window asks all the same.
        sidereal_time = -1;
        const Orvex_slew_check unknown = check_slew(12 * 3600, 60 * 3600, sets);
        QVERIFY(!unknown.position_known && !unknown.below);
        sidereal_time = 0;
        QVERIFY(check_slew(0, 60 * 3600, sets).position_known);
    }

    // Observers read azimuths from the north through the east with a point
    // of the 16-point compass; the program counts from the south through
    // the west. Each point covers 22.5 degrees centred on its direction.
    void cardinal_letters_sit_inside_the_rim_data();
    void cardinal_letters_sit_inside_the_rim();
    void labels_never_pile_up_data();
    void labels_never_pile_up();
    void label_and_hover_texts();

    void azimuth_for_observers_data()
    {
        QTest::addColumn<double>("from_south");
        QTest::addColumn<double>("from_north");
        QTest::addColumn<QString>("point");
        const std::tuple<double, double, const char *> cases[] = {
            {-180, 0, "N"},       {180, 0, "N"},         {-168.76, 11.24, "N"},  {-168.75, 11.25, "NNE"},
            {-157, 23, "NNE"},    {-157.5, 22.5, "NNE"}, {-146.25, 33.75, "NE"}, {-90, 90, "E"},
            {-23, 157, "SSE"},    {-11.25, 168.75, "S"}, {0, 180, "S"},          {45, 225, "SW"},
            {90, 270, "W"},       {157, 337, "NNW"},     {168.74, 348.74, "NNW"}, {168.75, 348.75, "N"},
            {-1e-15, 180, "S"},   {540, 0, "N"},         {-200, 340, "NNW"},
        };
        for (const auto &[south, north, point] : cases)
            QTest::addRow("%g", south) << south << north << QString(point);
    }
    void azimuth_for_observers()
    {
        QFETCH(double, from_south);
        QFETCH(double, from_north);
        QFETCH(QString, point);
        const double a = azimuth_from_north(from_south);
        QVERIFY2(std::fabs(a - from_north) < 1e-9 && a >= 0 && a < 360, qPrintable(QString::number(a)));
        QCOMPARE(QString(compass_point(from_north)), point);
        QCOMPARE(QString(compass_point(from_north + 360)), point);
    }
};

// A letter 10 x 14 pixels at the rim of a 550 view: inside the rim, beside
// the radius through the point (right of a vertical one, above a
// horizontal one), wherever the projection puts the point.
void Test_sky_math::cardinal_letters_sit_inside_the_rim_data()
{
    QTest::addColumn<bool>("all_sky");
    QTest::addColumn<int>("point"); // N, E, S, W
    QTest::addColumn<QRect>("rect");
    QTest::newRow("all-sky N at the top") << true << 0 << QRect(277, 3, 10, 14);
    QTest::newRow("all-sky E at the left") << true << 1 << QRect(3, 259, 10, 14);
    QTest::newRow("all-sky S at the bottom") << true << 2 << QRect(277, 534, 10, 14);
    QTest::newRow("all-sky W at the right") << true << 3 << QRect(538, 259, 10, 14);
    QTest::newRow("KSV N at the bottom") << false << 0 << QRect(277, 534, 10, 14);
    QTest::newRow("KSV S at the top") << false << 2 << QRect(277, 3, 10, 14);
    QTest::newRow("KSV W at the right") << false << 3 << QRect(538, 259, 10, 14);
}
void Test_sky_math::cardinal_letters_sit_inside_the_rim()
{
    QFETCH(bool, all_sky);
    QFETCH(int, point);
    QFETCH(QRect, rect);
    QCOMPARE(sky_cardinal_rect(550, all_sky, sky_cardinal_azimuths[point], QSize(10, 14)), rect);
}

// Names are taken in order, each at its first free place (right of its
// circle, else left): none touches a drawn name or a reserved place, none
// runs out of the view, and one left out takes no room from later ones.
void Test_sky_math::labels_never_pile_up_data()
{
    using Places = QVector<QVector<QRect>>;
    QTest::addColumn<Places>("places");
    QTest::addColumn<QVector<QRect>>("taken");
    QTest::addColumn<QVector<QRect>>("placed");
    const QRect a(100, 100, 40, 12), left(40, 100, 40, 12), none;
    QTest::newRow("two at nearly one place") << Places{{a}, {a.translated(2, 3)}} << QVector<QRect>{}
                                             << QVector<QRect>{a, none};
    QTest::newRow("the second goes left") << Places{{a}, {a.translated(2, 3), left}} << QVector<QRect>{}
                                          << QVector<QRect>{a, left};
    QTest::newRow("side by side") << Places{{a}, {a.translated(40, 0)}, {a.translated(0, 12)}}
                                  << QVector<QRect>{} << QVector<QRect>{a, a.translated(40, 0), a.translated(0, 12)};
    QTest::newRow("a left-out one blocks nothing")
        << Places{{a}, {a.translated(30, 0)}, {a.translated(60, 0)}} << QVector<QRect>{}
        << QVector<QRect>{a, none, a.translated(60, 0)};
    QTest::newRow("on a cardinal letter") << Places{{a, left}, {a.translated(0, 40)}}
                                          << QVector<QRect>{QRect(139, 111, 5, 5)}
                                          << QVector<QRect>{left, a.translated(0, 40)};
    QTest::newRow("running out of the view") << Places{{a.translated(480, 0), a.translated(400, 0)}}
                                             << QVector<QRect>{} << QVector<QRect>{a.translated(400, 0)};
    QTest::newRow("nothing to write") << Places{{}, {a}} << QVector<QRect>{} << QVector<QRect>{none, a};
}
void Test_sky_math::labels_never_pile_up()
{
    QFETCH(QVector<QVector<QRect>>, places);
    QFETCH(QVector<QRect>, taken);
    QFETCH(QVector<QRect>, placed);
    QCOMPARE(sky_labels_placed(places, taken, QRect(0, 0, 550, 550)), placed);
}

// Names come from list files: no control character reaches the sky, and a
// long one is cut; the tip escapes nothing itself (the widget shows it as
// plain text) but says where the object is.
void Test_sky_math::label_and_hover_texts()
{
    QCOMPARE(sky_label_text(QStringLiteral(" M\t31\x1b[2J\n ")), QStringLiteral("M 31 [2J"));
    QCOMPARE(sky_label_text(QString(100, 'x')), QString(23, 'x') + QChar(0x2026));
    QCOMPARE(sky_label_text(QStringLiteral("\r\n")), QString());
    Orvex_object o;
    o.name = QStringLiteral("NGC\n4565");
    o.ra = 12 * 3600 + 36 * 60 + 20.8;
    o.decl = 25 * 3600 + 59 * 60 + 15.6;
    o.azimuth = -45.5 * 3600;
    o.zenith = 30.25 * 3600;
    QCOMPARE(sky_hover_text(o), QStringLiteral("NGC 4565\nR.A. = 12:36:20.80  Decl. = +25:59:15.6\n"
                                               "A = -45.500  Z = 30.250"));
}

QTEST_MAIN(Test_sky_math)
#include "test_sky_math.moc"
