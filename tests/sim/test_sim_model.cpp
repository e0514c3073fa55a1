// The simulated telescope, users, horizon and command rules, without sockets.
#include "orvex_object.h"
#include "orvex_sidereal.h"
#include "orvex_sim_astro.h"
#include "orvex_sim_faults.h"
#include "orvex_sim_service.h"
#include "orvex_sim_telescope.h"

#include <QtTest>
#include <cmath>

using namespace orvex_sim;

namespace {

// A fixed night: 2025-03-01 22:00 local time.
const double night = double(QDateTime(QDate(2025, 3, 1), QTime(22, 0), Qt::LocalTime).toSecsSinceEpoch());

// An object on the meridian at the given instant.
Sky_object meridian_object(double t, double dec_deg)
{
    Sky_object o{"Test star", 0, 0};
    precess(sidereal_time_at(t), dec_deg * 3600.0, epoch_at(t), 2000.0, o.ra2000, o.dec2000);
    return o;
}

QStringList lines(const std::string &body) { return QString::fromStdString(body).split('\n'); }
bool near(double a, double b, double tol) { return std::fabs(a - b) < tol; }
bool near_ha(double a, double b, double tol) { return std::fabs(wrap_hour_angle(a - b)) < tol; }

} // namespace

class Test_sim_model : public QObject
{
    Q_OBJECT

private slots:
    void astronomy_agrees_with_program()
    {
        // The sidereal clock and horizontal places agree with the program's own, and go back.
        for (const QDateTime &t : {QDateTime::currentDateTime(), QDateTime(QDate(2031, 11, 2), QTime(23, 59, 59))})
            QVERIFY(near_ha(sidereal_time_at(t.toMSecsSinceEpoch() / 1000.0), sidereal_time_at(t), 2.0));
        sidereal_time = 50000.0;
        for (double ha : {-30000.0, -3600.0, 0.0, 7200.0, 40000.0})
            for (double dec : {-100000.0, 0.0, 150000.0, 300000.0}) {
                double a, z, back_ha, back_dec;
                equ_to_horizontal(50000.0 - ha, dec, a, z);
                const Horizontal h = equ_to_hor(ha, dec);
                hor_to_equ(h.azimuth, h.zenith, back_ha, back_dec);
                QVERIFY(near(h.zenith, z, 0.01) && near_ha(h.azimuth / 15.0, a / 15.0, 0.01)
                        && near_ha(back_ha, ha, 0.01) && near(back_dec, dec, 0.1));
            }
        // Parallactic angle: 180 north of the zenith on the meridian, positive in the west.
        QVERIFY(near(parallactic_angle(0, 80 * 3600.0), 180.0, 1e-9) && parallactic_angle(3600, 0) > 0);
        // A century: at 0h, 0 deg 3.07 s of R.A. and 20.04" of Decl. a year; at 6h, +60 deg 5.4 s and
        // almost no Decl.; and back again.
        double ra, dec, ra6, dec6, back_ra, back_dec;
        precess(0.0, 0.0, 2000.0, 2100.0, ra, dec);
        precess(6 * 3600.0, 60 * 3600.0, 2000.0, 2100.0, ra6, dec6);
        precess(ra6, dec6, 2100.0, 2000.0, back_ra, back_dec);
        QVERIFY(near(ra, 307.3, 1.0) && near(dec, 2004.3, 1.0) && near(ra6, 21600 + 538.9, 1.0));
        QVERIFY(near(dec6, 216000 - 39.3, 1.0) && near(back_ra, 21600, 0.01) && near(back_dec, 216000, 0.01));
        // Texts round without a 60 and the program's reader takes them back.
        QCOMPARE(hms_text(3599.996) + " " + hms_text(-1.0), std::string("01:00:00.00 23:59:59.00"));
        QCOMPARE(dms_text(-1800.0) + " " + dms_text(3599.96), std::string("-00:30:00.0 +01:00:00.0"));
        QCOMPARE(ra_text_to_sec(QString::fromStdString(hms_text(45296.75))), 45296.75);
        QCOMPARE(decl_text_to_arcsec(QString::fromStdString(dms_text(-45015.5))), -45015.5);
    }

