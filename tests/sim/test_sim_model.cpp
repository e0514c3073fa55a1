// The simulated telescope, users, horizon and command rules, without sockets.
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
        // The sidereal clock agrees with the program's own estimate.
        for (const QDateTime &t : {QDateTime::currentDateTime(),
                                   QDateTime(QDate(2031, 11, 2), QTime(23, 59, 59), Qt::LocalTime)})
            QVERIFY(near_ha(sidereal_time_at(t.toMSecsSinceEpoch() / 1000.0), sidereal_time_at(t), 2.0));
        // Horizontal places agree with the program's and go back.
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
        // A century: at 0h, 0 deg about 3.07 s of R.A. and 20.04" of Decl. a year; at 6h, +60 deg
        // about 5.4 s and almost no Decl.; and back again.
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
        QVERIFY(s.mode_text == "Slew" && s.flip);
        QVERIFY(std::fabs(s.vha) > 10 && std::fabs(s.vha) * 15 <= Orvex_sim_telescope::max_rate + 16);
        QVERIFY(std::fabs(s.vdec) > 100 && std::fabs(s.vdec) <= Orvex_sim_telescope::max_rate);

        // The program moves its telescope between polls from VHA, VDec and
        // PA; that estimate must follow the model's own motion.
        const auto check_rates = [&](double at) {
            const Telescope_state s[2] = {tel.state(at), tel.state(at + 0.2)};
            double a[2], z[2];
            for (int i : {0, 1}) {
                Orvex_object rec;
                rec.decl = s[i].dec;
                rec.zenith = s[i].zenith;
                rec.rates_to_horizontal(s[i].vha, s[i].flip ? -s[i].vdec : s[i].vdec, s[i].pa, a[i], z[i]);
            }
            const double da = (s[1].azimuth - s[0].azimuth) / 0.2, dz = (s[1].zenith - s[0].zenith) / 0.2;
            QVERIFY(near(da, (a[0] + a[1]) / 2, 0.015 * std::fabs(a[0] + a[1]) + 0.5));
            QVERIFY(near(dz, (z[0] + z[1]) / 2, 0.015 * std::fabs(z[0] + z[1]) + 0.5));
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
        QVERIFY(near_ha(later.ra, on.ra, 0.01) && near(later.dec, on.dec, 0.01));
        QVERIFY(!near(later.azimuth, on.azimuth, 600) && later.object.name == "Test star");

        // Offsets: a short slew, then tracking at the offset place.
        QVERIFY(!tel.correct(9000, 0, t).empty());
        QVERIFY(tel.correct(30, -20, t).empty() && tel.state(t + 0.01).mode_text == "Slew");
        const Telescope_state off = tel.state(t + 10);
        QVERIFY(off.mode_text == "Track" && off.off_ha == 30.0 && off.off_dec == -20.0);
        QVERIFY(near(off.dec, on.dec - 20, 0.6) && near(wrap_hour_angle(on.ra - off.ra) * 15, 30, 0.6));

        // A stopped telescope holds its horizontal place while the sky turns.
        tel.stop(t + 20);
        const Telescope_state a = tel.state(t + 21), b = tel.state(t + 3621);
        QVERIFY(b.mode_text == "Stop" && b.azimuth == a.azimuth && b.zenith == a.zenith && !b.vha && !b.vdec);
        QVERIFY(near_ha(b.ra - a.ra, 3600 * sidereal_ratio, 0.01) && near_ha(b.sidereal - b.ra, b.hour_angle, 0.01));

        // Below the horizon: refused; a star setting in the west is tracked until it sinks.
        const double t2 = t + 3700;
        tel.store_object(meridian_object(t2, -60.0), t2);
        QVERIFY(tel.slew(t2).find("below the horizon") != std::string::npos && tel.state(t2 + 1).mode_text == "Stop");
        Sky_object setting = meridian_object(t2, 0.0);
        setting.ra2000 -= 5.5 * 3600;
        tel.store_object(setting, t2);
        QCOMPARE(tel.slew(t2), std::string());
        const Telescope_state tracking = tel.state(t2 + 200);
        QVERIFY(tracking.mode_text == "Track" && !tracking.flip); // a western object: direct position
        const Telescope_state sunk = tel.state(t2 + 3 * 3600);
        QVERIFY(sunk.mode_text == "Stop" && !tel.last_event().empty() && sunk.zenith < 90.5 * 3600);
    }

    void service_replies()
    {
        Orvex_sim_service s(night);
        const auto reply = [&](Query q) {
            q.insert({{"User", "operator"}, {"Pass", "telescope"}});
            return lines(s.send_command(q, night).body);
        };
        const std::pair<Query, const char *> cases[] = {
            {{}, "No command"},
            {{{"Cmd", "Park"}}, "Unknown command <Park>"},
            {{{"Cmd", "Send"}}, "needs both RA and Dec"},
            {{{"Cmd", "Send"}, {"RA", "12:30"}, {"Dec", "+10:00:00"}}, "Bad RA <12:30>"},
            {{{"Cmd", "Send"}, {"RA", "12:30:00"}, {"Dec", "++10:00:00"}}, "Bad Dec"},
            {{{"Cmd", "Send"}, {"RA", "12:30:00"}, {"Dec", "-91:00:00"}}, "out of range"},
            {{{"Cmd", "Send"}, {"RA", "1:2:3"}, {"Dec", "1:2:3"}, {"Epoch", "19x0"}}, "Bad Epoch"},
            {{{"Cmd", "Slew"}}, "No object"},
            {{{"Cmd", "Corr"}, {"offHA", "1"}, {"offDec", "x"}}, "Bad offsets"},
            // Values echoed into a reply cannot forge lines of it.
            {{{"Cmd", "Send"}, {"RA", "1\nState=Ok"}, {"Dec", "1:2:3"}}, "Bad RA"},
        };
        for (const auto &c : cases) {
            const QStringList l = reply(c.first);
            QVERIFY2(l.value(0).contains(c.second) && l.value(1) == "State=Err", qPrintable(l.join('|')));
        }
        // What the program's form check lets through and the TCS can read.
        for (const char *dec : {"10:00:00", "-1:2:3", "+89:59:59.9"})
            QCOMPARE(reply({{"Cmd", "Send"}, {"RA", "1:2:3"}, {"Dec", dec}}).value(1), QString("State=Ok"));
        QCOMPARE(reply({{"Cmd", "Send"}, {"RA", "1:2:3"}, {"Dec", "1:2:3"}, {"Name", "a\nState=Err"}}).value(1),
                 QString("State=Ok"));
        QVERIFY(s.get_state({{"User", "guest"}, {"Pass", "kzmrp"}}, night).body.find("\nObjName=a State=Err\n")
                != std::string::npos);
        QCOMPARE(s.get_state({{"User", "x\nState=Ok"}, {"Pass", "y"}}, night).body,
                 std::string("Permission denied for user x State=Ok\nState=Err\n"));

        // A state reply has every key once, in order, the status text first,
        // and the program's parser reads it with consistent units.
        reply({{"RA", "05:35:17.3"}, {"Dec", "-05:23:28"}, {"Name", "M 42"}, {"Cmd", "Slew"}});
        const std::string body = s.get_state({{"User", "operator"}, {"Pass", "telescope"}}, night + 30).body;
        QVERIFY(body.rfind("Orvex-1000", 0) == 0);
        QCOMPARE(QString::fromStdString(body).remove(QRegularExpression("=.*")).split('\n').mid(1).join(' '),
                 QString("User Level Stime RA Dec HA A Z VHA VDec offHA offDec ObjName ra2000 dec2000 PA TCSmode "
                         "TelFlip TelMode State "));
        const Orvex_state_reply r = parse_state_body(QByteArray::fromStdString(body));
        QVERIFY(r.state_ok && r.user_seen && (r.tel_mode.startsWith("Slew") || r.tel_mode.startsWith("Track")));
        QCOMPARE(QStringList({r.reply_user, QString::number(r.level), r.obj_name, r.ra2000, r.dec2000, r.tcs_mode})
                     .join('|'),
                 QString("operator|5|M 42|05:35:17.30|-05:23:28.0|Simul"));
        QVERIFY(near_ha(r.sidereal_time, sidereal_time_at(night + 30), 0.1)
                && near_ha(r.sidereal_time - r.ra, r.hour_angle, 0.1));
        const Horizontal h = equ_to_hor(r.hour_angle, r.decl);
        QVERIFY(near(h.azimuth, r.azimuth, 1.0) && near(h.zenith, r.zenith, 1.0));
    }

    void users_horizon_faults_masking()
    {
        Orvex_sim_users u;
        std::string error;
        QVERIFY(u.load_text("# night crew\n\nann secret 4 Ann the astronomer\r\nguest newpass 2\n", error));
        QVERIFY(u.authenticate("ann", "secret") && u.authenticate("ann", "secret")->level == 4);
        QVERIFY(!u.authenticate("guest", "kzmrp") && u.authenticate("guest", "newpass"));
        QCOMPARE(u.list_body(), std::string("guest\nobserver Night observer\noperator Telescope operator\n"
                                            "ann Ann the astronomer\n"));
        for (const char *bad : {"bob pw\n", "bob pw 6\n", "bob pw 3x\n"})
            QVERIFY(!u.load_text(bad, error) && error.find("line 1") != std::string::npos);
        QVERIFY(!u.load_text("carl pw 3\nbob\n", error) && !u.authenticate("carl", "pw")); // all or nothing

        // One line per degree; the reverse profile never lower, and its heading not read as direct.
        Orvex_sim_service s(night);
        const QStringList dir = lines(s.horizon({{"dir", ""}}).body), rev = lines(s.horizon({{"rev", ""}}).body);
        QVERIFY(dir.size() == 362 && rev.size() == 362 && !rev[0].contains("direct"));
        for (int i = 1; i <= 360; ++i)
            QVERIFY(dir[i].startsWith(QString::number(i - 1) + ' ')
                    && rev[i].section(' ', 1).toDouble() >= dir[i].section(' ', 1).toDouble());
        QVERIFY(skyline_altitude(112, true) - skyline_altitude(20, true) > 5); // a skyline, not a flat line

        Orvex_sim_faults f;
        QVERIFY(f.set_from_option("get:status:500", error) && f.set_from_option("send:delay:40000", error));
        for (const char *bad : {"get", "get:status", "get:status:200", "get:delay:-1", "got:drop", "get:drop:1"})
            QVERIFY2(!f.set_from_option(bad, error), bad);
        QVERIFY(f.set("get", "none", "", error) && f.describe() == "send:delay:40000");

        QCOMPARE(mask_password("/tcs/otcs_send.cgi?Pass=a%26b&Cmd=Stop&XPass=1"),
                 std::string("/tcs/otcs_send.cgi?Pass=***&Cmd=Stop&XPass=1"));
        // Keys count as the server decodes them.
        QCOMPARE(mask_password("/tcs/otcs_get.cgi?User=guest&P%61ss=kzmrp&%50ass=a&=Pass=b&Pass&Pass+=c"),
                 std::string("/tcs/otcs_get.cgi?User=guest&P%61ss=***&%50ass=***&=***&Pass&Pass+=c"));
    }
};

QTEST_GUILESS_MAIN(Test_sim_model)
#include "test_sim_model.moc"
