#ifndef ORVEX_VISIBILITY_H
#define ORVEX_VISIBILITY_H

// Where an object stands now against the horizon profile the telescope
// would meet (the one the check before a slew uses), and when it next
// crosses that profile.

#include "orvex_slew_guard.h"

#include <QString>

struct Orvex_visibility
{
    // Without a sidereal time there is no place in the sky to tell.
    bool position_known = false;
    bool above = true;
    double altitude = 0; // of the object, degrees
    double horizon = 0;  // degrees, at the object's azimuth
    double azimuth = 0;  // degrees from the south through the west
};

// Whether a position (azimuth A from the south through the west, zenith
// distance Z, both in arcseconds) is above the horizon; on it counts as
// above, as for the slew check.
bool above_horizon(double A, double Z, const Orvex_horizon_line &horizon);

// The object (R.A. in seconds of time, Decl. in arcseconds) at the sidereal
// time lst (seconds of time; negative: not known). An object exactly on
// the horizon is above it, as for the slew check.
Orvex_visibility visibility_at(double ra, double decl, double lst,
                               const Orvex_horizon_line &horizon);

struct Orvex_crossing
{
    enum Kind { sets, rises, never_sets, never_rises, unknown };
    Kind kind = unknown;
    // Clock (solar) minutes until the crossing, rounded; for sets and rises.
    int minutes = 0;
};

// The next time the object crosses the profile, searched forward over one
// sidereal day. Where it is now decides between setting and rising; no
// crossing within the day means it never does.
Orvex_crossing next_crossing(double ra, double decl, double lst,
                             const Orvex_horizon_line &horizon);

// "alt 34.5°, az 212° SSW, above the horizon; sets below it in 2 h 10 min"
// and its kin, in the interface language (context Orvex_list).
QString visibility_text(const Orvex_visibility &v, const Orvex_crossing &c);

// A span of clock minutes as "2 h 10 min", "45 min" or "< 1 min".
QString crossing_duration_text(int minutes);

#endif
