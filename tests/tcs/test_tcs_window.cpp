// The main window's TCS client against an HTTP server on 127.0.0.1.
#include "common/orvex_test_http.h"
#include "orvex_log.h"
#include "orvex_reply_guard.h"
#include "orvex_slew_guard.h"
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

        w->set_form("M 51", "12:30:00", "+45:00:00", "2000.0");
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
        get_state(good("User=observer\nLevel=3\n")); // Slew allowed
        Box_closer boxes; // answers "No" unless told otherwise
        sidereal_time = 0;
        w->set_form("M 51", "12:00:00", "-30:00:00", "2000.0");
        w->get_timer->start(9000);
        bool polling_in_box = true;
        boxes.while_open = [&] { polling_in_box = w->get_timer->isActive(); };
        call("on_orvex_slew_btn_clicked");
        QVERIFY(!polling_in_box && !w->send_reply && w->get_timer->isActive() && boxes.texts.size() == 1);
        const QString refused = QStringLiteral("Slew to M 51 not sent: it is below the horizon");
        QVERIFY(status() == refused && err.last() == refused);
        boxes.while_open = Box_closer::click_yes;
        answered(send_path, "on_orvex_slew_btn_clicked", "Done\n");
        // Sending without a slew never asks.
        answered(send_path, "on_orvex_send_btn_clicked", "Done\n");
        QVERIFY(boxes.texts.size() == 2 && sent(send_path).size() == 2 && sent(send_path)[0].endsWith("&Cmd=Slew"));
    }

    // The box runs its own event loop: what arrives while it is open decides
    // whether "Yes" may still slew. Without a sidereal time the position
    // cannot be checked, and the question is asked all the same.
    void slew_guard_checks_again_after_yes_data()
    {
        QTest::addColumn<QByteArray>("meanwhile"); // a state reply while the box is open
        QTest::addColumn<double>("stime");
        QTest::addColumn<QString>("question");
        QTest::addColumn<bool>("slews");
        const QString below = "M 51 is below the horizon: altitude -76.3°, horizon 0.0° at azimuth 0° N. Slew anyway?";
        QTest::newRow("nothing changed") << QByteArray() << 0.0 << below << true;
        QTest::newRow("bad state") << QByteArray("Permiss=no\nState=Err\n") << 0.0 << below << false;
        QTest::newRow("level 2") << good("Level=2\n") << 0.0 << below << false;
        QTest::newRow("no sidereal time")
            << QByteArray() << -1.0
            << "The sidereal time is not known, so whether M 51 is above the horizon cannot be checked. Slew anyway?"
            << true;
    }
    void slew_guard_checks_again_after_yes()
    {
        QFETCH(QByteArray, meanwhile);
        QFETCH(double, stime);
        QFETCH(QString, question);
        QFETCH(bool, slews);
        get_state(good("User=observer\nLevel=3\n"));
        sidereal_time = stime;
        w->set_form("M 51", "12:00:00", "-30:00:00", "2000.0");
        server.answers[send_path] = {200, "Done\n"};
        Box_closer boxes;
        boxes.while_open = [&] {
            if (!meanwhile.isEmpty()) {
                server.answers[state_path] = {200, meanwhile};
                QMetaObject::invokeMethod(w, "on_orvex_get_btn_clicked");
                QTRY_VERIFY(!w->get_reply);
            }
            Box_closer::click_yes();
        };
        call("on_orvex_slew_btn_clicked");
        QCOMPARE(boxes.texts, QStringList(question));
        QTRY_VERIFY(!w->send_reply);
        QCOMPARE(sent(send_path).size(), int(slews));
        if (!slews) {
            const QString refused = QStringLiteral("Slew to M 51 not sent: slewing is no longer allowed");
            QVERIFY(status() == refused && err.last() == refused);
        }
    }

    // The question's azimuth as observers read it, in both languages.
    void slew_question_in_both_languages_data()
    {
        QTest::addColumn<bool>("russian");
        QTest::addColumn<double>("from_south");
        QTest::addColumn<QString>("azimuth");
        const std::tuple<double, const char *, const char *> cases[] = {
            {-157, "23° NNE", "23° ССВ"}, {-23, "157° SSE", "157° ЮЮВ"}, {157, "337° NNW", "337° ССЗ"},
            {90, "270° W", "270° З"},    {179.6, "0° N", "0° С"},      {-168.6, "11° N", "11° С"},
            {-168.4, "12° NNE", "12° ССВ"},
        };
        for (const auto &[south, en, ru] : cases) {
            QTest::addRow("en %g", south) << false << south << QString(en);
            QTest::addRow("ru %g", south) << true << south << QString::fromUtf8(ru);
        }
    }
    void slew_question_in_both_languages()
    {
        QFETCH(bool, russian);
        QFETCH(double, from_south);
        QFETCH(QString, azimuth);
        QTranslator ru;
        if (russian) {
            QVERIFY(ru.load(QCoreApplication::applicationDirPath() + "/Orvex_Obj_List_ru_RU.qm"));
            QCoreApplication::installTranslator(&ru);
        }
        Orvex_slew_check c;
        c.below = true;
        c.altitude = 16;
        c.horizon = 30;
        c.azimuth = from_south;
        const QString text = slew_question_text(QStringLiteral("M 51"), c);
        QCOMPARE(text, russian ? QStringLiteral("M 51 под горизонтом: высота 16.0°, горизонт 30.0° на азимуте %1. "
                                                "Всё равно навести?").arg(azimuth)
                               : QStringLiteral("M 51 is below the horizon: altitude 16.0°, horizon 30.0° "
                                                "at azimuth %1. Slew anyway?").arg(azimuth));
    }

    // While polling the age of the last good state ticks in its label. Past
    // two poll intervals (here at least 0.6 s instead of 10 s) the cross stops
    // where the last reply put it and is drawn old; the next good reply makes
    // it current again. Without polling there is no age.
    void old_state_and_back()
    {
        // Slewing in declination, fast enough to be moved between replies.
        const QByteArray slewing = good("A=10\nZ=40\nDec=20\nVDec=-300\nTelMode=Slewing\n");
        server.answers[state_path] = {200, slewing};
        w->view_interval = 50;
        w->state_old_min_ms = 600;
        set_password("x1");
        QTRY_VERIFY(!w->get_reply);
        QVERIFY(w->age_timer->isActive() && w->view_timer->isActive());
        QCOMPARE(w->ui->orvex_age_lab->text(), QStringLiteral("last state 0 s ago"));
        w->get_interval = 100;
        w->get_timer->start(60000); // polling, but no reply comes
        QTRY_VERIFY(w->tel_object->zenith > 40 * 3600 + 10); // moved on meanwhile
        QVERIFY(!w->sky_win->state_old);
        QTRY_VERIFY(w->sky_win->state_old);
        QVERIFY(w->since_state.elapsed() > 600 && !w->view_timer->isActive());
        QCOMPARE(QPointF(w->tel_object->azimuth, w->tel_object->zenith), QPointF(36000, 144000));
        QTest::qWait(150); // and stays there
        QVERIFY(w->tel_object->zenith == 144000 && !w->view_timer->isActive());
        QTRY_COMPARE(w->ui->orvex_age_lab->text(), QStringLiteral("last state 1 s ago"));
        QTRY_COMPARE(w->sky_win->state_age_seconds, 1);
        QImage img(550, 550, QImage::Format_RGB32);
        w->sky_win->paint_sky(&img);
        const QRect cross(w->tel_object->screen_x - 13, w->tel_object->screen_y - 13, 27, 27);
        const auto reds = [&] {
            int n = 0;
            for (int y = cross.top(); y <= cross.bottom(); ++y)
                for (int x = cross.left(); x <= cross.right(); ++x)
                    n += img.pixelColor(x, y) == QColor(255, 0, 0);
            return n;
        };
        QCOMPARE(reds(), 0);

        get_state(slewing); // the next good reply: current again, and moving
        QVERIFY(!w->sky_win->state_old && w->view_timer->isActive());
        QCOMPARE(w->ui->orvex_age_lab->text(), QStringLiteral("last state 0 s ago"));
        w->sky_win->paint_sky(&img);
        QVERIFY(reds() > 40);

        w->get_timer->stop(); // polling off: the age goes, and its timer
        QTRY_VERIFY(!w->age_timer->isActive());
        QCOMPARE(w->ui->orvex_age_lab->text(), QString());
        // A single request while not polling: no age shown, yet the moving
        // cross stops once old all the same.
        get_state(slewing);
        QVERIFY(w->view_timer->isActive() && !w->age_timer->isActive() && !w->sky_win->state_old);
        QTRY_VERIFY(w->sky_win->state_old);
        QVERIFY(w->tel_object->zenith == 144000 && !w->view_timer->isActive() && !w->age_timer->isActive());
        QCOMPARE(w->ui->orvex_age_lab->text(), QString());
        // The language switch shows the age in the new language.
        w->ui->show_state_age(125000);
        QCOMPARE(w->ui->orvex_age_lab->text(), QStringLiteral("last state 2 min ago"));
    }

    // A position that cannot be is not drawn as the telescope; the next
    // possible one is.
    void impossible_positions_data()
    {
        QTest::addColumn<QByteArray>("lines");
        QTest::newRow("Z=-30") << QByteArray("Z=-30\n");
        QTest::newRow("Z=NaN") << QByteArray("Z=NaN\n");
        QTest::newRow("RA=1e300") << QByteArray("RA=1e300\n");
    }
    void impossible_positions()
    {
        QFETCH(QByteArray, lines);
        const QByteArray possible = "RA=1\nDec=20\nHA=1\nA=10\nZ=40\n";
        QImage img(550, 550, QImage::Format_RGB32);
        get_state(good(possible + lines));
        w->sky_win->paint_sky(&img);
        QCOMPARE(w->tel_object->screen_x, -1);
        get_state(good("TelMode=Tracking\n")); // a reply without positions leaves them as they were
        w->sky_win->paint_sky(&img);
        QCOMPARE(w->tel_object->screen_x, -1);
        get_state(good(possible));
        w->sky_win->paint_sky(&img);
        QVERIFY(w->tel_object->screen_x > 0 && w->sky_win->position_known);
    }

    // Every way a request fails is an error of its kind: a box and a log
    // line with the password masked, and the kind free again. A failed state
    // request turns the labels off, draws no cross as current and resumes
    // polling (when on) a minute after the box is closed; a failed command
    // leaves the state shown and the polling alone.
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
        const bool command = path == send_path;
        server.answers[state_path] = {200, good("TCSmode=Simul\nTelMode=Tracking\nUser=observer\nLevel=3\n")};
        set_password("SECRET42");
        QTRY_VERIFY(!w->get_reply);
        polling ? w->get_timer->start(5000) : w->get_timer->stop();
        const QString shown = buttons_and_labels(), shown_colors = colors(), level = w->ui->orvex_level_lab->text();
        Box_closer boxes;
        server.answers[path] = answer;
        w->tcs_timeout_ms = 200;
        const char *slot = command ? "on_orvex_stop_btn_clicked" : "on_orvex_get_btn_clicked";
        call(slot);
        // The failed reply signals again after its error: nothing runs twice.
        QPointer<QNetworkReply> failed = command ? w->send_reply : w->get_reply;
        bool echoed = false;
        const auto echo = [&] {
            if (echoed || failed.isNull())
                return;
            echoed = true;
            emit failed->errorOccurred(QNetworkReply::RemoteHostClosedError);
            emit failed->finished();
        };
        connect(failed, &QNetworkReply::errorOccurred, this, echo);
        connect(failed, &QNetworkReply::finished, this, echo);
        QTRY_COMPARE(boxes.texts.size(), 1);
        QTRY_VERIFY(failed.isNull()); // released once, deleted by the event loop
        const QString box = boxes.texts[0];
        QVERIFY2(box.contains(text) && box.contains("Pass=***") && !box.contains("SECRET42"), qPrintable(box));
        QCOMPARE(boxes.titles[0], server.host() + QStringLiteral("HTTP error"));
        QCOMPARE(status(), box); // not overwritten by the same reply's finished signal
        QCOMPARE(read_errors(), QStringList(QStringLiteral("Orvex read error %1 %2").arg(code).arg(box)));
        QVERIFY(echoed && !w->get_reply && !w->send_reply);
        if (command) {
            QCOMPARE(buttons_and_labels(), shown);
            QCOMPARE(colors(), shown_colors);
            QCOMPARE(w->ui->orvex_level_lab->text(), level);
            QVERIFY(w->state_ok && w->sky_win->state_ok && w->user_seen);
            // The command brought the next poll forward; the failure leaves it there.
            QCOMPARE(w->get_timer->isActive() || w->get_reply, polling);
            QVERIFY(!polling || w->get_timer->interval() < 60000);
        } else {
            QCOMPARE(buttons_and_labels().mid(4), QStringLiteral(" Off Unknown Unknown"));
            QVERIFY(!w->state_ok && !w->sky_win->state_ok && !w->user_seen);
            QCOMPARE(w->get_timer->isActive() ? w->get_timer->interval() : 0, polling ? 60000 : 0);
        }

        w->get_timer->stop();
        w->tcs_timeout_ms = Orvex_reply_guard::max_reply_ms; // the test host may still be busy
        answered(path, slot, good("Done\n"));
        QVERIFY(w->state_ok && boxes.texts.size() == 1);
    }

    // The warning blocks nothing: Stop goes out while it is open, a second
    // error only replaces its text, and polling comes back a minute after
    // it is closed, not before.
    void error_box_leaves_the_form_working()
    {
        Box_closer modal(true, 3000); // a box that blocks is closed at last, and the test fails
        get_state(good("User=observer\nLevel=5\n"));
        w->show();
        w->get_timer->start(5000);
        server.answers[state_path] = {500, ""};
        call("orvex_get_timer");
        QTRY_VERIFY(open_box());
        QVERIFY(!QApplication::activeModalWidget() && modal.texts.isEmpty());
        QVERIFY(!w->get_timer->isActive());
        const QString first = open_box()->text();

        server.answers[send_path] = {200, "Telescope stopped\n"};
        QTest::mouseClick(w->ui->orvex_stop_btn, Qt::LeftButton);
        QTRY_VERIFY(!w->send_reply);
        QCOMPARE(sent(send_path).size(), 1);
        QVERIFY(sent(send_path)[0].endsWith("&Cmd=Stop") && status() == "Telescope stopped ");

        server.answers[send_path] = {503, "", false, false, "Busy"};
        w->ui->orvex_stop_btn->click();
        QTRY_VERIFY(!w->send_reply);
        QCOMPARE(open_boxes(), 1);
        QVERIFY(open_box()->text() != first && open_box()->text().contains("Busy"));
        QVERIFY(!w->get_timer->isActive()); // the command's failure does not bring polling back early

        open_box()->button(QMessageBox::Ok)->click();
        QCOMPARE(open_boxes(), 0);
        QVERIFY(w->get_timer->isActive());
        QCOMPARE(w->get_timer->interval(), 60000);
        QVERIFY(modal.texts.isEmpty());
        // Polling again: the age of the last good state shows again at once.
        QVERIFY(w->ui->orvex_age_lab->text().startsWith("last state "));
    }

    // Once a good state has allowed Stop, failed, garbage and bad replies
    // leave it enabled (the other buttons go grey); a good state with a low
    // level or a new login ends that.
    void stop_stays_in_reach_data()
    {
        QTest::addColumn<QByteArray>("allowing");
        QTest::addColumn<QByteArray>("ending"); // "Set" logs in again before a bad reply
        QTest::addColumn<QString>("after_end");
        QTest::newRow("level 5, then level 1") << QByteArray("User=operator\nLevel=5\nTelMode=Slewing\n")
                                               << QByteArray("Level=1\n") << "0000";
        QTest::newRow("level 3, then a new login") << QByteArray("User=observer\nLevel=3\nTelMode=Tracking\n")
                                                   << QByteArray("Set") << "0000";
        QTest::newRow("level 3, then level 2") << QByteArray("Level=3\nTelMode=Tracking\n")
                                               << QByteArray("Level=2\n") << "1000";
    }
    void stop_stays_in_reach()
    {
        QFETCH(QByteArray, allowing);
        QFETCH(QByteArray, ending);
        QFETCH(QString, after_end);
        Box_closer boxes;
        get_state(good(allowing));
        QCOMPARE(buttons_and_labels().left(4), QStringLiteral("1111"));
        const QList<Answer> failures = {{500, ""}, {200, "\x01\xff garbage"}, {200, "Permiss=no\nState=Err\n"},
                                        {200, "Level=1\nState=Err\n"}, {200, "Level=4\nState=Ok"}};
        for (const Answer &a : failures) {
            server.answers[state_path] = a;
            call("on_orvex_get_btn_clicked");
            QTRY_VERIFY(!w->get_reply);
            // A network error leaves every button as it was.
            QCOMPARE(buttons_and_labels().left(4), QLatin1String(a.status == 500 ? "1111" : "0010"));
        }
        // The key works as long as the button does.
        auto *key = w->findChild<QAction *>("actionStop_key");
        QVERIFY(key);
        server.answers[send_path] = {200, "Telescope stopped\n"};
        key->trigger();
        QTRY_COMPARE(sent(send_path).size(), 1);
        QTRY_VERIFY(!w->send_reply);

        if (ending == "Set") {
            set_password("other");
            QTRY_VERIFY(!w->get_reply);
        } else {
            get_state(good(ending));
        }
        QCOMPARE(buttons_and_labels().left(4), after_end);
        get_state("State=Err\n");
        QCOMPARE(buttons_and_labels().left(4), QStringLiteral("0000"));
        key->trigger();
        QTest::qWait(50);
        QCOMPARE(sent(send_path).size(), 1);
        QCOMPARE(boxes.texts.size(), 1);
    }

    // On the TCS web host a non-local level-3 observer never had Stop: a bad
    // reply keeps it off.
    void stop_never_allowed_is_not_kept()
    {
        w->on_tcs_host = w->not_local = true;
        get_state(good("Level=3\n"));
        get_state("State=Err\n");
        QCOMPARE(buttons_and_labels().left(4), QStringLiteral("0000"));
    }

    // Ctrl+. from any window does what Stop does; F1 opens the manual.
    void keys_from_every_window_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *name : {"main", "list", "sky", "help", "about"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void keys_from_every_window()
    {
        QFETCH(QString, window);
        get_state(good("User=observer\nLevel=3\n"));
        QWidget *target = window == "list" ? static_cast<QWidget *>(w->list_win)
                          : window == "sky" ? static_cast<QWidget *>(w->sky_win)
                          : window == "help" ? static_cast<QWidget *>(w->help_win)
                          : window == "about" ? static_cast<QWidget *>(w->about_win)
                                              : static_cast<QWidget *>(w);
        w->show();
        if (window == "about")
            w->ui->actionAbout->trigger();
        target->show();
        target->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(target));
        server.answers[send_path] = {200, "Telescope stopped\n"};
        QTest::keyClick(target, Qt::Key_Period, Qt::ControlModifier);
        QTRY_COMPARE(sent(send_path).size(), 1);
        QVERIFY(sent(send_path)[0].endsWith("&Cmd=Stop"));
        if (window != "about" && window != "help") {
            w->help_win->hide();
            QTest::keyClick(target, Qt::Key_F1);
            QVERIFY(w->help_win->isVisible());
        }
        w->about_win->hide();
        w->help_win->hide();
    }

    // A reply that repeats its level sixty thousand times costs one restyle
    // of the buttons and one log line, not one per line.
    void repeated_level_lines_cost_once()
    {
        get_state(good("Level=1\n"));
        struct Style_counter : QObject
        {
            int changes = 0;
            bool eventFilter(QObject *, QEvent *e) override
            {
                changes += e->type() == QEvent::StyleChange;
                return false;
            }
        } counter;
        for (QPushButton *b : {w->ui->orvex_send_btn, w->ui->orvex_slew_btn, w->ui->orvex_stop_btn})
            b->installEventFilter(&counter);
        out.clear();
        get_state(good("User=observer\n" + QByteArray("Level=3\nLevel=5\n").repeated(30000)));
        QCOMPARE(buttons_and_labels().left(3), QStringLiteral("111"));
        QCOMPARE(out.filter(QRegularExpression("^User=")), QStringList("User=observer Level=5"));
        QVERIFY2(counter.changes <= 3, qPrintable(QString::number(counter.changes)));
        QCOMPARE(w->ui->orvex_level_lab->text(), QStringLiteral("User=observer Level=5 "));
    }

    // The level label's tool tip goes with its text after a bad reply (what
    // it shows of a user name is in test_outside_text).
    void level_tool_tip()
    {
        get_state(good("User=observer\nLevel=3\n"));
        QVERIFY(w->ui->orvex_level_lab->toolTip().contains("Level=3"));
        get_state("State=Err\n");
        QCOMPARE(w->ui->orvex_level_lab->toolTip(), QString());
    }

    // A failed users list ends the program; one that takes too long is
    // asked for again a minute later, and the program goes on meanwhile.
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
            QVERIFY(status() == QStringLiteral("No users list in 30 s; retry in 60 s")
                    && w->ui->orvex_user_cb->count() == 0 && w->users_timer->isActive());
    }

    // Silent twice, then a list: the box fills, and nothing closed on the way.
    void users_list_asked_again_until_it_comes()
    {
        delete w;
        Box_closer boxes;
        server.requests.clear();
        server.answers[users_path] = Answer{200, "", true};
        w = make_window(server.host());
        w->show();
        w->users_retry_ms = 50;
        for (int asked = 1; asked <= 2; ++asked) {
            QTRY_COMPARE(sent(users_path).size(), asked);
            if (asked == 2)
                server.answers[users_path] = {200, "observer1 night shift\nguest Guest account\n"};
            Orvex_reply_guard::of(w->users_reply)->timer.start(50);
            QTRY_COMPARE(status(), QStringLiteral("No users list in 30 s; retry in 0.05 s"));
        }
        QTRY_COMPARE(w->ui->orvex_user_cb->count(), 2);
        QCOMPARE(sent(users_path).size(), 3);
        QVERIFY(w->user_choice == QStringLiteral("guest") && status().isEmpty() && !w->users_timer->isActive());
        QVERIFY(boxes.texts.isEmpty() && w->isVisible() && w->sky_win->isVisible() && w->list_win->isVisible());
        QCOMPARE(read_errors().size(), 2);
    }
};

QTEST_MAIN(Test_tcs_window)
#include "test_tcs_window.moc"
