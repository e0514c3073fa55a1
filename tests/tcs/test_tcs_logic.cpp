// The TCS client's pure logic: reply parsers, form checks, queries,
// interval choice, level table and password masking.
#include "orvex_tcs_command.h"
#include "orvex_tcs_request.h"
#include "orvex_tcs_state.h"
#include "orvex_tcs_users.h"

#include <QUrlQuery>
#include <QtTest>

class Test_tcs_logic : public QObject
{
    Q_OBJECT

private slots:
    void state_keys_in_table_order();
    void state_edge_cases();
    void state_status_line();
    void state_numbers_never_explode();
    void interval_sequences();
    void level_table_data();
    void level_table();
    void form_checks_data();
    void form_checks();
    void command_queries();
    void command_reply();
    void users_list();
    void urls_and_masking();
    void reply_lines();
};

void Test_tcs_logic::state_keys_in_table_order()
{
    const Orvex_state_reply r = parse_state_body(
        "Orvex TCS\nUser=observer\nLevel=3\nStime=1.5\nRA=2\nDec=-10.5\nHA=1\nA=20\nZ=30\n"
        "VHA=0.5\nVDec=-2\noffHA=1.25\noffDec=-3.5\nObjName= M 51 \nra2000=12:00:00\n"
        "dec2000=+45:00:00\nPA=12.5\nTCSmode=Simul\nTelFlip=Yes\nTelMode=Track x=1\nState=Ok\n");
    QCOMPARE(r.reply_user, QStringLiteral("observer"));
    QVERIFY(r.user_seen);
    QCOMPARE(r.level, 3);
    QCOMPARE(r.sidereal_time, 5400.0);
    QCOMPARE(r.ra, 7200.0);
    QCOMPARE(r.decl, -37800.0);
    QCOMPARE(r.hour_angle, 3600.0);
    QCOMPARE(r.azimuth, 72000.0);
    QCOMPARE(r.zenith, 108000.0);
    QCOMPARE(r.vha, 0.5);
    QCOMPARE(r.vdec, -2.0);
    QCOMPARE(r.off_ha, 1.25);
    QCOMPARE(r.off_dec, -3.5);
    // Trimmed line, then everything after the first "=".
    QCOMPARE(r.obj_name, QStringLiteral(" M 51"));
    QCOMPARE(r.ra2000, QStringLiteral("12:00:00"));
    QCOMPARE(r.dec2000, QStringLiteral("+45:00:00"));
    QCOMPARE(r.pa, 12.5);
    QCOMPARE(r.tcs_mode, QStringLiteral("Simul"));
    QVERIFY(r.tel_flip);
    QCOMPARE(r.tel_mode, QStringLiteral("Track x=1"));
    QVERIFY(r.state_ok);

    // Shared prefixes: offHA/VHA are not HA, PAUSE is PA, lower-case ra2000
    // is not RA=.
    Orvex_state_reply p;
    QCOMPARE(apply_state_line(p, "offHA=5\n"), Orvex_state_key::off_ha);
    QCOMPARE(apply_state_line(p, "VHA=5\n"), Orvex_state_key::vha);
    QCOMPARE(p.hour_angle, 0.0);
    QCOMPARE(apply_state_line(p, "PAUSE=1\n"), Orvex_state_key::pa);
    QCOMPARE(p.pa_text, QStringLiteral("1"));
    QCOMPARE(p.pa, 1.0);
    QCOMPARE(apply_state_line(p, "ra2000=1\n"), Orvex_state_key::ra2000);
    QCOMPARE(p.ra, 0.0);
    QCOMPARE(apply_state_line(p, "Azimuth=1\n"), Orvex_state_key::none);
    QCOMPARE(apply_state_line(p, "state=Ok\n"), Orvex_state_key::none);
    QVERIFY(!p.state_ok);
}

void Test_tcs_logic::state_edge_cases()
{
    Orvex_state_reply r = parse_state_body("State=Ok\n");
    QVERIFY(r.state_ok);
    QVERIFY(!r.user_seen);

    // The last character goes even without a line feed.
    QVERIFY(!parse_state_body("State=Ok").state_ok);
    QVERIFY(!parse_state_body("State= Ok\n").state_ok);
    QVERIFY(parse_state_body("  State=Ok  \n").state_ok == false); // does not start with State
    QVERIFY(parse_state_body("State=Ok  \n").state_ok);

    QCOMPARE(parse_state_body("Level=7\n").level, 7);
    QCOMPARE(parse_state_body("Level=x\n").level, 0);
    QCOMPARE(clamp_level(7), 5);
    QCOMPARE(clamp_level(0), 1);
    QCOMPARE(clamp_level(-3), 1);
    QCOMPARE(clamp_level(4), 4);

    QCOMPARE(parse_state_body("Stime=25.5\n").sidereal_time, 5400.0);
    QCOMPARE(parse_state_body("Stime=-1\n").sidereal_time, -3600.0);
    QCOMPARE(parse_state_body("Stime=48\n").sidereal_time, 0.0);

    QVERIFY(!parse_state_body("TelFlip=yes\n").tel_flip);
    QVERIFY(parse_state_body("TelFlip=Yes, west\n").tel_flip);

    // A later line overrides an earlier one.
    QVERIFY(!parse_state_body("State=Ok\nState=Err\n").state_ok);
}

