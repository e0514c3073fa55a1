// The main window's TCS client against an HTTP server on 127.0.0.1.
#include "orvex_log.h"
#include "orvex_obj_list_form.h"
#include "tcs_fake_server.h"
#include "tcs_window_support.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QUrlQuery>
#include <QtTest>

namespace {
const QByteArray users_path = "/tcs/orvex_users_all.cgi";
const QByteArray state_path = "/tcs/otcs_get.cgi";
const QByteArray send_path = "/tcs/otcs_send.cgi";

QByteArray good(const QByteArray &lines) { return lines + "State=Ok\n"; }
} // namespace

class Test_tcs_window : public QObject
{
    Q_OBJECT

private:
    Tcs_fake_server server;
    Orvex_Obj_List *w = nullptr;
    QStringList out, err;

    // The sky window logs its horizon on standard error too.
    QStringList read_errors() const { return err.filter(QRegularExpression("^Orvex read error ")); }
    void call(const char *slot) { QVERIFY(QMetaObject::invokeMethod(w, slot)); }
    QString status() const { return w->statusBar()->currentMessage(); }
    QList<QPushButton *> command_buttons() const
    {
        return {w->ui->orvex_send_btn, w->ui->orvex_slew_btn, w->ui->orvex_stop_btn,
                w->ui->orvex_set_offset_btn};
    }
    void start_window()
    {
        w = make_window(server.host());
        QTRY_VERIFY(!w->users_reply);
    }
    // One state request from the "Get" button, answered with body.
    void get_state(const QByteArray &body)
    {
        server.set(state_path, body);
        const int before = server.targets(state_path).size();
        w->ui->orvex_get_btn->click();
        QTRY_VERIFY(!w->get_reply);
        QCOMPARE(server.targets(state_path).size(), before + 1);
    }

private slots:
    // Windows come and go in every test; the application must outlive them.
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init();
    void cleanup();
    void users_and_password();
    void state_request_forms();
    void good_state_and_levels();
    void bad_state_display();
    void get_object_and_offsets();
    void poll_intervals();
    void view_timer_extrapolates();
    void command_queries();
    void form_errors_data();
    void form_errors();
    void command_reply_messages();
    void state_network_error();
    void command_network_error();
    void timeout_and_late_signals();
    void users_error_ends_program();
};

void Test_tcs_window::init()
{
    out.clear();
    err.clear();
    set_log_capture(&out, &err);
    server.answers.clear();
    server.all_targets.clear();
    server.set(users_path, "observer1 night shift\nguest Guest account\nobserver2\n");
}

void Test_tcs_window::cleanup()
{
    drop_window(w);
    w = nullptr;
    set_log_capture(nullptr, nullptr);
}

void Test_tcs_window::users_and_password()
{
    start_window();
    QCOMPARE(server.targets(users_path), (QList<QByteArray>{users_path}));
    QComboBox *cb = w->ui->orvex_user_cb;
    QCOMPARE(cb->count(), 3);
    QCOMPARE(cb->currentIndex(), 1);
    QCOMPARE(w->user_choice, QStringLiteral("guest"));
    cb->setCurrentIndex(0);
    QCOMPARE(w->user_choice, QStringLiteral("observer1"));
    QCOMPARE(w->user, QStringLiteral("guest")); // not applied before "Set"

    w->ui->orvex_passwd_edt->setText(QStringLiteral("y"));
    w->ui->orvex_passwd_set_btn->click();
    QCOMPARE(w->passwd, QStringLiteral("y"));
    QVERIFY(!w->get_reply);
    QVERIFY(!w->get_timer->isActive());

    server.hang(state_path);
    w->level = 4;
    w->ui->orvex_passwd_edt->setText(QStringLiteral("  star  light "));
    w->ui->orvex_passwd_set_btn->click();
    QCOMPARE(w->level, 0);
    QCOMPARE(w->get_timer->interval(), 5000);
    QVERIFY(w->get_timer->isActive());
    QTRY_COMPARE(server.targets(state_path),
                 (QList<QByteArray>{"/tcs/otcs_get.cgi?User=observer1&Pass=star%20light"}));

    QLineEdit *edit = w->ui->orvex_passwd_edt;
    emit w->ui->orvex_show_pass_btn->pressed();
    QCOMPARE(edit->echoMode(), QLineEdit::Normal);
    emit w->ui->orvex_show_pass_btn->released();
    QCOMPARE(edit->echoMode(), QLineEdit::Password);
}

