#ifndef ORVEX_SLEW_GUARD_H
#define ORVEX_SLEW_GUARD_H

// Whether an object stands below the horizon the telescope would meet on a
// slew to it, from the horizon profiles the sky window holds.

#include "orvex_horizon_parse.h"

#include <QVector>

// The sky window's horizon knowledge: both profiles as loaded (either may
// be empty) and the telescope's side of the pier once a state reply told it.
struct Orvex_horizon_sets
{
    QVector<HorizonPoint> direct;
    QVector<HorizonPoint> reverse;
    bool flip_known = false;
    bool flip = false;
};

// A horizon prepared once for many look-ups: the profile (or the two) that
// horizon_altitude below would use, sorted by azimuth. Looking up an
// altitude then costs a binary search, not a sort.
class Orvex_horizon_line
{
public:
    explicit Orvex_horizon_line(const Orvex_horizon_sets &sets);
    explicit Orvex_horizon_line(const QVector<HorizonPoint> &profile);
    // Degrees, at an azimuth in degrees from the south through the west.
    double altitude(double azimuth) const;

    struct Point
    {
        double az, alt;
    };

private:
    // Empty: the mathematical horizon. Two: the higher of them counts.
    QVector<QVector<Point>> profiles;
};

// Altitude (degrees) of one profile at an azimuth (degrees from the south
// through the west), linear between its neighbours around the circle. The
// profile must hold at least one point.
double profile_altitude(const QVector<HorizonPoint> &profile, double azimuth);

// Altitude (degrees) of the horizon at an azimuth: the profile the sky window
// draws for the known side; the higher of the two while the side is unknown;
// 0, the mathematical horizon, without any profile.
double horizon_altitude(const Orvex_horizon_sets &sets, double azimuth);

struct Orvex_slew_check
{
    // Without a sidereal time the object has no place in the sky, and
    // whether it is below the horizon cannot be told.
    bool position_known = true;
    bool below = false;
    double altitude = 0; // of the object, degrees
    double horizon = 0;  // degrees, at the object's azimuth
    double azimuth = 0;  // degrees from the south through the west, -180..180
};

// The verdict for an object at azimuth A and zenith distance Z (arcseconds).
// An object exactly on the horizon is not below it.
Orvex_slew_check check_slew_at(double A, double Z, const Orvex_horizon_sets &sets);

// The same for R.A. (seconds of time) and Decl. (arcseconds) at the current
// sidereal time, placed as the sky window places its objects. Without a
// sidereal time the position is not known (and not below).
Orvex_slew_check check_slew(double ra, double decl, const Orvex_horizon_sets &sets);

// An azimuth as observers read it, in degrees from the north point through
// the east, 0 to 360 (excluded), from the program's azimuth in degrees from
// the south point through the west.
double azimuth_from_north(double azimuth_from_south);

// The point of the 16-point compass ("N", "NNE", ... "NNW") for an azimuth
// in degrees from the north through the east. Each point covers the 22.5
// degrees centred on its direction; a boundary belongs to the point after
// it (11.25 is "NNE"). The texts are marked for translation in the main
// window's context.
const char *compass_point(double azimuth_from_north);

#endif