void Test_tcs_logic::state_status_line()
{
    QCOMPARE(parse_state_body("").status_line, QStringLiteral("State=Err"));
    QCOMPARE(parse_state_body("Permiss=no\nState=Err\n").status_line, QStringLiteral("Permiss no"));
    QCOMPARE(parse_state_body("TCS a=b=c\nState=Ok\n").status_line, QStringLiteral("TCS a b c"));
    // A later Permiss line replaces the first line.
    QCOMPARE(parse_state_body("Hello\nUser=x\nPermission denied=1\n").status_line,
             QStringLiteral("Permission denied 1"));
}

void Test_tcs_logic::state_numbers_never_explode()
{
    const Orvex_state_reply r = parse_state_body(
        "Stime=inf\nRA=nan\nDec=1e400\nVHA=12,5\nLevel=99999999999999\nZ=\nA\n");
    QCOMPARE(r.sidereal_time, 0.0);
    QCOMPARE(r.ra, 0.0);
    QCOMPARE(r.decl, 0.0);
    QCOMPARE(r.vha, 0.0);
    QCOMPARE(r.level, 0);
    QCOMPARE(r.zenith, 0.0);
    QVERIFY(std::fabs(parse_state_body("Stime=1e300\n").sidereal_time) < 86400.0);
    // Arbitrary bytes, NULs and broken UTF-8 are only text.
    const QByteArray junk("\0\xff\xfeState=Ok\n\n\n\xc3", 14);
    QVERIFY(!parse_state_body(junk).state_ok);
}

void Test_tcs_logic::interval_sequences()
{
    // Tracking, mode unchanged: 3000, 3200, ..., 5000, then 3000 again.
    int i = 3000;
    QList<int> seen{i};
    for (int k = 0; k < 11; ++k)
        seen.append(i = next_get_interval(i, "Tracking", "Tracking", 0, 0, true));
    QCOMPARE(seen.mid(0, 3), (QList<int>{3000, 3200, 3400}));
    QCOMPARE(seen.at(10), 5000);
    QCOMPARE(seen.at(11), 3000);

    // Slewing cycles between 1 s and 2 s.
    QCOMPARE(next_get_interval(1800, "Slew", "Slew", 0, 0, true), 2000);
    QCOMPARE(next_get_interval(2000, "Slew", "Slew", 0, 0, true), 1000);
    // Idle: climbs and falls back from 15 s to 10 s.
    QCOMPARE(next_get_interval(14800, "Stop", "Stop", 0, 0, true), 15000);
    QCOMPARE(next_get_interval(15000, "Stop", "Stop", 0, 0, true), 10000);
    // Moving fast on its own rates.
    QCOMPARE(next_get_interval(5000, "Moving", "Moving", 0.02, 0, true), 1000);
    QCOMPARE(next_get_interval(5000, "Moving", "Moving", 0.005, 0.05, true), 5200);
    // A changed mode brings the next poll 1 s later, but only when good.
    QCOMPARE(next_get_interval(8000, "Stop", "Track", 0, 0, true), 1000);
    QCOMPARE(next_get_interval(8000, "Unknown", "Track", 0, 0, false), 8200);
    QCOMPARE(next_get_interval(500, "Stop", "Stop", 0, 0, true), 1000);
}

void Test_tcs_logic::level_table_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("on_host");
    QTest::addColumn<bool>("not_local");
    QTest::addColumn<bool>("send");
    QTest::addColumn<bool>("slew_stop");
    QTest::newRow("1") << 1 << false << false << false << false;
    QTest::newRow("2") << 2 << false << false << true << false;
    QTest::newRow("3 elsewhere") << 3 << false << false << true << true;
    QTest::newRow("3 on host") << 3 << true << true << true << false;
    QTest::newRow("3 on host local") << 3 << true << false << true << true;
    QTest::newRow("4 on host") << 4 << true << true << true << true;
    QTest::newRow("5") << 5 << false << false << true << true;
}

void Test_tcs_logic::level_table()
{
    QFETCH(int, level);
    QFETCH(bool, on_host);
    QFETCH(bool, not_local);
    const Orvex_level_buttons b = level_buttons(level, on_host, not_local);
    QTEST(b.send, "send");
    QTEST(b.slew_stop, "slew_stop");
}