void Test_tcs_window::state_request_forms()
{
    start_window();
    get_state("");
    QCOMPARE(server.targets(state_path).last(), QByteArray("/tcs/otcs_get.cgi?User=guest&Pass=kzmrp"));
    w->passwd = QStringLiteral("x");
    get_state("");
    QCOMPARE(server.targets(state_path).last(), state_path);

    // While a state reply is outstanding nothing more is sent, but a timer
    // shot leaves from_timer set so that reply restarts polling.
    server.hang(state_path);
    w->ui->orvex_get_offset_btn->click();
    QNetworkReply *outstanding = w->get_reply;
    QVERIFY(outstanding);
    w->ui->orvex_get_btn->click();
    call("orvex_get_timer");
    QCOMPARE(w->get_reply, outstanding);
    QVERIFY(w->from_timer);
    QTRY_COMPARE(server.targets(state_path).size(), 3);
}

void Test_tcs_window::good_state_and_levels()
{
    start_window();
    get_state(good("TCS ready\nUser=observer\nLevel=3\nStime=25.5\nRA=2\nZ=2\n"
                   "TCSmode=Simul\nTelMode=Tracking\n"));
    QCOMPARE(w->ui->orvex_level_lab->text(), QStringLiteral("User=observer Level=3 "));
    QVERIFY(out.contains(QStringLiteral("User=observer Level=3")));
    QVERIFY(out.contains(QStringLiteral("Orvex read Ok! ")));
    for (QPushButton *b : command_buttons()) {
        QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
        QCOMPARE(b->styleSheet(), QStringLiteral("color: black;"));
    }
    QCOMPARE(w->ui->otcs_connect_lab->text(), QStringLiteral("On"));
    QCOMPARE(back_color(w->ui->otcs_connect_lab), color_of("LightGreen"));
    QCOMPARE(w->ui->orvex_tcs_lab->text(), QStringLiteral("Simul"));
    QCOMPARE(text_color(w->ui->orvex_tcs_lab), color_of("White"));
    QCOMPARE(back_color(w->ui->orvex_tcs_lab), color_of("Pink"));
    QCOMPARE(back_color(w->ui->orvex_state_lab), color_of("LightGreen"));
    QCOMPARE(sidereal_time, 5400.0);
    QCOMPARE(w->tel_object->ra, 7200.0);
    QCOMPARE(w->last_z, 7200.0);

    // Level 7: clamped on screen, logged as read, and logged again each time.
    get_state(good("User=observer\nLevel=7\n"));
    get_state(good("User=observer\nLevel=7\n"));
    QCOMPARE(out.count(QStringLiteral("User=observer Level=7")), 2);
    QCOMPARE(w->ui->orvex_level_lab->text(), QStringLiteral("User=observer Level=5 "));

    // On the TCS web host, level 3 may not move the telescope unless the
    // program was started as a local client.
    w->on_tcs_host = w->not_local = true;
    get_state(good("Level=3\n"));
    QVERIFY(w->ui->orvex_send_btn->isEnabled());
    QVERIFY(!w->ui->orvex_slew_btn->isEnabled() && !w->ui->orvex_stop_btn->isEnabled());
    QVERIFY(!w->ui->orvex_set_offset_btn->isEnabled());
    w->not_local = false;
    w->level = 0; // as after "Set"
    get_state(good("Level=3\n"));
    QVERIFY(w->ui->orvex_slew_btn->isEnabled() && w->ui->orvex_stop_btn->isEnabled());
    w->level = 0;
    get_state(good("Level=0\n")); // equals the reset level: no change
    QVERIFY(w->ui->orvex_slew_btn->isEnabled());

    // Without a User line the state is good but the connect label is off.
    get_state("State=Ok\n");
    QVERIFY(w->state_ok);
    QCOMPARE(w->ui->otcs_connect_lab->text(), QStringLiteral("Off"));
}

