// The sky painted into an image and checked at the pixels that matter.
#include "orvex_sky_math.h"
#include "sky_test_view.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

#include <cmath>

namespace {
const QColor background(200, 200, 100);
const QColor black(0, 0, 0), white(255, 255, 255), gray(128, 128, 128);
const QColor red(255, 0, 0), blue(0, 0, 255);
const double latitude = std::atan2(orvex::sin_lat, orvex::cos_lat) * 180 / orvex::pi;

QImage blank(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(background);
    return img;
}

// Whether the colour is found within `reach` pixels of (x, y).
bool near(const QImage &img, int x, int y, const QColor &c, int reach = 1)
{
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (img.valid(x + dx, y + dy) && img.pixelColor(x + dx, y + dy) == c)
                return true;
    return false;
}

int count(const QImage &img, const QColor &c, QRect area = {})
{
    if (area.isNull())
        area = img.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += img.pixelColor(x, y) == c;
    return n;
}

// Text is antialiased: any clearly bluish pixel.
int bluish(const QImage &img, QRect area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            n += c.blue() > c.red() + 60 && c.blue() > c.green() + 60;
        }
    return n;
}
} // namespace

class Test_sky_paint : public QObject
{
    Q_OBJECT

    Sky_test_view *t = nullptr;

    QImage paint(int w = 550, int h = 550)
    {
        QImage img = blank(w, h);
        t->view->paint_sky(&img);
        if (qEnvironmentVariableIsSet("SKY_DUMP"))
            img.save(QStringLiteral("/tmp/sky_%1.png").arg(QTest::currentTestFunction()));
        return img;
    }

    void place_telescope(double a_deg, double z_deg)
    {
        t->telescope.azimuth = a_deg * 3600;
        t->telescope.zenith = z_deg * 3600;
        t->view->state_ok = true;
    }

private slots:
    void initTestCase()
    {
        t = new Sky_test_view;
        t->build();
    }
    void cleanupTestCase() { delete t; }

    void init()
    {
        sidereal_time = 43200;
        qDeleteAll(t->list);
        t->list.clear();
        Orvex_sky &v = *t->view;
        v.current_index = -1;
        v.state_ok = false;
        v.tel_flip = false;
        v.all_sky = true;
        v.hadec_grid = false;
        v.direct_count = v.reverse_count = 0;
        t->telescope.is_comment = false;
    }

    void nothing_below_100_pixels_of_height()
    {
        QImage low = paint(550, 99);
        QCOMPARE(count(low, background), 550 * 99);
        QImage enough = paint(550, 100);
        QVERIFY(count(enough, white) > 0.4 * 3.14 * 50 * 50);
        QCOMPARE(enough.pixelColor(300, 50), background);
        QCOMPARE(t->view->view_size, 100);
    }

    void disc_and_zenith_distance_grid()
    {
        const QImage img = paint();
        QCOMPARE(t->view->view_size, 550);
        QCOMPARE(img.pixelColor(275, 275), white);
        QCOMPARE(img.pixelColor(3, 3), background);
        QVERIFY(near(img, 275, 0, black));          // the rim
        // 80 degree circle: radius t(275 * 80 / 90 + 0.5) = 244, seen at
        // 45 degrees where no radial line runs.
        const int d = int(244 / std::sqrt(2.0));
        QVERIFY(near(img, 275 + d, 275 + d, black));
        QCOMPARE(img.pixelColor(275 + d - 4, 275 + d - 4), white);
        // The 5 degree circle (radius 15) and its radial line to the west.
        QVERIFY(near(img, 275, 275 - 15, black));
        QVERIFY(near(img, 275 + 100, 275, black, 0));
        // Radial lines at 10 degrees start at 20 degrees of zenith distance.
        QCOMPARE(count(img, gray), 0);
        QCOMPARE(count(img, red), 0);   // no telescope: state not good
    }

    void hour_angle_grid_has_a_black_equator_and_gray_circles()
    {
        t->view->hadec_grid = true;
        const QImage img = paint();
        // The equator crosses the meridian at zenith distance = latitude.
        const int y = 275 + int(275 * latitude / 90 + 0.5);
        QVERIFY(near(img, 275, y, black));
        // Declination 60 crosses it north of the zenith, beside the black
        // meridian.
        const int y60 = 275 - int(275 * (60 - latitude) / 90);
        QVERIFY(near(img, 275, y60, gray, 2));
        QVERIFY(count(img, gray) > 500);

        // Without a sidereal time the whole grid collapses to the centre.
        sidereal_time = -1;
        const QImage collapsed = paint();
        const QRect centre(272, 272, 7, 7);
        QCOMPARE(count(collapsed, gray) - count(collapsed, gray, centre), 0);
        QVERIFY(count(collapsed, white) > 0.7 * 3.14 * 275 * 275);
    }

    void telescope_cross_in_red_at_its_pixel()
    {
        place_telescope(90, 45); // west, half way down
        const QImage img = paint();
        QCOMPARE(t->telescope.screen_x, 275 + 138);
        QCOMPARE(t->telescope.screen_y, 275);
        const int x = t->telescope.screen_x, y = t->telescope.screen_y;
        // Arms from 3 to 11 pixels out, a gap in the middle, a circle of 12.
        QVERIFY(near(img, x + 7, y, red));
        QVERIFY(near(img, x, y - 7, red));
        QVERIFY(!near(img, x, y, red));
        QVERIFY(near(img, x, y + 12, red));
        // Its text block lies right of the rim.
        QVERIFY(count(img, red, QRect(410, 0, 140, 80)) > 0);

        t->view->state_ok = false;
        QCOMPARE(count(paint(), red), 0);
        t->view->state_ok = true;
        sidereal_time = -1;
        QCOMPARE(count(paint(), red), 0);
    }