    void slew_track_offset_stop()
    {
        Orvex_sim_telescope tel(night);
        QVERIFY(!tel.correct(10, 10, night).empty()); // nothing to offset while stopped
        Sky_object o = meridian_object(night, 60.0);
        o.ra2000 += 2 * 3600; // two hours east: the mount turns over
        tel.store_object(o, night);
        QCOMPARE(tel.slew(night), std::string());
        const Telescope_state s = tel.state(night + 5);
        QVERIFY(s.mode_text == "Slew" && s.flip && std::fabs(s.vha) > 10 && std::fabs(s.vha) * 15 <= Orvex_sim_telescope::max_rate + 16);
        QVERIFY(std::fabs(s.vdec) > 100 && std::fabs(s.vdec) <= Orvex_sim_telescope::max_rate);
        // The program moves its telescope between polls from VHA, VDec and PA: so must the model.
        const auto check_rates = [&](double at) {
            const Telescope_state s0 = tel.state(at - 0.1), s1 = tel.state(at + 0.1);
            Orvex_object rec;
            rec.decl = (s0.dec + s1.dec) / 2;
            rec.zenith = (s0.zenith + s1.zenith) / 2;
            double a, z;
            rec.rates_to_horizontal((s0.vha + s1.vha) / 2, (s0.flip ? -s0.vdec - s1.vdec : s0.vdec + s1.vdec) / 2,
                                    (s0.pa + s1.pa) / 2, a, z);
            QVERIFY(near((s1.azimuth - s0.azimuth) / 0.2, a, 0.03 * std::fabs(a) + 0.5)
                    && near((s1.zenith - s0.zenith) / 0.2, z, 0.03 * std::fabs(z) + 0.5));
        };
        check_rates(night + 10);
        // 30 deg on each axis at 1.5 deg/s: well within two minutes.
        const Telescope_state on = tel.state(night + 120);
        QVERIFY(on.mode_text == "Track" && near(on.vha, sidereal_ratio, 1e-9) && on.vdec == 0.0);
        double ra_date, dec_date;
        precess(o.ra2000, o.dec2000, 2000.0, epoch_at(night + 120), ra_date, dec_date);
        QVERIFY(near_ha(on.ra, ra_date, 0.1) && near(on.dec, dec_date, 1.0));
        check_rates(night + 400);
        // Tracking holds R.A./Decl. while the horizontal place moves.
        const double t = night + 1320;
        const Telescope_state later = tel.state(t);
        QVERIFY(near_ha(later.ra, on.ra, 0.01) && near(later.dec, on.dec, 0.01) && !near(later.azimuth, on.azimuth, 600));
        // Offsets: none too large; a short slew, then tracking at the offset place.
        QVERIFY(!tel.correct(9000, 0, t).empty() && tel.correct(30, -20, t).empty());
        QCOMPARE(tel.state(t + 0.01).mode_text, std::string("Slew"));
        const Telescope_state off = tel.state(t + 10);
        QVERIFY(off.mode_text == "Track" && near(off.dec, on.dec - 20, 0.6) && near(wrap_hour_angle(on.ra - off.ra) * 15, 30, 0.6));
        // A stopped telescope holds its horizontal place while the sky turns.
        tel.stop(t + 20);
        const Telescope_state a = tel.state(t + 21), b = tel.state(t + 3621);
        QVERIFY(b.mode_text == "Stop" && b.azimuth == a.azimuth && b.zenith == a.zenith && !b.vha && !b.vdec);
        QVERIFY(near_ha(b.ra - a.ra, 3600 * sidereal_ratio, 0.01) && near_ha(b.sidereal - b.ra, b.hour_angle, 0.01));
        // A star setting in the west is tracked until it sinks.
        const double t2 = t + 3700;
        Sky_object setting = meridian_object(t2, 0.0);
        setting.ra2000 -= 5.5 * 3600;
        tel.store_object(setting, t2);
        QVERIFY(tel.slew(t2).empty() && tel.state(t2 + 200).mode_text == "Track" && !tel.state(t2 + 200).flip);
        const Telescope_state sunk = tel.state(t2 + 3 * 3600);
        QVERIFY(sunk.mode_text == "Stop" && !tel.last_event().empty() && sunk.zenith < 90.5 * 3600);
    }

