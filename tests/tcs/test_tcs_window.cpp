// The main window's TCS client against an HTTP server on 127.0.0.1.
#include "common/orvex_test_http.h"
#include "orvex_log.h"
#include "orvex_reply_guard.h"
#include "tcs_window_support.h"

#include <QtTest>

using Answer = Orvex_test_http::Answer;
Q_DECLARE_METATYPE(Answer)

const QByteArray users_path = "/tcs/orvex_users_all.cgi", state_path = "/tcs/otcs_get.cgi",
                 send_path = "/tcs/otcs_send.cgi";

static QByteArray good(const QByteArray &lines) { return lines + "State=Ok\n"; }

class Test_tcs_window : public QObject
{
    Q_OBJECT

    Orvex_test_http server;
    Orvex_Obj_List *w = nullptr;
    QStringList out, err;

    QString status() const { return w->statusBar()->currentMessage(); }
    // Which command buttons are enabled ("1011"; "?" where a button does not
    // look it), then the connect, TCS and state labels.
    QString buttons_and_labels() const
    {
        QString s;
        for (QPushButton *b : {w->ui->orvex_send_btn, w->ui->orvex_slew_btn, w->ui->orvex_stop_btn,
                               w->ui->orvex_set_offset_btn})
            s += b->styleSheet() == (b->isEnabled() ? "color: black;" : "color: gray;")
                     ? QString::number(b->isEnabled()) : QStringLiteral("?");
        for (QLabel *l : {w->ui->otcs_connect_lab, w->ui->orvex_tcs_lab, w->ui->orvex_state_lab})
            s += ' ' + l->text();
        return s;
    }
    // The TCS and state labels' text and background colours.
    QString colors() const
    {
        QString s;
        for (QLabel *l : {w->ui->orvex_tcs_lab, w->ui->orvex_state_lab})
            s += l->palette().color(QPalette::WindowText).name() + ' ' + l->palette().color(QPalette::Window).name() + ' ';
        return s;
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
    // One request from a slot, answered with body.
    void answered(const QByteArray &path, const char *slot, const QByteArray &body)
    {
        server.answers[path] = {200, body};
        call(slot);
        QTRY_VERIFY(!w->get_reply && !w->send_reply);
    }
    void get_state(const QByteArray &body) { answered(state_path, "on_orvex_get_btn_clicked", body); }

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
        out = err = QStringList();
        set_log_capture(&out, &err);
        server.requests.clear();
        server.answers = {{users_path, {200, "observer1 night shift\nguest Guest account\nobserver2\n"}}};
        w = make_window(server.host());
        QTRY_VERIFY(!w->users_reply);
    }
    void cleanup()
    {
        delete w;
        set_log_capture(nullptr, nullptr);
    }

    void state_display()
    {
        // Level 7: clamped on screen, logged as read.
        get_state(good("TCS ready\nUser=observer\nLevel=7\nStime=25.5\nRA=2\nTCSmode=Simul\nTelMode=Tracking\n"));
        QCOMPARE(w->ui->orvex_level_lab->text(), QStringLiteral("User=observer Level=5 "));
        QVERIFY(out.contains("User=observer Level=7") && sidereal_time == 5400.0 && w->tel_object->ra == 7200.0);
        QCOMPARE(buttons_and_labels(), QStringLiteral("1111 On Simul Tracking"));
        QCOMPARE(colors(), QStringLiteral("#ffffff #ffc0cb #0000ff #90ee90 ")); // White on Pink, Blue on LightGreen
        get_state(good("User=observer\nLevel=7\n")); // 7 is never the stored 5: logged again
        QCOMPARE(out.count("User=observer Level=7"), 2);
        // On the TCS web host a non-local level-3 observer may only send.
        w->on_tcs_host = w->not_local = true;
        get_state(good("Level=3\n"));
        QCOMPARE(buttons_and_labels(), QStringLiteral("1000 Off Simul Tracking")); // no User line
        // A bad reply: everything off, polling slower.
        w->get_timer->start(5000);
        get_state("Permiss=no\nState=Err\n");
        QCOMPARE(status() + '|' + out.last(), QStringLiteral("Permiss no|Permiss no"));
        QCOMPARE(buttons_and_labels(), QStringLiteral("0000 Off Unknown Unknown"));
        QVERIFY(colors().endsWith("#000000 #d3d3d3 ")); // Black on Lightgray
        QCOMPARE(w->ui->orvex_level_lab->text(), QStringLiteral("User=? Level = ? "));
        QVERIFY(w->level == 0 && w->get_timer->interval() == 15000);
        // User and Pass, in that order, only with a password of 2 characters or more.
        QCOMPARE(sent(state_path).value(0), state_path + "?User=guest&Pass=kzmrp");
        server.requests.clear();
        set_password("ab");
        QTRY_VERIFY(!w->get_reply);
        w->get_timer->stop();
        set_password("x");
        get_state(good(""));
        QCOMPARE(sent(state_path), (QList<QByteArray>{state_path + "?User=guest&Pass=ab", state_path}));
    }

