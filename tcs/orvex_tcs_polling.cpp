// Polling the telescope state and showing it.
#include "orvex_obj_list.h"

#include "orvex_log.h"
#include "orvex_night.h"
#include "orvex_obj_list_form.h"
#include "orvex_sky.h"
#include "orvex_state_age.h"
#include "orvex_tcs_request.h"
#include "orvex_tcs_state.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <cmath>

namespace {

// Restyling a button costs a style pass: only a real change does it.
void set_button(QPushButton *button, bool enabled)
{
    const QString style = button_style(enabled);
    if (button->isEnabled() == enabled && button->styleSheet() == style)
        return;
    button->setEnabled(enabled);
    button->setStyleSheet(style);
}

} // namespace

void Orvex_Obj_List::orvex_get_state()
{
    if (tcs_host.isEmpty() || get_reply)
        return;
    Orvex_query pairs;
    // A password of one character means "not logged in": the TCS then
    // answers with the guest's view.
    if (passwd.size() >= 2)
        pairs = {{QStringLiteral("User"), user}, {QStringLiteral("Pass"), passwd}};
    user_seen = false;
    send_tcs_request(orvex::state_path, pairs, &Orvex_Obj_List::get_reply,
                     &Orvex_Obj_List::orvex_get_finish, &Orvex_Obj_List::orvex_get_error);
    follow_polling();
}

void Orvex_Obj_List::orvex_get_timer()
{
    from_timer = true;
    orvex_get_state();
}

void Orvex_Obj_List::orvex_get_finish()
{
    if (!get_reply)
        return;
    const bool prev_ok = state_ok;
    Orvex_state_reply r;
    r.reply_user = user;
    r.user_seen = user_seen;
    r.level = level;
    r.sidereal_time = sidereal_time;
    r.ra = tel_object->ra;
    r.decl = tel_object->decl;
    r.hour_angle = tel_object->hour_angle;
    r.azimuth = tel_object->azimuth;
    r.zenith = tel_object->zenith;
    r.unreadable_position = tel_unreadable;
    r.vha = vha;
    r.vdec = vdec;
    r.off_ha = off_ha;
    r.off_dec = off_dec;
    r.obj_name = Orvex_object::name;
    r.ra2000 = ra2000;
    r.dec2000 = dec2000;
    r.pa_text = pa_text;
    r.pa = pa;
    r.tcs_mode = tcs_mode;
    r.tel_flip = tel_flip;
    r.tel_mode = tel_mode;
    state_ok = false;
    const int level_before = level;

    if (get_reply->error() == QNetworkReply::NoError) {
        for (const QByteArray &line : split_reply_lines(get_reply->readAll()))
            take_state_line(int(apply_state_line(r, line)), r);
        // A reply may repeat its level line: only the last one counts.
        if (r.level_seen)
            level_change(r.level, r.level_user);
        tel_unreadable = r.unreadable_position;
        tel_object->is_comment = false;
        sky_win->set_state_ok(state_ok);
        sky_win->set_position_known(tel_unreadable == 0);
        sky_win->state_updated();
        if (from_timer) {
            get_interval = next_get_interval(get_interval, tel_mode, tel_mode_shown,
                                             vha, vdec, state_ok);
            from_timer = false;
            get_timer->start(get_interval);
        }
    }
    release_reply(get_reply);

    ui->otcs_connect_lab->setText(user_seen ? QStringLiteral("On") : QStringLiteral("Off"));
    if (user_seen)
        set_colors(ui->otcs_connect_lab, QStringLiteral("Blue"), QStringLiteral("LightGreen"));
    else
        set_colors(ui->otcs_connect_lab, QStringLiteral("Black"), QStringLiteral("Lightgray"));
    const bool mode_changed = tel_mode != tel_mode_shown;
    if (state_ok)
        show_good_state(prev_ok);
    else
        show_bad_state(prev_ok, r.status_line);
    update_command_buttons(r.level_seen && r.level != level_before, mode_changed);
    follow_polling();
}

// Applies what one line changed, as soon as it is read. The level waits for
// the end of the reply: a reply that repeats it must not restyle the buttons
// and log a line each time.
void Orvex_Obj_List::take_state_line(int key, const Orvex_state_reply &r)
{
    switch (Orvex_state_key(key)) {
    case Orvex_state_key::none: break;
    case Orvex_state_key::user: user_seen = r.user_seen; break;
    case Orvex_state_key::level: break; // taken once the whole reply is read
    case Orvex_state_key::stime: sidereal_time = r.sidereal_time; break;
    case Orvex_state_key::ra: tel_object->ra = r.ra; break;
    case Orvex_state_key::dec: tel_object->decl = r.decl; break;
    case Orvex_state_key::ha: tel_object->hour_angle = r.hour_angle; break;
    case Orvex_state_key::a: last_a = tel_object->azimuth = r.azimuth; break;
    case Orvex_state_key::z: last_z = tel_object->zenith = r.zenith; break;
    case Orvex_state_key::vha: vha = r.vha; break;
    case Orvex_state_key::vdec: vdec = r.vdec; break;
    case Orvex_state_key::off_ha: off_ha = r.off_ha; break;
    case Orvex_state_key::off_dec: off_dec = r.off_dec; break;
    case Orvex_state_key::obj_name: Orvex_object::name = r.obj_name; break;
    case Orvex_state_key::ra2000: ra2000 = r.ra2000; break;
    case Orvex_state_key::dec2000: dec2000 = r.dec2000; break;
    case Orvex_state_key::pa: pa_text = r.pa_text; pa = r.pa; break;
    case Orvex_state_key::tcs_mode: tcs_mode = r.tcs_mode; break;
    case Orvex_state_key::tel_flip:
        tel_flip = r.tel_flip;
        sky_win->set_tel_flip(tel_flip);
        break;
    case Orvex_state_key::tel_mode: tel_mode = r.tel_mode; break;
    case Orvex_state_key::state: state_ok = r.state_ok; break;
    }
}

