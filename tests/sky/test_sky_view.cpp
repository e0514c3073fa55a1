// The sky window: horizon requests to a host on 127.0.0.1, repaints, the view painted into an image.
#include "orvex_log.h"
#include "orvex_sky.h"
#include "orvex_sky_labels.h"
#include "orvex_sky_math.h"
#include "orvex_slew_guard.h"
#include "orvex_tcs_host.h"

#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolTip>
#include <QtTest>

Q_DECLARE_METATYPE(double *)

namespace {
const double latitude = std::atan2(orvex::sin_lat, orvex::cos_lat) * 180 / orvex::pi;
const QColor background(200, 200, 100), black(0, 0, 0), red(255, 0, 0), blue(0, 0, 255),
    dim_gray(105, 105, 105);

// Sends each tag's whole HTTP reply and closes; with drip set, ?dir gets the
// header and then a line every 50 ms for ever.
struct Horizon_host : QTcpServer
{
    QMap<QString, QByteArray> replies;
    bool drip = false;
    QStringList asked;
    Horizon_host()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *s = nextPendingConnection();
            connect(s, &QTcpSocket::readyRead, s, [this, s] {
                asked << (s->readAll().contains("?rev") ? "rev" : "dir");
                s->write(replies.value(asked.last()));
                if (!drip || asked.last() == "rev")
                    return s->disconnectFromHost();
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
                auto *t = new QTimer(s);
                connect(t, &QTimer::timeout, s, [s] { s->write("0 1\n"); });
                t->start(50);
            });
        });
    }
};
QByteArray http(const QByteArray &body, const QByteArray &status = "200 OK")
{
    return "HTTP/1.0 " + status + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

int count(const QImage &img, const QColor &c, QRect area = {})
{
    area = area.isNull() ? img.rect() : area & img.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += img.pixelColor(x, y) == c;
    return n;
}
// Whether the colour is found within `reach` pixels of (x, y).
bool near(const QImage &img, int x, int y, const QColor &c, int reach = 1)
{
    return count(img, c, QRect(x - reach, y - reach, 2 * reach + 1, 2 * reach + 1)) > 0;
}
} // namespace

