#include "orvex_visibility.h"

#include "orvex_object.h"

#include <QCoreApplication>

#include <cmath>

namespace {

constexpr double sidereal_day = 86400.0;
// Sidereal seconds per clock second.
constexpr double sidereal_rate = 1.002737909350795;
// The search steps a sidereal minute at a time: a profile's notch narrower
// than that may be missed, which the telescope's own limits cover anyway.
constexpr double search_step = 60.0;

bool above_at(double ra, double decl, double lst, const Orvex_horizon_line &horizon)
{
    double A = 0, Z = 0;
    equ_to_horizontal_at(std::fmod(lst, sidereal_day), ra, decl, A, Z);
    return above_horizon(A, Z, horizon);
}

} // namespace

bool above_horizon(double A, double Z, const Orvex_horizon_line &horizon)
{
    return 90.0 - Z / 3600.0 >= horizon.altitude(A / 3600.0);
}

Orvex_visibility visibility_at(double ra, double decl, double lst,
                               const Orvex_horizon_line &horizon)
{
    Orvex_visibility v;
    if (!(lst >= 0))
        return v;
    double A = 0, Z = 0;
    equ_to_horizontal_at(lst, ra, decl, A, Z);
    v.position_known = true;
    v.azimuth = A / 3600.0;
    v.altitude = 90.0 - Z / 3600.0;
    v.horizon = horizon.altitude(v.azimuth);
    v.above = v.altitude >= v.horizon;
    return v;
}

Orvex_crossing next_crossing(double ra, double decl, double lst,
                             const Orvex_horizon_line &horizon)
{
    Orvex_crossing c;
    if (!(lst >= 0))
        return c;
    const bool above = above_at(ra, decl, lst, horizon);
    for (double t = search_step; t <= sidereal_day; t += search_step) {
        if (above_at(ra, decl, lst + t, horizon) == above)
            continue;
        // The change lies within (t - step, t]: halve it down to a second.
        double lo = t - search_step, hi = t;
        while (hi - lo > 1.0) {
            const double mid = (lo + hi) / 2;
            (above_at(ra, decl, lst + mid, horizon) == above ? lo : hi) = mid;
        }
        c.kind = above ? Orvex_crossing::sets : Orvex_crossing::rises;
        c.minutes = int(std::lround(hi / sidereal_rate / 60.0));
        return c;
    }
    c.kind = above ? Orvex_crossing::never_sets : Orvex_crossing::never_rises;
    return c;
}

QString crossing_duration_text(int minutes)
{
    if (minutes < 1)
        return QCoreApplication::translate("Orvex_list", "< 1 min");
    if (minutes < 60)
        return QCoreApplication::translate("Orvex_list", "%1 min").arg(minutes);
    return QCoreApplication::translate("Orvex_list", "%1 h %2 min").arg(minutes / 60).arg(minutes % 60);
}

QString visibility_text(const Orvex_visibility &v, const Orvex_crossing &c)
{
    if (!v.position_known)
        return QCoreApplication::translate("Orvex_list", "The sidereal time is not known yet: no position");
    // The compass point is that of the whole degree shown.
    int az = int(std::lround(azimuth_from_north(v.azimuth)));
    if (az >= 360)
        az -= 360;
    const QString where = QCoreApplication::translate("Orvex_list", "alt %1°, az %2° %3")
                              .arg(QString::number(v.altitude, 'f', 1), QString::number(az),
                                   QCoreApplication::translate("Orvex_Obj_List", compass_point(az)));
    QString state = v.above ? QCoreApplication::translate("Orvex_list", "above the horizon") : QCoreApplication::translate("Orvex_list", "below the horizon");
    QString next;
    switch (c.kind) {
    case Orvex_crossing::sets:
        next = QCoreApplication::translate("Orvex_list", "sets below it in %1").arg(crossing_duration_text(c.minutes));
        break;
    case Orvex_crossing::rises:
        next = QCoreApplication::translate("Orvex_list", "rises above it in %1").arg(crossing_duration_text(c.minutes));
        break;
    case Orvex_crossing::never_sets:
        next = QCoreApplication::translate("Orvex_list", "never sets");
        break;
    case Orvex_crossing::never_rises:
        next = QCoreApplication::translate("Orvex_list", "never rises");
        break;
    case Orvex_crossing::unknown:
        return where + QStringLiteral(", ") + state;
    }
    return where + QStringLiteral(", ") + state + QStringLiteral("; ") + next;
}