    void service_users_and_masking()
    {
        Orvex_sim_service s(night);
        s.users().add({"helper", "pw", 2, ""});
        const auto reply = [&](const char *user, const char *pass, Query q) {
            q.insert({{"User", user}, {"Pass", pass}});
            return lines(s.send_command(q, night).body);
        };
        // Who may do what and which commands are refused (only "stored", "Slewing", "stopped" are Ok).
        // Values echoed into a reply cannot forge lines of it. Dec +80: a slew is allowed at any hour.
        const std::tuple<const char *, const char *, Query, const char *> cases[] = {
            {"operator", "telescope", {}, "No command"}, {"operator", "telescope", {{"Cmd", "Slew"}}, "No object"},
            {"operator", "telescope", {{"Cmd", "Park"}}, "Unknown command <Park>"},
            {"operator", "telescope", {{"Cmd", "Send"}}, "needs both RA and Dec"},
            {"operator", "telescope", {{"Cmd", "Send"}, {"RA", "1\nState=Ok"}, {"Dec", "1:2:3"}}, "Bad RA <1 State=Ok>"},
            {"operator", "telescope", {{"Cmd", "Send"}, {"RA", "1:2:3"}, {"Dec", "++10:00:00"}}, "Bad Dec"},
            {"operator", "telescope", {{"Cmd", "Send"}, {"RA", "1:2:3"}, {"Dec", "-91:00:00"}}, "out of range"},
            {"operator", "telescope", {{"Cmd", "Send"}, {"RA", "1:2:3"}, {"Dec", "1:2:3"}, {"Epoch", "19x0"}}, "Bad Epoch"},
            {"operator", "telescope", {{"Cmd", "Corr"}, {"offHA", "1"}, {"offDec", "x"}}, "Bad offsets"},
            {"guest", "kzmrp", {{"Cmd", "Send"}, {"RA", "1:2:3"}, {"Dec", "80:0:0"}}, "Permission denied: Send needs level 2"},
            {"guest", "kzmrp", {{"Cmd", "Stop"}}, "Permission denied: Stop needs level 3"},
            {"helper", "pw", {{"Cmd", "Send"}, {"RA", "1:2:3"}, {"Dec", "+80:00:00"}, {"Name", "M 51"}}, "Object M 51 stored"},
            {"helper", "pw", {{"Cmd", "Slew"}}, "Permission denied: Slew needs level 3"},
            {"observer", "starlight", {{"Cmd", "Slew"}}, "Slewing to M 51"},
            {"operator", "telescope", {{"Cmd", "Stop"}}, "Telescope stopped"},
            {"operator", "telescope", {{"Cmd", "Send"}, {"RA", "1:2:3"}, {"Dec", "-1:2:3"}, {"Name", "a\nState=Err"}}, "stored"},
        };
        for (const auto &[user, pass, query, line] : cases) {
            const QStringList l = reply(user, pass, query);
            const bool ok = QString(line).contains(QRegularExpression("stored|Slewing|stopped"));
            QVERIFY2(l.value(0).contains(line) && l.value(1) == (ok ? "State=Ok" : "State=Err"), qPrintable(l.join('|')));
        }
        QVERIFY(s.get_state({{"User", "guest"}, {"Pass", "kzmrp"}}, night).body.find("\nObjName=a State=Err\n") != std::string::npos);
        QCOMPARE(s.get_state({{"User", "x\nState=Ok"}, {"Pass", "y"}}, night).body, std::string("Permission denied for user x State=Ok\nState=Err\n"));
        // A state reply: every key once, in order, the status text first.
        const std::string body = s.get_state({{"User", "operator"}, {"Pass", "telescope"}}, night + 30).body;
        QCOMPARE(QString::fromStdString(body).remove(QRegularExpression("=.*")).replace('\n', ' '),
                 QString("Orvex-1000 TCS simulator: Stop User Level Stime RA Dec HA A Z VHA VDec offHA offDec ObjName ra2000 "
                         "dec2000 PA TCSmode TelFlip TelMode State "));
        // The users file: comments, blank lines and CR read; all or nothing.
        Orvex_sim_users u;
        std::string error;
        QVERIFY(u.load_text("# night crew\n\nann secret 4 Ann the astronomer\r\nguest newpass 2\n", error));
        QVERIFY(u.authenticate("ann", "secret")->level == 4 && !u.authenticate("guest", "kzmrp") && u.authenticate("guest", "newpass"));
        QCOMPARE(u.list_body(), std::string("guest\nobserver Night observer\noperator Telescope operator\n"
                                            "ann Ann the astronomer\n"));
        for (const char *bad : {"bob pw\n", "bob pw 6\n", "bob pw 3x\n"})
            QVERIFY(!u.load_text(bad, error) && error.find("line 1") != std::string::npos);
        QVERIFY(!u.load_text("carl pw 3\nbob\n", error) && !u.authenticate("carl", "pw"));
        // Fault options: a known script and kind, statuses outside 2xx, no stray arguments.
        Orvex_sim_faults f;
        for (const char *bad : {"get", "get:status", "get:status:200", "get:delay:-1", "got:drop", "get:drop:1"})
            QVERIFY2(!f.set_from_option(bad, error), bad);
        QVERIFY(f.set_from_option("send:delay:40000", error) && f.describe() == "send:delay:40000");
        // Passwords masked, keys counted as the server decodes them.
        QCOMPARE(mask_password("/x?Pass=a%26b&Cmd=Stop&XPass=1"), std::string("/x?Pass=***&Cmd=Stop&XPass=1"));
        QCOMPARE(mask_password("/tcs/otcs_get.cgi?User=guest&P%61ss=kzmrp&%50ass=a&=Pass=b&Pass&Pass+=c"),
                 std::string("/tcs/otcs_get.cgi?User=guest&P%61ss=***&%50ass=***&=***&Pass&Pass+=c"));
    }
};

QTEST_GUILESS_MAIN(Test_sim_model)
#include "test_sim_model.moc"