void Test_tcs_logic::form_checks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ra");
    QTest::addColumn<bool>("decl");
    QTest::addColumn<bool>("epoch");
    QTest::newRow("hms") << "12:30:00" << true << true << false;
    QTest::newRow("two fields") << "12:30" << false << false << false;
    QTest::newRow("points") << "12:30:00.5.5" << true << true << false;
    QTest::newRow("plus") << "+10:00:00" << false << true << false;
    QTest::newRow("double plus") << "++10:00:00" << false << true << false;
    QTest::newRow("minus short") << "-1:2:3" << false << true << false;
    QTest::newRow("blanks") << "12 30 00" << false << false << false;
    QTest::newRow("trailing") << "12:30:00x" << false << false << false;
    QTest::newRow("empty") << "" << false << false << false;
    QTest::newRow("2000.0") << "2000.0" << false << false << true;
    QTest::newRow("2000") << "2000" << false << false << true;
    QTest::newRow("1950") << "1950" << false << false << true;
    QTest::newRow("2099") << "2099" << false << false << false;
    QTest::newRow("1949.9") << "1949.9" << false << false << false;
    QTest::newRow("200") << "200" << false << false << false;
    QTest::newRow("J2000") << "J2000" << false << false << false;
}

void Test_tcs_logic::form_checks()
{
    QFETCH(QString, text);
    QTEST(ra_text_ok(text), "ra");
    QTEST(decl_text_ok(text), "decl");
    QTEST(epoch_text_ok(text), "epoch");
}

void Test_tcs_logic::command_queries()
{
    Orvex_command_form f{" M   51 ", " 12:30:00", "+45:00:00 ", "2000.0", "0.0", "0.0"};
    Orvex_query q;
    QCOMPARE(command_query("guest", "pw", "Send", f, q), Orvex_form_error::none);
    QCOMPARE(q, (Orvex_query{{"User", "guest"}, {"Pass", "pw"}, {"RA", "12:30:00"},
                             {"Dec", "+45:00:00"}, {"Epoch", "2000.0"}, {"Name", "M 51"},
                             {"Mess", "from Orvex_Obj_List"}, {"Cmd", "Send"}}));

    f.name.clear();
    f.epoch = "1949.9";
    QCOMPARE(command_query("guest", "pw", "Slew", f, q), Orvex_form_error::none);
    QCOMPARE(q.size(), 6);
    QCOMPARE(q.last(), (QPair<QString, QString>("Cmd", "Slew")));

    // Order of checks: password, R.A., Decl.
    f.ra = "12:30";
    f.decl = "x";
    QCOMPARE(command_query("guest", "", "Send", f, q), Orvex_form_error::empty_password);
    QVERIFY(q.isEmpty());
    QCOMPARE(command_query("guest", "pw", "Send", f, q), Orvex_form_error::bad_ra);
    QCOMPARE(form_error_log_line(Orvex_form_error::bad_ra, f), QStringLiteral("Wrong or Empty R.A. <12:30>"));
    f.ra = "1:2:3";
    QCOMPARE(command_query("guest", "pw", "Send", f, q), Orvex_form_error::bad_decl);
    QCOMPARE(form_error_log_line(Orvex_form_error::bad_decl, f), QStringLiteral("Wrong or Empty Decl. <x>"));

    // Offsets: "Corr" ignores the object fields.
    f.off_ha = "0.004";
    f.off_dec = "0.04";
    QCOMPARE(command_query("guest", "pw", "Corr", f, q), Orvex_form_error::bad_offsets);
    f.off_dec = " 0.06";
    QCOMPARE(command_query("guest", "pw", "Corr", f, q), Orvex_form_error::none);
    QCOMPARE(q, (Orvex_query{{"User", "guest"}, {"Pass", "pw"}, {"offHA", "0.004"},
                             {"offDec", "0.06"}, {"Cmd", "Corr"}}));
    QVERIFY(!offsets_ok("", "1"));
    QVERIFY(!offsets_ok("1x", "1"));
    QVERIFY(!offsets_ok("nan", "1"));
    QVERIFY(!offsets_ok("1", "inf"));
    QVERIFY(offsets_ok("-0.01", "0"));

    QCOMPARE(stop_query("u", "p", q), Orvex_form_error::none);
    QCOMPARE(q, (Orvex_query{{"User", "u"}, {"Pass", "p"}, {"Cmd", "Stop"}}));
    QCOMPARE(stop_query("u", "", q), Orvex_form_error::empty_password);
}

