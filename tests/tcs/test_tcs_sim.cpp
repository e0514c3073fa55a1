// End to end: the main window against the TCS web host simulator.
#include "orvex_log.h"
#include "orvex_obj_list_form.h"
#include "tcs_window_support.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

class Test_tcs_sim : public QObject
{
    Q_OBJECT

private:
    QProcess sim;
    QString host;
    Orvex_Obj_List *w = nullptr;

    // Runtime fault control of the simulator.
    bool sim_control(const QString &query)
    {
        QNetworkAccessManager nam;
        QNetworkReply *r = nam.get(QNetworkRequest(QUrl("http://" + host + "/sim/fault?" + query)));
        QSignalSpy done(r, &QNetworkReply::finished);
        const bool ok = done.wait(5000) && r->error() == QNetworkReply::NoError;
        delete r;
        return ok;
    }
    void call(const char *slot) { QVERIFY(QMetaObject::invokeMethod(w, slot)); }

private slots:
    void initTestCase();
    void cleanupTestCase();
    void observe_a_night();
};

void Test_tcs_sim::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
    sim.start(QStringLiteral(ORVEX_SIM_PATH), {"--port", "0"});
    QVERIFY2(sim.waitForStarted(5000), ORVEX_SIM_PATH);
    QTRY_VERIFY(sim.canReadLine());
    const int port = sim.readLine().trimmed().toInt();
    QVERIFY(port > 0);
    host = QStringLiteral("127.0.0.1:%1").arg(port);
}

void Test_tcs_sim::cleanupTestCase()
{
    drop_window(w);
    sim.kill();
    sim.waitForFinished(5000);
}

void Test_tcs_sim::observe_a_night()
{
    w = make_window(host);
    Box_closer boxes;

    // The users list selects the guest entry; the observer picks himself.
    QComboBox *cb = w->ui->orvex_user_cb;
    QTRY_COMPARE(cb->count(), 3);
    QCOMPARE(w->user_choice, QStringLiteral("guest"));
    cb->setCurrentIndex(cb->findText(QStringLiteral("observer"), Qt::MatchStartsWith));
    QCOMPARE(w->user_choice, QStringLiteral("observer"));

    // A wrong password: the TCS's own words on the status bar.
    w->ui->orvex_passwd_edt->setText(QStringLiteral("wrong"));
    w->ui->orvex_passwd_set_btn->click();
    QTRY_VERIFY(w->statusBar()->currentMessage().startsWith(QStringLiteral("Permiss")));
    QCOMPARE(w->ui->orvex_level_lab->text(), QStringLiteral("User=? Level = ? "));

    w->ui->orvex_passwd_edt->setText(QStringLiteral("starlight"));
    w->ui->orvex_passwd_set_btn->click();
    QTRY_COMPARE(w->ui->orvex_level_lab->text(), QStringLiteral("User=observer Level=3 "));
    QCOMPARE(w->ui->otcs_connect_lab->text(), QStringLiteral("On"));
    QCOMPARE(w->ui->orvex_tcs_lab->text(), QStringLiteral("Simul"));
    QCOMPARE(back_color(w->ui->orvex_tcs_lab), color_of("Pink"));
    QCOMPARE(w->ui->orvex_state_lab->text(), QStringLiteral("Stop"));
    QCOMPARE(back_color(w->ui->orvex_state_lab), color_of("Yellow"));
    QVERIFY(w->ui->orvex_slew_btn->isEnabled());

    // An object one hour west of where the telescope points: send, slew.
    const double ra_h = w->tel_object->ra / 3600.0 - 1.0;
    const QString ra = QStringLiteral("%1:00:00").arg(int(ra_h < 0 ? ra_h + 24 : ra_h), 2, 10, QLatin1Char('0'));
    w->ui->orvex_obj_edt->setText(QStringLiteral("Test star"));
    w->ui->orvex_ra_edt->setText(ra);
    w->ui->orvex_decl_edt->setText(QStringLiteral("+30:00:00"));
    w->ui->orvex_epoch_edt->setText(QStringLiteral("2000.0"));
    w->ui->orvex_send_btn->click();
    QTRY_VERIFY(!w->send_reply);
    w->ui->orvex_slew_btn->click();
    QTRY_VERIFY_WITH_TIMEOUT(w->tel_mode_shown.startsWith(QStringLiteral("Slew")), 10000);
    QCOMPARE(back_color(w->ui->orvex_state_lab), color_of("Blue"));
    QVERIFY(w->ui->orvex_set_offset_btn->isEnabled());

    // The offsets go out while slewing; then the telescope is stopped.
    w->ui->orvex_offha_edt->setText(QStringLiteral("10"));
    w->ui->orvex_offdec_edt->setText(QStringLiteral("-5"));
    w->ui->orvex_set_offset_btn->click();
    QTRY_VERIFY(!w->send_reply);
    w->ui->orvex_stop_btn->click();
    QTRY_VERIFY_WITH_TIMEOUT(w->tel_mode_shown == QLatin1String("Stop"), 10000);
    w->ui->orvex_get_offset_btn->click();
    QTRY_COMPARE(w->ui->orvex_offha_edt->text(), QStringLiteral("10.00"));
    QCOMPARE(w->ui->orvex_offdec_edt->text(), QStringLiteral("-5.0"));
    w->ui->orvex_get_btn->click();
    QTRY_COMPARE(w->ui->orvex_obj_edt->text(), QStringLiteral("Test star"));
    QCOMPARE(boxes.texts.size(), 0);

    // A TCS that stops answering: the state request is given up and polling
    // comes back a minute later.
    w->tcs_timeout_ms = 500;
    w->get_timer->stop();
    QTRY_VERIFY(!w->get_reply);
    w->get_timer->stop(); // in case that last reply restarted it
    QVERIFY(sim_control(QStringLiteral("script=get&kind=delay&arg=40000")));
    w->ui->orvex_get_btn->click();
    QTRY_COMPARE(boxes.texts.size(), 1);
    QVERIFY(boxes.texts.first().contains(QStringLiteral("no answer within 0.5 s")));
    QVERIFY(!boxes.texts.first().contains(QStringLiteral("starlight")));
    QCOMPARE(w->ui->orvex_state_lab->text(), QStringLiteral("Unknown"));
    QVERIFY(!w->get_reply);

    QVERIFY(sim_control(QStringLiteral("clear")));
    w->tcs_timeout_ms = 30000;
    w->get_timer->start(0);
    QTRY_VERIFY_WITH_TIMEOUT(w->state_ok, 10000);
    QCOMPARE(w->ui->orvex_state_lab->text(), QStringLiteral("Stop"));
}

QTEST_MAIN(Test_tcs_sim)
#include "test_tcs_sim.moc"
