// The simulated telescope, users, horizon and request rules, without sockets.
#include "orvex_object.h"
#include "orvex_sidereal.h"
#include "orvex_sim_astro.h"
#include "orvex_sim_faults.h"
#include "orvex_sim_horizon.h"
#include "orvex_sim_service.h"
#include "orvex_sim_telescope.h"
#include "orvex_tcs_state.h"

#include <QtTest>

#include <cmath>

using namespace orvex_sim;

namespace {

// A fixed night: 2025-03-01 22:00 local time.
double night()
{
    return double(QDateTime(QDate(2025, 3, 1), QTime(22, 0), Qt::LocalTime).toSecsSinceEpoch());
}

// An object on the meridian at the given instant, high in the south.
Sky_object meridian_object(double t, double dec_deg)
{
    Sky_object o;
    o.name = "Test star";
    precess(sidereal_time_at(t), dec_deg * 3600.0, epoch_at(t), 2000.0, o.ra2000, o.dec2000);
    return o;
}

QStringList lines(const std::string &body)
{
    return QString::fromStdString(body).split('\n');
}

// Value of the first line that starts with key, as the program reads it.
double number(const std::string &body, const QString &key)
{
    for (const QString &l : lines(body))
        if (l.startsWith(key))
            return l.mid(l.indexOf('=') + 1).toDouble();
    return std::nan("");
}

Query query(std::initializer_list<std::pair<const std::string, std::string>> pairs)
{
    return Query(pairs);
}

} // namespace

class Test_sim_model : public QObject
{
    Q_OBJECT

private slots:
    void sidereal_time_agrees_with_program_clock();
    void horizontal_agrees_with_program();
    void texts_round_without_sixty();
    void precession_round_trip();
    void stopped_telescope_holds_horizontal_place();
    void slew_converges_then_tracks();
    void program_extrapolation_matches_motion();
    void stop_and_offsets();
    void refuses_objects_below_horizon_and_stops_at_it();
    void state_reply_has_every_key();
    void program_parser_reads_replies();
    void permission_and_levels();
    void malformed_commands_say_why();
    void users_file();
    void horizon_lines();
    void faults_and_masking();
};

void Test_sim_model::sidereal_time_agrees_with_program_clock()
{
    const QDateTime t0(QDate(2025, 1, 1), QTime(0, 0), Qt::LocalTime);
    QCOMPARE(sidereal_time_at(double(t0.toSecsSinceEpoch())), 23332.0);
    const QDateTime day(QDate(2025, 1, 2), QTime(0, 0), Qt::LocalTime);
    QVERIFY(std::fabs(sidereal_time_at(double(day.toSecsSinceEpoch())) - 23568.0) < 1.0);
    for (const QDateTime &t : {QDateTime::currentDateTime(),
                               QDateTime(QDate(2025, 7, 14), QTime(3, 17, 41), Qt::LocalTime),
                               QDateTime(QDate(2031, 11, 2), QTime(23, 59, 59), Qt::LocalTime)}) {
        double d = sidereal_time_at(t.toMSecsSinceEpoch() / 1000.0) - sidereal_time_at(t);
        d = wrap_hour_angle(d);
        QVERIFY2(std::fabs(d) < 2.0, qPrintable(t.toString() + " off by " + QString::number(d)));
    }
}