    void object_circle_and_blue_selection()
    {
        Orvex_object *o = t->add(43200, (latitude - 35) * 3600, "M 13");
        o->epoch_text = "2000.0";
        t->add_comment();
        t->view->current_index = 0;
        const QImage img = paint();
        const int x = o->screen_x, y = o->screen_y;
        QCOMPARE(QPoint(x, y), QPoint(275, 275 + 107)); // 275 * 35 / 90 + 0.5
        QVERIFY(near(img, x + 4, y, black));      // circle of radius 4
        QCOMPARE(img.pixelColor(x + 2, y), white); // beside the meridian line
        QVERIFY(near(img, x + 6, y + 6, blue));   // diagonal cross arms
        QVERIFY(near(img, x - 6, y + 6, blue));
        QVERIFY(!near(img, x + 1, y + 1, blue, 0)); // the gap
        // The text block at the top left and at the bottom left.
        QVERIFY(bluish(img, QRect(5, 0, 120, 80)) > 20);
        QVERIFY(bluish(img, QRect(5, 550 - 60, 120, 60)) > 10);
    }

    void low_selection_keeps_its_text_but_no_circle()
    {
        Orvex_object *o = t->add(43200, (latitude - 87) * 3600, "Low");
        t->view->current_index = 0;
        const QImage img = paint();
        QCOMPARE(o->screen_x, -1);
        QCOMPARE(count(img, blue), 0);
        QVERIFY(bluish(img, QRect(5, 0, 120, 80)) > 20);

        // A selected comment shows nothing at all.
        t->add_comment();
        t->view->current_index = 1;
        QCOMPARE(bluish(paint(), QRect(5, 0, 120, 80)), 0);
    }

    void red_horizon_of_the_telescope_side()
    {
        Orvex_sky &v = *t->view;
        // A square of four points at zenith distance 60 (KSV and all-sky
        // alike keep south/west where the projection puts them).
        const double az[] = {0, 90, 180, 270};
        for (int i = 0; i < 4; ++i) {
            v.horizon_direct[i].az = az[i];
            v.horizon_direct[i].zd = 60;
        }
        v.direct_count = 4;
        // Neither a good state nor objects: no outline.
        QCOMPARE(count(paint(), red), 0);

        t->add_comment();
        QImage img = paint();
        QCOMPARE(QPoint(v.horizon_direct[0].x, v.horizon_direct[0].y),
                 QPoint(275, 275 + 183));
        // The middle of the south-west side, and of the closing south-east
        // side.
        QVERIFY(near(img, 275 + 92, 275 + 92, red));
        QVERIFY(near(img, 275 - 92, 275 + 92, red));

        // The flipped telescope draws the reverse set, which is empty.
        v.tel_flip = true;
        QCOMPARE(count(paint(), red), 0);

        // Below the horizon the stored zenith distance is used.
        v.tel_flip = false;
        v.horizon_direct[0].zd = 100;
        paint();
        QCOMPARE(v.horizon_direct[0].y, 275 + 306);
    }

    void ksv_view_puts_south_on_top()
    {
        t->view->all_sky = false;
        Orvex_object *o = t->add(43200, (latitude - 40) * 3600);
        paint();
        QCOMPARE(o->screen_x, 275);
        QCOMPARE(o->screen_y, 275 - 176); // t(0.5 - 275 sin 40) = -176
    }

    void stamped_circles_are_the_drawn_circles()
    {
        // Many objects at every sub-position of the grid of pixels, in the
        // painted view, against the same circles drawn one by one over the
        // same view without objects.
        QRandomGenerator rng(3);
        for (int i = 0; i < 2000; ++i)
            t->add(rng.bounded(86400.0), (rng.bounded(136.0) - 46) * 3600);
        for (int D : {550, 300}) {
            const QImage stamped = paint(D, D);
            QImage drawn = blank(D, D);
            const Orvex_object_list objects = t->list;
            t->list.clear();
            t->add_comment();
            t->view->paint_sky(&drawn);
            delete t->list.takeFirst();
            t->list = objects;
            QPainter p(&drawn);
            p.setPen(QPen(QBrush(black), 2, Qt::SolidLine));
            const int s = sky_marker_size(D);
            int placed = 0;
            for (const Orvex_object *o : objects)
                if (o->screen_x > 0 && o->screen_y > 0) {
                    p.drawEllipse(QPoint(o->screen_x, o->screen_y), s, s);
                    ++placed;
                }
            p.end();
            QVERIFY(placed > 1000);
            QVERIFY(stamped == drawn);
        }
    }

    void small_view_uses_thin_red_pens()
    {
        place_telescope(0, 0);
        const QImage img = paint(300, 400); // D = 300: s = 2, red width 1
        QCOMPARE(t->view->view_size, 300);
        QCOMPARE(QPoint(t->telescope.screen_x, t->telescope.screen_y), QPoint(150, 150));
        // Arm from 1 to 5 pixels, one pixel thick.
        QVERIFY(count(img, red, QRect(151, 150, 5, 1)) == 5);
        QCOMPARE(count(img, red, QRect(151, 149, 5, 1)), 0);
        QCOMPARE(count(img, red, QRect(151, 151, 5, 1)), 0);
    }
};

QTEST_MAIN(Test_sky_paint)
#include "test_sky_paint.moc"
