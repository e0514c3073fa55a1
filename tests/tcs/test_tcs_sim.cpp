// End to end: the main window against the TCS web host simulator.
#include "tcs_window_support.h"

#include <QProcess>
#include <QtTest>

class Test_tcs_sim : public QObject
{
    Q_OBJECT

    QProcess sim;
    QString host;
    Orvex_Obj_List *w = nullptr;

    void slew_to(const QString &name, const QString &ra, const QString &decl)
    {
        w->set_form(name, ra, decl, QStringLiteral("2000.0"));
        w->ui->orvex_slew_btn->click();
    }

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        sim.start(QStringLiteral(ORVEX_SIM_PATH), {"--port", "0"});
        QVERIFY2(sim.waitForStarted(5000), ORVEX_SIM_PATH);
        QTRY_VERIFY(sim.canReadLine()); // the simulator prints its port first
        host = QStringLiteral("127.0.0.1:") + QString::number(sim.readLine().trimmed().toInt());
    }
    void cleanupTestCase()
    {
        delete w;
        sim.kill();
        sim.waitForFinished(5000);
    }

    void observe_a_night()
    {
        w = make_window(host);
        Box_closer boxes;
        QTRY_COMPARE(w->ui->orvex_user_cb->count(), 3);
        w->ui->orvex_user_cb->setCurrentIndex(w->ui->orvex_user_cb->findText("observer", Qt::MatchStartsWith));
        w->ui->orvex_passwd_edt->setText(QStringLiteral("starlight"));
        w->ui->orvex_passwd_set_btn->click();
        QTRY_COMPARE(w->ui->orvex_level_lab->text(), QStringLiteral("User=observer Level=3 "));
        QCOMPARE(w->ui->otcs_connect_lab->text() + ' ' + w->ui->orvex_tcs_lab->text() + ' '
                     + w->ui->orvex_state_lab->text(), QStringLiteral("On Simul Stop"));

        // Never above this site's horizon: the program asks before the
        // simulator can refuse; "No" sends nothing, "Yes" is refused there.
        slew_to("Deep south", "00:00:00", "-80:00:00");
        QVERIFY(boxes.texts.size() == 1 && !w->send_reply);
        QVERIFY2(boxes.texts[0].startsWith("Deep south is below the horizon: altitude -"), qPrintable(boxes.texts[0]));
        boxes.while_open = Box_closer::click_yes;
        w->ui->orvex_slew_btn->click();
        boxes.while_open = nullptr;
        QTRY_VERIFY(w->statusBar()->currentMessage().startsWith(QStringLiteral("Object below the horizon")));

        // An object one hour west of where the telescope points; offsets go
        // out while slewing and come back, then the telescope is stopped.
        const QString ra = QStringLiteral("%1:00:00").arg((int(w->tel_object->ra / 3600.0) + 23) % 24, 2, 10, QChar('0'));
        slew_to("Test star", ra, "+30:00:00");
        QTRY_VERIFY_WITH_TIMEOUT(w->tel_mode_shown.startsWith(QStringLiteral("Slew")), 10000);
        w->ui->orvex_offha_edt->setText(QStringLiteral("10"));
        w->ui->orvex_offdec_edt->setText(QStringLiteral("-5"));
        w->ui->orvex_set_offset_btn->click();
        QTRY_VERIFY(!w->send_reply);
        w->ui->orvex_stop_btn->click();
        QTRY_VERIFY_WITH_TIMEOUT(w->tel_mode_shown == QLatin1String("Stop"), 10000);
        w->ui->orvex_get_offset_btn->click();
        QTRY_COMPARE(w->ui->orvex_offha_edt->text() + ' ' + w->ui->orvex_offdec_edt->text(), QStringLiteral("10.00 -5.0"));

        // A TCS that stops answering: the state request is given up.
        w->tcs_timeout_ms = 500;
        QTRY_VERIFY(!w->get_reply);
        w->get_timer->stop();
        QNetworkAccessManager nam;
        QNetworkReply *fault = nam.get(QNetworkRequest(QUrl("http://" + host + "/sim/fault?script=get&kind=delay&arg=40000")));
        QTRY_VERIFY(fault->isFinished() && fault->error() == QNetworkReply::NoError);
        w->ui->orvex_get_btn->click();
        QTRY_COMPARE(boxes.texts.size(), 3); // none since the refused slew
        QVERIFY(boxes.texts[2].contains("no answer within 0.5 s") && !boxes.texts[2].contains("starlight"));
        QVERIFY(!w->get_reply && w->ui->orvex_state_lab->text() == QStringLiteral("Unknown"));
    }
};

QTEST_MAIN(Test_tcs_sim)
#include "test_tcs_sim.moc"
