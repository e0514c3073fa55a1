// The TCS client's pure logic: reply parsers, form checks, queries, intervals, masking.
#include "orvex_log.h"
#include "orvex_tcs_command.h"
#include "orvex_state_age.h"
#include "orvex_tcs_host.h"
#include "orvex_tcs_request.h"
#include "orvex_tcs_state.h"
#include "orvex_tcs_users.h"
#include "orvex_text.h"

#include <QtTest>

class Test_tcs_logic : public QObject
{
    Q_OBJECT

private slots:
    // A whole reply: the first line is the status text with '=' blanked; a
    // value is the rest of its line, '=' included; lower-case ra2000 is not RA=.
    void state_keys_and_prefixes()
    {
        const Orvex_state_reply r = parse_state_body("Orvex TCS a=b\nHA=1\nra2000=12:00:00\nTelMode=Track x=1\nState=Ok\n");
        QCOMPARE(r.status_line + '|' + r.tel_mode + '|' + r.ra2000, QStringLiteral("Orvex TCS a b|Track x=1|12:00:00"));
        QVERIFY(r.state_ok && !r.user_seen && r.hour_angle == 3600 && r.ra == 0);
    }

    void state_edge_cases()
    {
        // The last character goes even without a line feed.
        QVERIFY(!parse_state_body("State=Ok").state_ok && !parse_state_body("State= Ok\n").state_ok);
        QVERIFY(parse_state_body("State=Ok  \n").state_ok && !parse_state_body("State=Ok\nState=Err\n").state_ok);
        QCOMPARE(parse_state_body("").status_line + '|' + parse_state_body("Hello\nPermission denied=1\n").status_line,
                 QStringLiteral("State=Err|Permission denied 1"));
        QVERIFY(!parse_state_body("TelFlip=yes\n").tel_flip && parse_state_body("TelFlip=Yes, west\n").tel_flip);
        // Unreadable, infinite or overflowing numbers count 0.
        const Orvex_state_reply r = parse_state_body(
            "Stime=inf\nRA=nan\nDec=1e400\nVHA=12,5\nLevel=99999999999999\nZ=\nA\n"
            "HA=1e306\nVDec=-Infinity\noffHA=NaN\noffDec=+INF\nPA=-nan\n");
        for (double v : {r.sidereal_time, r.ra, r.decl, r.vha, r.zenith, double(r.level), r.hour_angle, r.vdec,
                         r.off_ha, r.off_dec, r.pa})
            QCOMPARE(v, 0.0);
        double a = 1, z = 2;
        QVERIFY(extrapolated_position(20, -10, 2, 100, 200, a, z) && a == 136 && z == 182);
        QVERIFY(!extrapolated_position(1e308, 0, 10, 0, 0, a, z) && a == 136);
        // The last character goes, not its last byte.
        QCOMPARE(parse_state_body("ObjName=Яд").obj_name + parse_state_body("ObjName=x\xF0\x9F\x98\x80").obj_name,
                 QStringLiteral("Яx"));
        QVERIFY(parse_state_body("\xF0\x9F\x98\x80").status_line.isEmpty()); // no half character left
        // A later key leaves what an earlier one set.
        QVERIFY(parse_state_body("State=Ok\nTelMode=Tracking\n").state_ok
                && parse_state_body("TelFlip=Yes\nTCSmode=Simul\n").tel_flip);
    }