void Orvex_Obj_List::level_change(int n, const QString &reply_user)
{
    // The number as read is compared, so an out-of-range level is logged
    // and applied again with every reply.
    if (n == level)
        return;
    log_out(QStringLiteral("User=") + reply_user + QStringLiteral(" Level=") + QString::number(n));
    level = clamp_level(n);
    level_user = reply_user;
    show_level();
}

void Orvex_Obj_List::show_level()
{
    if (level == 0) {
        ui->orvex_level_lab->setText(tr("User=? Level = ? "));
        ui->orvex_level_lab->setToolTip(QString());
    } else {
        ui->show_level(tr("User=%1 Level=%2 "), level_user, level);
    }
}

// The buttons are set once per reply, from what the whole reply said. Stop
// is the exception to "no good state, no commands": sending it is always
// safe, and while the telescope may still move the observer must keep it.
void Orvex_Obj_List::update_command_buttons(bool level_changed, bool mode_changed)
{
    bool send = ui->orvex_send_btn->isEnabled(), slew = ui->orvex_slew_btn->isEnabled(),
         stop = ui->orvex_stop_btn->isEnabled(), offset = ui->orvex_set_offset_btn->isEnabled();
    const Orvex_level_buttons b = level_buttons(level, on_tcs_host, not_local);
    if (level_changed) {
        send = b.send;
        slew = stop = b.slew_stop;
        offset = offset && b.slew_stop;
    }
    if (state_ok) {
        if (mode_changed)
            offset = offset_button_enabled(level, tel_mode);
        if (level != 0)
            stop_kept = b.slew_stop;
    } else {
        send = slew = offset = false;
        stop = stop_kept;
    }
    set_button(ui->orvex_send_btn, send);
    set_button(ui->orvex_slew_btn, slew);
    set_button(ui->orvex_stop_btn, stop);
    set_button(ui->orvex_set_offset_btn, offset);
}

void Orvex_Obj_List::show_good_state(bool prev_ok)
{
    since_state.restart();
    good_state_seen = true;
    if (tcs_mode != tcs_mode_shown) {
        const Orvex_colors c = tcs_mode_colors(tcs_mode);
        set_colors(ui->orvex_tcs_lab, QLatin1String(c.text), QLatin1String(c.back));
        ui->orvex_tcs_lab->setText(tcs_mode);
        tcs_mode_shown = tcs_mode;
    }
    if (tel_mode != tel_mode_shown) {
        const Orvex_colors c = tel_mode_colors(tel_mode);
        set_colors(ui->orvex_state_lab, QLatin1String(c.text), QLatin1String(c.back));
        ui->orvex_state_lab->setText(tel_mode);
        tel_mode_shown = tel_mode;
    }
    if (want_object) {
        set_form(Orvex_object::name, ra2000, dec2000, QStringLiteral("2000.0"));
        want_object = false;
    }
    if (want_offsets) {
        ui->orvex_offha_edt->setText(QString::number(off_ha, 'f', 2));
        ui->orvex_offdec_edt->setText(QString::number(off_dec, 'f', 1));
        want_offsets = false;
    }
    if (tel_moving_fast(tel_mode, vha, vdec)) {
        view_timer->stop();
        view_timer->start(view_interval);
    }
    if (state_ok != prev_ok)
        log_out(QStringLiteral("Orvex read Ok! "));
}

void Orvex_Obj_List::show_bad_state(bool prev_ok, const QString &status_line)
{
    statusBar()->showMessage(status_line);
    stat_msg.clear();
    QTimer::singleShot(5000, this, &Orvex_Obj_List::orvex_show_stat_msg);
    update_sidereal_time();
    if (state_ok != prev_ok) {
        log_out(QStringLiteral("stime=") + sec_to_hms(sidereal_time));
        log_out(status_line);
    }
    set_colors(ui->orvex_tcs_lab, QStringLiteral("Black"), QStringLiteral("Lightgray"));
    tcs_mode = tcs_mode_shown = QStringLiteral("Unknown");
    ui->orvex_tcs_lab->setText(tcs_mode);
    set_colors(ui->orvex_state_lab, QStringLiteral("Black"), QStringLiteral("Lightgray"));
    tel_mode = tel_mode_shown = QStringLiteral("Unknown");
    ui->orvex_state_lab->setText(tel_mode);
    level = 0;
    show_level();
    if (get_timer->isActive() || from_timer) {
        get_timer->stop();
        get_timer->start(15000);
    }
    from_timer = false;
}

// Between replies the telescope's cross follows its measured rates, so a
// fast slew does not jump across the sky once per poll.
void Orvex_Obj_List::orvex_view_timer()
{
    if (!state_ok || !tel_moving_fast(tel_mode, vha, vdec))
        return;
    // An old state is shown where it was measured, not moved on.
    if (state_is_old(since_state.elapsed(), get_interval, state_old_min_ms)) {
        show_state_age();
        return;
    }
    const double d = tel_flip ? -vdec : vdec;
    tel_object->rates_to_horizontal(vha, d, pa, rate_a, rate_z);
    if (std::fabs(rate_a) <= 16.0 && std::fabs(rate_z) <= 10.0)
        return;
    const double t = since_state.elapsed() / 1000.0;
    double a = 0, z = 0;
    if (!extrapolated_position(rate_a, rate_z, t, last_a, last_z, a, z))
        return;
    tel_object->azimuth = a;
    tel_object->zenith = z;
    sky_win->state_updated();
    view_timer->start(view_interval);
}
