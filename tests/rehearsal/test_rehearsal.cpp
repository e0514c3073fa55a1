// A night against a misbehaving TCS: the real main window polls the
// simulator while faults come and go. It must keep running, resume polling
// after every fault, release every reply, keep its memory flat and show the
// right state once the faults stop.
//
// ORVEX_REHEARSAL_SECONDS sets the length (default 120 s); every kind of
// fault comes at least once whatever the length.
#include "orvex_obj_list.h"
#include "orvex_obj_list_form.h"
#include "orvex_sidereal.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkReply>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>

namespace {

long rss_kb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

} // namespace

class Test_rehearsal : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void night_with_faults();

private:
    QByteArray sim_get(const QString &path_and_query);
    void set_fault(const QString &script, const QString &kind);
    void slew_somewhere();
    void watch();
    int live_replies();

    QProcess sim;
    QString host;
    QNetworkAccessManager control;
    Orvex_Obj_List *win = nullptr;
    QTimer box_closer;
    QTimer watcher;
    int boxes_closed = 0;
    int max_live_replies = 0;
    bool saw_view_timer = false;
};

void Test_rehearsal::initTestCase()
{
    const QString program = QCoreApplication::applicationDirPath() + "/orvex_tcs_sim";
    QVERIFY2(QFile::exists(program), qPrintable(program));
    sim.setProgram(program);
    sim.setArguments({"--port", "0"});
    sim.start();
    QVERIFY(sim.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(sim.canReadLine(), 10000);
    const int port = sim.readLine().trimmed().toInt();
    QVERIFY(port > 0);
    // The simulator logs every request; nobody needs it here.
    sim.setReadChannel(QProcess::StandardOutput);
    connect(&sim, &QProcess::readyReadStandardOutput, &sim, [this] { sim.readAllStandardOutput(); });
    host = QStringLiteral("127.0.0.1:%1").arg(port);
    qputenv("ORVEX_TCS_HOST", host.toLatin1());

    // Warning boxes of the error paths are answered like a patient observer.
    connect(&box_closer, &QTimer::timeout, this, [this] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            w->close();
            ++boxes_closed;
        }
    });
    box_closer.start(300);
    connect(&watcher, &QTimer::timeout, this, &Test_rehearsal::watch);
    watcher.start(200);

    win = new Orvex_Obj_List;
    win->show();
    win->tcs_timeout_ms = 3000;
    QTRY_VERIFY_WITH_TIMEOUT(win->ui->orvex_user_cb->count() >= 3, 10000);
    const int observer = win->ui->orvex_user_cb->findText("observer", Qt::MatchStartsWith);
    QVERIFY(observer >= 0);
    win->ui->orvex_user_cb->setCurrentIndex(observer);
    win->ui->orvex_passwd_edt->setText("starlight");
    QTest::mouseClick(win->ui->orvex_passwd_set_btn, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(win->ui->orvex_level_lab->text(), QStringLiteral("User=observer Level=3 "), 15000);
}

void Test_rehearsal::cleanupTestCase()
{
    delete win;
    sim.kill();
    sim.waitForFinished();
}

QByteArray Test_rehearsal::sim_get(const QString &path_and_query)
{
    QNetworkReply *reply = control.get(QNetworkRequest(QUrl("http://" + host + path_and_query)));
    QSignalSpy done(reply, &QNetworkReply::finished);
    if (!done.wait(10000))
        return QByteArray();
    const QByteArray body = reply->readAll();
    reply->deleteLater();
    return body;
}

void Test_rehearsal::set_fault(const QString &script, const QString &kind)
{
    QStringList parts = kind.split(':');
    QString query = "script=" + script + "&kind=" + parts.takeFirst();
    if (!parts.isEmpty())
        query += "&arg=" + parts.join(':');
    sim_get("/sim/fault?" + query);
}

