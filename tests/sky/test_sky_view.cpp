// The sky window: horizon requests over HTTP on 127.0.0.1, the operations
// other windows call with their repaint rules, the mouse, and the view
// painted into an image, checked at the pixels that matter.
#include "orvex_list.h"
#include "orvex_log.h"
#include "orvex_sky.h"
#include "orvex_sky_math.h"
#include "orvex_tcs_host.h"

#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {
const double latitude = std::atan2(orvex::sin_lat, orvex::cos_lat) * 180 / orvex::pi;
const QColor background(200, 200, 100), black(0, 0, 0), white(255, 255, 255);
const QColor gray(128, 128, 128), red(255, 0, 0), blue(0, 0, 255);

// A horizon host on the test's own event loop: answers ?dir and ?rev with
// the body, status and delay set per tag (or sends the body every 50 ms for
// ever), and notes when each was asked.
struct Horizon_host : QTcpServer
{
    struct Answer { QByteArray body; QByteArray status = "200 OK"; int delay_ms = 0; bool drip = false; };
    QMap<QByteArray, Answer> answers;
    QStringList asked;
    QVector<qint64> times;
    QElapsedTimer clock;

    Horizon_host()
    {
        clock.start();
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    const QByteArray tag = s->readAll().contains("?rev") ? "rev" : "dir";
                    asked << tag;
                    times << clock.elapsed();
                    const Answer a = answers.value(tag);
                    if (a.drip) {
                        s->write("HTTP/1.0 200 OK\r\n\r\n");
                        auto *t = new QTimer(s);
                        connect(t, &QTimer::timeout, s, [s, a] { s->write(a.body); });
                        connect(s, &QTcpSocket::disconnected, t, &QTimer::stop);
                        t->start(50);
                        return;
                    }
                    QTimer::singleShot(a.delay_ms, s, [s, a] {
                        s->write("HTTP/1.0 " + a.status + "\r\nContent-Length: "
                                 + QByteArray::number(a.body.size()) + "\r\n\r\n" + a.body);
                        s->disconnectFromHost();
                    });
                });
        });
    }
};

struct Form_record : Orvex_object
{
    QStringList loaded;
    void set_form(QString name, QString, QString, QString) override { loaded << name; }
};

// Whether the colour is found within `reach` pixels of (x, y).
bool near(const QImage &img, int x, int y, const QColor &c, int reach = 1)
{
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (img.valid(x + dx, y + dy) && img.pixelColor(x + dx, y + dy) == c)
                return true;
    return false;
}

// Pixels of the colour, or (text is antialiased) of a clear blue tint.
int count(const QImage &img, const QColor &c, QRect area = {}, bool bluish = false)
{
    area = area.isNull() ? img.rect() : area;
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor p = img.pixelColor(x, y);
            n += bluish ? p.blue() > p.red() + 60 && p.blue() > p.green() + 60 : p == c;
        }
    return n;
}
int bluish(const QImage &img, int top = 0) { return count(img, blue, QRect(5, top, 120, 60), true); }
} // namespace
Q_DECLARE_METATYPE(Horizon_host::Answer)

class Test_sky_view : public QObject
{
    Q_OBJECT