    void commands_and_replies()
    {
        // A refused command says why on both outputs; the next poll comes in 1 s all the same.
        w->get_timer->start(9000);
        w->ui->orvex_ra_edt->setText(QStringLiteral(" 1:2 "));
        call("on_orvex_send_btn_clicked");
        QVERIFY(w->get_timer->isActive() && w->get_timer->interval() == 1000 && !w->send_reply);
        QCOMPARE(status() + '|' + err.last(), QStringLiteral("Wrong or Empty R.A.!|Wrong or Empty R.A. <1:2>"));

        w->set_form(QStringLiteral("M 51"), QStringLiteral("12:30:00"), QStringLiteral("+45:00:00"),
                    QStringLiteral("2000.0"));
        w->ui->orvex_offha_edt->setText(QStringLiteral("0.004"));
        w->ui->orvex_offdec_edt->setText(QStringLiteral("0.06"));
        answered(send_path, "on_orvex_send_btn_clicked", "Object sent\nWaiting for slew");
        QCOMPARE(status(), QStringLiteral("Object sent ")); // line feed blanked
        // A "State" second line sets the state and is not shown.
        answered(send_path, "on_orvex_set_offset_btn_clicked", "Done\nState=Ok\n");
        QVERIFY(w->state_ok && w->stat_msg.isEmpty() && sent(send_path).value(1).endsWith("&offHA=0.004&offDec=0.06&Cmd=Corr"));
    }

    // No horizon profile has loaded (the server answers nothing): the
    // mathematical horizon counts.
    void slew_guard_below_the_horizon()
    {
        Box_closer boxes; // answers "No" unless told otherwise
        sidereal_time = 0;
        w->set_form(QStringLiteral("M 51"), QStringLiteral("12:00:00"), QStringLiteral("-30:00:00"),
                    QStringLiteral("2000.0"));
        w->get_timer->start(9000);
        bool polling_in_box = true;
        boxes.while_open = [&] { polling_in_box = w->get_timer->isActive(); };
        call("on_orvex_slew_btn_clicked");
        QVERIFY(!polling_in_box && !w->send_reply && w->get_timer->isActive());
        QCOMPARE(boxes.texts, QStringList("M 51 is below the horizon: altitude -76.3°, horizon 0.0° "
                                          "at azimuth 180°. Slew anyway?"));
        const QString refused = QStringLiteral("Slew to M 51 not sent: it is below the horizon");
        QVERIFY(status() == refused && err.last() == refused);
        boxes.while_open = Box_closer::click_yes;
        answered(send_path, "on_orvex_slew_btn_clicked", "Done\n");
        // Sending without a slew never asks.
        answered(send_path, "on_orvex_send_btn_clicked", "Done\n");
        QVERIFY(boxes.texts.size() == 2 && sent(send_path).size() == 2 && sent(send_path)[0].endsWith("&Cmd=Slew"));
    }

