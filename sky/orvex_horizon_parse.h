#ifndef ORVEX_HORIZON_PARSE_H
#define ORVEX_HORIZON_PARSE_H

#include <QByteArray>
#include <QVector>

// One point of a horizon profile.
struct HorizonPoint
{
    int x = 0;     // pixel, refreshed by every paint that draws the set
    int y = 0;
    double az = 0; // degrees from the south point through the west, 0..360
    double zd = 0; // degrees, 90 minus the altitude; not limited
};

// At most this many points are kept per set.
constexpr int horizon_max_points = 360;

struct Horizon_reply
{
    bool reverse = false;          // the set the points go to
    QVector<HorizonPoint> points;  // at most horizon_max_points, x/y unset
};

// Reads a horizon reply body: header lines ("#...") before the first point
// choose the set, every other line is "azimuth altitude" in degrees from
// the north point. A reply without such a header is the profile that was
// asked for (asked_reverse). Fields that are missing or not numbers ("nan"
// and "inf" are none) count 0.
// Safe on any input.
Horizon_reply parse_horizon_reply(const QByteArray &body, bool asked_reverse);

#endif
