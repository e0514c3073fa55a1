// Horizon profiles fetched over real HTTP from an in-process host: every
// reply form, the one-request-at-a-time rule, and the error path with its
// warning box.
#include "orvex_log.h"
#include "orvex_sky_math.h"
#include "orvex_tcs_host.h"
#include "sky_test_view.h"

#include <QApplication>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QTcpServer>
#include <QTimer>
#include <QtTest>

namespace {

// Closes every warning box after `after_ms` and remembers what it said.
class Box_closer : public QObject
{
public:
    explicit Box_closer(int after_ms)
    {
        connect(&poll, &QTimer::timeout, this, [this, after_ms] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (!seen.contains(box)) {
                seen.append(box);
                titles.append(box->windowTitle());
                texts.append(box->text());
                clock.start();
            }
            if (clock.elapsed() >= after_ms)
                box->accept();
        });
        poll.start(10);
    }
    QStringList titles, texts;

private:
    QTimer poll;
    QList<QPointer<QMessageBox>> seen;
    QElapsedTimer clock;
};

} // namespace

class Test_sky_horizon : public QObject
{
    Q_OBJECT

    QStringList err;

private slots:
    void init()
    {
        err.clear();
        set_log_capture(nullptr, &err);
        sidereal_time = 43200;
    }
    void cleanup() { set_log_capture(nullptr, nullptr); }

    void both_sets_from_their_headers()
    {
        Sky_test_view t;
        t.server.answer("dir", "# Orvex direct horizon\n0 10\n270 -2\n180 0\n");
        t.server.answer("rev", "#reverse\n90 30\n100 31\n");
        t.build();
        Orvex_sky &v = *t.view;
        QCOMPARE(v.direct_count, 3);
        QCOMPARE(v.reverse_count, 2);
        QCOMPARE(err, (QStringList{"Loading 3 'direct' horizon points.",
                                   "Loading 2 'reverse' horizon points."}));
        QCOMPARE(v.horizon_direct[0].az, 180.0);
        QCOMPARE(v.horizon_direct[0].zd, 80.0);
        QCOMPARE(v.horizon_direct[2].az, 360.0);
        QCOMPARE(v.horizon_reverse[1].az, 280.0);
        QCOMPARE(v.horizon_reverse[1].zd, 59.0);
        // Projected at loading with the zenith distance held at 89.99.
        int x, y;
        sky_project(550, true, 90 * 3600.0, 89.99 * 3600, x, y);
        QCOMPARE(QPoint(v.horizon_direct[1].x, v.horizon_direct[1].y), QPoint(x, y));
        QCOMPARE(v.horizon_direct[1].zd, 92.0);
        QCOMPARE(t.server.asked(), (std::vector<std::string>{"dir", "rev"}));
    }

    void reply_without_header_fills_the_direct_set()
    {
        Sky_test_view t;
        t.server.answer("dir", "0 1\n");
        t.server.answer("rev", "0 2\n10 2\n");
        t.build();
        QCOMPARE(t.view->direct_count, 2);
        QCOMPARE(t.view->reverse_count, 0);
        QCOMPARE(err.last(), QStringLiteral("Loading 2 'direct' horizon points."));
    }

    void empty_and_oversized_replies()
    {
        QByteArray many = "# reverse\n";
        for (int i = 0; i < 400; ++i)
            many += "5 5\n";
        Sky_test_view t;
        t.server.answer("dir", "");
        t.server.answer("rev", many.toStdString());
        t.build();
        QCOMPARE(t.view->direct_count, 0);
        QCOMPARE(t.view->reverse_count, 360);
        QCOMPARE(err, (QStringList{"Loading 0 'direct' horizon points.",
                                   "Loading 360 'reverse' horizon points."}));
    }