void Test_sim_model::horizontal_agrees_with_program()
{
    for (double ha : {-30000.0, -3600.0, 0.0, 7200.0, 40000.0}) {
        for (double dec : {-100000.0, 0.0, 150000.0, 300000.0}) {
            sidereal_time = 50000.0;
            double a, z;
            equ_to_horizontal(50000.0 - ha, dec, a, z);
            const Horizontal h = equ_to_hor(ha, dec);
            QVERIFY(std::fabs(h.zenith - z) < 0.01);
            QVERIFY(std::fabs(wrap_hour_angle((h.azimuth - a) / 15.0)) < 0.01);
            double back_ha, back_dec;
            hor_to_equ(h.azimuth, h.zenith, back_ha, back_dec);
            QVERIFY(std::fabs(wrap_hour_angle(back_ha - ha)) < 0.01);
            QVERIFY(std::fabs(back_dec - dec) < 0.1);
        }
    }
    // Parallactic angle: 0 south of the zenith on the meridian, 180 north
    // of it, positive in the west.
    QVERIFY(std::fabs(parallactic_angle(0, 0)) < 1e-9);
    QVERIFY(std::fabs(parallactic_angle(0, 80 * 3600.0) - 180.0) < 1e-9);
    QVERIFY(parallactic_angle(3600, 0) > 0 && parallactic_angle(-3600, 0) < 0);
}

void Test_sim_model::texts_round_without_sixty()
{
    QCOMPARE(hms_text(45296.75), std::string("12:34:56.75"));
    QCOMPARE(hms_text(3599.996), std::string("01:00:00.00"));
    QCOMPARE(hms_text(-1.0), std::string("23:59:59.00"));
    QCOMPARE(dms_text(-1800.0), std::string("-00:30:00.0"));
    QCOMPARE(dms_text(3599.96), std::string("+01:00:00.0"));
    // The program's own reader takes them back.
    QCOMPARE(ra_text_to_sec(QString::fromStdString(hms_text(45296.75))), 45296.75);
    QCOMPARE(decl_text_to_arcsec(QString::fromStdString(dms_text(-45015.5))), -45015.5);
}

void Test_sim_model::precession_round_trip()
{
    double ra, dec, back_ra, back_dec;
    precess(0.0, 0.0, 2000.0, 2100.0, ra, dec);
    // About 3.07 s of R.A. and 20.04 arcsec of Decl. per year at 0h, 0 deg.
    QVERIFY(std::fabs(ra - 307.3) < 1.0);
    QVERIFY(std::fabs(dec - 2004.3) < 1.0);
    precess(45000.0, 170000.0, 1950.0, 2000.0, ra, dec);
    precess(ra, dec, 2000.0, 1950.0, back_ra, back_dec);
    QVERIFY(std::fabs(back_ra - 45000.0) < 0.001);
    QVERIFY(std::fabs(back_dec - 170000.0) < 0.01);
}

void Test_sim_model::stopped_telescope_holds_horizontal_place()
{
    const double t = night();
    Orvex_sim_telescope tel(t);
    const Telescope_state a = tel.state(t + 10);
    const Telescope_state b = tel.state(t + 3610);
    QCOMPARE(b.mode_text, std::string("Stop"));
    QCOMPARE(b.azimuth, a.azimuth);
    QCOMPARE(b.zenith, a.zenith);
    QCOMPARE(b.vha, 0.0);
    QCOMPARE(b.vdec, 0.0);
    // The sky turns under it: R.A. follows the sidereal time.
    QVERIFY(std::fabs(wrap_hour_angle(b.ra - a.ra - 3600 * sidereal_ratio)) < 0.01);
    QVERIFY(std::fabs(wrap_hour_angle(b.sidereal - b.ra - b.hour_angle)) < 0.01);
}

