#include "orvex_slew_guard.h"

#include "orvex_object.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace {

double wrap_360(double az)
{
    const double a = std::fmod(az, 360.0);
    return a < 0 ? a + 360.0 : a;
}

using Profile_point = Orvex_horizon_line::Point;

// The points in azimuth order, one per azimuth. Where a profile has a wall
// (two altitudes at one azimuth) the higher one counts: the tube must clear
// the top of it.
QVector<Profile_point> sorted_profile(const QVector<HorizonPoint> &profile)
{
    QVector<Profile_point> p;
    p.reserve(profile.size());
    for (const HorizonPoint &h : profile)
        p.append({wrap_360(h.az), 90.0 - h.zd});
    std::sort(p.begin(), p.end(), [](const Profile_point &a, const Profile_point &b) {
        return a.az < b.az || (a.az == b.az && a.alt > b.alt);
    });
    p.erase(std::unique(p.begin(), p.end(),
                        [](const Profile_point &a, const Profile_point &b) { return a.az == b.az; }),
            p.end());
    return p;
}

double sorted_altitude(const QVector<Profile_point> &p, double azimuth)
{
    if (p.isEmpty())
        return 0;
    const double az = wrap_360(azimuth);
    const auto next = std::lower_bound(p.begin(), p.end(), az, [](const Profile_point &q, double a) {
        return q.az < a;
    });
    if (next != p.end() && next->az == az)
        return next->alt;
    // Neighbours around the circle: past the last point the first follows.
    const Profile_point &hi = next == p.end() ? p.first() : *next;
    const Profile_point &lo = next == p.begin() ? p.last() : *(next - 1);
    const double span = wrap_360(hi.az - lo.az);
    if (span <= 0)
        return lo.alt; // a single azimuth: the same altitude all round
    return lo.alt + (hi.alt - lo.alt) * wrap_360(az - lo.az) / span;
}

} // namespace

Orvex_horizon_line::Orvex_horizon_line(const Orvex_horizon_sets &sets)
{
    const bool have_direct = !sets.direct.isEmpty(), have_reverse = !sets.reverse.isEmpty();
    // For a known side its own profile; if only the other side's loaded,
    // that is still a better guess than no horizon at all.
    if (sets.flip_known && (sets.flip ? have_reverse : have_direct)) {
        profiles.append(sorted_profile(sets.flip ? sets.reverse : sets.direct));
        return;
    }
    if (have_direct)
        profiles.append(sorted_profile(sets.direct));
    if (have_reverse)
        profiles.append(sorted_profile(sets.reverse));
}

Orvex_horizon_line::Orvex_horizon_line(const QVector<HorizonPoint> &profile)
{
    if (!profile.isEmpty())
        profiles.append(sorted_profile(profile));
}

double Orvex_horizon_line::altitude(double azimuth) const
{
    if (profiles.isEmpty())
        return 0;
    double alt = -90;
    for (const QVector<Profile_point> &p : profiles)
        alt = std::max(alt, sorted_altitude(p, azimuth));
    return alt;
}

double profile_altitude(const QVector<HorizonPoint> &profile, double azimuth)
{
    return Orvex_horizon_line(profile).altitude(azimuth);
}

double horizon_altitude(const Orvex_horizon_sets &sets, double azimuth)
{
    return Orvex_horizon_line(sets).altitude(azimuth);
}

Orvex_slew_check check_slew_at(double A, double Z, const Orvex_horizon_sets &sets)
{
    Orvex_slew_check c;
    c.azimuth = A / 3600.0;
    c.altitude = 90.0 - Z / 3600.0;
    c.horizon = horizon_altitude(sets, c.azimuth);
    c.below = c.altitude < c.horizon;
    return c;
}

Orvex_slew_check check_slew(double ra, double decl, const Orvex_horizon_sets &sets)
{
    // Without a sidereal time every object would land in the zenith and pass.
    if (sidereal_time < 0) {
        Orvex_slew_check unknown;
        unknown.position_known = false;
        return unknown;
    }
    double A = 0, Z = 0;
    equ_to_horizontal(ra, decl, A, Z);
    return check_slew_at(A, Z, sets);
}

double azimuth_from_north(double azimuth_from_south)
{
    const double a = wrap_360(azimuth_from_south + 180.0);
    return a < 360.0 ? a : 0.0; // a tiny negative wraps to 360 itself
}

const char *compass_point(double azimuth_from_north)
{
    static const char *const points[16] = {
        QT_TRANSLATE_NOOP("Orvex_Obj_List", "N"),   QT_TRANSLATE_NOOP("Orvex_Obj_List", "NNE"),
        QT_TRANSLATE_NOOP("Orvex_Obj_List", "NE"),  QT_TRANSLATE_NOOP("Orvex_Obj_List", "ENE"),
        QT_TRANSLATE_NOOP("Orvex_Obj_List", "E"),   QT_TRANSLATE_NOOP("Orvex_Obj_List", "ESE"),
        QT_TRANSLATE_NOOP("Orvex_Obj_List", "SE"),  QT_TRANSLATE_NOOP("Orvex_Obj_List", "SSE"),
        QT_TRANSLATE_NOOP("Orvex_Obj_List", "S"),   QT_TRANSLATE_NOOP("Orvex_Obj_List", "SSW"),
        QT_TRANSLATE_NOOP("Orvex_Obj_List", "SW"),  QT_TRANSLATE_NOOP("Orvex_Obj_List", "WSW"),
        QT_TRANSLATE_NOOP("Orvex_Obj_List", "W"),   QT_TRANSLATE_NOOP("Orvex_Obj_List", "WNW"),
        QT_TRANSLATE_NOOP("Orvex_Obj_List", "NW"),  QT_TRANSLATE_NOOP("Orvex_Obj_List", "NNW"),
    };
    const double a = std::isfinite(azimuth_from_north) ? wrap_360(azimuth_from_north) : 0.0;
    const int i = int(std::floor((a + 11.25) / 22.5)) % 16;
    return points[i];
}
