// The main window's TCS client against an HTTP server on 127.0.0.1.
#include "common/orvex_test_http.h"
#include "orvex_log.h"
#include "orvex_obj_list_form.h"
#include "orvex_reply_guard.h"
#include "tcs_window_support.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

using Answer = Orvex_test_http::Answer;
Q_DECLARE_METATYPE(Answer)

namespace {
const QByteArray users_path = "/tcs/orvex_users_all.cgi", state_path = "/tcs/otcs_get.cgi",
                 send_path = "/tcs/otcs_send.cgi";

QByteArray good(const QByteArray &lines) { return lines + "State=Ok\n"; }

// A label's text and background colours, "#rrggbb #rrggbb".
QString colors(QWidget *w)
{
    return w->palette().color(QPalette::WindowText).name() + ' ' + w->palette().color(QPalette::Window).name();
}
QString colors(const char *text, const char *back)
{
    return QColor(QLatin1String(text)).name() + ' ' + QColor(QLatin1String(back)).name();
}
} // namespace

class Test_tcs_window : public QObject
{
    Q_OBJECT

    Orvex_test_http server;
    Orvex_Obj_List *w = nullptr;
    QStringList out, err;

    QString status() const { return w->statusBar()->currentMessage(); }
    QString labels() const
    {
        return w->ui->otcs_connect_lab->text() + ' ' + w->ui->orvex_tcs_lab->text() + ' '
               + w->ui->orvex_state_lab->text();
    }
    void call(const char *slot) { QVERIFY(QMetaObject::invokeMethod(w, slot)); }
    void set_password(const char *text)
    {
        w->ui->orvex_passwd_edt->setText(QLatin1String(text));
        w->ui->orvex_passwd_set_btn->click();
    }
    // The requests to one path, with their queries.
    QList<QByteArray> sent(const QByteArray &path) const
    {
        QList<QByteArray> list;
        for (const QByteArray &r : server.requests)
            if (r.split('?').value(0) == path)
                list.append(r);
        return list;
    }
    // The sky window logs its horizon on standard error too.
    QStringList read_errors() const { return err.filter(QRegularExpression("^Orvex read error ")); }
    // Which command buttons are enabled ("1011"); each must look it too.
    QString buttons() const
    {
        QString s;
        for (QPushButton *b : {w->ui->orvex_send_btn, w->ui->orvex_slew_btn, w->ui->orvex_stop_btn,
                               w->ui->orvex_set_offset_btn})
            s += b->styleSheet() == (b->isEnabled() ? "color: black;" : "color: gray;")
                     ? QString::number(b->isEnabled()) : QStringLiteral("?");
        return s;
    }
    // One state request from the "Get" button, answered with body.
    void get_state(const QByteArray &body)
    {
        server.answers[state_path] = {200, body};
        const int before = sent(state_path).size();
        w->ui->orvex_get_btn->click();
        QTRY_VERIFY(!w->get_reply);
        QCOMPARE(sent(state_path).size(), before + 1);
    }

private slots:
    // Windows come and go in every test; the application must outlive them.
    // Other paths (the sky window's horizon) get 200 and nothing.
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        server.bodies["*"] = "";
    }
    void init()
    {
        set_log_capture(&out, &err);
        server.requests.clear();
        server.answers = {{users_path, {200, "observer1 night shift\nguest Guest account\nobserver2\n"}}};
        w = make_window(server.host());
        QTRY_VERIFY(!w->users_reply);
    }
    void cleanup()
    {
        drop_window(w);
        w = nullptr;
        set_log_capture(nullptr, nullptr);
        out.clear();
        err.clear();
    }

    void users_password_and_state_requests()
    {
        QCOMPARE(sent(users_path), QList<QByteArray>{users_path});
        QCOMPARE(w->user_choice, QStringLiteral("guest"));
        w->ui->orvex_user_cb->setCurrentIndex(0);
        QCOMPARE(w->user_choice, QStringLiteral("observer1"));
        // The choice waits for "Set"; a one-character password goes out
        // without any query and does not start polling.
        get_state("");
        QCOMPARE(sent(state_path).last(), QByteArray("/tcs/otcs_get.cgi?User=guest&Pass=kzmrp"));
        set_password("y");
        QVERIFY(!w->get_reply && !w->get_timer->isActive());
        get_state("");
        QCOMPARE(sent(state_path).last(), state_path);

        server.answers[state_path] = {200, "", true};
        w->level = 4;
        set_password("  star  light ");
        QVERIFY(w->level == 0 && w->get_timer->isActive());
        QCOMPARE(w->get_timer->interval(), 5000);
        QTRY_COMPARE(sent(state_path).last(), QByteArray("/tcs/otcs_get.cgi?User=observer1&Pass=star%20light"));
        // While a state reply is outstanding nothing more is sent, but a
        // timer shot leaves from_timer set so that reply restarts polling.
        QNetworkReply *outstanding = w->get_reply;
        w->ui->orvex_get_offset_btn->click();
        call("orvex_get_timer");
        QVERIFY(w->get_reply == outstanding && w->from_timer);
    }

    void state_display()
    {
        // At start the TCS label shows "Unknown" while "Off" counts as shown.
        get_state(good("TCSmode=Off\nLevel=4\n"));
        QCOMPARE(w->ui->orvex_tcs_lab->text(), QStringLiteral("Unknown"));

        get_state(good("TCS ready\nUser=observer\nLevel=3\nStime=25.5\nRA=2\nTCSmode=Simul\nTelMode=Tracking\n"));
        QCOMPARE(w->ui->orvex_level_lab->text(), QStringLiteral("User=observer Level=3 "));
        QVERIFY(out.contains("User=observer Level=3") && out.contains("Orvex read Ok! "));
        QCOMPARE(buttons() + ' ' + labels(), QStringLiteral("1111 On Simul Tracking"));
        QCOMPARE(colors(w->ui->otcs_connect_lab), colors("Blue", "LightGreen"));
        QCOMPARE(colors(w->ui->orvex_tcs_lab), colors("White", "Pink"));
        QCOMPARE(colors(w->ui->orvex_state_lab), colors("Blue", "LightGreen"));
        QVERIFY(sidereal_time == 5400.0 && w->tel_object->ra == 7200.0);

        // Level 7: clamped on screen, logged as read, and logged every time.
        get_state(good("User=observer\nLevel=7\n"));
        get_state(good("User=observer\nLevel=7\n"));
        QCOMPARE(out.count(QStringLiteral("User=observer Level=7")), 2);
        QCOMPARE(w->ui->orvex_level_lab->text(), QStringLiteral("User=observer Level=5 "));
        // On the TCS web host a non-local level-3 observer may only send.
        w->on_tcs_host = w->not_local = true;
        get_state(good("Level=3\n"));
        QCOMPARE(buttons(), QStringLiteral("1000"));
        // Without a User line the state is good but the connect label is off.
        get_state("State=Ok\n");
        QVERIFY(w->state_ok);
        QCOMPARE(w->ui->otcs_connect_lab->text(), QStringLiteral("Off"));

        w->get_timer->start(5000);
        w->ui->orvex_obj_edt->setText(QStringLiteral("old"));
        get_state("Permiss=no\nState=Err\n");
        QCOMPARE(status(), QStringLiteral("Permiss no"));
        QVERIFY(w->want_object); // "Get" waits for a good reply
        QCOMPARE(w->ui->orvex_obj_edt->text(), QStringLiteral("old"));
        const int at = out.lastIndexOf(QRegularExpression("^stime=\\d\\d:\\d\\d:\\d\\d\\.\\d\\d$"));
        QVERIFY(at >= 0);
        QCOMPARE(out.value(at + 1), QStringLiteral("Permiss no"));
        QCOMPARE(buttons() + ' ' + labels(), QStringLiteral("0000 Off Unknown Unknown"));
        QCOMPARE(colors(w->ui->orvex_state_lab), colors("Black", "Lightgray"));
        QCOMPARE(w->ui->orvex_level_lab->text(), QStringLiteral("User=? Level = ? "));
        QVERIFY(w->level == 0 && w->get_timer->interval() == 15000);

        // A second bad reply logs nothing more; an empty body reads "State=Err".
        const int lines = out.size();
        get_state("");
        QCOMPARE(status(), QStringLiteral("State=Err"));
        QCOMPARE(out.size(), lines);
        get_state(good("TCSmode=Off\nObjName=M 51\nra2000=13:29:52.7\ndec2000=+47:11:43\n"));
        QCOMPARE(w->ui->orvex_tcs_lab->text(), QStringLiteral("Off"));
        QCOMPARE(w->ui->orvex_obj_edt->text() + ' ' + w->ui->orvex_ra_edt->text() + ' '
                     + w->ui->orvex_decl_edt->text() + ' ' + w->ui->orvex_epoch_edt->text(),
                 QStringLiteral("M 51 13:29:52.7 +47:11:43 2000.0"));
    }

    void poll_intervals_and_refused_command()
    {
        server.answers[state_path] = {200, good("TelMode=Tracking\n")};
        set_password("starlight"); // a button's reply leaves the timer alone
        QTRY_VERIFY(!w->get_reply);
        QList<int> seen{w->get_timer->interval()};
        for (const char *mode : {"Tracking", "Tracking", "Stop"}) {
            server.answers[state_path] = {200, good(QByteArray("TelMode=") + mode + '\n')};
            call("orvex_get_timer");
            QTRY_VERIFY(!w->get_reply);
            seen.append(w->get_timer->interval());
        }
        QCOMPARE(seen, (QList<int>{5000, 3000, 3200, 1000}));

        // A command while polling brings the next poll to 1 s, sent or not;
        // a refused one says why on the status bar and on standard error.
        w->get_timer->start(9000);
        w->ui->orvex_ra_edt->setText(QStringLiteral(" 1:2 "));
        call("on_orvex_send_btn_clicked");
        QVERIFY(w->get_timer->isActive() && w->get_timer->interval() == 1000 && !w->send_reply);
        QCOMPARE(status() + '|' + err.last(), QStringLiteral("Wrong or Empty R.A.!|Wrong or Empty R.A. <1:2>"));
    }

    void view_timer_extrapolates()
    {
        get_state(good("Dec=20\nA=10\nZ=40\nVHA=3\nVDec=40\nPA=30\nTelMode=Slewing\n"));
        QVERIFY(w->view_timer->isActive());
        Orvex_object probe;
        probe.decl = w->tel_object->decl;
        probe.zenith = w->tel_object->zenith;
        double ra = 0, rz = 0;
        probe.rates_to_horizontal(3, 40, 30, ra, rz);

        // The cross moves at 0.9 of the rates for the time since the reply.
        QTRY_VERIFY(w->since_state.elapsed() >= 50);
        call("orvex_view_timer");
        const double t_max = w->since_state.elapsed() / 1000.0;
        const double t = (w->tel_object->azimuth - w->last_a) / (0.9 * ra);
        QVERIFY2(t >= 0.05 - 1e-9 && t <= t_max + 1e-9, qPrintable(QString::number(t)));
        QVERIFY(qAbs(w->tel_object->zenith - w->last_z - rz * 0.9 * t) < 1e-6 * qAbs(rz));

        // Stopped: the measured position comes back and the timer ends itself.
        get_state(good("A=10\nVHA=0\nVDec=0\nTelMode=Stop\n"));
        QCOMPARE(w->tel_object->azimuth, 36000.0);
        w->view_timer->stop();
        call("orvex_view_timer");
        QVERIFY(!w->view_timer->isActive());
    }

    void commands_and_replies()
    {
        w->set_form(QStringLiteral("M 51"), QStringLiteral("12:30:00"), QStringLiteral("+45:00:00"),
                    QStringLiteral("2000.0"));
        w->ui->orvex_offha_edt->setText(QStringLiteral("0.004"));
        w->ui->orvex_offdec_edt->setText(QStringLiteral("0.06"));
        // Two plain lines: the first at once, the second later, then nothing.
        server.answers[send_path] = {200, "Object sent\nWaiting for slew"};
        call("on_orvex_send_btn_clicked");
        QTRY_VERIFY(!w->send_reply);
        QCOMPARE(status(), QStringLiteral("Object sent ")); // line feed blanked
        call("orvex_show_stat_msg");
        QCOMPARE(status(), QStringLiteral("Waiting for slew"));
        call("orvex_show_stat_msg");
        QCOMPARE(status(), QString());
        // A "State" second line sets the state and is not shown.
        server.answers[send_path] = {200, "Done\nState=Ok\n"};
        call("on_orvex_set_offset_btn_clicked");
        QTRY_VERIFY(!w->send_reply);
        QVERIFY(w->state_ok && w->stat_msg.isEmpty());
        QCOMPARE(out.mid(out.size() - 2), (QStringList{"Done\n", "State=Ok\n"}));

        // One command at a time: the others send nothing and show nothing.
        server.answers[send_path] = {200, "", true};
        call("on_orvex_stop_btn_clicked");
        QNetworkReply *outstanding = w->send_reply;
        QTRY_COMPARE(sent(send_path).size(), 3);
        w->statusBar()->clearMessage();
        call("on_orvex_slew_btn_clicked");
        call("on_orvex_send_btn_clicked");
        QVERIFY(w->send_reply == outstanding && status().isEmpty());
        QCOMPARE(sent(send_path), (QList<QByteArray>{"/tcs/otcs_send.cgi?User=guest&Pass=kzmrp&RA=12:30:00&Dec=%2B45:00:00"
                                                     "&Epoch=2000.0&Name=M%2051&Mess=from%20Orvex_Obj_List&Cmd=Send",
                                                     "/tcs/otcs_send.cgi?User=guest&Pass=kzmrp&offHA=0.004&offDec=0.06&Cmd=Corr",
                                                     "/tcs/otcs_send.cgi?User=guest&Pass=kzmrp&Cmd=Stop"}));
    }

    // No horizon profile has loaded (the server answers nothing): the
    // mathematical horizon counts.
    void slew_guard_below_the_horizon()
    {
        Box_closer boxes; // answers "No" unless told otherwise
        sidereal_time = 0;
        w->set_form(QStringLiteral("M 51"), QStringLiteral("12:00:00"), QStringLiteral("-30:00:00"),
                    QStringLiteral("2000.0"));
        server.answers[send_path] = {200, "Done\n"};
        w->get_timer->start(9000);
        bool polling_in_box = true;
        boxes.while_open = [&] { polling_in_box = w->get_timer->isActive(); };
        call("on_orvex_slew_btn_clicked");
        QVERIFY(!polling_in_box && !w->send_reply && w->get_timer->isActive());
        QCOMPARE(boxes.texts, QStringList("M 51 is below the horizon: altitude -76.3°, horizon 0.0° "
                                          "at azimuth 180°. Slew anyway?"));
        QCOMPARE(status() + '|' + err.last(), QStringLiteral("Slew to M 51 not sent: it is below the horizon|"
                                                             "Slew to M 51 not sent: it is below the horizon"));
        boxes.while_open = Box_closer::click_yes;
        call("on_orvex_slew_btn_clicked");
        QTRY_VERIFY(!w->send_reply);
        QCOMPARE(sent(send_path), QList<QByteArray>{"/tcs/otcs_send.cgi?User=guest&Pass=kzmrp&RA=12:00:00&Dec=-30:00:00"
                                                    "&Epoch=2000.0&Name=M%2051&Mess=from%20Orvex_Obj_List&Cmd=Slew"});
        // Sending without a slew never asks.
        call("on_orvex_send_btn_clicked");
        QTRY_COMPARE(sent(send_path).size(), 2);
        QCOMPARE(boxes.texts.size(), 2);
    }

    // What the toolkit would hand over as data is an error of the kind.
    void reply_limits_are_errors_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("text");
        const QString larger = QStringLiteral(" - reply larger than 1048576 bytes");
        QTest::newRow("state 301") << state_path << Answer{301, good("")} << " - server replied: 301 ";
        QTest::newRow("state over 1 MiB") << state_path << Answer{200, QByteArray((1 << 20) + 1, 'x')} << larger;
        QTest::newRow("state endless") << state_path << Answer{200, good("A=1\n"), false, true} << larger;
        QTest::newRow("command 302") << send_path << Answer{302, "Done\n"} << " - server replied: 302 ";
        QTest::newRow("command endless") << send_path << Answer{200, "Done\n", false, true} << larger;
    }
    void reply_limits_are_errors()
    {
        QFETCH(QByteArray, path);
        QFETCH(Answer, answer);
        QFETCH(QString, text);
        Box_closer boxes;
        server.answers[path] = answer;
        w->state_ok = w->sky_win->state_ok = true;
        call(path == state_path ? "on_orvex_get_btn_clicked" : "on_orvex_stop_btn_clicked");
        QTRY_COMPARE(boxes.texts.size(), 1);
        QVERIFY2(boxes.texts[0].contains(text) && !boxes.texts[0].contains("kzmrp"), qPrintable(boxes.texts[0]));
        QCOMPARE(labels(), QStringLiteral("Off Unknown Unknown"));
        QVERIFY(!w->state_ok && !w->sky_win->state_ok); // no cross drawn as current
        QVERIFY(!w->get_reply && !w->send_reply);
    }

    void network_errors_and_timeout()
    {
        Box_closer boxes;
        server.answers[state_path] = server.answers[send_path] = {500, ""};
        set_password("SECRET42");
        QPointer<QNetworkReply> failed = w->get_reply;
        QTRY_COMPARE(boxes.texts.size(), 1);
        QTRY_VERIFY(failed.isNull()); // released once, deleted by the event loop
        const QString text = boxes.texts.first();
        QCOMPARE(boxes.titles.first(), server.host() + QStringLiteral("HTTP error"));
        QVERIFY2(text.contains("Pass=***") && !text.contains("SECRET42"), qPrintable(text));
        QCOMPARE(status(), text); // not overwritten by the same reply's finished signal
        QCOMPARE(read_errors(), QStringList(QStringLiteral("Orvex read error %1 %2")
                                                .arg(int(QNetworkReply::InternalServerError)).arg(text)));
        QCOMPARE(labels(), QStringLiteral("Off Unknown Unknown"));
        QVERIFY(w->get_timer->isActive() && w->get_timer->interval() == 60000); // polling resumes a minute later

        // A failed command: masked too; polling that was off stays off.
        w->get_timer->stop();
        w->state_ok = w->user_seen = true;
        call("on_orvex_stop_btn_clicked");
        QTRY_COMPARE(boxes.texts.size(), 2);
        QVERIFY(!boxes.texts.last().contains("SECRET42") && !read_errors().last().contains("SECRET42"));
        QVERIFY(!w->state_ok && w->user_seen && !w->get_timer->isActive());
        w->get_timer->start(5000);
        call("on_orvex_stop_btn_clicked");
        QTRY_COMPARE(boxes.texts.size(), 3);
        QCOMPARE(w->get_timer->interval(), 60000);

        // A host that never answers is given up; while the box is open the
        // given-up reply signals again, which must run nothing a second time.
        server.answers[state_path] = {200, "", true};
        w->tcs_timeout_ms = 200;
        w->ui->orvex_get_btn->click();
        QPointer<QNetworkReply> stuck = w->get_reply;
        bool alive_in_box = false;
        boxes.while_open = [&] {
            if ((alive_in_box = !stuck.isNull())) {
                emit stuck->errorOccurred(QNetworkReply::RemoteHostClosedError);
                emit stuck->finished();
            }
        };
        QTRY_COMPARE(boxes.texts.size(), 4);
        QVERIFY(alive_in_box);
        QVERIFY2(boxes.texts.last().contains("no answer within 0.2 s") && !boxes.texts.last().contains("SECRET42"),
                 qPrintable(boxes.texts.last()));
        QCOMPARE(read_errors().size(), 4);
        QVERIFY(read_errors().last().startsWith(QStringLiteral("Orvex read error %1 ").arg(QNetworkReply::TimeoutError)));
        QTRY_VERIFY(stuck.isNull());

        // The kind is free again; the timer is driven instead of waited for.
        server.answers[state_path] = {200, good("TelMode=Stop\n")};
        w->get_timer->start(0);
        QTRY_VERIFY(w->state_ok);
        QCOMPARE(boxes.texts.size(), 4);
    }

    // A failed users list ends the program; one that takes too long is
    // given up, and the program goes on with the combo box as it is.
    void users_list_failures_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("ends");
        QTest::newRow("500") << Answer{500, ""} << true;
        QTest::newRow("301") << Answer{301, "guest\n"} << true;
        QTest::newRow("endless") << Answer{200, "guest\n", false, true} << true;
        QTest::newRow("no answer") << Answer{200, "", true} << false;
    }
    void users_list_failures()
    {
        QFETCH(Answer, answer);
        QFETCH(bool, ends);
        drop_window(w);
        Box_closer boxes;
        server.answers[users_path] = answer;
        w = make_window(server.host());
        w->show();
        if (!ends)
            Orvex_reply_guard::of(w->users_reply)->timer.start(100);
        QTRY_VERIFY(!w->users_reply);
        QTRY_COMPARE(boxes.texts.size(), int(ends));
        QCOMPARE(read_errors().size(), 1);
        QCOMPARE(w->isVisible() && w->sky_win->isVisible() && w->list_win->isVisible(), !ends);
        if (ends) {
            QCOMPARE(boxes.titles.first(), server.host() + QStringLiteral("HTTP error"));
            return;
        }
        QCOMPARE(status(), QStringLiteral("No users list: no answer in 30 s"));
        QVERIFY2(read_errors()[0].startsWith(QStringLiteral("Orvex read error %1 ").arg(QNetworkReply::TimeoutError)),
                 qPrintable(read_errors()[0]));
        QVERIFY(w->ui->orvex_user_cb->count() == 0 && w->user_choice == QStringLiteral("guest"));
    }
};

QTEST_MAIN(Test_tcs_window)
#include "test_tcs_window.moc"