void Test_sim_model::slew_converges_then_tracks()
{
    const double t = night();
    Orvex_sim_telescope tel(t);
    Sky_object o = meridian_object(t, 10.0);
    o.ra2000 -= 3 * 3600; // three hours west
    tel.store_object(o, t);
    QCOMPARE(tel.slew(t), std::string());
    const Telescope_state s = tel.state(t + 5);
    QCOMPARE(s.mode_text, std::string("Slew"));
    QVERIFY(std::fabs(s.vha) > 10 && std::fabs(s.vha) * 15 <= Orvex_sim_telescope::max_rate + 16);
    QVERIFY(std::fabs(s.vdec) > 100 && std::fabs(s.vdec) <= Orvex_sim_telescope::max_rate);
    QVERIFY(!s.flip); // a western object: direct position

    // 45 deg in hour angle at 1.5 deg/s: well within two minutes.
    const Telescope_state on = tel.state(t + 120);
    QCOMPARE(on.mode_text, std::string("Track"));
    QVERIFY(std::fabs(on.vha - sidereal_ratio) < 1e-9);
    QCOMPARE(on.vdec, 0.0);
    double ra_date, dec_date;
    precess(o.ra2000, o.dec2000, 2000.0, epoch_at(t + 120), ra_date, dec_date);
    QVERIFY(std::fabs(wrap_hour_angle(on.ra - ra_date)) < 0.1);
    QVERIFY(std::fabs(on.dec - dec_date) < 1.0);

    // Tracking holds R.A./Decl. while the horizontal place moves.
    const Telescope_state later = tel.state(t + 1320);
    QVERIFY(std::fabs(wrap_hour_angle(later.ra - on.ra)) < 0.01);
    QVERIFY(std::fabs(later.dec - on.dec) < 0.01);
    QVERIFY(std::fabs(later.zenith - on.zenith) > 600);
    QCOMPARE(later.object.name, std::string("Test star"));
}

void Test_sim_model::program_extrapolation_matches_motion()
{
    // The program moves its telescope between polls from VHA, VDec and PA;
    // for an eastern (flipped) slew and for tracking, that estimate must
    // follow the model's own motion.
    const double t = night();
    Orvex_sim_telescope tel(t);
    Sky_object o = meridian_object(t, 60.0);
    o.ra2000 += 2 * 3600;
    tel.store_object(o, t);
    QCOMPARE(tel.slew(t), std::string());
    const auto predicted = [](const Telescope_state &s, double &a_rate, double &z_rate) {
        Orvex_object rec;
        rec.decl = s.dec;
        rec.zenith = s.zenith;
        rec.rates_to_horizontal(s.vha, s.flip ? -s.vdec : s.vdec, s.pa, a_rate, z_rate);
    };
    for (double at : {t + 10.0, t + 400.0}) {
        const Telescope_state s = tel.state(at);
        const Telescope_state n = tel.state(at + 0.2);
        QVERIFY(s.flip);
        double a1, z1, a2, z2;
        predicted(s, a1, z1);
        predicted(n, a2, z2);
        const double a_rate = (a1 + a2) / 2, z_rate = (z1 + z2) / 2;
        const double da = (n.azimuth - s.azimuth) / 0.2, dz = (n.zenith - s.zenith) / 0.2;
        QVERIFY2(std::fabs(da - a_rate) < 0.03 * std::fabs(a_rate) + 0.5,
                 qPrintable(QString("A rate %1 vs %2").arg(da).arg(a_rate)));
        QVERIFY2(std::fabs(dz - z_rate) < 0.03 * std::fabs(z_rate) + 0.5,
                 qPrintable(QString("Z rate %1 vs %2").arg(dz).arg(z_rate)));
    }
    QCOMPARE(tel.state(t + 400).mode_text, std::string("Track"));
}

void Test_sim_model::stop_and_offsets()
{
    const double t = night();
    Orvex_sim_telescope tel(t);
    QVERIFY(!tel.correct(10, 10, t).empty()); // nothing to offset while stopped
    tel.store_object(meridian_object(t, 20.0), t);
    QCOMPARE(tel.slew(t), std::string());
    const Telescope_state on = tel.state(t + 60);
    QCOMPARE(on.mode_text, std::string("Track"));

    QVERIFY(!tel.correct(9000, 0, t + 60).empty());
    QCOMPARE(tel.correct(30, -20, t + 60), std::string());
    QCOMPARE(tel.state(t + 60.01).mode_text, std::string("Slew"));
    const Telescope_state off = tel.state(t + 70);
    QCOMPARE(off.mode_text, std::string("Track"));
    QCOMPARE(off.off_ha, 30.0);
    QCOMPARE(off.off_dec, -20.0);
    QVERIFY(std::fabs(off.dec - on.dec + 20) < 0.6);
    QVERIFY(std::fabs(wrap_hour_angle(on.ra - off.ra) * 15 - 30) < 0.6);

    tel.stop(t + 80);
    const Telescope_state a = tel.state(t + 81), b = tel.state(t + 500);
    QCOMPARE(b.mode_text, std::string("Stop"));
    QCOMPARE(b.azimuth, a.azimuth);
    QCOMPARE(b.zenith, a.zenith);
}