void Test_tcs_window::bad_state_display()
{
    start_window();
    // At start the TCS label shows "Unknown" while "Off" counts as shown.
    get_state(good("TCSmode=Off\nLevel=4\n"));
    QCOMPARE(w->ui->orvex_tcs_lab->text(), QStringLiteral("Unknown"));
    w->get_timer->start(5000);

    get_state("Permiss=no\nState=Err\n");
    QCOMPARE(status(), QStringLiteral("Permiss no"));
    const int at = out.lastIndexOf(QRegularExpression("^stime=\\d\\d:\\d\\d:\\d\\d\\.\\d\\d$"));
    QVERIFY(at >= 0);
    QCOMPARE(out.value(at + 1), QStringLiteral("Permiss no"));
    QCOMPARE(w->ui->orvex_state_lab->text(), QStringLiteral("Unknown"));
    QCOMPARE(back_color(w->ui->orvex_state_lab), color_of("Lightgray"));
    QCOMPARE(w->ui->orvex_level_lab->text(), QStringLiteral("User=? Level = ? "));
    QCOMPARE(w->level, 0);
    for (QPushButton *b : command_buttons())
        QVERIFY(!b->isEnabled() && b->styleSheet() == QLatin1String("color: gray;"));
    QCOMPARE(w->get_timer->interval(), 15000);

    // A second bad reply logs nothing more; an empty body reads "State=Err".
    const int lines = out.size();
    get_state("");
    QCOMPARE(status(), QStringLiteral("State=Err"));
    QCOMPARE(out.size(), lines);
    get_state(good("TCSmode=Off\n"));
    QCOMPARE(w->ui->orvex_tcs_lab->text(), QStringLiteral("Off"));
}

void Test_tcs_window::get_object_and_offsets()
{
    start_window();
    w->ui->orvex_obj_edt->setText(QStringLiteral("old"));
    server.set(state_path, "State=Err\n");
    w->ui->orvex_get_btn->click();
    QTRY_VERIFY(!w->get_reply);
    QVERIFY(w->want_object); // kept for the next good reply
    QCOMPARE(w->ui->orvex_obj_edt->text(), QStringLiteral("old"));

    get_state(good("ObjName=M 51\nra2000=13:29:52.7\ndec2000=+47:11:43\noffHA=1.234\noffDec=-2.36\n"));
    QCOMPARE(w->ui->orvex_obj_edt->text(), QStringLiteral("M 51"));
    QCOMPARE(w->ui->orvex_ra_edt->text(), QStringLiteral("13:29:52.7"));
    QCOMPARE(w->ui->orvex_decl_edt->text(), QStringLiteral("+47:11:43"));
    QCOMPARE(w->ui->orvex_epoch_edt->text(), QStringLiteral("2000.0"));
    QCOMPARE(w->ui->orvex_offha_edt->text(), QStringLiteral("0.0")); // not asked for

    w->ui->orvex_get_offset_btn->click();
    QTRY_VERIFY(!w->get_reply);
    QCOMPARE(w->ui->orvex_offha_edt->text(), QStringLiteral("1.23"));
    QCOMPARE(w->ui->orvex_offdec_edt->text(), QStringLiteral("-2.4"));

    get_state(good("ObjName=\nra2000=01:00:00\n")); // an empty name clears the field
    QCOMPARE(w->ui->orvex_obj_edt->text(), QString());

    w->ui->orvex_clear_btn->click();
    QCOMPARE(w->ui->orvex_ra_edt->text(), QString());
    QCOMPARE(w->ui->orvex_offdec_edt->text(), QStringLiteral("0.0"));
}

