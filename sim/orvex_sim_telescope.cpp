#include "orvex_sim_telescope.h"

#include "orvex_sim_astro.h"

#include <algorithm>
#include <cmath>

namespace orvex_sim {

namespace {

constexpr double sidereal_rate = 15.0 * sidereal_ratio; // arcsec/s of hour angle
constexpr double horizon_zenith = 90.0 * 3600.0;
constexpr double max_slew_time = 900.0; // s; a slew that takes longer is given up

// New rate of one axis that closes the error e (arcsec) under the rate and
// acceleration limits; feed is the rate the target itself moves with.
double axis_rate(double e, double feed, double previous, double dt)
{
    const double brake = std::sqrt(2.0 * Orvex_sim_telescope::acceleration * std::fabs(e));
    const double want = feed + std::copysign(std::min(Orvex_sim_telescope::max_rate, brake), e);
    const double dv = Orvex_sim_telescope::acceleration * dt;
    return std::clamp(want, previous - dv, previous + dv);
}

// The step closes the error e with a move toward it, or the error is small.
bool reaches(double e, double move)
{
    return std::fabs(e) <= Orvex_sim_telescope::on_target
           || (move * e > 0 && std::fabs(move) >= std::fabs(e));
}

} // namespace

const char *motion_text(Motion m)
{
    switch (m) {
    case Motion::slew: return "Slew";
    case Motion::track: return "Track";
    case Motion::stop: break;
    }
    return "Stop";
}

Orvex_sim_telescope::Orvex_sim_telescope(double now)
    : time(now), ha(0.0), dec(30.0 * 3600.0)
{
}

void Orvex_sim_telescope::target_of_date(double now, double &t_ha, double &t_dec) const
{
    t_ha = wrap_hour_angle(sidereal_time_at(now) - ra_date + off_ha / 15.0);
    t_dec = std::clamp(dec_date + off_dec, -324000.0, 324000.0);
}

void Orvex_sim_telescope::check_horizon()
{
    double t_ha = ha, t_dec = dec;
    if (motion == Motion::slew)
        target_of_date(time, t_ha, t_dec);
    if (equ_to_hor(t_ha, t_dec).zenith > horizon_zenith) {
        motion = Motion::stop;
        rate_ha = rate_dec = 0;
        event = "Stopped: the object went below the horizon";
    }
}

void Orvex_sim_telescope::slew_step(double dt)
{
    time += dt;
    double t_ha, t_dec;
    target_of_date(time, t_ha, t_dec);
    // The hour-angle axis does not wrap through the lower meridian: the
    // error is the plain difference of the two hour angles.
    const double e_ha = (t_ha - ha) * 15.0;
    const double e_dec = t_dec - dec;
    rate_ha = axis_rate(e_ha, sidereal_rate, rate_ha, dt);
    rate_dec = axis_rate(e_dec, 0.0, rate_dec, dt);
    const double move_ha = rate_ha * dt, move_dec = rate_dec * dt;
    // Snap instead of overshooting the last fraction of an arcsecond.
    const bool ha_there = reaches(e_ha, move_ha);
    const bool dec_there = reaches(e_dec, move_dec);
    if (ha_there) {
        ha = t_ha;
        rate_ha = sidereal_rate;
    } else {
        ha += move_ha / 15.0;
    }
    if (dec_there) {
        dec = t_dec;
        rate_dec = 0;
    } else {
        dec += move_dec;
    }
    if (ha_there && dec_there) {
        motion = Motion::track;
        rate_ha = sidereal_rate;
        rate_dec = 0;
    }
}

void Orvex_sim_telescope::advance(double now)
{
    if (now <= time)
        return;
    while (motion == Motion::slew && time < now) {
        slew_step(std::min(step, now - time));
        check_horizon();
        if (motion == Motion::slew && time - slew_began > max_slew_time) {
            motion = Motion::stop;
            rate_ha = rate_dec = 0;
            event = "Stopped: the slew took too long";
        }
    }
    if (motion == Motion::track)
        track_until(now);
    time = now;
}

void Orvex_sim_telescope::track_at(double t)
{
    double t_dec;
    target_of_date(t, ha, t_dec);
    dec = t_dec;
}

void Orvex_sim_telescope::track_until(double now)
{
    const double from = time;
    track_at(now);
    if (equ_to_hor(ha, dec).zenith <= horizon_zenith)
        return;
    // Stop where the object crossed the horizon, not wherever it is by now.
    double above = from, below = now;
    while (below - above > 0.01) {
        const double mid = (above + below) / 2;
        track_at(mid);
        (equ_to_hor(ha, dec).zenith > horizon_zenith ? below : above) = mid;
    }
    track_at(above);
    motion = Motion::stop;
    rate_ha = rate_dec = 0;
    event = "Stopped: the object went below the horizon";
}

Telescope_state Orvex_sim_telescope::state(double now)
{
    advance(now);
    Telescope_state s;
    s.sidereal = sidereal_time_at(now);
    s.hour_angle = wrap_hour_angle(ha);
    s.dec = dec;
    s.ra = wrap_positive(s.sidereal - s.hour_angle, day_s);
    const Horizontal h = equ_to_hor(s.hour_angle, dec);
    s.azimuth = h.azimuth;
    s.zenith = h.zenith;
    s.vha = rate_ha / 15.0;
    // The declination axis turns the other way on the other side of the pier.
    s.vdec = flip ? -rate_dec : rate_dec;
    s.off_ha = off_ha;
    s.off_dec = off_dec;
    s.pa = parallactic_angle(s.hour_angle, dec);
    s.flip = flip;
    s.motion = motion;
    s.mode_text = motion_text(motion);
    s.object = object;
    s.has_object = has_object;
    return s;
}

void Orvex_sim_telescope::store_object(const Sky_object &o, double now)
{
    advance(now);
    object = o;
    has_object = true;
}

std::string Orvex_sim_telescope::slew(double now)
{
    advance(now);
    if (!has_object)
        return "No object to slew to: send one first";
    double new_ra, new_dec;
    precess(object.ra2000, object.dec2000, 2000.0, epoch_at(now), new_ra, new_dec);
    const double t_ha = wrap_hour_angle(sidereal_time_at(now) - new_ra);
    const double z = equ_to_hor(t_ha, new_dec).zenith;
    if (z > horizon_zenith)
        return "Object below the horizon (Z=" + std::to_string(int(z / 3600.0)) + " deg): not slewing";
    ra_date = new_ra;
    dec_date = new_dec;
    off_ha = off_dec = 0;
    // Pier side: objects east of the meridian are taken in the reverse
    // (flipped) position, western ones in the direct position; the side is
    // kept while tracking across the meridian.
    flip = t_ha < 0;
    if (motion == Motion::stop)
        rate_ha = rate_dec = 0;
    motion = Motion::slew;
    slew_began = now;
    event.clear();
    return {};
}

void Orvex_sim_telescope::stop(double now)
{
    advance(now);
    motion = Motion::stop;
    rate_ha = rate_dec = 0;
}

std::string Orvex_sim_telescope::correct(double new_off_ha, double new_off_dec, double now)
{
    advance(now);
    if (motion == Motion::stop)
        return "Offsets need a slewing or tracking telescope";
    if (std::fabs(new_off_ha) > max_offset || std::fabs(new_off_dec) > max_offset)
        return "Offsets beyond " + std::to_string(int(max_offset)) + " arcsec";
    off_ha = new_off_ha;
    off_dec = new_off_dec;
    motion = Motion::slew;
    slew_began = now;
    return {};
}

} // namespace orvex_sim
