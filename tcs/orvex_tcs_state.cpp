#include "orvex_tcs_state.h"

#include "orvex_number.h"
#include "orvex_reply_text.h"
#include "orvex_sidereal.h"
#include "orvex_tcs_request.h"
#include "orvex_text.h"

#include <cmath>

namespace {

struct Key_start
{
    const char *start;
    Orvex_state_key key;
};

// Shared prefixes make the order matter: "offHA=" and "VHA=" are not "HA=",
// and anything that starts with "PA" is the parallactic angle.
const Key_start key_table[] = {
    {"User", Orvex_state_key::user},       {"Level", Orvex_state_key::level},
    {"Stime", Orvex_state_key::stime},     {"RA=", Orvex_state_key::ra},
    {"Dec=", Orvex_state_key::dec},        {"HA=", Orvex_state_key::ha},
    {"A=", Orvex_state_key::a},            {"Z=", Orvex_state_key::z},
    {"VHA=", Orvex_state_key::vha},        {"VDec=", Orvex_state_key::vdec},
    {"offHA=", Orvex_state_key::off_ha},   {"offDec=", Orvex_state_key::off_dec},
    {"ObjName=", Orvex_state_key::obj_name}, {"ra2000", Orvex_state_key::ra2000},
    {"dec2000", Orvex_state_key::dec2000}, {"PA", Orvex_state_key::pa},
    {"TCSmode", Orvex_state_key::tcs_mode}, {"TelFlip", Orvex_state_key::tel_flip},
    {"TelMode", Orvex_state_key::tel_mode}, {"State", Orvex_state_key::state},
};

Orvex_state_key match_key(const QString &line)
{
    for (const Key_start &k : key_table)
        if (line.startsWith(QLatin1String(k.start)))
            return k.key;
    return Orvex_state_key::none;
}

// Everything after the first "="; further "=" stay in it. A view, so a giant
// line is not copied for every key.
QStringRef value_of(const QStringRef &line)
{
    const int eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QStringRef() : line.mid(eq + 1);
}

int level_of(const QStringRef &value)
{
    bool ok = false;
    const int n = value.toInt(&ok, 10);
    return ok ? n : 0;
}

// A text field as it is kept and shown: only the part a widget can show is
// copied out of the line.
QString text_of(const QStringRef &value)
{
    return reply_text_for_display(value.left(display_max_chars + 1).toString());
}

// A rate, offset or angle as read; an overflow counts as unreadable, like
// nan and inf.
double scaled(const QStringRef &value, double factor)
{
    const double v = tcs_number(value.toString()) * factor;
    return std::isfinite(v) ? v : 0.0;
}

// A position in seconds of time or arcseconds. One that is not a number
// counts 0 like any other, but is marked: 0 is a real place on the sky, and
// the telescope must not be drawn there.
double position(Orvex_state_reply &r, unsigned bit, const QStringRef &value)
{
    double v = 0;
    const bool ok = read_number(value.toString(), v) && std::isfinite(v * 3600);
    if (ok)
        r.unreadable_position &= ~bit;
    else
        r.unreadable_position |= bit;
    return ok ? v * 3600 : 0.0;
}

void take_value(Orvex_state_reply &r, Orvex_state_key key, const QStringRef &line)
{
    const QStringRef value = value_of(line);
    const QStringRef trimmed_value = value_of(line.trimmed());
    switch (key) {
    case Orvex_state_key::none: break;
    case Orvex_state_key::user: r.reply_user = text_of(value); r.user_seen = true; break;
    case Orvex_state_key::level:
        r.level = level_of(value);
        r.level_seen = true;
        r.level_user = r.reply_user;
        break;
    case Orvex_state_key::stime: r.sidereal_time = stime_hours_to_sec(tcs_number(value.toString())); break;
    case Orvex_state_key::ra: r.ra = position(r, position_ra, value); break;
    case Orvex_state_key::dec: r.decl = position(r, position_decl, value); break;
    case Orvex_state_key::ha: r.hour_angle = position(r, position_ha, value); break;
    case Orvex_state_key::a: r.azimuth = position(r, position_a, value); break;
    case Orvex_state_key::z: r.zenith = position(r, position_z, value); break;
    case Orvex_state_key::vha: r.vha = scaled(value, 1); break;
    case Orvex_state_key::vdec: r.vdec = scaled(value, 1); break;
    case Orvex_state_key::off_ha: r.off_ha = scaled(value, 1); break;
    case Orvex_state_key::off_dec: r.off_dec = scaled(value, 1); break;
    case Orvex_state_key::obj_name: r.obj_name = text_of(trimmed_value); break;
    case Orvex_state_key::ra2000: r.ra2000 = text_of(value); break;
    case Orvex_state_key::dec2000: r.dec2000 = text_of(value); break;
    case Orvex_state_key::pa: r.pa_text = text_of(value); r.pa = scaled(value, 1); break;
    case Orvex_state_key::tcs_mode: r.tcs_mode = text_of(trimmed_value); break;
    case Orvex_state_key::tel_flip: r.tel_flip = value.startsWith(QLatin1String("Yes")); break;
    case Orvex_state_key::tel_mode: r.tel_mode = text_of(trimmed_value); break;
    case Orvex_state_key::state: r.state_ok = trimmed_value == QLatin1String("Ok"); break;
    }
}

// The reader hands over each line with its line feed; the last line of a
// body may lack it and then loses its last character instead, a whole
// character even where it takes two UTF-16 units.
void drop_last_character(QString &line)
{
    const int n = line.size();
    const bool pair = n >= 2 && line.at(n - 1).isLowSurrogate() && line.at(n - 2).isHighSurrogate();
    line.chop(pair ? 2 : 1);
}

} // namespace