    // Every way a request fails is an error of its kind: a box and a log
    // line with the password masked, labels off, no cross drawn as current,
    // polling (when on) resumed a minute later, and the kind free again.
    void request_failures_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("polling");
        const int status = QNetworkReply::UnknownServerError, large = QNetworkReply::UnknownContentError,
                  failed = QNetworkReply::InternalServerError, timeout = QNetworkReply::TimeoutError;
        const QByteArray huge((1 << 20) + 1, 'x');
        const QString larger = QStringLiteral(" - reply larger than 1048576 bytes"), replied = " - server replied: ";
        QTest::newRow("state 301") << state_path << Answer{301, good("")} << status << replied + "301 " << true;
        QTest::newRow("state over 1 MiB") << state_path << Answer{200, huge} << large << larger << true;
        QTest::newRow("state endless") << state_path << Answer{200, good("A=1\n"), false, true} << large << larger << false;
        QTest::newRow("state no answer") << state_path << Answer{200, "", true} << timeout << "no answer within 0.2 s" << true;
        QTest::newRow("command 302") << send_path << Answer{302, "Done\n"} << status << replied + "302 " << false;
        QTest::newRow("command 500") << send_path << Answer{500, ""} << failed << replied + "Failed" << true;
        QTest::newRow("command endless") << send_path << Answer{200, "Done\n", false, true} << large << larger << false;
    }
    void request_failures()
    {
        QFETCH(QByteArray, path);
        QFETCH(Answer, answer);
        QFETCH(int, code);
        QFETCH(QString, text);
        QFETCH(bool, polling);
        server.answers[state_path] = {200, good("")};
        set_password("SECRET42");
        QTRY_VERIFY(!w->get_reply);
        polling ? w->get_timer->start(5000) : w->get_timer->stop();
        Box_closer boxes;
        server.answers[path] = answer;
        w->tcs_timeout_ms = 200;
        w->state_ok = w->sky_win->state_ok = w->user_seen = true;
        const char *slot = path == state_path ? "on_orvex_get_btn_clicked" : "on_orvex_stop_btn_clicked";
        call(slot);
        // While the box is open the failed reply signals again: nothing runs twice.
        QPointer<QNetworkReply> failed = path == state_path ? w->get_reply : w->send_reply;
        bool alive_in_box = false;
        boxes.while_open = [&] {
            if ((alive_in_box = !failed.isNull())) {
                emit failed->errorOccurred(QNetworkReply::RemoteHostClosedError);
                emit failed->finished();
            }
        };
        QTRY_COMPARE(boxes.texts.size(), 1);
        QTRY_VERIFY(failed.isNull()); // released once, deleted by the event loop
        const QString box = boxes.texts[0];
        QVERIFY2(box.contains(text) && box.contains("Pass=***") && !box.contains("SECRET42"), qPrintable(box));
        QCOMPARE(boxes.titles[0], server.host() + QStringLiteral("HTTP error"));
        QCOMPARE(status(), box); // not overwritten by the same reply's finished signal
        QCOMPARE(read_errors(), QStringList(QStringLiteral("Orvex read error %1 %2").arg(code).arg(box)));
        QCOMPARE(buttons_and_labels().mid(4), QStringLiteral(" Off Unknown Unknown"));
        QVERIFY(alive_in_box && !w->state_ok && !w->sky_win->state_ok && !w->get_reply && !w->send_reply);
        QCOMPARE(w->user_seen, path == send_path);
        QCOMPARE(w->get_timer->isActive() ? w->get_timer->interval() : 0, polling ? 60000 : 0);

        w->get_timer->stop();
        w->tcs_timeout_ms = Orvex_reply_guard::max_reply_ms; // the test host may still be busy
        answered(path, slot, good("Done\n"));
        QVERIFY(w->state_ok && boxes.texts.size() == 1);
    }

    // A failed users list ends the program; one that takes too long is
    // given up, and the program goes on with the combo box as it is.
    void users_list_failures_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("500") << Answer{500, ""};
        QTest::newRow("301") << Answer{301, "guest\n"};
        QTest::newRow("endless") << Answer{200, "guest\n", false, true};
        QTest::newRow("no answer") << Answer{200, "", true};
    }
    void users_list_failures()
    {
        QFETCH(Answer, answer);
        delete w;
        Box_closer boxes;
        server.answers[users_path] = answer;
        w = make_window(server.host());
        w->show();
        if (answer.hang)
            Orvex_reply_guard::of(w->users_reply)->timer.start(100);
        QTRY_VERIFY(!w->users_reply);
        QTRY_COMPARE(boxes.texts.size(), int(!answer.hang));
        QCOMPARE(read_errors().size(), 1);
        QCOMPARE(w->isVisible() && w->sky_win->isVisible() && w->list_win->isVisible(), answer.hang);
        QCOMPARE(boxes.titles.value(0), answer.hang ? QString() : server.host() + QStringLiteral("HTTP error"));
        if (answer.hang)
            QVERIFY(status() == QStringLiteral("No users list: no answer in 30 s") && w->ui->orvex_user_cb->count() == 0);
    }
};

QTEST_MAIN(Test_tcs_window)
#include "test_tcs_window.moc"