void Test_rehearsal::slew_somewhere()
{
    // Something two hours around the meridian and well above the horizon, so
    // the telescope slews (fast motion, extrapolated between polls).
    auto *rng = QRandomGenerator::global();
    const double lst = sidereal_time_at(QDateTime::currentDateTime());
    double ra = lst + (rng->bounded(4.0) - 2.0) * 3600;
    ra = std::fmod(ra + 86400, 86400);
    const int dec = 20 + rng->bounded(50);
    const QList<QPair<QString, QString>> pairs = {
        {"User", "observer"}, {"Pass", "starlight"}, {"RA", sec_to_hms(ra)},
        {"Dec", QStringLiteral("+%1:00:00").arg(dec)}, {"Epoch", "2000.0"},
        {"Name", "Rehearsal"}, {"Mess", "rehearsal"}, {"Cmd", "Slew"}};
    QStringList query;
    for (const auto &p : pairs) // "+" must not arrive as a blank
        query << p.first + "=" + QString::fromLatin1(QUrl::toPercentEncoding(p.second));
    const QByteArray reply = sim_get("/tcs/otcs_send.cgi?" + query.join("&"));
    qInfo("slew: %s", reply.simplified().constData());
}

int Test_rehearsal::live_replies()
{
    return win->net_manager.findChildren<QNetworkReply *>().size();
}

void Test_rehearsal::watch()
{
    if (!win)
        return;
    saw_view_timer = saw_view_timer || win->view_timer->isActive();
    max_live_replies = qMax(max_live_replies, live_replies());
}

void Test_rehearsal::night_with_faults()
{
    const int seconds = qEnvironmentVariableIsSet("ORVEX_REHEARSAL_SECONDS")
                            ? qEnvironmentVariableIntValue("ORVEX_REHEARSAL_SECONDS")
                            : 120;
    const QStringList faults = {"status:500", "delay:5000", "drop", "nolf", "garbage"};
    QElapsedTimer night;
    night.start();
    long rss_warm = 0;
    int cycles = 0;
    while (night.elapsed() < seconds * 1000LL || cycles < faults.size()) {
        slew_somewhere();
        // Let the program see the slew and extrapolate it between polls
        // before the host starts to misbehave.
        QTRY_VERIFY_WITH_TIMEOUT(win->view_timer->isActive(), 20000);
        const QString fault = faults.at(cycles % faults.size());
        set_fault("get", fault);
        // Hold the fault until a poll has met it.
        QTRY_VERIFY_WITH_TIMEOUT(!win->state_ok, 30000);
        set_fault("get", "none");
        // Polling resumes by itself: at most a minute after a network error,
        // 15 s after a bad state.
        QTRY_VERIFY_WITH_TIMEOUT(win->state_ok && win->ui->otcs_connect_lab->text() == "On", 90000);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(live_replies() <= 3, qPrintable(QString::number(live_replies())));
        ++cycles;
        if (cycles == 1)
            rss_warm = rss_kb();
        qInfo("cycle %d: fault %s, rss %ld kB, boxes closed %d", cycles, qPrintable(fault), rss_kb(),
              boxes_closed);
    }

    // The faults are gone: the labels must tell the simulator's state.
    const QByteArray state = sim_get("/tcs/otcs_get.cgi?User=observer&Pass=starlight");
    QVERIFY(state.contains("State=Ok"));
    QTRY_COMPARE_WITH_TIMEOUT(win->ui->orvex_tcs_lab->text(), QStringLiteral("Simul"), 20000);
    const QRegularExpression mode("^(Slew|Track|Stop)");
    QTRY_VERIFY_WITH_TIMEOUT(mode.match(win->ui->orvex_state_lab->text()).hasMatch(), 20000);
    QCOMPARE(win->ui->orvex_level_lab->text(), QStringLiteral("User=observer Level=3 "));
    QVERIFY(win->get_timer->isActive() || win->get_reply);
    QVERIFY2(max_live_replies <= 3, qPrintable(QString::number(max_live_replies)));
    QVERIFY(saw_view_timer);

    const long rss_end = rss_kb();
    qInfo("rehearsal: %d cycles in %lld s, rss after first cycle %ld kB, at end %ld kB",
          cycles, night.elapsed() / 1000, rss_warm, rss_end);
    QVERIFY2(rss_end - rss_warm < 20 * 1024, "memory grew by more than 20 MB");
}

int main(int argc, char *argv[])
{
    // A night is longer than the test library's five-minute watchdog.
    qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(48 * 3600 * 1000));
    QApplication app(argc, argv);
    Test_rehearsal test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_rehearsal.moc"