void Test_sim_model::refuses_objects_below_horizon_and_stops_at_it()
{
    const double t = night();
    Orvex_sim_telescope tel(t);
    Sky_object low = meridian_object(t, -60.0);
    tel.store_object(low, t);
    QVERIFY(tel.slew(t).find("below the horizon") != std::string::npos);
    QCOMPARE(tel.state(t + 1).mode_text, std::string("Stop"));

    // A star setting in the west: tracked until it sinks, then stopped.
    Sky_object setting = meridian_object(t, 0.0);
    setting.ra2000 -= 5.5 * 3600;
    tel.store_object(setting, t);
    QCOMPARE(tel.slew(t), std::string());
    QCOMPARE(tel.state(t + 200).mode_text, std::string("Track"));
    const Telescope_state s = tel.state(t + 3 * 3600);
    QCOMPARE(s.mode_text, std::string("Stop"));
    QVERIFY(!tel.last_event().empty());
    QVERIFY(s.zenith < 90.5 * 3600);
}

void Test_sim_model::state_reply_has_every_key()
{
    const double t = night();
    Orvex_sim_service service(t);
    const std::string body =
        service.get_state(query({{"User", "observer"}, {"Pass", "starlight"}}), t + 1).body;
    const QStringList l = lines(body);
    // Every key once, each line "key=value", in the order the program's
    // parser is happiest with, and the status text first.
    const QStringList keys = {"User=", "Level=", "Stime=", "RA=", "Dec=", "HA=", "A=", "Z=",
                              "VHA=", "VDec=", "offHA=", "offDec=", "ObjName=", "ra2000=",
                              "dec2000=", "PA=", "TCSmode=", "TelFlip=", "TelMode=", "State="};
    QCOMPARE(l.size(), keys.size() + 2);
    QVERIFY(l.first().startsWith("Orvex-1000"));
    for (int i = 0; i < keys.size(); ++i)
        QVERIFY2(l[i + 1].startsWith(keys[i]), qPrintable(l[i + 1]));
    QCOMPARE(l[keys.size()], QString("State=Ok"));
    QCOMPARE(l.last(), QString()); // ends with a line feed
    QCOMPARE(l[1], QString("User=observer"));
    QCOMPARE(l[2], QString("Level=3"));
    QVERIFY(body.find("TCSmode=Simul\n") != std::string::npos);
    QVERIFY(body.find("TelMode=Stop\n") != std::string::npos);
    // Units: hours and degrees, consistent with each other.
    const double st = number(body, "Stime=") * 3600, ra = number(body, "RA=") * 3600;
    const double ha = number(body, "HA=") * 3600;
    QVERIFY(std::fabs(st - sidereal_time_at(t + 1)) < 0.01);
    QVERIFY(std::fabs(wrap_hour_angle(st - ra - ha)) < 0.01);
    const Horizontal h = equ_to_hor(ha, number(body, "Dec=") * 3600);
    QVERIFY(std::fabs(number(body, "A=") * 3600 - h.azimuth) < 0.1);
    QVERIFY(std::fabs(number(body, "Z=") * 3600 - h.zenith) < 0.1);
}

