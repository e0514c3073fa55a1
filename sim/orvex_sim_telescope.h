#ifndef ORVEX_SIM_TELESCOPE_H
#define ORVEX_SIM_TELESCOPE_H

#include <string>

namespace orvex_sim {

enum class Motion { stop, slew, track };

// The object the TCS holds, as the observer sent it, reduced to J2000.
struct Sky_object {
    std::string name;
    double ra2000 = 0;  // seconds of time
    double dec2000 = 0; // arcseconds
};

// What the state script reports, worked out for one instant.
struct Telescope_state {
    double sidereal = 0;   // seconds of time
    double ra = 0;         // seconds of time, equinox of date
    double dec = 0;        // arcseconds
    double hour_angle = 0; // seconds of time, -43200..43200
    double azimuth = 0;    // arcseconds from south through west
    double zenith = 0;     // arcseconds
    double vha = 0;        // seconds of time per second
    double vdec = 0;       // arcseconds per second, along the mount's axis
    double off_ha = 0;     // arcseconds
    double off_dec = 0;    // arcseconds
    double pa = 0;         // degrees
    bool flip = false;
    Motion motion = Motion::stop;
    std::string mode_text; // "Stop", "Slew", "Track"
    Sky_object object;
    bool has_object = false;
};

// Equatorial mount of the simulated telescope. A stopped mount holds its
// axes, so azimuth and zenith distance stay put while the sky turns; a
// tracking mount follows the sidereal rate, so R.A./Decl. stay put; a slew
// runs both axes with limited rate and acceleration and turns into tracking
// once on target. Times are Unix seconds and must not go backwards.
class Orvex_sim_telescope
{
public:
    static constexpr double max_rate = 5400.0;    // arcsec/s per axis (1.5 deg/s)
    static constexpr double acceleration = 1800.0; // arcsec/s^2 per axis
    static constexpr double on_target = 0.5;      // arcsec
    static constexpr double max_offset = 7200.0;  // arcsec
    static constexpr double step = 0.05;          // s, integration step of a slew

    // Parked on the meridian at Decl. +30 deg, stopped.
    explicit Orvex_sim_telescope(double now);

    // Moves the model forward to now.
    void advance(double now);
    Telescope_state state(double now);

    // Each command advances to now first. The result is empty on success,
    // else the reason for refusing.
    void store_object(const Sky_object &object, double now);
    std::string slew(double now);
    void stop(double now);
    std::string correct(double off_ha, double off_dec, double now);

    // Why the telescope last stopped by itself, empty if it did not.
    const std::string &last_event() const { return event; }

private:
    void target_of_date(double now, double &ha, double &dec) const;
    void slew_step(double dt);
    void check_horizon();
    void track_at(double t);
    void track_until(double now);

    double time;           // the instant the model stands at
    double ha;             // mount hour angle, seconds of time
    double dec;            // mount declination, arcseconds
    double rate_ha = 0;    // arcsec/s on the hour-angle axis
    double rate_dec = 0;   // arcsec/s on the declination axis
    Motion motion = Motion::stop;
    double slew_began = 0;
    bool flip = false;
    Sky_object object;
    bool has_object = false;
    double ra_date = 0, dec_date = 0; // target, equinox of date
    double off_ha = 0, off_dec = 0;   // arcseconds
    std::string event;
};

const char *motion_text(Motion m);

} // namespace orvex_sim

#endif