class Test_sky_view : public QObject
{
    Q_OBJECT
    Horizon_host host;
    Orvex_object_list list;
    Orvex_object telescope;
    Orvex_sky *v = nullptr;
    int paints = 0;
    QStringList err, titles, texts; // of the log, of the warning boxes
    QTimer box_closer;
    bool eventFilter(QObject *, QEvent *e) override
    {
        paints += e->type() == QEvent::Paint;
        return false;
    }
    // The selection a call left, and whether it repainted (posted: a busy machine may take long).
    void expect(bool repaint, int current)
    {
        QCOMPARE(v->current_index, current);
        QVERIFY(repaint ? QTest::qWaitFor([this] { return paints > 0; }, 2000)
                        : !QTest::qWaitFor([this] { return paints > 0; }, 100));
        paints = 0;
    }
    Orvex_object *add(double ra = 0, double decl = 0)
    {
        list.append(new Orvex_object);
        list.last()->is_comment = false;
        list.last()->ra = ra;
        list.last()->decl = decl;
        return list.last();
    }
    QImage paint(int D = 550)
    {
        QImage img(D, D, QImage::Format_RGB32);
        img.fill(background);
        v->paint_sky(&img);
        return img;
    }
    // The image with a telescope text line drawn on it as the view draws
    // them: the scaled font, at the x of line `k`, or further left to fit.
    QImage with_text(QImage img, const QColor &color, int k, int line, const char *text)
    {
        QPainter p(&img);
        QFont f = v->font();
        sky_scale_font(f, 550);
        p.setFont(f);
        p.setPen(color);
        const int x = qMin(sky_telescope_text_x(550, k), 548 - p.fontMetrics().horizontalAdvance(text));
        p.drawText(QPoint(x, line * sky_line_step(550)), text);
        return img;
    }

private slots:
    void initTestCase()
    {
        connect(&box_closer, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                titles << box->windowTitle();
                texts << box->text();
                box->accept();
            }
        });
        box_closer.start(50);
        host.replies["dir"] = http("# Orvex direct horizon\n0 5\n270 -2\n");
        host.replies["rev"] = http("# reverse\n0 1\n");
        set_log_capture(nullptr, &err);
        qputenv("ORVEX_TCS_HOST", "127.0.0.1:" + QByteArray::number(host.serverPort()));
        const QTime started = QTime::currentTime();
        v = new Orvex_sky(nullptr, &list, &telescope);
        v->installEventFilter(this);
        QTRY_COMPARE(host.asked, (QStringList{"dir", "rev"}));
        QVERIFY2(started.msecsTo(QTime::currentTime()) >= 450, "the reverse request goes 500 ms later");
        QTRY_COMPARE(err, (QStringList{"Loading 2 'direct' horizon points.", "Loading 1 'reverse' horizon points."}));
        v->show();
        QVERIFY(QTest::qWaitForWindowExposed(v));
    }
    void cleanupTestCase() { set_log_capture(nullptr, nullptr); delete v; qDeleteAll(list); }

    void init()
    {
        sidereal_time = 43200;
        qDeleteAll(list);
        list.clear();
        telescope.is_comment = v->state_ok = v->tel_flip = v->hadec_grid = v->state_old = false;
        v->position_known = true;
        telescope.ra = telescope.decl = telescope.hour_angle = 0;
        v->all_sky = true;
        v->current_index = -1;
        v->direct_count = v->reverse_count = 0;
        host.replies["dir"] = http("# Orvex direct horizon\n0 5\n270 -2\n");
        host.replies["rev"] = http("# reverse\n0 1\n");
        for (QStringList *l : {&host.asked, &err, &titles, &texts})
            l->clear();
        set_log_capture(nullptr, &err);
        QTest::qWait(30);
        paints = 0;
    }

    void repaint_rules()
    {
        v->set_view_ksv(true);
        v->set_grid_az(false);
        expect(true, -1);
        QVERIFY(!v->all_sky && v->hadec_grid);
        v->current_index = 4;
        v->list_changed(); // an empty list drops the selection
        expect(false, -1);
        add(), add();
        v->current_index = 7;
        v->list_changed();
        expect(true, 1);
        telescope.is_comment = true; // neither a telescope nor a good state
        v->state_updated();
        expect(false, 1);
        v->set_state_ok(true);
        v->state_updated();
        expect(true, 1);
        v->set_state_ok(false); // the cross goes at once, whatever state_updated would do
        expect(true, 1);
        telescope.is_comment = false;
        v->current_index = 2; // the selected last object was removed: the new last one
        v->list_changed();
        expect(true, 1);
        // A row from the list window, clamped to the list; none below 0.
        add();
        v->set_current(5);
        expect(true, 2);
        v->set_current(0);
        expect(true, 0);
        v->set_current(-3);
        expect(true, -1);
        // An empty list keeps no selection; the telescope's cross still moves when the state is good.
        qDeleteAll(list);
        list.clear();
        v->set_current(0);
        expect(true, -1);
        v->current_index = 4;
        v->state_updated();
        expect(false, -1);
        v->state_ok = true;
        v->state_updated();
        expect(true, -1);
        // A TelFlip line tells the slew guard which side's horizon counts.
        v->set_tel_flip(true);
        QVERIFY(v->tel_flip && v->horizon_sets().flip_known);
    }

    // Only what has a direction is drawn or hit: the telescope, objects, the horizon.
    void paint_only_what_has_a_pixel()
    {
        telescope.azimuth = 90 * 3600; // west, half way down
        telescope.zenith = 45 * 3600;
        v->state_ok = true;
        Orvex_object *o = add(43200, (latitude - 35) * 3600); // on the meridian
        Orvex_object *lost = add(qQNaN(), 0);
        v->current_index = 0;
        QImage img = paint();
        QCOMPARE(QPoint(telescope.screen_x, telescope.screen_y), QPoint(275 + 138, 275));
        // Arms 3 to 11 pixels out, a gap in the middle; numbers right of the rim.
        QVERIFY(near(img, 420, 275, red) && !near(img, 413, 275, red) && count(img, red, QRect(410, 0, 140, 80)));
        QCOMPARE(QPoint(o->screen_x, o->screen_y), QPoint(275, 275 + 107));
        QVERIFY(near(img, 275 + 4, 382, black) && near(img, 275 + 6, 382 + 6, blue));
        QVERIFY(lost->screen_x == -1 && count(img, black, QRect(265, 265, 21, 21)) == 0);
        QCOMPARE(sky_hit_test(list, 275, 275, 550), -1);
        telescope.azimuth = qQNaN(); // no cross; only words, at the top
        QVERIFY(count(paint(), red, QRect(0, 30, 550, 520)) == 0 && telescope.screen_x == -1);

        // The side's own horizon; a point with no direction leaves out both its sides.
        for (int i = 0; i < 4; ++i) {
            v->horizon_direct[i] = HorizonPoint{0, 0, 90.0 * i, 60};
            v->horizon_reverse[i] = HorizonPoint{0, 0, 90.0 * i, 30};
        }
        v->direct_count = v->reverse_count = 4;
        v->tel_flip = true; // the reverse set, a smaller square
        img = paint();
        QVERIFY(near(img, 275 + 46, 275 + 46, red) && !near(img, 275 + 92, 275 + 92, red));
        v->tel_flip = false;
        v->horizon_direct[0].zd = qQNaN();
        img = paint();
        QVERIFY(count(img, red, QRect(0, 280, 550, 270)) + count(img, red, QRect(0, 0, 40, 40)) == 0 && near(img, 367, 183, red));
    }

    // Objects below the horizon profile a slew would meet are drawn faded,
    // those above it black; the profile is the one of the telescope's side.
    void paint_objects_below_the_horizon_faded()
    {
        for (int i = 0; i < 4; ++i) {
            v->horizon_direct[i] = HorizonPoint{0, 0, 90.0 * i, 60}; // 30 degrees all round
            v->horizon_reverse[i] = HorizonPoint{0, 0, 90.0 * i, 75}; // 15 degrees
        }
        v->direct_count = v->reverse_count = 4;
        v->tel_flip_known = true;
        Orvex_object *high = add(43200 - 5400, (latitude - 35) * 3600);
        Orvex_object *low = add(43200 + 5400, (latitude - 70) * 3600);
        const QColor silver(192, 192, 192);
        const auto circle_is = [](const QImage &img, const Orvex_object *o, const QColor &c) {
            for (const QPoint d : {QPoint(4, 0), QPoint(-4, 0), QPoint(0, 4), QPoint(0, -4)})
                if (img.pixelColor(o->screen_x + d.x(), o->screen_y + d.y()) != c)
                    return false;
            return true;
        };
        QImage img = paint();
        QVERIFY(low->screen_x > 0 && circle_is(img, high, black) && circle_is(img, low, silver));
        v->tel_flip = true; // the other side's lower profile
        img = paint();
        QVERIFY(circle_is(img, high, black) && circle_is(img, low, black));
        v->tel_flip_known = false;
    }

    // An old state keeps its place, drawn dashed and grey with its age; a
    // fresh reply brings the solid red cross back.
    void paint_old_state()
    {
        telescope.azimuth = 90 * 3600;
        telescope.zenith = 45 * 3600;
        v->state_ok = true;
        const QRect cross(413 - 13, 275 - 13, 27, 27), sixth_line(0, 6 * 15 - 12, 550, 18);
        const QImage fresh = paint();
        QVERIFY(count(fresh, red, cross) > 60 && count(fresh, dim_gray) == 0);
        v->set_state_old(true, 25);
        expect(true, -1);
        const QImage old = paint();
        // Nothing red, and the dashes leave gaps.
        const int grey = count(old, dim_gray, cross);
        QVERIFY2(count(old, red) == 0 && grey > 20 && grey < count(fresh, red, cross) * 3 / 4, qPrintable(QString::number(grey)));
        QCOMPARE(QPoint(telescope.screen_x, telescope.screen_y), QPoint(413, 275));
        QCOMPARE(old.copy(sixth_line), with_text(fresh, dim_gray, 5, 6, "old: 25 s").copy(sixth_line));
        v->set_state_old(true, 25); // the same age: nothing to repaint; a second more: its text
        expect(false, -1);
        v->set_state_old(true, 26);
        expect(true, -1);
        v->set_state_old(false, 0);
        expect(true, -1);
        QCOMPARE(paint(), fresh);
    }

    // A place the telescope cannot be at is no cross at all: only the words
    // that its position is unknown, where its numbers would start.
    void paint_impossible_position_data()
    {
        QTest::addColumn<double *>("field");
        QTest::addColumn<double>("value");
        QTest::newRow("Z -30") << &telescope.zenith << -30 * 3600.0;
        QTest::newRow("A NaN") << &telescope.azimuth << qQNaN();
        QTest::newRow("no number in the reply") << static_cast<double *>(nullptr) << 0.0;
    }
    void paint_impossible_position()
    {
        QFETCH(double *, field);
        QFETCH(double, value);
        telescope.azimuth = 90 * 3600;
        telescope.zenith = 45 * 3600;
        const QImage none = paint(); // the state is not good: no telescope
        v->state_ok = true;
        field ? void(*field = value) : v->set_position_known(false);
        QCOMPARE(paint(), with_text(none, red, 1, 1, "Position unknown"));
        QCOMPARE(QPoint(telescope.screen_x, telescope.screen_y), QPoint(-1, -1));
    }

    // Objects are placed below 86 degrees of zenith distance only; a left
    // press picks the nearest closer than 10 pixels and always repaints,
    // other buttons do nothing.
    void mouse_picks_a_placed_object()
    {
        Orvex_object *o = add(43200, (latitude - 35) * 3600); // on the meridian, the first: index 0 is a hit
        Orvex_object *comment = add(43200, (latitude - 35) * 3600);
        comment->is_comment = true; // a comment line is never placed, even with coordinates
        Orvex_object *low = add(43200, (latitude - 85.999) * 3600), *lower = add(43200, (latitude - 86.001) * 3600);
        paint();
        QVERIFY(o->screen_y == 382 && low->screen_y > 0 && lower->screen_x == -1 && lower->screen_y == -1);
        QCOMPARE(QPoint(comment->screen_x, comment->screen_y), QPoint(-1, -1));
        paints = 0;
        QTest::mouseClick(v, Qt::RightButton, {}, QPoint(275, 382));
        QTest::mouseClick(v, Qt::MiddleButton, {}, QPoint(275, 382));
        expect(false, -1);
        QTest::mouseClick(v, Qt::LeftButton, {}, QPoint(265, 382)); // 10 px away
        expect(true, -1);
        QTest::mouseClick(v, Qt::LeftButton, {}, QPoint(266, 382));
        expect(true, 0);
        // Neither a telescope record nor a sidereal time: nothing can be hit.
        v->current_index = -1;
        telescope.is_comment = true;
        QTest::mouseClick(v, Qt::LeftButton, {}, QPoint(275, 382));
        expect(true, -1);
        telescope.is_comment = false;
        sidereal_time = -1;
        QTest::mouseClick(v, Qt::LeftButton, {}, QPoint(275, 382));
        expect(true, -1);
        sidereal_time = 43200;
        QTest::mouseDClick(v, Qt::LeftButton, {}, QPoint(275, 382));
        expect(true, 0);
    }

    // Circles are stamped from one image; they must match circles drawn
    // one by one over the same view without objects.
    void paint_stamped_circles_are_the_drawn_circles()
    {
        QRandomGenerator rng(3);
        for (int i = 0; i < 2000; ++i)
            add(rng.bounded(86400.0), (rng.bounded(136.0) - 46) * 3600);
        const Orvex_object_list objects = list;
        Orvex_object comment;
        for (int D : {550, 300}) {
            const QImage stamped = paint(D);
            list = {&comment}; // a list, but no circles
            QImage drawn = paint(D);
            list = objects;
            QPainter p(&drawn);
            p.setPen(QPen(QBrush(black), 2, Qt::SolidLine));
            const int s = sky_marker_size(D);
            int placed = 0;
            for (const Orvex_object *o : objects)
                if (o->screen_x > 0 && o->screen_y > 0 && ++placed)
                    p.drawEllipse(QPoint(o->screen_x, o->screen_y), s, s);
            p.end();
            QVERIFY(placed > 1000 && stamped == drawn);
        }
    }

    // A host that sends bare points answers the request it got: a 'rev'
    // reply without a header is the reverse profile, and the direct one
    // (which the slew check uses for the unflipped side) stays as it was.
    void horizon_reply_without_header_fills_the_profile_asked_for()
    {
        host.replies["dir"] = http("0 5\n90 5\n");
        host.replies["rev"] = http("0 30\n90 30\n180 30\n");
        v->request_horizon(true);
        QTRY_COMPARE(v->direct_count, 2);
        v->request_horizon(false);
        QTRY_COMPARE(v->reverse_count, 3);
        QCOMPARE(err, (QStringList{"Loading 2 'direct' horizon points.", "Loading 3 'reverse' horizon points."}));
        QVERIFY(v->horizon_direct[0].zd == 85 && v->horizon_direct[1].zd == 85 && v->horizon_reverse[2].zd == 60);
        // A 16 degree object due north, the telescope flipped: below its 30 degrees.
        v->set_tel_flip(true);
        QVERIFY(check_slew_at(180 * 3600, 74 * 3600, v->horizon_sets()).below);
        v->tel_flip = v->tel_flip_known = false;
    }

    // N, E, S, W in both views: each letter whole (every pixel of the letter
    // drawn alone is ink in the view) right beside its rim point, which the
    // KSV view turns upside down.
    void cardinal_points_in_both_views_data()
    {
        QTest::addColumn<bool>("all_sky");
        QTest::addColumn<QVector<QPoint>>("rim"); // N, E, S, W
        QTest::newRow("all-sky") << true << QVector<QPoint>{{275, 1}, {1, 275}, {275, 550}, {550, 275}};
        QTest::newRow("KSV") << false << QVector<QPoint>{{275, 550}, {1, 275}, {275, 1}, {550, 275}};
    }
    void cardinal_points_in_both_views()
    {
        QFETCH(bool, all_sky);
        QFETCH(QVector<QPoint>, rim);
        v->all_sky = all_sky;
        v->hadec_grid = true;
        const QImage img = paint();
        QFont f = v->font();
        sky_scale_font(f, 550);
        f.setBold(true);
        for (int i = 0; i < 4; ++i) {
            const QRect r = v->cardinal_rects.value(i);
            QVERIFY2(r.isValid() && QLineF(r.center(), rim[i]).length() < 20 && QRect(0, 0, 550, 550).contains(r),
                     qPrintable(QString::number(i)));
            QImage letter(550, 550, QImage::Format_RGB32);
            letter.fill(Qt::white);
            QPainter p(&letter);
            f.setStyleStrategy(QFont::NoAntialias);
            p.setFont(f);
            p.drawText(r, Qt::AlignCenter, QString("NESW").at(i));
            p.end();
            const int ink = count(letter, black, r);
            QVERIFY(ink > 10);
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    QVERIFY(letter.pixelColor(x, y) != black || img.pixelColor(x, y) == black);
        }
    }

    // Names are off at first; on, each placed object gets its name right of
    // its circle, but of two at nearly one place only the first.
    void names_beside_circles_one_of_a_crowd()
    {
        QCOMPARE(v->show_names, false);
        v->state_ok = true;
        telescope.azimuth = 90 * 3600;
        telescope.zenith = 45 * 3600;
        Orvex_object *far = add(43200, (latitude - 35) * 3600); // on the meridian, below the zenith
        far->name = "M 64";
        Orvex_object *one = add(43200 - 2400, (latitude + 20) * 3600);
        one->name = "NGC 4565";
        const QImage bare = paint();
        v->set_show_names(true);
        expect(true, -1);
        const QImage first_only = paint();
        Orvex_object *two = add(43200 - 2400 + 4, (latitude + 20) * 3600 + 60); // a pixel or two away
        two->name = "NGC 4559";
        const QImage crowd = paint();
        QVERIFY(QLineF(QPoint(one->screen_x, one->screen_y), QPoint(two->screen_x, two->screen_y)).length() < 4);
        const int s = sky_marker_size(550);
        // Ink where the second image differs from the first, in black only.
        const auto written = [](const QImage &before, const QImage &after, const QRect &r) {
            int n = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    if (before.pixel(x, y) != after.pixel(x, y))
                        n += after.pixelColor(x, y) == black ? 1 : -1000;
            return n;
        };
        for (const Orvex_object *o : {far, one})
            QVERIFY(written(bare, first_only, QRect(o->screen_x + 3 * s + 1, o->screen_y - 8, 60, 16)) > 30);
        // The second name is not written over the first: it goes left.
        const QRect right_of_pair(two->screen_x + 3 * s + 1, two->screen_y - 8, 80, 16);
        QCOMPARE(crowd.copy(right_of_pair), first_only.copy(right_of_pair));
        QVERIFY(written(first_only, crowd, QRect(two->screen_x - 3 * s - 80, two->screen_y - 8, 80, 16)) > 30);
        v->set_show_names(false);
        expect(true, -1);
        QCOMPARE(paint(), bare);
    }

    // A hover over an object tells its name and place as a plain-text tip;
    // over empty sky there is none.
    void hover_tip_names_the_object_under_the_pointer()
    {
        Orvex_object *o = add(43200, (latitude - 35) * 3600);
        o->name = "<b>M 64</b>";
        paint();
        const QPoint at(o->screen_x + 6, o->screen_y - 4);
        QVERIFY(v->hover_text_at(QPoint(o->screen_x + 12, o->screen_y)).isEmpty());
        QCOMPARE(v->hover_text_at(at), sky_hover_text(*o));
        QVERIFY(v->hover_text_at(at).startsWith("<b>M 64</b>\nR.A. = 12:00:00.00"));
        QHelpEvent help(QEvent::ToolTip, at, v->mapToGlobal(at));
        QApplication::sendEvent(v, &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QVERIFY(QToolTip::text().contains("&lt;b&gt;M 64&lt;/b&gt;"));
        QHelpEvent empty(QEvent::ToolTip, QPoint(30, 500), v->mapToGlobal(QPoint(30, 500)));
        QApplication::sendEvent(v, &empty);
        QTRY_VERIFY(!QToolTip::isVisible());
        sidereal_time = -1; // no time, nothing placed to hover over
        QVERIFY(v->hover_text_at(at).isEmpty());
    }

    // A failure shows one box and frees the one request slot: the request
    // held back meanwhile goes out then, and the failed reply's late signals
    // must not touch it.
    void horizon_failure_shows_the_box_and_sends_the_held_back_request_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("301") << http("0 5\n", "301 Moved Permanently")
                             << int(QNetworkReply::UnknownServerError) << "server replied: 301 Moved Permanently";
        QTest::newRow("over 1 MiB") << http(QByteArray("0 5\n").repeated(1 << 18) + "\n")
                                    << int(QNetworkReply::UnknownContentError) << "reply larger than 1048576 bytes";
        QTest::newRow("never ends") << QByteArray("HTTP/1.0 200 OK\r\n\r\n")
                                    << int(QNetworkReply::TimeoutError) << " - no answer within 0.3 s";
    }
    void horizon_failure_shows_the_box_and_sends_the_held_back_request()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, code);
        QFETCH(QString, text);
        host.replies["dir"] = reply;
        host.drip = QTest::currentDataTag() == QLatin1String("never ends");
        v->horizon_timeout_ms = host.drip ? 300 : 30000;
        v->request_horizon(true);
        v->request_horizon(false);
        QPointer<QNetworkReply> failed = v->horizon_reply;
        QNetworkAccessManager other; // a reply not in flight changes nothing
        QScopedPointer<QNetworkReply> stray(other.get(QNetworkRequest(QUrl("http://127.0.0.1:1/"))));
        connect(stray.get(), SIGNAL(errorOccurred(QNetworkReply::NetworkError)), v,
                SLOT(get_horizon_error(QNetworkReply::NetworkError)));
        emit stray->errorOccurred(QNetworkReply::RemoteHostClosedError);
        QTRY_COMPARE(v->reverse_count, 1);
        QVERIFY(failed.isNull() && v->direct_count == 0); // released, and deleted once
        QCOMPARE(titles, QStringList{default_tcs_host() + " HTTP error"});
        QVERIFY2(texts.size() == 1 && texts[0].endsWith(text), qPrintable(texts.join('|')));
        QCOMPARE(err, (QStringList{"orvex_horizon.rev read error ",
                                   QStringLiteral("Orvex horizon read error %1 %2").arg(code).arg(texts[0]),
                                   "Loading 1 'reverse' horizon points."}));
    }
};

QTEST_MAIN(Test_sky_view)
#include "test_sky_view.moc"