void Test_sim_model::program_parser_reads_replies()
{
    const double t = night();
    Orvex_sim_service service(t);
    service.send_command(query({{"User", "operator"}, {"Pass", "telescope"}, {"RA", "05:35:17.3"},
                                {"Dec", "-05:23:28"}, {"Name", "M 42"}, {"Cmd", "Slew"}}),
                         t);
    const std::string body =
        service.get_state(query({{"User", "operator"}, {"Pass", "telescope"}}), t + 30).body;
    const Orvex_state_reply r = parse_state_body(QByteArray::fromStdString(body));
    QVERIFY(r.state_ok);
    QVERIFY(r.user_seen);
    QCOMPARE(r.reply_user, QString("operator"));
    QCOMPARE(r.level, 5);
    QCOMPARE(r.obj_name, QString("M 42"));
    QCOMPARE(r.ra2000, QString("05:35:17.30"));
    QCOMPARE(r.dec2000, QString("-05:23:28.0"));
    QCOMPARE(r.tcs_mode, QString("Simul"));
    QVERIFY(r.tel_mode.startsWith("Slew") || r.tel_mode.startsWith("Track"));
    QVERIFY(std::fabs(r.sidereal_time - sidereal_time_at(t + 30)) < 1.0);
    QVERIFY(std::fabs(wrap_hour_angle(r.sidereal_time - r.ra - r.hour_angle)) < 1.0);
    const Horizontal h = equ_to_hor(r.hour_angle, r.decl);
    QVERIFY(std::fabs(h.azimuth - r.azimuth) < 1.0 && std::fabs(h.zenith - r.zenith) < 1.0);

    const Orvex_state_reply denied = parse_state_body(
        QByteArray::fromStdString(service.get_state(query({{"User", "guest"}}), t).body));
    QVERIFY(!denied.state_ok);
    QVERIFY(denied.status_line.startsWith("Permission denied"));
}

void Test_sim_model::permission_and_levels()
{
    const double t = night();
    Orvex_sim_service s(t);
    for (const Query &q : {query({}), query({{"User", "observer"}}),
                           query({{"User", "observer"}, {"Pass", "kzmrp"}}),
                           query({{"User", "nobody"}, {"Pass", "x"}})}) {
        const std::string body = s.get_state(q, t).body;
        QVERIFY2(body.rfind("Permiss", 0) == 0, body.c_str());
        QVERIFY(body.find("State=Ok") == std::string::npos);
        QVERIFY(body.find("State=Err\n") != std::string::npos);
        QVERIFY(body.find("User=") == std::string::npos);
    }
    const auto send = [&](const std::string &user, const std::string &pass, const std::string &cmd) {
        return s.send_command(query({{"User", user}, {"Pass", pass}, {"RA", "12:30:00"},
                                     {"Dec", "+45:00:00"}, {"Name", "M 51"}, {"Cmd", cmd}}),
                              t + 1)
            .body;
    };
    const auto ok = [](const std::string &body) { return lines(body).value(1) == "State=Ok"; };
    QVERIFY(!ok(send("guest", "kzmrp", "Send")));
    QVERIFY(send("guest", "kzmrp", "Send").find("needs level 2") != std::string::npos);
    QVERIFY(!ok(send("guest", "kzmrp", "Stop")));
    QVERIFY(!ok(send("observer", "wrong", "Send")));
    QVERIFY(send("observer", "wrong", "Send").rfind("Permiss", 0) == 0);

    s.users().add({"helper", "pw", 2, ""});
    QVERIFY(ok(send("helper", "pw", "Send")));
    QVERIFY(send("helper", "pw", "Slew").find("needs level 3") != std::string::npos);
    QVERIFY(!ok(send("helper", "pw", "Corr")));
    QVERIFY(ok(send("observer", "starlight", "Slew")));
    QVERIFY(ok(send("operator", "telescope", "Stop")));
    QCOMPARE(lines(send("operator", "telescope", "Stop")).size(), 3);
    const std::string state = s.get_state(query({{"User", "guest"}, {"Pass", "kzmrp"}}), t + 2).body;
    QVERIFY(state.find("ObjName=M 51\n") != std::string::npos);
    QVERIFY(state.find("ra2000=12:30:00.00\ndec2000=+45:00:00.0\n") != std::string::npos);
}