    // One line of a reply on its own: the key that takes it and every field
    // it changes (the first key a line starts with wins, case counts).
    void state_keys_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("changed");
        const QList<QPair<const char *, const char *>> rows = {
            {"User=42", "user<42> user_seen"}, {"Userx", "user_seen"}, {"Level=10", "level 10"}, {"Level=x", ""},
            {"Stime=25.5", "stime 5400"}, {"Stime=-25.5", "stime 81000"},
            {"RA=2", "ra 7200"}, {"RA 2", ""}, {"ra2000=12:00:00", "ra2000<12:00:00>"}, {"Dec=-1.5", "decl -5400"},
            {"dec2000=+45:00:00", "dec2000<+45:00:00>"}, {"HA=1", "ha 3600"}, {"VHA=0.5", "vha 0.5"},
            {"offHA=1.25", "off_ha 1.25"}, {"A=20", "azimuth 72000"}, {"Z=2", "zenith 7200"}, {"VDec=-3", "vdec -3"},
            {"offDec=2.5", "off_dec 2.5"}, {"ObjName= M 51 ", "name< M 51>"}, {"PA=12.5", "pa 12.5 pa<12.5>"},
            {"PAUSE=1", "pa 1 pa<1>"}, {"TCSmode=Simul  ", "tcs<Simul>"}, {"TelFlip=Yes", "flip"}, {"TelFlip=yes", ""},
            {"TelMode=Tracking", "tel<Tracking>"}, {"State=Ok", "ok"}, {"state=Ok", ""}, {"Permiss=no", ""}};
        for (const auto &row : rows)
            QTest::newRow(row.first) << QByteArray(row.first) + '\n' << QString(row.second);
    }
    void state_keys()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, changed);
        Orvex_state_reply r;
        apply_state_line(r, line);
        const Orvex_state_reply d;
        QStringList s;
        const auto number = [&s](const char *name, double v, double start) {
            if (v != start)
                s << QString(name) + ' ' + QString::number(v);
        };
        number("level", r.level, d.level), number("stime", r.sidereal_time, d.sidereal_time), number("ra", r.ra, 0);
        number("decl", r.decl, 0), number("ha", r.hour_angle, 0), number("azimuth", r.azimuth, 0);
        number("zenith", r.zenith, 0), number("vha", r.vha, 0), number("vdec", r.vdec, 0);
        number("off_ha", r.off_ha, 0), number("off_dec", r.off_dec, 0), number("pa", r.pa, 0);
        const QList<QPair<const char *, QString>> texts = {
            {"user", r.reply_user}, {"ra2000", r.ra2000}, {"dec2000", r.dec2000}, {"name", r.obj_name},
            {"pa", r.pa_text}, {"tcs", r.tcs_mode}, {"tel", r.tel_mode}};
        for (const auto &t : texts)
            if (!t.second.isEmpty())
                s << t.first + QStringLiteral("<") + t.second + '>';
        const QList<QPair<const char *, bool>> flags = {
            {"user_seen", r.user_seen}, {"flip", r.tel_flip}, {"ok", r.state_ok}};
        for (const auto &f : flags)
            if (f.second)
                s << f.first;
        QCOMPARE(s.join(' '), changed);
    }

    // The TCS's sidereal time in hours, folded into one day: a negative value
    // counts back from midnight and is as valid as any other.
    void stime_folds_into_one_day_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<double>("seconds");
        const std::pair<const char *, double> cases[] = {
            {"-0.5", 23.5 * 3600}, {"25.5", 1.5 * 3600}, {"-1", 23 * 3600}, {"48", 0}, {"-24", 0},
            {"-25.5", 22.5 * 3600}, {"-1e-18", 0}, {"23.75", 23.75 * 3600}, {"inf", 0}, {"x", 0},
        };
        for (const auto &[value, seconds] : cases)
            QTest::newRow(value) << QByteArray(value) << seconds;
        QTest::newRow("1e300") << QByteArray("1e300") << -1.0; // somewhere in the day
    }
    void stime_folds_into_one_day()
    {
        QFETCH(QByteArray, value);
        QFETCH(double, seconds);
        const double t = parse_state_body("Stime=" + value + "\n").sidereal_time;
        QVERIFY2(t >= 0 && t < 86400, qPrintable(QString::number(t)));
        if (seconds >= 0)
            QVERIFY2(std::fabs(t - seconds) < 1e-6, qPrintable(QString::number(t)));
    }

    void reply_texts_for_widgets()
    {
        // Every text a widget gets is cut to display length and blanked of
        // controls; a NUL ends neither the text nor its line.
        const QByteArray big(100000, 'x');
        const Orvex_state_reply r = parse_state_body(big + "\nUser=" + big + "\nObjName=" + big + "\nra2000=" + big
                                                     + "\ndec2000=" + big + "\nPA=" + big + "\nTCSmode=" + big
                                                     + "\nTelMode=Track\x1b[2J\n");
        for (const QString &t : {r.status_line, r.reply_user, r.obj_name, r.ra2000, r.dec2000, r.pa_text, r.tcs_mode})
            QCOMPARE(t.size(), display_max_chars);
        QCOMPARE(r.tel_mode, QStringLiteral("Track [2J"));
        QVERIFY(r.obj_name.endsWith(QChar(0x2026))); // the cut is marked

        Orvex_command_reply c = read_command_reply(big + '\n' + big + "\nState=Ok\n");
        QVERIFY(c.first_line.size() == display_max_chars && c.stat_msg.size() == display_max_chars
                && c.lines.at(0).size() == big.size() + 1); // the log gets it whole
        c = read_command_reply(QByteArray("Done\0\nState=Ok\n", 15));
        QCOMPARE(c.lines, QStringList({QStringLiteral("Done") + QChar(0) + '\n', "State=Ok\n"}));
        QVERIFY(c.first_line == QStringLiteral("Done  ") && c.state_ok);

        const Orvex_users_list u = parse_users_body("guest " + big + '\n' + QByteArray("a\0b c\n", 6));
        QVERIFY(u.items.at(0).startsWith("guest (x") && u.items.at(0).size() <= display_max_chars + 3);
        QCOMPARE(u.items.at(1), QStringLiteral("a (b c)"));
    }

    // A state is old once it has gone two polls without a newer one, and
    // never before 10 s.
    void state_age_rules_data()
    {
        QTest::addColumn<qint64>("age");
        QTest::addColumn<int>("interval");
        QTest::addColumn<bool>("old");
        QTest::newRow("slewing, at 10 s") << qint64(10000) << 1000 << false;
        QTest::newRow("slewing, past 10 s") << qint64(10001) << 1000 << true;
        QTest::newRow("tracking 5 s, at 10 s") << qint64(10000) << 5000 << false;
        QTest::newRow("6 s polls, at 12 s") << qint64(12000) << 6000 << false;
        QTest::newRow("6 s polls, past 12 s") << qint64(12001) << 6000 << true;
        QTest::newRow("15 s polls, 29 s") << qint64(29000) << 15000 << false;
        QTest::newRow("15 s polls, 31 s") << qint64(31000) << 15000 << true;
        QTest::newRow("before the first poll") << qint64(100000) << 60000 << false;
        QTest::newRow("huge interval, no overflow") << qint64(100000) << INT_MAX << false;
    }
    void state_age_rules()
    {
        QFETCH(qint64, age);
        QFETCH(int, interval);
        QFETCH(bool, old);
        QCOMPARE(state_is_old(age, interval), old);
        QVERIFY(!state_is_old(300, 100, 300) && state_is_old(301, 100, 300)); // a shorter floor
    }

    void state_age_texts()
    {
        QCOMPARE(state_age_text(12999), QStringLiteral("last state 12 s ago"));
        QCOMPARE(QStringList({state_age_duration(-5), state_age_duration(119999), state_age_duration(120000),
                              state_age_duration(7199999), state_age_duration(7200000),
                              state_age_duration(std::numeric_limits<qint64>::max())}),
                 QStringList({"0 s", "119 s", "2 min", "119 min", "2 h", "2562047788015 h"}));
    }

    // A position that is no number counts 0 like any other number, but is
    // marked, until a later reply gives that coordinate as a number again.
    void unreadable_positions()
    {
        Orvex_state_reply r;
        for (const char *line : {"RA=1\n", "Dec=nan\n", "HA=\n", "A=inf\n", "Z=1e306\n"})
            apply_state_line(r, line);
        QCOMPARE(r.unreadable_position, unsigned(position_decl | position_ha | position_a | position_z));
        QVERIFY(r.decl == 0 && r.zenith == 0 && r.ra == 3600);
        apply_state_line(r, "Z=-30\n"); // a number, if not a possible one
        apply_state_line(r, "VHA=nan\n");
        apply_state_line(r, "Dec= 45 \n");
        QCOMPARE(r.unreadable_position, unsigned(position_ha | position_a));
        QCOMPARE(r.zenith, -108000.0);
        QCOMPARE(parse_state_body("RA=1e300\nZ=\n").unreadable_position, unsigned(position_z));
    }

    // The exact edges of the interval rule: above 15000, above 2000 while
    // slewing or moving, above 5000 while tracking, rates strictly above
    // 0.01 and 0.1 in either direction.
    void interval_boundaries_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<double>("vha");
        QTest::addColumn<double>("vdec");
        QTest::addColumn<bool>("good");
        QTest::addColumn<int>("next");
        QTest::newRow("15000 kept") << 14800 << "Stop" << 0.0 << 0.0 << true << 15000;
        QTest::newRow("15001 folds") << 14801 << "Stop" << 0.0 << 0.0 << true << 10000;
        QTest::newRow("slew 2000 kept") << 1800 << "Slewing" << 0.0 << 0.0 << true << 2000;
        QTest::newRow("slew 2001") << 1801 << "Slewing" << 0.0 << 0.0 << true << 1000;
        QTest::newRow("track 5000 kept") << 4800 << "Tracking" << 0.0 << 0.0 << true << 5000;
        QTest::newRow("track 5001") << 4801 << "Tracking" << 0.0 << 0.0 << true << 3000;
        QTest::newRow("track ignores rates") << 4000 << "Tracking" << 0.5 << 5.0 << true << 4200;
        QTest::newRow("moving 2000 kept") << 1800 << "Moving" << 0.02 << 0.0 << true << 2000;
        QTest::newRow("moving 2001") << 1801 << "Moving" << 0.0 << -0.2 << true << 1000;
        QTest::newRow("moving east") << 5000 << "Moving" << -0.02 << 0.0 << true << 1000;
        QTest::newRow("moving west") << 5000 << "Moving" << 0.02 << 0.0 << true << 1000;
        QTest::newRow("moving north") << 5000 << "Moving" << 0.0 << 0.5 << true << 1000;
        QTest::newRow("vha 0.01 is still") << 5000 << "Moving" << 0.01 << 0.0 << true << 5200;
        QTest::newRow("vdec -0.1 is still") << 5000 << "Moving" << 0.0 << -0.1 << true << 5200;
        QTest::newRow("rates without Mov") << 5000 << "Stop" << 5.0 << 50.0 << true << 5200;
        QTest::newRow("mode words are case-sensitive") << 5000 << "slewing" << 0.0 << 0.0 << true << 5200;
        QTest::newRow("below 1000 when good") << 600 << "Stop" << 0.0 << 0.0 << true << 1000;
        QTest::newRow("below 1000 when bad") << 600 << "Stop" << 0.0 << 0.0 << false << 800;
    }
    void interval_boundaries()
    {
        QFETCH(int, interval);
        QFETCH(QString, mode);
        QFETCH(double, vha);
        QFETCH(double, vdec);
        QFETCH(bool, good);
        QFETCH(int, next);
        QCOMPARE(next_get_interval(interval, mode, mode, vha, vdec, good), next);
        // A changed mode brings the next poll 1 s later, but only when good.
        QCOMPARE(next_get_interval(interval, mode, "Parked", vha, vdec, good), good ? 1000 : next);
    }

    void level_rules()
    {
        // Level, on the TCS web host, no "local" argument -> Send, Slew/Stop.
        const int rows[][5] = {{1, 0, 0, 0, 0}, {2, 1, 1, 1, 0}, {3, 0, 0, 1, 1}, {3, 1, 1, 1, 0},
                               {3, 1, 0, 1, 1}, {3, 0, 1, 1, 1}, {4, 1, 1, 1, 1}, {5, 1, 1, 1, 1}};
        for (const auto &r : rows) {
            const Orvex_level_buttons b = level_buttons(r[0], r[1], r[2]);
            QCOMPARE(QVector<int>({r[0], r[1], r[2], b.send, b.slew_stop}), QVector<int>(std::begin(r), std::end(r)));
        }
        QCOMPARE(QVector<int>({clamp_level(-5), clamp_level(0), clamp_level(1), clamp_level(2), clamp_level(3),
                              clamp_level(4), clamp_level(5), clamp_level(6), clamp_level(7)}),
                 QVector<int>({1, 1, 1, 2, 3, 4, 5, 5, 5}));
        // The offsets button: above level 2, while slewing or tracking.
        QVERIFY(!offset_button_enabled(2, "Slewing") && offset_button_enabled(3, "Slewing")
                && offset_button_enabled(3, "Tracking") && !offset_button_enabled(5, "Moving")
                && !offset_button_enabled(4, "Stop") && !offset_button_enabled(4, "tracking"));
    }

    void motion_and_colours()
    {
        // The view timer extrapolates only above 1.1 s/s or 10 "/s, and not
        // when stopped or off.
        QVERIFY(!tel_moving_fast("Slewing", 1.1, 10.0) && tel_moving_fast("Slewing", -1.11, 0)
                && tel_moving_fast("Slewing", 0, -10.01) && !tel_moving_fast("Stopping", 5, 50)
                && !tel_moving_fast("Tracking Off", 5, 50) && tel_moving_fast("Moving", 0, 11));
        const QStringList tcs = {"Simulator", "Hardware", "Off", "simul"};
        const QStringList tcs_colours = {"White Pink", "Blue Cyan", "Black Lightgray", "Black Lightgray"};
        for (int i = 0; i < tcs.size(); ++i) {
            const Orvex_colors c = tcs_mode_colors(tcs[i]);
            QCOMPARE(tcs[i] + ' ' + c.text + ' ' + c.back, tcs[i] + ' ' + tcs_colours[i]);
        }
        const QStringList tel = {"Stopped", "Slewing", "Moving", "Tracking", "Parked", "tracking"};
        const QStringList tel_colours = {"Blue Yellow", "White Blue", "Blue LightCyan", "Blue LightGreen",
                                         "Red Yellow", "Red Yellow"};
        for (int i = 0; i < tel.size(); ++i) {
            const Orvex_colors c = tel_mode_colors(tel[i]);
            QCOMPARE(tel[i] + ' ' + c.text + ' ' + c.back, tel[i] + ' ' + tel_colours[i]);
        }
    }

    void form_checks()
    {
        // Text, then whether it passes as R.A., Decl. and epoch.
        for (const char *row : {"12:30:00 110", "12:30 000", "12:30:00.5.5 110", "++10:00:00 010", "-1:2:3 010",
                                "12:30:00x 000", "2000 001", "1950 001", "2099 000", "1949.9 000", "200 000",
                                "2098.9 001", "2e3 000"}) {
            const QString text = QString(row).section(' ', 0, 0);
            QCOMPARE(text + ' ' + QString::number(ra_text_ok(text)) + QString::number(decl_text_ok(text))
                         + QString::number(epoch_text_ok(text)), QString(row));
        }
        QVERIFY(offsets_ok("0.006", "0") && offsets_ok("0", "-0.06"));
        QVERIFY(!offsets_ok("0.004", "0.04") && !offsets_ok("1x", "1") && !offsets_ok("", "1"));
        // Strictly above 0.005 or 0.05, either sign.
        QVERIFY(!offsets_ok("0.005", "0.05") && !offsets_ok("-0.005", "-0.05") && offsets_ok("-0.0051", "0"));
        QVERIFY(!offsets_ok("nan", "1") && !offsets_ok("1", "inf")); // would send it nowhere
    }

    void command_queries_and_replies()
    {
        // Blanks simplified; an implausible epoch is left out without a word.
        const Orvex_command_form f{" M   51 ", " 12:30:00", "+45:00:00 ", "1949.9", "0.004", "0.04"};
        Orvex_query q;
        QCOMPARE(command_query("guest", "pw", "Slew", f, q), Orvex_form_error::none);
        QCOMPARE(q, (Orvex_query{{"User", "guest"}, {"Pass", "pw"}, {"RA", "12:30:00"}, {"Dec", "+45:00:00"},
                                 {"Name", "M 51"}, {"Mess", "from Orvex_Obj_List"}, {"Cmd", "Slew"}}));
        QVERIFY(command_query("guest", "pw", "Corr", f, q) == Orvex_form_error::bad_offsets && q.isEmpty());
        // The keys go out in a fixed order for each command.
        Orvex_command_form full{"M 51", "12:30:00", "+45:00:00", "2000.0", "0.004", "0.06"};
        QCOMPARE(command_query("observer", "pw", "Send", full, q), Orvex_form_error::none);
        QCOMPARE(q, (Orvex_query{{"User", "observer"}, {"Pass", "pw"}, {"RA", "12:30:00"}, {"Dec", "+45:00:00"},
                                 {"Epoch", "2000.0"}, {"Name", "M 51"}, {"Mess", "from Orvex_Obj_List"},
                                 {"Cmd", "Send"}}));
        full.name.clear();
        QCOMPARE(command_query("observer", "pw", "Send", full, q), Orvex_form_error::none);
        QCOMPARE(q.value(5), (QPair<QString, QString>("Mess", "from Orvex_Obj_List")));
        QCOMPARE(command_query("observer", "pw", "Corr", full, q), Orvex_form_error::none);
        QCOMPARE(q, (Orvex_query{{"User", "observer"}, {"Pass", "pw"}, {"offHA", "0.004"}, {"offDec", "0.06"},
                                 {"Cmd", "Corr"}}));
        QCOMPARE(stop_query("observer", "pw", q), Orvex_form_error::none);
        QCOMPARE(q, (Orvex_query{{"User", "observer"}, {"Pass", "pw"}, {"Cmd", "Stop"}}));
        QVERIFY(stop_query("observer", "", q) == Orvex_form_error::empty_password && q.isEmpty());
        // The checks stop at the first failure; the log line quotes the text.
        Orvex_command_form bad{"", " 1:2 ", "+1 2  3", "", "", ""};
        QCOMPARE(command_query("guest", "", "Send", bad, q), Orvex_form_error::empty_password);
        QCOMPARE(command_query("guest", "pw", "Send", bad, q), Orvex_form_error::bad_ra);
        bad.ra = "1:2:3";
        QCOMPARE(command_query("guest", "pw", "Send", bad, q), Orvex_form_error::bad_decl);
        QCOMPARE(form_error_log_line(Orvex_form_error::bad_decl, bad), QStringLiteral("Wrong or Empty Decl. <+1 2 3>"));
        QCOMPARE(QStringList({form_error_message(Orvex_form_error::empty_password),
                              form_error_message(Orvex_form_error::bad_decl),
                              form_error_message(Orvex_form_error::bad_offsets)}),
                 QStringList({"Empty Orvex password!", "Wrong or Empty Decl.", "Wrong or Empty Offsets"}));

        Orvex_command_reply r = read_command_reply("Object sent\nSlewing soon\nmore\nState = Err\n");
        QCOMPARE(r.first_line + '|' + r.stat_msg, QStringLiteral("Object sent |Slewing soon ")); // line feeds blanked
        QVERIFY(r.has_state && !r.state_ok);
        // The first line is never a state line; the last may lack its line feed.
        r = read_command_reply("State=Ok\nfoo\nState=Ok");
        QVERIFY(r.has_state && r.state_ok && !read_command_reply("State=Ok\n").has_state);
    }

    void users_list()
    {
        Orvex_users_list u = parse_users_body("observer1 night  shift\n guest Guest account\nobserver2\n");
        QCOMPARE(u.items, (QStringList{"observer1 (night shift)", "guest (Guest account)", "observer2 ()"}));
        QVERIFY(u.guest_index == 1 && parse_users_body("a\nb\n").guest_index == 0
                && parse_users_body("Guest\nguest1\nguest2 x\n").guest_index == 2);
        // An empty line still makes an item so positions equal line numbers.
        u = parse_users_body("a\n\nguest");
        QVERIFY(u.items == QStringList({"a ()", " ()", "guest ()"}) && u.guest_index == 2);
        QCOMPARE(user_of_item("observer (Night observer)"), QStringLiteral("observer"));
        QCOMPARE(parse_users_body("\nguest\n").items, QStringList({" ()", "guest ()"})); // a leading empty line
    }

    void urls_and_masking()
    {
        // Values arrive as typed, '+', '%' and ';' included.
        const QUrl typed = tcs_url("h:81", orvex::send_path, {{"Dec", "+45:00:00"}, {"Pass", "a+b%41;c"}});
        QCOMPARE(typed.toEncoded(), QByteArray("http://h:81/tcs/otcs_send.cgi?Dec=%2B45:00:00&Pass=a%2Bb%2541%3Bc"));
        // Without pairs, no query at all (not even a "?").
        QCOMPARE(tcs_url("h", orvex::state_path, {}).toEncoded(), QByteArray("http://h/tcs/otcs_get.cgi"));
        const QUrl url = tcs_url("h", orvex::state_path, {{"User", "guest"}, {"Pass", "SECRET x&y"}});
        QCOMPARE(mask_password("Error transferring " + url.toString() + " - server replied: Internal Server Error", url),
                 QStringLiteral("Error transferring http://h/tcs/otcs_get.cgi?User=guest&Pass=***"
                                " - server replied: Internal Server Error"));
        QVERIFY(!mask_password(QString::fromLatin1(url.toEncoded()), url).contains("SECRET")
                && !mask_password(typed.toString(), typed).contains("a+b"));
        QCOMPARE(mask_password("see Pass=abc&Cmd=Stop", QUrl()), QStringLiteral("see Pass=***&Cmd=Stop"));
        const QString t = timeout_error_text(url, 30000);
        QVERIFY(t.contains("within 30 s") && t.contains("Pass=***") && !t.contains("SECRET"));
    }

    // ORVEX_TCS_HOST names where every request, the password with it, goes:
    // only a plain host, a port and a bracketed IPv6 address may be in it.
    void tcs_host_texts_data()
    {
        QTest::addColumn<QByteArray>("env");
        QTest::addColumn<bool>("taken");
        QTest::newRow("host") << QByteArray("tcs.example.org") << true;
        QTest::newRow("host:port") << QByteArray("tcs-1.example.org:8080") << true;
        QTest::newRow("IPv4:port") << QByteArray("127.0.0.1:80") << true;
        QTest::newRow("[IPv6]:port") << QByteArray("[::1]:8080") << true;
        QTest::newRow("[IPv6]") << QByteArray("[fe80::1]") << true;
        QTest::newRow("user part") << QByteArray("name@tcs.example.org") << false;
        QTest::newRow("user and password") << QByteArray("a:b@tcs") << false;
        QTest::newRow("path") << QByteArray("tcs/evil") << false;
        QTest::newRow("fragment") << QByteArray("tcs#x") << false;
        QTest::newRow("query") << QByteArray("tcs?x") << false;
        QTest::newRow("two colons") << QByteArray("tcs:80:x") << false;
        QTest::newRow("empty port") << QByteArray("tcs:") << false;
        QTest::newRow("port 0") << QByteArray("tcs:0") << false;
        QTest::newRow("port too big") << QByteArray("tcs:65536") << false;
        QTest::newRow("signed port") << QByteArray("tcs:+80") << false;
        QTest::newRow("spaces") << QByteArray("tcs example") << false;
        QTest::newRow("leading blank") << QByteArray(" tcs") << false;
        QTest::newRow("control characters") << QByteArray("tcs\x1b[31m\r\n") << false;
        QTest::newRow("scheme") << QByteArray("http://tcs") << false;
        QTest::newRow("bare IPv6") << QByteArray("::1") << false;
        QTest::newRow("IPv6 zone") << QByteArray("[fe80::1%eth0]:80") << false;
        QTest::newRow("bracket junk") << QByteArray("[::1]x") << false;
        QTest::newRow("empty label") << QByteArray("tcs..org") << false;
    }
    void tcs_host_texts()
    {
        QFETCH(QByteArray, env);
        QFETCH(bool, taken);
        qputenv("ORVEX_TCS_HOST", "");
        const QString build_default = default_tcs_host();
        qputenv("ORVEX_TCS_HOST", env);
        QStringList err;
        set_log_capture(nullptr, &err);
        const QString host = tcs_host_at_start();
        set_log_capture(nullptr, nullptr);
        qunsetenv("ORVEX_TCS_HOST");
        QCOMPARE(host, taken ? QString::fromLatin1(env) : build_default);
        QCOMPARE(err.size(), int(!taken));
        if (!taken) {
            QVERIFY2(err[0].startsWith("ORVEX_TCS_HOST \"") && err[0].endsWith("using " + build_default + " instead"),
                     qPrintable(err[0]));
            for (const QChar c : err[0])
                QVERIFY(c >= QLatin1Char(' '));
        }
    }
};

QTEST_GUILESS_MAIN(Test_tcs_logic)
#include "test_tcs_logic.moc"