void Test_tcs_window::poll_intervals()
{
    start_window();
    server.set(state_path, good("TelMode=Tracking\n"));
    w->ui->orvex_passwd_edt->setText(QStringLiteral("starlight"));
    w->ui->orvex_passwd_set_btn->click(); // a button's reply leaves the timer alone
    QTRY_VERIFY(!w->get_reply);
    QCOMPARE(w->get_timer->interval(), 5000);

    QList<int> seen;
    for (const char *mode : {"Tracking", "Tracking", "Stop"}) {
        server.set(state_path, good(QByteArray("TelMode=") + mode + '\n'));
        call("orvex_get_timer");
        QTRY_VERIFY(!w->get_reply);
        seen.append(w->get_timer->interval());
    }
    QCOMPARE(seen, (QList<int>{3000, 3200, 1000}));

    // A command while polling runs brings the next poll to 1 s, even when
    // nothing is sent.
    w->get_timer->start(9000);
    w->passwd.clear();
    call("on_orvex_stop_btn_clicked");
    QCOMPARE(w->get_timer->interval(), 1000);
    QVERIFY(w->get_timer->isActive());
    QVERIFY(!w->send_reply);
}

void Test_tcs_window::view_timer_extrapolates()
{
    start_window();
    get_state(good("Dec=20\nA=10\nZ=40\nVHA=3\nVDec=40\nPA=30\nTelMode=Slewing\n"));
    QVERIFY(w->view_timer->isActive());
    Orvex_object probe;
    probe.decl = w->tel_object->decl;
    probe.zenith = w->tel_object->zenith;
    double ra = 0, rz = 0;
    probe.rates_to_horizontal(3, 40, 30, ra, rz);

    QTRY_VERIFY(w->since_state.elapsed() >= 50);
    call("orvex_view_timer");
    const double t_max = w->since_state.elapsed() / 1000.0;
    const double t = (w->tel_object->azimuth - w->last_a) / (0.9 * ra);
    QVERIFY2(t >= 0.05 - 1e-9 && t <= t_max + 1e-9, qPrintable(QString::number(t)));
    QVERIFY(qAbs(w->tel_object->zenith - w->last_z - rz * 0.9 * t) < 1e-6 * qAbs(rz));
    QVERIFY(w->view_timer->isActive());

    // Stopped: the measured position comes back and the timer ends itself.
    get_state(good("A=10\nVHA=0\nVDec=0\nTelMode=Stop\n"));
    QCOMPARE(w->tel_object->azimuth, 36000.0);
    w->view_timer->stop();
    call("orvex_view_timer");
    QVERIFY(!w->view_timer->isActive());
}

void Test_tcs_window::command_queries()
{
    start_window();
    w->ui->orvex_obj_edt->setText(QStringLiteral("M 51"));
    w->ui->orvex_ra_edt->setText(QStringLiteral("12:30:00"));
    w->ui->orvex_decl_edt->setText(QStringLiteral("+45:00:00"));
    w->ui->orvex_epoch_edt->setText(QStringLiteral("2000.0"));
    server.set(send_path, "Done\n");
    call("on_orvex_send_btn_clicked");
    QTRY_VERIFY(!w->send_reply);
    QCOMPARE(server.targets(send_path).last(),
             QByteArray("/tcs/otcs_send.cgi?User=guest&Pass=kzmrp&RA=12:30:00&Dec=%2B45:00:00"
                        "&Epoch=2000.0&Name=M%2051&Mess=from%20Orvex_Obj_List&Cmd=Send"));

    w->ui->orvex_offha_edt->setText(QStringLiteral("0.004"));
    w->ui->orvex_offdec_edt->setText(QStringLiteral("0.06"));
    call("on_orvex_set_offset_btn_clicked");
    QTRY_VERIFY(!w->send_reply);
    QCOMPARE(server.targets(send_path).last(),
             QByteArray("/tcs/otcs_send.cgi?User=guest&Pass=kzmrp&offHA=0.004&offDec=0.06&Cmd=Corr"));

    // One command at a time: the others send nothing and show nothing.
    server.hang(send_path);
    call("on_orvex_stop_btn_clicked");
    QNetworkReply *outstanding = w->send_reply;
    QTRY_COMPARE(server.targets(send_path).last(),
                 QByteArray("/tcs/otcs_send.cgi?User=guest&Pass=kzmrp&Cmd=Stop"));
    w->statusBar()->clearMessage();
    call("on_orvex_slew_btn_clicked");
    call("on_orvex_send_btn_clicked");
    QCOMPARE(w->send_reply, outstanding);
    QCOMPARE(status(), QString());
}