    void slow_first_reply_blocks_the_second_request()
    {
        Sky_test_view t;
        t.server.answer("dir", "0 1\n", 200, 1500);
        qputenv("ORVEX_TCS_HOST", t.server.host());
        t.view.reset(new Orvex_sky(nullptr, &t.list, &t.telescope));
        // A host that says nothing must not hold the request slot for ever.
        QCOMPARE(t.view->horizon_reply->request().transferTimeout(), 30000);
        QTRY_VERIFY(err.contains("orvex_horizon.rev read error "));
        QTRY_COMPARE(t.view->direct_count, 1);
        QTest::qWait(100);
        QCOMPARE(t.server.asked(), std::vector<std::string>{"dir"});
        QVERIFY(t.view->horizon_reply == nullptr);
    }

    void http_error_shows_the_box_and_releases_the_reply()
    {
        Box_closer closer(50);
        Sky_test_view t;
        t.server.answer("dir", "not found", 404);
        t.server.answer("rev", "# reverse\n1 1\n");
        qputenv("ORVEX_TCS_HOST", t.server.host());
        t.view.reset(new Orvex_sky(nullptr, &t.list, &t.telescope));
        QPointer<QNetworkReply> failed = t.view->horizon_reply;
        QTRY_COMPARE(closer.titles.size(), 1);
        QCOMPARE(closer.titles[0], default_tcs_host() + " HTTP error");
        QVERIFY(!closer.texts[0].isEmpty());
        QTRY_VERIFY(failed.isNull()); // released, and deleted once
        // The box closed before the second request was due: it goes out.
        QTRY_COMPARE(t.view->reverse_count, 1);
        QCOMPARE(t.view->direct_count, 0);
        QCOMPARE(closer.titles.size(), 1);
        QVERIFY(err[0].startsWith(
            QStringLiteral("Orvex horizon read error %1 ")
                .arg(int(QNetworkReply::ContentNotFoundError))));
        QVERIFY(err[0].endsWith(closer.texts[0]));
        QVERIFY(!err.join('\n').contains("'direct'"));
    }

    void unreachable_host_keeps_the_sets_empty()
    {
        QTcpServer probe; // a port that is certainly closed afterwards
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const quint16 port = probe.serverPort();
        probe.close();
        Box_closer closer(20);
        Orvex_object_list list;
        Orvex_object telescope;
        qputenv("ORVEX_TCS_HOST", "127.0.0.1:" + QByteArray::number(port));
        Orvex_sky view(nullptr, &list, &telescope);
        QTRY_COMPARE(closer.titles.size(), 2);
        QTRY_VERIFY(view.horizon_reply == nullptr);
        QCOMPARE(view.direct_count + view.reverse_count, 0);
        QCOMPARE(err.filter("Orvex horizon read error").size(), 2);
    }

    void signals_of_other_replies_are_ignored()
    {
        Box_closer closer(20);
        Sky_test_view t;
        t.server.answer("dir", "0 5\n");
        t.build();
        t.server.answer("rev", "0 7\n", 200, 600);
        t.view->request_horizon(false);
        QNetworkReply *in_flight = t.view->horizon_reply;
        QVERIFY(in_flight);

        // A finished reply that is not the one in flight, wired as the view
        // wires its own.
        QNetworkAccessManager other;
        QNetworkReply *stray = other.get(QNetworkRequest(
            QUrl("http://" + t.server.host() + "/tcs/orvex_horizon.php?dir")));
        QTRY_VERIFY(stray->isFinished());
        connect(stray, SIGNAL(finished()), t.view.get(), SLOT(get_horizon_finish()));
        connect(stray, SIGNAL(errorOccurred(QNetworkReply::NetworkError)),
                t.view.get(), SLOT(get_horizon_error(QNetworkReply::NetworkError)));
        err.clear();
        emit stray->finished();
        emit stray->errorOccurred(QNetworkReply::RemoteHostClosedError);
        QTest::qWait(50);
        QCOMPARE(t.view->horizon_reply, in_flight);
        QVERIFY(err.isEmpty());
        QVERIFY(closer.titles.isEmpty());

        // The one in flight still lands where its header says.
        QTRY_VERIFY(t.view->horizon_reply == nullptr);
        QCOMPARE(t.view->direct_count, 1);
        QCOMPARE(t.view->horizon_direct[0].zd, 83.0);
        delete stray;
    }
};

QTEST_MAIN(Test_sky_horizon)
#include "test_sky_horizon.moc"