void Test_sim_model::malformed_commands_say_why()
{
    const double t = night();
    Orvex_sim_service s(t);
    const auto reply = [&](Query q) {
        q.insert({"User", "operator"});
        q.insert({"Pass", "telescope"});
        return lines(s.send_command(q, t).body);
    };
    struct Case {
        Query q;
        const char *why;
    };
    const Case cases[] = {
        {query({}), "No command"},
        {query({{"Cmd", "Park"}}), "Unknown command <Park>"},
        {query({{"Cmd", "Send"}}), "needs both RA and Dec"},
        {query({{"Cmd", "Send"}, {"RA", "12:30"}, {"Dec", "+10:00:00"}}), "Bad RA <12:30>"},
        {query({{"Cmd", "Send"}, {"RA", "12:30:00.5.5"}, {"Dec", "+10:00:00"}}), "Bad RA"},
        {query({{"Cmd", "Send"}, {"RA", "24:00:00"}, {"Dec", "+10:00:00"}}), "out of range"},
        {query({{"Cmd", "Send"}, {"RA", "12:30:00"}, {"Dec", "++10:00:00"}}), "Bad Dec"},
        {query({{"Cmd", "Send"}, {"RA", "12:30:00"}, {"Dec", "-91:00:00"}}), "out of range"},
        {query({{"Cmd", "Send"}, {"RA", "1:2:3"}, {"Dec", "1:2:3"}, {"Epoch", "19x0"}}), "Bad Epoch"},
        {query({{"Cmd", "Slew"}}), "No object"},
        {query({{"Cmd", "Corr"}, {"offHA", "1"}}), "needs both offHA and offDec"},
        {query({{"Cmd", "Corr"}, {"offHA", "1"}, {"offDec", "x"}}), "Bad offsets"},
    };
    for (const Case &c : cases) {
        const QStringList l = reply(c.q);
        QVERIFY2(l.value(0).contains(c.why), qPrintable(l.value(0)));
        QCOMPARE(l.value(1), QString("State=Err"));
    }
    // What the program's form check lets through and the TCS can read.
    for (const char *dec : {"10:00:00", "-1:2:3", "+89:59:59.9"})
        QCOMPARE(reply(query({{"Cmd", "Send"}, {"RA", "1:2:3"}, {"Dec", dec}})).value(1),
                 QString("State=Ok"));
    // Values echoed into a reply cannot forge lines of it.
    QCOMPARE(reply(query({{"Cmd", "Send"}, {"RA", "1\nState=Ok"}, {"Dec", "1:2:3"}})).value(1),
             QString("State=Err"));
    QVERIFY(reply(query({{"Cmd", "Send"}, {"RA", "1:2:3"}, {"Dec", "1:2:3"}, {"Name", "a\nState=Err"}}))
                .value(1) == "State=Ok");
    const std::string forged = s.get_state(query({{"User", "x\nState=Ok"}, {"Pass", "y"}}), t).body;
    QCOMPARE(forged, std::string("Permission denied for user x State=Ok\nState=Err\n"));
    const std::string named = s.get_state(query({{"User", "guest"}, {"Pass", "kzmrp"}}), t).body;
    QVERIFY(named.find("\nObjName=a State=Err\n") != std::string::npos);

    double v;
    std::string why;
    QVERIFY(parse_dec("-00:30:00", v, why) && v == -1800.0);
    QVERIFY(parse_ra("12:30:00.5", v, why) && v == 45000.5);
}

