#ifndef ORVEX_TCS_STATE_H
#define ORVEX_TCS_STATE_H

#include <QByteArray>
#include <QString>

// The keys of a state reply line, in the order they are tested: the first
// key the line starts with decides ("PAUSE" is taken as "PA").
enum class Orvex_state_key {
    none,
    user,
    level,
    stime,
    ra,
    dec,
    ha,
    a,
    z,
    vha,
    vdec,
    off_ha,
    off_dec,
    obj_name,
    ra2000,
    dec2000,
    pa,
    tcs_mode,
    tel_flip,
    tel_mode,
    state
};

// The bits of Orvex_state_reply::unreadable_position.
enum Orvex_position_bit : unsigned {
    position_ra = 1,
    position_decl = 2,
    position_ha = 4,
    position_a = 8,
    position_z = 16
};

// What a state reply tells, gathered line by line. The window fills it from
// its own members before parsing so that keys a reply leaves out keep their
// values, and copies it back afterwards. Its texts are cut to display
// length and blanked of control characters; its numbers are always finite.
struct Orvex_state_reply
{
    int lines = 0;
    QString status_line = QStringLiteral("State=Err");
    QString reply_user;
    bool user_seen = false;
    int level = 0;             // the last "Level" value as read, unclamped
    bool level_seen = false;   // the reply held a "Level" line
    QString level_user;        // reply_user as it stood at the last "Level" line
    double sidereal_time = -1; // seconds of time
    double ra = 0, decl = 0, hour_angle = 0, azimuth = 0, zenith = 0;
    // Which of those five did not read as a finite number (bits of
    // Orvex_position_bit); each reply that gives one sets or clears its bit.
    unsigned unreadable_position = 0;
    double vha = 0, vdec = 0, off_ha = 0, off_dec = 0;
    QString obj_name;
    QString ra2000, dec2000;
    QString pa_text;
    double pa = 0;
    QString tcs_mode;
    bool tel_flip = false;
    QString tel_mode;
    bool state_ok = false;
};

// Takes one line as the reader returns it (its last character, normally
// the line feed, is dropped) and returns the key that decided.
Orvex_state_key apply_state_line(Orvex_state_reply &reply, const QByteArray &raw_line);

// A whole body from the default start (tests and fuzzing use this).
Orvex_state_reply parse_state_body(const QByteArray &body);

// A TCS number: C locale, 0 when it cannot be read or is not finite.
double tcs_number(const QString &text);

// Hours of sidereal time from the TCS, folded into one day, in seconds:
// always 0 to 86400 (excluded).
double stime_hours_to_sec(double hours);

// The level as shown and used: the value read, clamped to 1..5.
int clamp_level(int n);

// Which command buttons a level allows. When slew_stop is false, the offset
// button is disabled as well; otherwise it is left as it is.
struct Orvex_level_buttons
{
    bool send = false;
    bool slew_stop = false;
};
Orvex_level_buttons level_buttons(int level, bool on_tcs_host, bool not_local);

// The offsets "Set" button while the motion mode is shown.
bool offset_button_enabled(int level, const QString &tel_mode);

// The next poll interval after a good or bad reply that came from the timer.
int next_get_interval(int interval, const QString &tel_mode,
                      const QString &tel_mode_shown, double vha, double vdec,
                      bool state_ok);

// The telescope moves fast enough for the view timer to extrapolate.
bool tel_moving_fast(const QString &tel_mode, double vha, double vdec);

// Where the view timer puts the telescope t seconds after the last reply.
// Absurd rates can overflow: then false, and the cross stays where the
// reply put it rather than at an infinite position.
bool extrapolated_position(double rate_a, double rate_z, double t, double last_a,
                           double last_z, double &azimuth, double &zenith);

// Text and background colour names of the mode labels.
struct Orvex_colors
{
    const char *text;
    const char *back;
};
Orvex_colors tcs_mode_colors(const QString &tcs_mode);
Orvex_colors tel_mode_colors(const QString &tel_mode);

#endif
