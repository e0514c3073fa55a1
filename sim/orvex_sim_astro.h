#ifndef ORVEX_SIM_ASTRO_H
#define ORVEX_SIM_ASTRO_H

// Site astronomy of the simulated TCS. Units follow the program's: R.A.,
// hour angle and sidereal time in seconds of time, Decl., azimuth and
// zenith distance in arcseconds, azimuth from the south point through west.
// Times are Unix seconds (fractions allowed).
#include <string>

namespace orvex_sim {

constexpr double pi = 3.141592653589793;
constexpr double rad_per_arcsec = pi / 648000.0;
constexpr double sin_lat = 0.6902957888;
constexpr double cos_lat = 0.7235272793;
constexpr double sidereal_ratio = 1.002737909350795;
constexpr double day_s = 86400.0;
constexpr double circle_as = 1296000.0;

// Unix time of 2025-01-01 00:00 on the local clock, where the site's
// sidereal time is 23332 s; the program estimates its clock from the same
// instant, so both agree to a fraction of a second.
double sidereal_epoch_unix();

// Local sidereal time in [0, 86400) seconds at Unix time t.
double sidereal_time_at(double unix_t);

// x reduced to [0, period).
double wrap_positive(double x, double period);
// Hour angle reduced to [-43200, 43200).
double wrap_hour_angle(double ha_s);

struct Horizontal {
    double azimuth = 0; // arcsec, south = 0, west positive, within +-648000
    double zenith = 0;  // arcsec
};

Horizontal equ_to_hor(double ha_s, double dec_as);
// The inverse, for a telescope that holds its azimuth and zenith distance.
void hor_to_equ(double azimuth_as, double zenith_as, double &ha_s, double &dec_as);

// Parallactic angle in degrees, positive west of the meridian, 180 at the
// upper culmination north of the zenith.
double parallactic_angle(double ha_s, double dec_as);

// Julian epoch in years at Unix time t.
double epoch_at(double unix_t);

// Mean-place precession (IAU 1976) of R.A./Decl. between two epochs.
void precess(double ra_s, double dec_as, double from_epoch, double to_epoch,
             double &ra_out_s, double &dec_out_as);

// Texts in the program's forms: "12:30:00.00" and "+45:00:00.0".
std::string hms_text(double seconds);
std::string dms_text(double arcsec);

// Local date-time "dd.MM.yyyy hh:mm:ss" for log lines.
std::string log_time_text(double unix_t);

} // namespace orvex_sim

#endif