void Test_sim_model::users_file()
{
    Orvex_sim_users u;
    std::string error;
    QVERIFY(u.load_text("# night crew\n\nann secret 4 Ann the astronomer\r\nguest newpass 2\n", error));
    QVERIFY(u.authenticate("ann", "secret") && u.authenticate("ann", "secret")->level == 4);
    QVERIFY(!u.authenticate("guest", "kzmrp"));
    QVERIFY(u.authenticate("guest", "newpass"));
    QCOMPARE(u.list_body(), std::string("guest\nobserver Night observer\noperator Telescope operator\n"
                                        "ann Ann the astronomer\n"));
    for (const char *bad : {"bob pw\n", "bob pw 6\n", "bob pw 3x\n"}) {
        QVERIFY(!u.load_text(bad, error));
        QVERIFY(error.find("line 1") != std::string::npos);
    }
    QVERIFY(!u.load_text("carl pw 3\nbob\n", error));
    QVERIFY(!u.authenticate("carl", "pw")); // all or nothing
    QVERIFY(!u.load_file("/nonexistent/users", error));
}

void Test_sim_model::horizon_lines()
{
    Orvex_sim_service s(night());
    QCOMPARE(s.horizon(query({{"sky", ""}})).status, 400);
    const QStringList dir = lines(s.horizon(query({{"dir", ""}})).body);
    const QStringList rev = lines(s.horizon(query({{"rev", ""}})).body);
    QCOMPARE(dir.size(), 362);
    QCOMPARE(rev.size(), 362);
    QVERIFY(dir[0].startsWith("# direct"));
    QVERIFY(rev[0].startsWith("# reverse"));
    QVERIFY(!rev[0].contains("direct")); // the reader would take it for direct
    int differ = 0;
    for (int i = 1; i <= 360; ++i) {
        const QStringList f = dir[i].split(' ');
        QCOMPARE(f.size(), 2);
        QCOMPARE(f[0].toInt(), i - 1);
        const double alt = f[1].toDouble();
        QVERIFY(alt >= 0.0 && alt < 20.0);
        QCOMPARE(rev[i].split(' ')[0], f[0]);
        QVERIFY(rev[i].split(' ')[1].toDouble() >= alt);
        differ += rev[i] != dir[i];
    }
    QVERIFY(differ > 30);
    // A skyline, not a flat line.
    QVERIFY(skyline_altitude(112, true) - skyline_altitude(20, true) > 5);
}

void Test_sim_model::faults_and_masking()
{
    Orvex_sim_faults f;
    std::string error;
    QVERIFY(f.set_from_option("get:status:500", error));
    QVERIFY(f.set_from_option("send:delay:40000", error));
    QVERIFY(f.set_from_option("horizon:nolf", error));
    QCOMPARE(f.describe(), std::string("get:status:500 send:delay:40000 horizon:nolf"));
    QCOMPARE(int(f.get(Script::get).kind), int(Fault_kind::status));
    QCOMPARE(f.get(Script::send).arg, 40000);
    for (const char *bad : {"get", "get:status", "get:status:200", "get:delay:-1", "got:drop",
                            "get:drop:1", "get:explode"})
        QVERIFY2(!f.set_from_option(bad, error), bad);
    QVERIFY(f.set("get", "none", "", error));
    QCOMPARE(int(f.get(Script::get).kind), int(Fault_kind::none));
    f.clear_all();
    QCOMPARE(f.describe(), std::string("none"));

    QCOMPARE(mask_password("/tcs/otcs_get.cgi?User=guest&Pass=kzmrp"),
             std::string("/tcs/otcs_get.cgi?User=guest&Pass=***"));
    QCOMPARE(mask_password("/tcs/otcs_send.cgi?Pass=a%26b&Cmd=Stop&XPass=1"),
             std::string("/tcs/otcs_send.cgi?Pass=***&Cmd=Stop&XPass=1"));
    QCOMPARE(mask_password("/tcs/orvex_users_all.cgi"), std::string("/tcs/orvex_users_all.cgi"));
}

QTEST_GUILESS_MAIN(Test_sim_model)
#include "test_sim_model.moc"