void Test_tcs_window::form_errors_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("passwd");
    QTest::addColumn<QString>("ra");
    QTest::addColumn<QString>("decl");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("logged");
    QTest::newRow("no password") << "on_orvex_slew_btn_clicked" << "" << "x" << "x"
                                 << "Empty Orvex password!" << "Empty Orvex password!";
    QTest::newRow("stop") << "on_orvex_stop_btn_clicked" << "" << "" << ""
                          << "Empty Orvex password!" << "Empty Orvex password!";
    QTest::newRow("R.A.") << "on_orvex_send_btn_clicked" << "pw" << " 12:30 " << "x"
                          << "Wrong or Empty R.A.!" << "Wrong or Empty R.A. <12:30>";
    QTest::newRow("Decl.") << "on_orvex_send_btn_clicked" << "pw" << "12:30:00" << "+1 2 3"
                           << "Wrong or Empty Decl." << "Wrong or Empty Decl. <+1 2 3>";
    QTest::newRow("offsets") << "on_orvex_set_offset_btn_clicked" << "pw" << "" << ""
                             << "Wrong or Empty Offsets" << "Wrong or Empty Offsets";
}

void Test_tcs_window::form_errors()
{
    QFETCH(QString, slot);
    QFETCH(QString, passwd);
    QFETCH(QString, ra);
    QFETCH(QString, decl);
    start_window();
    w->passwd = passwd;
    w->ui->orvex_ra_edt->setText(ra);
    w->ui->orvex_decl_edt->setText(decl);
    w->ui->orvex_offha_edt->clear();
    call(slot.toLatin1().constData());
    QVERIFY(!w->send_reply);
    QTEST(status(), "shown");
    QTEST(err.value(err.size() - 1), "logged");
}

void Test_tcs_window::command_reply_messages()
{
    start_window();
    w->ui->orvex_ra_edt->setText(QStringLiteral("1:2:3"));
    w->ui->orvex_decl_edt->setText(QStringLiteral("-1:2:3"));
    // Two plain lines: the first 5 s, the second 3 s, then nothing.
    server.set(send_path, "Object sent\nWaiting for slew");
    QElapsedTimer clock;
    clock.start();
    call("on_orvex_slew_btn_clicked");
    QTRY_COMPARE(status(), QStringLiteral("Object sent\n"));
    QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("Waiting for slew"), 7000);
    QVERIFY(clock.elapsed() >= 4700); // coarse timers may fire 5 % early
    QTRY_COMPARE_WITH_TIMEOUT(status(), QString(), 5000);
    QVERIFY(clock.elapsed() >= 7500);

    // A "State" second line sets the state and is not shown.
    server.set(send_path, "Done\nState=Ok\n");
    call("on_orvex_send_btn_clicked");
    QTRY_VERIFY(!w->send_reply);
    QVERIFY(w->state_ok);
    QCOMPARE(out.mid(out.size() - 2), (QStringList{"Done\n", "State=Ok\n"}));
    QVERIFY(w->stat_msg.isEmpty());
}