double tcs_number(const QString &text)
{
    return number_or_zero(text);
}

double stime_hours_to_sec(double hours)
{
    // fmod is h - 24 * trunc(h / 24) computed exactly, so even absurd values
    // stay within one day; a negative time counts back from midnight
    // (-0.5 h is 23.5 h), for every sidereal time in use is 0 h to 24 h.
    return sidereal_day_seconds(std::fmod(hours, 24.0) * 3600.0);
}

int clamp_level(int n)
{
    return n < 1 ? 1 : (n > 5 ? 5 : n);
}

Orvex_state_key apply_state_line(Orvex_state_reply &reply, const QByteArray &raw_line)
{
    // Decoded before the last character goes: cutting bytes would leave half
    // a character (U+FFFD) at the end of a line without a line feed.
    QString line = reply_line_text(raw_line);
    drop_last_character(line);
    if (reply.lines == 0 || line.startsWith(QLatin1String("Permiss"))) {
        reply.status_line = reply_text_for_display(line);
        reply.status_line.replace(QLatin1Char('='), QLatin1Char(' '));
    }
    ++reply.lines;
    const Orvex_state_key key = match_key(line);
    take_value(reply, key, QStringRef(&line));
    return key;
}

Orvex_state_reply parse_state_body(const QByteArray &body)
{
    Orvex_state_reply reply;
    for (const QByteArray &line : split_reply_lines(body))
        apply_state_line(reply, line);
    return reply;
}

Orvex_level_buttons level_buttons(int level, bool on_tcs_host, bool not_local)
{
    Orvex_level_buttons b;
    b.send = level >= 2;
    // On the TCS web host itself a level-3 observer may not move the
    // telescope unless the program was started as a local client.
    b.slew_stop = !(level < 3 || (level == 3 && on_tcs_host && not_local));
    return b;
}

bool offset_button_enabled(int level, const QString &tel_mode)
{
    return level > 2 && (tel_mode.startsWith(QLatin1String("Slew"))
                         || tel_mode.startsWith(QLatin1String("Track")));
}

int next_get_interval(int interval, const QString &tel_mode,
                      const QString &tel_mode_shown, double vha, double vdec,
                      bool state_ok)
{
    interval += 200;
    if (interval > 15000)
        interval = 10000;
    if (tel_mode.startsWith(QLatin1String("Slew")) && interval > 2000)
        interval = 1000;
    else if (tel_mode.startsWith(QLatin1String("Track")) && interval > 5000)
        interval = 3000;
    else if (tel_mode.startsWith(QLatin1String("Mov"))
             && (std::fabs(vha) > 0.01 || std::fabs(vdec) > 0.1) && interval > 2000)
        interval = 1000;
    if (state_ok && (tel_mode != tel_mode_shown || interval < 1000))
        interval = 1000;
    return interval;
}

bool tel_moving_fast(const QString &tel_mode, double vha, double vdec)
{
    return !tel_mode.startsWith(QLatin1String("Stop"))
           && !tel_mode.contains(QLatin1String("Off"))
           && (std::fabs(vha) > 1.1 || std::fabs(vdec) > 10.0);
}

bool extrapolated_position(double rate_a, double rate_z, double t, double last_a,
                           double last_z, double &azimuth, double &zenith)
{
    const double a = rate_a * 0.9 * t + last_a;
    const double z = rate_z * 0.9 * t + last_z;
    if (!std::isfinite(a) || !std::isfinite(z))
        return false;
    azimuth = a;
    zenith = z;
    return true;
}

Orvex_colors tcs_mode_colors(const QString &tcs_mode)
{
    if (tcs_mode.startsWith(QLatin1String("Simul")))
        return {"White", "Pink"};
    if (tcs_mode.startsWith(QLatin1String("Hard")))
        return {"Blue", "Cyan"};
    return {"Black", "Lightgray"};
}

Orvex_colors tel_mode_colors(const QString &tel_mode)
{
    if (tel_mode.startsWith(QLatin1String("Stop")))
        return {"Blue", "Yellow"};
    if (tel_mode.startsWith(QLatin1String("Slew")))
        return {"White", "Blue"};
    if (tel_mode.startsWith(QLatin1String("Mov")))
        return {"Blue", "LightCyan"};
    if (tel_mode.startsWith(QLatin1String("Track")))
        return {"Blue", "LightGreen"};
    return {"Red", "Yellow"};
}
