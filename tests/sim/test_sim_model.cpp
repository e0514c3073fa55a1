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
                                   QDateTime(QDate(2025, 7, 14), QTime(3, 17, 41), Qt::LocalTime),
                                   QDateTime(QDate(2031, 11, 2), QTime(23, 59, 59), Qt::LocalTime)})
            QVERIFY2(near_ha(sidereal_time_at(t.toMSecsSinceEpoch() / 1000.0), sidereal_time_at(t), 2.0),
                     qPrintable(t.toString()));

        // Horizontal places agree with the program's and go back.
        for (double ha : {-30000.0, -3600.0, 0.0, 7200.0, 40000.0}) {
            for (double dec : {-100000.0, 0.0, 150000.0, 300000.0}) {
                sidereal_time = 50000.0;
                double a, z, back_ha, back_dec;
                equ_to_horizontal(50000.0 - ha, dec, a, z);
                const Horizontal h = equ_to_hor(ha, dec);
                QVERIFY(near(h.zenith, z, 0.01) && near_ha(h.azimuth / 15.0, a / 15.0, 0.01));
                hor_to_equ(h.azimuth, h.zenith, back_ha, back_dec);
                QVERIFY(near_ha(back_ha, ha, 0.01) && near(back_dec, dec, 0.1));
            }
        }
        // Parallactic angle: 180 north of the zenith on the meridian, positive in the west.
        QVERIFY(near(parallactic_angle(0, 80 * 3600.0), 180.0, 1e-9) && parallactic_angle(3600, 0) > 0);

        // About 3.07 s of R.A. and 20.04 arcsec of Decl. per year at 0h, 0 deg.
        double ra, dec;
        precess(0.0, 0.0, 2000.0, 2100.0, ra, dec);
        QVERIFY(near(ra, 307.3, 1.0) && near(dec, 2004.3, 1.0));

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
        QCOMPARE(s.mode_text, std::string("Slew"));
        QVERIFY(s.flip);
        QVERIFY(std::fabs(s.vha) > 10 && std::fabs(s.vha) * 15 <= Orvex_sim_telescope::max_rate + 16);
        QVERIFY(std::fabs(s.vdec) > 100 && std::fabs(s.vdec) <= Orvex_sim_telescope::max_rate);

        // The program moves its telescope between polls from VHA, VDec and
        // PA; that estimate must follow the model's own motion.
        const auto program_rates = [](const Telescope_state &s, double &a_rate, double &z_rate) {
            Orvex_object rec;
            rec.decl = s.dec;
            rec.zenith = s.zenith;
            rec.rates_to_horizontal(s.vha, s.flip ? -s.vdec : s.vdec, s.pa, a_rate, z_rate);
        };
        const auto check_rates = [&](double at) {
            const Telescope_state s = tel.state(at), n = tel.state(at + 0.2);
            double a1, z1, a2, z2;
            program_rates(s, a1, z1);
            program_rates(n, a2, z2);
            const double a_rate = (a1 + a2) / 2, z_rate = (z1 + z2) / 2;
            const double da = (n.azimuth - s.azimuth) / 0.2, dz = (n.zenith - s.zenith) / 0.2;
            QVERIFY2(near(da, a_rate, 0.03 * std::fabs(a_rate) + 0.5), qPrintable(QString::number(da)));
            QVERIFY2(near(dz, z_rate, 0.03 * std::fabs(z_rate) + 0.5), qPrintable(QString::number(dz)));
        };
        check_rates(night + 10);

        // 30 deg on each axis at 1.5 deg/s: well within two minutes.
        const Telescope_state on = tel.state(night + 120);
        QCOMPARE(on.mode_text, std::string("Track"));
        QVERIFY(near(on.vha, sidereal_ratio, 1e-9) && on.vdec == 0.0);
        double ra_date, dec_date;
        precess(o.ra2000, o.dec2000, 2000.0, epoch_at(night + 120), ra_date, dec_date);
        QVERIFY(near_ha(on.ra, ra_date, 0.1) && near(on.dec, dec_date, 1.0));
        check_rates(night + 400);

        // Tracking holds R.A./Decl. while the horizontal place moves.
        const double t = night + 1320;
        const Telescope_state later = tel.state(t);
        QVERIFY(near_ha(later.ra, on.ra, 0.01) && near(later.dec, on.dec, 0.01));
        QVERIFY(!near(later.azimuth, on.azimuth, 600));
        QCOMPARE(later.object.name, std::string("Test star"));

        // Offsets: a short slew, then tracking at the offset place.
        QVERIFY(!tel.correct(9000, 0, t).empty());
        QCOMPARE(tel.correct(30, -20, t), std::string());
        QCOMPARE(tel.state(t + 0.01).mode_text, std::string("Slew"));
        const Telescope_state off = tel.state(t + 10);
        QCOMPARE(off.mode_text, std::string("Track"));
        QVERIFY(off.off_ha == 30.0 && off.off_dec == -20.0);
        QVERIFY(near(off.dec, on.dec - 20, 0.6));
        QVERIFY(near(wrap_hour_angle(on.ra - off.ra) * 15, 30, 0.6));

        // A stopped telescope holds its horizontal place while the sky turns.
        tel.stop(t + 20);
        const Telescope_state a = tel.state(t + 21), b = tel.state(t + 3621);
        QCOMPARE(b.mode_text, std::string("Stop"));
        QVERIFY(b.azimuth == a.azimuth && b.zenith == a.zenith && b.vha == 0.0 && b.vdec == 0.0);
        QVERIFY(near_ha(b.ra - a.ra, 3600 * sidereal_ratio, 0.01));
        QVERIFY(near_ha(b.sidereal - b.ra, b.hour_angle, 0.01));
    }

    void refuses_objects_below_horizon_and_stops_at_it()
    {
        const double t = night;
        Orvex_sim_telescope tel(t);
        tel.store_object(meridian_object(t, -60.0), t);
        QVERIFY(tel.slew(t).find("below the horizon") != std::string::npos);
        QCOMPARE(tel.state(t + 1).mode_text, std::string("Stop"));

        // A star setting in the west: tracked until it sinks, then stopped.
        Sky_object setting = meridian_object(t, 0.0);
        setting.ra2000 -= 5.5 * 3600;
        tel.store_object(setting, t);
        QCOMPARE(tel.slew(t), std::string());
        const Telescope_state tracking = tel.state(t + 200);
        QCOMPARE(tracking.mode_text, std::string("Track"));
        QVERIFY(!tracking.flip); // a western object: direct position
        const Telescope_state s = tel.state(t + 3 * 3600);
        QCOMPARE(s.mode_text, std::string("Stop"));
        QVERIFY(!tel.last_event().empty());
        QVERIFY(s.zenith < 90.5 * 3600);
    }

    void state_reply_read_by_program()
    {
        const double t = night + 30;
        Orvex_sim_service service(night);
        service.send_command({{"User", "operator"}, {"Pass", "telescope"}, {"RA", "05:35:17.3"},
                              {"Dec", "-05:23:28"}, {"Name", "M 42"}, {"Cmd", "Slew"}}, night);
        const std::string body = service.get_state({{"User", "operator"}, {"Pass", "telescope"}}, t).body;
        // Every key once, in order, the status text first, ending with a line feed.
        const QStringList l = lines(body);
        QStringList keys;
        for (const QString &line : l.mid(1, l.size() - 2))
            keys << line.section('=', 0, 0);
        QCOMPARE(keys.join(' '), QString("User Level Stime RA Dec HA A Z VHA VDec offHA offDec ObjName "
                                         "ra2000 dec2000 PA TCSmode TelFlip TelMode State"));
        QVERIFY(l.first().startsWith("Orvex-1000") && l.last().isEmpty());

        // The program's parser reads it, with units consistent with each other.
        const Orvex_state_reply r = parse_state_body(QByteArray::fromStdString(body));
        QVERIFY(r.state_ok && r.user_seen);
        QCOMPARE(QStringList({r.reply_user, QString::number(r.level), r.obj_name, r.ra2000, r.dec2000, r.tcs_mode})
                     .join('|'),
                 QString("operator|5|M 42|05:35:17.30|-05:23:28.0|Simul"));
        QVERIFY(r.tel_mode.startsWith("Slew") || r.tel_mode.startsWith("Track"));
        QVERIFY(near_ha(r.sidereal_time, sidereal_time_at(t), 0.1));
        QVERIFY(near_ha(r.sidereal_time - r.ra, r.hour_angle, 0.1));
        const Horizontal h = equ_to_hor(r.hour_angle, r.decl);
        QVERIFY(near(h.azimuth, r.azimuth, 1.0) && near(h.zenith, r.zenith, 1.0));
    }

    void malformed_commands_say_why()
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
            {{{"Cmd", "Send"}, {"RA", "24:00:00"}, {"Dec", "+10:00:00"}}, "out of range"},
            {{{"Cmd", "Send"}, {"RA", "12:30:00"}, {"Dec", "++10:00:00"}}, "Bad Dec"},
            {{{"Cmd", "Send"}, {"RA", "12:30:00"}, {"Dec", "-91:00:00"}}, "out of range"},
            {{{"Cmd", "Send"}, {"RA", "1:2:3"}, {"Dec", "1:2:3"}, {"Epoch", "19x0"}}, "Bad Epoch"},
            {{{"Cmd", "Slew"}}, "No object"},
            {{{"Cmd", "Corr"}, {"offHA", "1"}}, "needs both offHA and offDec"},
            {{{"Cmd", "Corr"}, {"offHA", "1"}, {"offDec", "x"}}, "Bad offsets"},
        };
        for (const auto &c : cases) {
            const QStringList l = reply(c.first);
            QVERIFY2(l.value(0).contains(c.second), qPrintable(l.value(0)));
            QCOMPARE(l.value(1), QString("State=Err"));
        }
        // What the program's form check lets through and the TCS can read.
        for (const char *dec : {"10:00:00", "-1:2:3", "+89:59:59.9"})
            QCOMPARE(reply({{"Cmd", "Send"}, {"RA", "1:2:3"}, {"Dec", dec}}).value(1), QString("State=Ok"));

        // Values echoed into a reply cannot forge lines of it.
        QCOMPARE(reply({{"Cmd", "Send"}, {"RA", "1\nState=Ok"}, {"Dec", "1:2:3"}}).value(1),
                 QString("State=Err"));
        QCOMPARE(reply({{"Cmd", "Send"}, {"RA", "1:2:3"}, {"Dec", "1:2:3"}, {"Name", "a\nState=Err"}}).value(1),
                 QString("State=Ok"));
        QCOMPARE(s.get_state({{"User", "x\nState=Ok"}, {"Pass", "y"}}, night).body,
                 std::string("Permission denied for user x State=Ok\nState=Err\n"));
        QVERIFY(s.get_state({{"User", "guest"}, {"Pass", "kzmrp"}}, night).body.find("\nObjName=a State=Err\n")
                != std::string::npos);
    }

    void users_file()
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
    }

    void horizon_lines()
    {
        Orvex_sim_service s(night);
        const QStringList dir = lines(s.horizon({{"dir", ""}}).body), rev = lines(s.horizon({{"rev", ""}}).body);
        QVERIFY(dir.size() == 362 && rev.size() == 362);
        QVERIFY(dir[0].startsWith("# direct") && rev[0].startsWith("# reverse"));
        QVERIFY(!rev[0].contains("direct")); // the reader would take it for direct
        int differ = 0;
        for (int i = 1; i <= 360; ++i) {
            const QStringList f = dir[i].split(' '), g = rev[i].split(' ');
            QVERIFY(f.size() == 2 && f[0].toInt() == i - 1 && g[0] == f[0]);
            QVERIFY(f[1].toDouble() >= 0.0 && f[1].toDouble() < 20.0 && g[1].toDouble() >= f[1].toDouble());
            differ += rev[i] != dir[i];
        }
        QVERIFY(differ > 30);
        QVERIFY(skyline_altitude(112, true) - skyline_altitude(20, true) > 5); // a skyline, not a flat line
    }

    void faults_and_masking()
    {
        Orvex_sim_faults f;
        std::string error;
        for (const char *good : {"get:status:500", "send:delay:40000", "horizon:nolf"})
            QVERIFY2(f.set_from_option(good, error), good);
        QCOMPARE(f.describe(), std::string("get:status:500 send:delay:40000 horizon:nolf"));
        for (const char *bad : {"get", "get:status", "get:status:200", "get:delay:-1", "got:drop",
                                "get:drop:1", "get:explode"})
            QVERIFY2(!f.set_from_option(bad, error), bad);
        QVERIFY(f.set("get", "none", "", error));
        QCOMPARE(f.describe(), std::string("send:delay:40000 horizon:nolf"));

        QCOMPARE(mask_password("/tcs/otcs_get.cgi?User=guest&Pass=kzmrp"),
                 std::string("/tcs/otcs_get.cgi?User=guest&Pass=***"));
        QCOMPARE(mask_password("/tcs/otcs_send.cgi?Pass=a%26b&Cmd=Stop&XPass=1"),
                 std::string("/tcs/otcs_send.cgi?Pass=***&Cmd=Stop&XPass=1"));
        // Keys count as the server decodes them.
        QCOMPARE(mask_password("/tcs/otcs_get.cgi?User=guest&P%61ss=kzmrp&%50ass=a&=Pass=b&Pass&Pass+=c"),
                 std::string("/tcs/otcs_get.cgi?User=guest&P%61ss=***&%50ass=***&=***&Pass&Pass+=c"));
    }
};

QTEST_GUILESS_MAIN(Test_sim_model)
#include "test_sim_model.moc"