void Test_tcs_window::state_network_error()
{
    start_window();
    Box_closer boxes;
    server.set(state_path, "", 500);
    w->ui->orvex_passwd_edt->setText(QStringLiteral("SECRET42"));
    w->ui->orvex_passwd_set_btn->click();
    QPointer<QNetworkReply> failed = w->get_reply;
    QTRY_COMPARE(boxes.texts.size(), 1);
    QTRY_VERIFY(failed.isNull()); // released once, deleted by the event loop

    const QString text = boxes.texts.first();
    QCOMPARE(boxes.titles.first(), server.host() + QStringLiteral("HTTP error"));
    QVERIFY2(text.contains("Pass=***") && !text.contains("SECRET42"), qPrintable(text));
    QCOMPARE(status(), text); // not overwritten by the same reply's finished signal
    QCOMPARE(read_errors(), QStringList(QStringLiteral("Orvex read error %1 %2")
                                            .arg(int(QNetworkReply::InternalServerError)).arg(text)));
    QCOMPARE(w->ui->otcs_connect_lab->text(), QStringLiteral("Off"));
    QCOMPARE(w->ui->orvex_tcs_lab->text(), QStringLiteral("Unknown"));
    QCOMPARE(w->ui->orvex_state_lab->text(), QStringLiteral("Unknown"));

    // Polling resumes 60 s later; the timer is driven instead of waited for.
    QCOMPARE(w->get_timer->interval(), 60000);
    QVERIFY(w->get_timer->isActive());
    server.set(state_path, good("TelMode=Stop\n"));
    w->get_timer->start(0);
    QTRY_VERIFY(w->state_ok);
    QCOMPARE(boxes.texts.size(), 1);
}

void Test_tcs_window::command_network_error()
{
    start_window();
    Box_closer boxes;
    w->passwd = QStringLiteral("SECRET42");
    w->user_seen = w->state_ok = true;
    server.set(send_path, "", 500);
    call("on_orvex_stop_btn_clicked");
    QTRY_COMPARE(boxes.texts.size(), 1);
    QVERIFY(!boxes.texts.first().contains("SECRET42"));
    QVERIFY(!read_errors().first().contains("SECRET42"));
    QVERIFY(!w->state_ok);
    QVERIFY(w->user_seen);
    QVERIFY(!w->get_timer->isActive()); // it was not running

    w->get_timer->start(5000);
    call("on_orvex_stop_btn_clicked");
    QTRY_COMPARE(boxes.texts.size(), 2);
    QTRY_VERIFY(!w->send_reply);
    QCOMPARE(w->get_timer->interval(), 60000);
}

void Test_tcs_window::timeout_and_late_signals()
{
    start_window();
    Box_closer boxes;
    server.hang(state_path);
    w->tcs_timeout_ms = 200;
    w->passwd = QStringLiteral("SECRET42");
    w->get_timer->start(1000000);
    w->ui->orvex_get_btn->click();
    QPointer<QNetworkReply> stuck = w->get_reply;
    // While the box is open the given-up reply signals again: nothing may
    // run for it a second time.
    bool alive_in_box = false;
    boxes.while_open = [&] {
        alive_in_box = !stuck.isNull();
        if (stuck) {
            emit stuck->errorOccurred(QNetworkReply::RemoteHostClosedError);
            emit stuck->finished();
        }
    };
    QTRY_COMPARE(boxes.texts.size(), 1);
    QVERIFY(alive_in_box);
    QVERIFY2(boxes.texts.first().contains("no answer within 0.2 s"), qPrintable(boxes.texts.first()));
    QVERIFY(!boxes.texts.first().contains("SECRET42"));
    QCOMPARE(read_errors().size(), 1);
    QVERIFY(read_errors().first().startsWith(QStringLiteral("Orvex read error %1 ").arg(int(QNetworkReply::TimeoutError))));
    QCOMPARE(status(), boxes.texts.first());
    QCOMPARE(w->get_timer->interval(), 60000);
    QTRY_VERIFY(stuck.isNull());

    get_state(good("TelMode=Stop\n")); // the kind is free again
    QVERIFY(w->state_ok);
    QCOMPARE(boxes.texts.size(), 1);
}

void Test_tcs_window::users_error_ends_program()
{
    Box_closer boxes;
    server.set(users_path, "", 500);
    w = make_window(server.host());
    w->show();
    QTRY_COMPARE(boxes.texts.size(), 1);
    QCOMPARE(boxes.titles.first(), server.host() + QStringLiteral("HTTP error"));
    QVERIFY(!w->users_reply);
    QVERIFY(!w->isVisible() && !w->sky_win->isVisible() && !w->list_win->isVisible());
}

QTEST_MAIN(Test_tcs_window)
#include "test_tcs_window.moc"
