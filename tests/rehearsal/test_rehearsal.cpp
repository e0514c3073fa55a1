// A night against a misbehaving TCS: the main window polls the simulator while every kind of
// fault comes and goes (ORVEX_REHEARSAL_SECONDS, default 120). It must recover after each, release
// every reply, keep its memory flat and show the right state once the faults stop.
#include "orvex_obj_list.h"
#include "orvex_obj_list_form.h"
#include "orvex_sidereal.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QNetworkReply>
#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>

class Test_rehearsal : public QObject
{
    Q_OBJECT

    QProcess sim;
    QString host;
    QNetworkAccessManager control;
    Orvex_Obj_List *win = nullptr;
    QTimer box_closer, watcher;
    int boxes_closed = 0, max_live_replies = 0, slews = 0;
    bool saw_view_timer = false;

    static long rss_kb()
    {
        QFile f(QStringLiteral("/proc/self/status"));
        const QByteArray s = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        return s.mid(s.indexOf("VmRSS:") + 6).trimmed().split(' ').value(0).toLong();
    }
    int live_replies() { return win->net_manager.findChildren<QNetworkReply *>().size(); }

    QByteArray sim_get(const QString &path_and_query)
    {
        QScopedPointer<QNetworkReply> reply(control.get(QNetworkRequest(QUrl("http://" + host + path_and_query))));
        QSignalSpy done(reply.data(), &QNetworkReply::finished);
        return done.wait(10000) ? reply->readAll() : QByteArray();
    }

    void slew_somewhere()
    {
        // One to two hours from the meridian, well up, east and west in turn: every slew is long
        // enough (the telescope starts on the meridian) for the program to extrapolate between polls.
        auto *rng = QRandomGenerator::global();
        const double east = (slews++ % 2 == 0) ? 1 : -1;
        const double ra = std::fmod(sidereal_time_at(QDateTime::currentDateTime()) + 86400
                                        + east * (1 + rng->bounded(1.0)) * 3600,
                                    86400);
        const QString dec = QUrl::toPercentEncoding(QStringLiteral("+%1:00:00").arg(20 + rng->bounded(50)));
        const QByteArray reply = sim_get("/tcs/otcs_send.cgi?User=observer&Pass=starlight&RA=" + sec_to_hms(ra) + "&Dec="
                                         + dec + "&Epoch=2000.0&Name=Rehearsal&Mess=rehearsal&Cmd=Slew");
        qInfo("slew: %s", reply.simplified().constData());
    }

private slots:
    void initTestCase()
    {
        sim.start(QCoreApplication::applicationDirPath() + "/orvex_tcs_sim", {"--port", "0"});
        QTRY_VERIFY_WITH_TIMEOUT(sim.canReadLine(), 10000);
        host = QStringLiteral("127.0.0.1:%1").arg(sim.readLine().trimmed().toInt());
        connect(&sim, &QProcess::readyReadStandardOutput, &sim, [this] { sim.readAllStandardOutput(); });
        qputenv("ORVEX_TCS_HOST", host.toLatin1());

        // Warning boxes of the error paths are answered like a patient observer;
        // they block nothing, so they are found among the windows shown.
        connect(&box_closer, &QTimer::timeout, this, [this] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (qobject_cast<QMessageBox *>(w) && w->isVisible())
                    boxes_closed += w->close();
        });
        box_closer.start(300);
        connect(&watcher, &QTimer::timeout, this, [this] {
            saw_view_timer = saw_view_timer || win->view_timer->isActive();
            max_live_replies = qMax(max_live_replies, live_replies());
        });

        win = new Orvex_Obj_List;
        win->show();
        win->tcs_timeout_ms = 3000;
        watcher.start(200);
        QTRY_VERIFY_WITH_TIMEOUT(win->ui->orvex_user_cb->count() >= 3, 10000);
        win->ui->orvex_user_cb->setCurrentIndex(win->ui->orvex_user_cb->findText("observer", Qt::MatchStartsWith));
        win->ui->orvex_passwd_edt->setText("starlight");
        QTest::mouseClick(win->ui->orvex_passwd_set_btn, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(win->ui->orvex_level_lab->text(), QStringLiteral("User=observer Level=3 "), 15000);
    }

    void cleanupTestCase() { delete win; } // the simulator goes with its QProcess

    void night_with_faults()
    {
        const int seconds = qEnvironmentVariable("ORVEX_REHEARSAL_SECONDS", "120").toInt();
        const QStringList faults = {"status&arg=500", "delay&arg=5000", "drop", "nolf", "garbage"};
        QElapsedTimer night;
        night.start();
        long rss_warm = 0;
        int cycles = 0;
        while (night.elapsed() < seconds * 1000LL || cycles < faults.size()) {
            slew_somewhere();
            QTRY_VERIFY_WITH_TIMEOUT(win->view_timer->isActive(), 20000); // extrapolating before the fault
            const QString fault = faults.at(cycles % faults.size());
            sim_get("/sim/fault?script=get&kind=" + fault);
            QTRY_VERIFY_WITH_TIMEOUT(!win->state_ok, 30000); // until a poll has met it
            sim_get("/sim/fault?script=get&kind=none");
            // Polling resumes by itself: within 60 s of a network error, 15 s of a bad state.
            QTRY_VERIFY_WITH_TIMEOUT(win->state_ok && win->ui->otcs_connect_lab->text() == "On", 90000);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY2(live_replies() <= 3, qPrintable(QString::number(live_replies())));
            if (++cycles == 1) rss_warm = rss_kb();
            qInfo("cycle %d: %s, rss %ld kB, boxes closed %d", cycles, qPrintable(fault), rss_kb(), boxes_closed);
        }

        // The faults are gone: the labels must tell the simulator's state.
        QVERIFY(sim_get("/tcs/otcs_get.cgi?User=observer&Pass=starlight").contains("State=Ok"));
        QTRY_COMPARE_WITH_TIMEOUT(win->ui->orvex_tcs_lab->text(), QStringLiteral("Simul"), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(win->ui->orvex_state_lab->text().contains(QRegularExpression("^(Slew|Track|Stop)")), 20000);
        QVERIFY(win->get_timer->isActive() || win->get_reply);
        QCOMPARE(win->ui->orvex_level_lab->text(), QStringLiteral("User=observer Level=3 "));
        QVERIFY2(max_live_replies <= 3 && saw_view_timer, qPrintable(QString::number(max_live_replies)));
        const long rss_end = rss_kb();
        qInfo("%d cycles in %lld s, rss %ld kB after the first, %ld kB at end", cycles, night.elapsed() / 1000,
              rss_warm, rss_end);
        QVERIFY2(rss_end - rss_warm < 20 * 1024, "memory grew by more than 20 MB");
    }
};

int main(int argc, char *argv[])
{
    qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(48 * 3600 * 1000)); // a night outlasts the watchdog
    QApplication app(argc, argv);
    Test_rehearsal test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_rehearsal.moc"