void Test_tcs_logic::command_reply()
{
    Orvex_command_reply r = read_command_reply("Done\nState=Ok\n");
    QCOMPARE(r.first_line, QStringLiteral("Done\n"));
    QVERIFY(r.stat_msg.isEmpty());
    QVERIFY(r.has_state && r.state_ok);

    r = read_command_reply("Object sent\nSlewing soon\nmore\nState = Err\n");
    QCOMPARE(r.stat_msg, QStringLiteral("Slewing soon\n"));
    QVERIFY(r.has_state && !r.state_ok);
    QCOMPARE(r.lines.size(), 4);

    // The first line is never a state line; the last one may lack its
    // line feed.
    r = read_command_reply("State=Ok\nfoo\nState=Ok");
    QVERIFY(r.has_state && r.state_ok);
    QCOMPARE(r.first_line, QStringLiteral("State=Ok\n"));
    QVERIFY(!read_command_reply("State=Ok\n").has_state);
    QVERIFY(read_command_reply("").lines.isEmpty());
}

void Test_tcs_logic::users_list()
{
    Orvex_users_list u = parse_users_body("observer1 night  shift\n guest Guest account\nobserver2\n");
    QCOMPARE(u.items, (QStringList{"observer1 (night shift)", "guest (Guest account)", "observer2 ()"}));
    QCOMPARE(u.guest_index, 1);

    QCOMPARE(parse_users_body("a\nb\n").guest_index, 0);
    QCOMPARE(parse_users_body("Guest\nb\nguest2 x\n").guest_index, 2);
    QCOMPARE(parse_users_body("guest\nguest2\n").guest_index, 1);
    // An empty line still makes an item so positions equal line numbers.
    u = parse_users_body("a\n\nguest");
    QCOMPARE(u.items, (QStringList{"a ()", " ()", "guest ()"}));
    QCOMPARE(u.guest_index, 2);
    QVERIFY(parse_users_body("").items.isEmpty());

    QCOMPARE(user_of_item("observer (Night observer)"), QStringLiteral("observer"));
    QCOMPARE(user_of_item(" ()"), QStringLiteral("()"));
    QCOMPARE(user_of_item(""), QString());
}

void Test_tcs_logic::urls_and_masking()
{
    QCOMPARE(tcs_url("h:81", orvex::users_path, {}).toString(),
             QStringLiteral("http://h:81/tcs/orvex_users_all.cgi"));
    const QUrl url = tcs_url("h", orvex::state_path, {{"User", "guest"}, {"Pass", "SECRET x&y"}});
    QCOMPARE(QUrlQuery(url).queryItemValue("Pass"), QStringLiteral("SECRET x&y"));
    // Values arrive as typed, '+' and '%' included.
    const QUrl typed = tcs_url("h", orvex::send_path, {{"Dec", "+45:00:00"}, {"Pass", "a+b%41"}});
    QCOMPARE(typed.toEncoded(), QByteArray("http://h/tcs/otcs_send.cgi?Dec=%2B45:00:00&Pass=a%2Bb%2541"));
    QCOMPARE(QUrlQuery(typed).queryItemValue("Pass", QUrl::FullyDecoded), QStringLiteral("a+b%41"));
    QVERIFY(!mask_password("x " + typed.toString() + " y", typed).contains("a+b"));

    const QString qt_text = "Error transferring " + url.toString() + " - server replied: Internal Server Error";
    const QString masked = mask_password(qt_text, url);
    QVERIFY2(!masked.contains("SECRET") && !masked.contains("x&y") && !masked.contains("x%26y"),
             qPrintable(masked));
    QCOMPARE(masked, QStringLiteral("Error transferring http://h/tcs/otcs_get.cgi?User=guest&Pass=***"
                                    " - server replied: Internal Server Error"));
    // Encoded forms and stray copies of the key are masked too.
    QVERIFY(!mask_password(QString::fromLatin1(url.toEncoded()), url).contains("SECRET"));
    QCOMPARE(mask_password("see Pass=abc&Cmd=Stop", QUrl()), QStringLiteral("see Pass=***&Cmd=Stop"));
    QCOMPARE(mask_password("Connection refused", url), QStringLiteral("Connection refused"));

    const QString t = timeout_error_text(url, 30000);
    QVERIFY(t.contains("within 30 s") && t.contains("Pass=***") && !t.contains("SECRET"));
}

void Test_tcs_logic::reply_lines()
{
    QCOMPARE(split_reply_lines(""), QList<QByteArray>());
    QCOMPARE(split_reply_lines("a\n\nb"), (QList<QByteArray>{"a\n", "\n", "b"}));
    QCOMPARE(split_reply_lines("a\r\n"), (QList<QByteArray>{"a\r\n"}));
}

QTEST_GUILESS_MAIN(Test_tcs_logic)
#include "test_tcs_logic.moc"