    Horizon_host host;
    Orvex_object_list list;
    Orvex_object telescope;
    std::unique_ptr<Orvex_sky> view;
    Orvex_sky *v = nullptr;
    int paints = 0;
    QStringList err, titles, texts; // of the log, of the warning boxes
    QTimer box_closer;

public:
    bool eventFilter(QObject *, QEvent *e) override
    {
        paints += e->type() == QEvent::Paint;
        return false;
    }

private:
    // The selection a call left and whether it repainted (a posted event:
    // only a busy machine needs the long wait).
    void expect(bool repaint, int current)
    {
        QCOMPARE(v->current_index, current);
        QVERIFY(repaint ? QTest::qWaitFor([this] { return paints > 0; }, 2000)
                        : !QTest::qWaitFor([this] { return paints > 0; }, 100));
        paints = 0;
    }
    Orvex_object *add(double ra = 0, double decl = 0, bool comment = false)
    {
        list.append(new Orvex_object);
        list.last()->is_comment = comment;
        list.last()->ra = ra;
        list.last()->decl = decl;
        return list.last();
    }
    // On the meridian south of the zenith while the sidereal time is 12 h.
    Orvex_object *add_at(double z_deg) { return add(43200, (latitude - z_deg) * 3600); }
    QImage paint(int w = 550, int h = 550)
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(background);
        v->paint_sky(&img);
        return img;
    }
    void fetch(bool direct)
    {
        v->request_horizon(direct);
        QTRY_VERIFY(v->horizon_reply == nullptr);
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
        host.answers["dir"].body = "0 5\n";
        host.answers["rev"].body = "# reverse\n";
        qputenv("ORVEX_TCS_HOST", "127.0.0.1:" + QByteArray::number(host.serverPort()));
        telescope.is_comment = false;
        view.reset(v = new Orvex_sky(nullptr, &list, &telescope));
        v->installEventFilter(this);
        QTRY_COMPARE(host.asked, (QStringList{"dir", "rev"}));
        QTRY_VERIFY(v->horizon_reply == nullptr);
        QVERIFY2(host.times[1] - host.times[0] >= 450, "the reverse request goes 500 ms later");
        QCOMPARE(v->direct_count, 1);
        QCOMPARE(v->windowTitle(), QStringLiteral("Orvex Sky"));
        v->show();
        QVERIFY(QTest::qWaitForWindowExposed(v));
    }
    void cleanupTestCase() { view.reset(); qDeleteAll(list); }

    void init()
    {
        sidereal_time = 43200;
        qDeleteAll(list);
        list.clear();
        telescope.is_comment = false;
        v->current_index = -1;
        v->state_ok = v->tel_flip = v->hadec_grid = false;
        v->all_sky = true;
        v->direct_count = v->reverse_count = 0;
        host.asked.clear();
        err.clear();
        titles.clear();
        texts.clear();
        set_log_capture(nullptr, &err);
        QTest::qWait(30);
        paints = 0;
        v->view_size = 550; // image paints change it
    }
    void cleanup() { set_log_capture(nullptr, nullptr); }

    void repaint_rules()
    {
        v->set_view_ksv(true);
        expect(true, -1);
        v->set_grid_az(false);
        expect(true, -1);
        v->set_tel_flip(true);
        v->set_state_ok(true);
        expect(false, -1);
        QVERIFY(!v->all_sky && v->hadec_grid && v->tel_flip && v->state_ok);

        v->current_index = 4;
        sidereal_time = -1;
        v->state_updated(); // not even the selection changes
        expect(false, 4);
        sidereal_time = 43200;
        v->list_changed(); // an empty list
        expect(false, -1);
        v->set_current(0);
        expect(true, -1);
        add();
        add();
        v->set_current(5);
        expect(true, 1);
        v->current_index = 7;
        v->list_changed();
        expect(true, 1);
        sidereal_time = -1;
        v->list_changed();
        expect(false, 1);

        sidereal_time = 43200;
        telescope.is_comment = true;
        v->state_ok = false;
        v->state_updated();
        expect(false, 1);
        telescope.is_comment = false;
        v->state_updated();
        expect(true, 1);
        qDeleteAll(list);
        list.clear();
        v->state_updated(); // an empty list drops the selection
        expect(false, -1);
        v->state_ok = true;
        v->state_updated();
        expect(true, -1);
        v->set_state_ok(false); // the cross goes at once, objects or not
        expect(true, -1);
    }

    // A real double-click comes as press, release, double-click; the list
    // window loads the form on the second press on the same object.
    void clicks_select_and_a_second_press_loads_the_form()
    {
        Form_record form;
        Orvex_list list_window(nullptr, &list);
        list_window.set_partner(v);
        list_window.set_form_object(&form);
        v->set_list_window(&list_window);
        list_window.insert_object(0, "Vega", "18:36:56", "+38:47:01", "2000.0");
        list_window.insert_object(1, "Deneb", "20:41:26", "+45:16:49", "2000.0");
        sidereal_time = 18 * 3600 + 1800; // both high in the sky
        v->project_objects();
        const QPoint vega(list[0]->screen_x, list[0]->screen_y);
        const QPoint deneb(list[1]->screen_x, list[1]->screen_y);
        QVERIFY(vega.x() > 0 && deneb.x() > 0);
        QTest::qWait(30);
        paints = 0;

        QTest::mouseClick(v, Qt::RightButton, {}, vega);
        expect(false, -1);
        QTest::mouseClick(v, Qt::LeftButton, {}, vega + QPoint(9, 0));
        expect(true, 0);
        QVERIFY(list_window.current_row() == 0 && form.loaded.isEmpty());
        QTest::mouseClick(v, Qt::LeftButton, {}, vega + QPoint(10, 0)); // empty sky
        expect(true, 0);
        QTest::mouseClick(v, Qt::LeftButton, {}, vega);
        QCOMPARE(form.loaded, QStringList{"Vega"});
        QTest::mouseClick(v, Qt::LeftButton, {}, deneb);
        QTest::mouseDClick(v, Qt::LeftButton, {}, deneb);
        QCOMPARE(list_window.current_row(), 1);
        QCOMPARE(form.loaded, (QStringList{"Vega", "Deneb"}));
        telescope.is_comment = true; // then nothing can be hit
        QTest::mouseClick(v, Qt::LeftButton, {}, vega);
        QCOMPARE(v->current_index, 1);
        v->set_list_window(nullptr);
    }

    void paint_nothing_below_100_pixels_then_disc_and_grids()
    {
        QCOMPARE(count(paint(550, 99), background), 550 * 99);
        QImage img = paint(550, 100);
        QVERIFY(count(img, white) > 0.4 * 3.14 * 50 * 50);
        QCOMPARE(img.pixelColor(300, 50), background);

        img = paint();
        QCOMPARE(img.pixelColor(275, 275), white);
        QVERIFY(near(img, 275, 0, black)); // the rim
        // The 80 degree circle (radius 244) at 45 degrees, between radials.
        const int d = int(244 / std::sqrt(2.0));
        QVERIFY(near(img, 275 + d, 275 + d, black));
        QCOMPARE(img.pixelColor(275 + d - 4, 275 + d - 4), white);
        QVERIFY(near(img, 275, 275 - 15, black));     // the 5 degree circle
        QVERIFY(near(img, 275 + 100, 275, black, 0)); // the radial line west
        QCOMPARE(count(img, gray) + count(img, red), 0);

        // The black equator crosses the meridian at zenith distance =
        // latitude; the gray declination 60 passes north of the zenith.
        v->hadec_grid = true;
        img = paint();
        QVERIFY(near(img, 275, 275 + int(275 * latitude / 90 + 0.5), black));
        QVERIFY(near(img, 275, 275 - int(275 * (60 - latitude) / 90), gray, 2));
        QVERIFY(count(img, gray) > 500);
    }

    void paint_telescope_cross_in_red_at_its_pixel()
    {
        telescope.azimuth = 90 * 3600; // west, half way down
        telescope.zenith = 45 * 3600;
        v->state_ok = true;
        QImage img = paint();
        const int x = telescope.screen_x, y = telescope.screen_y;
        QCOMPARE(QPoint(x, y), QPoint(275 + 138, 275));
        // Arms 3 to 11 pixels out, a gap in the middle, a circle of 12.
        QVERIFY(near(img, x + 7, y, red) && near(img, x, y - 7, red));
        QVERIFY(!near(img, x, y, red) && near(img, x, y + 12, red));
        QVERIFY(count(img, red, QRect(410, 0, 140, 80)) > 0); // text right of the rim
        v->state_ok = false;
        QCOMPARE(count(paint(), red), 0);
        v->state_ok = true;
        telescope.azimuth = qQNaN(); // no direction: no cross, no numbers
        QCOMPARE(count(paint(), red), 0);
        telescope.azimuth = 0;
        sidereal_time = -1;
        QCOMPARE(count(paint(), red), 0);

        // D = 300: marker 2, arms 1 to 5 pixels, one pixel thick.
        sidereal_time = 43200;
        telescope.zenith = 0;
        img = paint(300, 400);
        QCOMPARE(QPoint(telescope.screen_x, telescope.screen_y), QPoint(150, 150));
        QCOMPARE(count(img, red, QRect(151, 150, 5, 1)), 5);
        QCOMPARE(count(img, red, QRect(151, 149, 5, 3)), 5);
    }

    void paint_object_circle_and_blue_selection()
    {
        Orvex_object *o = add_at(35), *comment = add(0, 0, true);
        Orvex_object *low = add_at(86.001), *just = add_at(85.999);
        Orvex_object *lost = add(qQNaN(), 0); // no direction: neither drawn at the zenith nor hit
        o->name = "M 13";
        v->current_index = 0;
        QImage img = paint();
        const int x = o->screen_x, y = o->screen_y;
        QCOMPARE(QPoint(x, y), QPoint(275, 275 + 107));
        QVERIFY(lost->screen_x == -1 && count(img, black, QRect(265, 265, 21, 21)) == 0);
        QCOMPARE(sky_hit_test(list, 275, 275, 550), -1);
        QVERIFY(comment->screen_x == -1 && low->screen_x == -1 && just->screen_y > 500);
        QVERIFY(near(img, x + 4, y, black));       // circle of radius 4
        QCOMPARE(img.pixelColor(x + 2, y), white); // beside the meridian line
        QVERIFY(near(img, x + 6, y + 6, blue) && near(img, x - 6, y + 6, blue));
        QVERIFY(!near(img, x + 1, y + 1, blue, 0)); // the gap
        QVERIFY(bluish(img) > 20 && bluish(img, 490) > 10);
        v->all_sky = false; // KSV puts the south on top
        paint();
        QCOMPARE(o->screen_y, 275 - 157);
        v->all_sky = true;

        // Too low to draw: no cross, but the text still says where it is.
        o->decl = (latitude - 87) * 3600;
        img = paint();
        QVERIFY(o->screen_x == -1 && count(img, blue) == 0 && bluish(img) > 20);
        v->current_index = 1; // a selected comment shows nothing
        QCOMPARE(bluish(paint()), 0);
    }

    void paint_red_horizon_of_the_telescope_side()
    {
        const double az[] = {0, 90, 180, 270};
        for (int i = 0; i < 4; ++i)
            v->horizon_direct[i] = HorizonPoint{0, 0, az[i], 60};
        v->direct_count = 4;
        QCOMPARE(count(paint(), red), 0); // neither a good state nor objects
        add(0, 0, true);
        QImage img = paint();
        QCOMPARE(QPoint(v->horizon_direct[0].x, v->horizon_direct[0].y), QPoint(275, 275 + 183));
        // The south-west side, and the closing south-east one.
        QVERIFY(near(img, 275 + 92, 275 + 92, red) && near(img, 275 - 92, 275 + 92, red));
        v->tel_flip = true; // the reverse set, a smaller square
        for (int i = 0; i < 4; ++i)
            v->horizon_reverse[i] = HorizonPoint{0, 0, az[i], 30};
        v->reverse_count = 4;
        img = paint();
        QVERIFY(near(img, 275 + 46, 275 + 46, red) && !near(img, 275 + 92, 275 + 92, red));
        v->tel_flip = false;
        v->horizon_direct[0].zd = 100; // below the horizon: drawn outside
        paint();
        QCOMPARE(v->horizon_direct[0].y, 275 + 306);
        v->horizon_direct[0].zd = 1e305; // beyond any pixel: both its sides are left out
        img = paint();
        QVERIFY(count(img, red, QRect(0, 280, 550, 270)) == 0 && near(img, 275 + 92, 275 - 92, red));
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
            const QImage stamped = paint(D, D);
            list = {&comment}; // a list, but no circles
            QImage drawn = paint(D, D);
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

    void horizon_replies_fill_the_set_their_header_names()
    {
        const QString line = QStringLiteral("Loading %1 '%2' horizon points.");
        host.answers["dir"].body = "# Orvex direct horizon\n0 10\n270 -2\n180 0\n";
        host.answers["rev"].body = "#reverse\n90 30\n100 31\n";
        fetch(true);
        fetch(false);
        QVERIFY(v->direct_count == 3 && v->reverse_count == 2);
        // Placed at once, with the zenith distance held at 89.99.
        for (const HorizonPoint &p : {v->horizon_direct[1], v->horizon_reverse[1]}) {
            int x, y;
            sky_project(550, true, p.az * 3600, std::min(p.zd, 89.99) * 3600, x, y);
            QCOMPARE(QPoint(p.x, p.y), QPoint(x, y));
        }
        QCOMPARE(v->horizon_direct[1].zd, 92.0);
        QCOMPARE(v->horizon_reverse[1].az, 280.0);
        host.answers["rev"].body = "0 2\n10 2\n"; // no header: direct
        fetch(false);
        host.answers["dir"].body = "# reverse\n" + QByteArray("5 5\n").repeated(400);
        fetch(true);
        host.answers["dir"].body = "";
        fetch(true);
        QVERIFY(v->direct_count == 0 && v->reverse_count == 360);
        QCOMPARE(err, (QStringList{line.arg(3).arg("direct"), line.arg(2).arg("reverse"),
                                   line.arg(2).arg("direct"), line.arg(360).arg("reverse"),
                                   line.arg(0).arg("direct")}));
        QCOMPARE(host.asked, (QStringList{"dir", "rev", "rev", "dir", "dir"}));
    }

    // A reply that never ends is given up as a whole, and the request it
    // held back goes out then.
    void horizon_one_request_at_a_time_with_a_time_limit()
    {
        host.answers["dir"] = {"0 1\n", "200 OK", 0, true};
        host.answers["rev"].body = "# reverse\n0 1\n";
        v->horizon_timeout_ms = 300;
        v->request_horizon(true);
        v->request_horizon(false);
        QCOMPARE(err, QStringList{"orvex_horizon.rev read error "});
        QTRY_COMPARE(v->reverse_count, 1);
        v->horizon_timeout_ms = 30000;
        QVERIFY2(texts.size() == 1 && texts[0].endsWith(" - no answer within 0.3 s"), qPrintable(texts.join('|')));
        QVERIFY(host.asked == (QStringList{"dir", "rev"}) && v->direct_count == 0);
    }

    void horizon_http_error_shows_the_box_and_releases_the_reply_data()
    {
        QTest::addColumn<Horizon_host::Answer>("answer");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("404") << Horizon_host::Answer{"not found", "404 Not Found"}
                             << int(QNetworkReply::ContentNotFoundError) << "server replied: Not Found";
        QTest::newRow("301") << Horizon_host::Answer{"0 5\n", "301 Moved Permanently"}
                             << int(QNetworkReply::UnknownServerError) << "server replied: 301 Moved Permanently";
        QTest::newRow("over 1 MiB") << Horizon_host::Answer{QByteArray("0 5\n").repeated(1 << 18) + "\n"}
                                    << int(QNetworkReply::UnknownContentError) << "reply larger than 1048576 bytes";
    }
    void horizon_http_error_shows_the_box_and_releases_the_reply()
    {
        QFETCH(Horizon_host::Answer, answer);
        QFETCH(int, code);
        QFETCH(QString, text);
        host.answers["dir"] = answer;
        v->request_horizon(true);
        QPointer<QNetworkReply> failed = v->horizon_reply;
        QTRY_COMPARE(titles, QStringList{default_tcs_host() + " HTTP error"});
        QTRY_VERIFY(failed.isNull()); // released, and deleted once
        QVERIFY(v->horizon_reply == nullptr && v->direct_count == 0);
        QVERIFY2(texts[0].endsWith(text), qPrintable(texts[0]));
        QCOMPARE(err, QStringList{QStringLiteral("Orvex horizon read error %1 %2").arg(code).arg(texts[0])});
        fetch(false); // the slot is free again
        QVERIFY(err.size() == 2 && titles.size() == 1);
    }

    void horizon_signals_of_other_replies_are_ignored()
    {
        host.answers["rev"] = {"0 7\n", "200 OK", 600};
        v->request_horizon(false);
        QNetworkReply *in_flight = v->horizon_reply;
        // A finished reply that is not the one in flight, wired as the
        // view wires its own.
        QNetworkAccessManager other;
        std::unique_ptr<QNetworkReply> stray(other.get(QNetworkRequest(
            QUrl(QStringLiteral("http://127.0.0.1:%1/tcs/orvex_horizon.php?dir")
                     .arg(host.serverPort())))));
        connect(stray.get(), SIGNAL(finished()), v, SLOT(get_horizon_finish()));
        connect(stray.get(), SIGNAL(errorOccurred(QNetworkReply::NetworkError)), v,
                SLOT(get_horizon_error(QNetworkReply::NetworkError)));
        emit stray->finished();
        emit stray->errorOccurred(QNetworkReply::RemoteHostClosedError);
        QTest::qWait(50);
        QVERIFY(v->horizon_reply == in_flight && err.isEmpty() && titles.isEmpty());
        // The one in flight still lands where its header says.
        QTRY_VERIFY(v->horizon_reply == nullptr);
        QVERIFY(v->direct_count == 1 && v->horizon_direct[0].zd == 83.0);
    }
};

QTEST_MAIN(Test_sky_view)
#include "test_sky_view.moc"
