#include "orvex_sim_horizon.h"

#include "orvex_sim_c_numbers.h"
#include "orvex_sim_astro.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace orvex_sim {

namespace {

struct Peak {
    double azimuth, height, width; // degrees
};

// A ridge to the south-east and lower hills elsewhere, as seen from a
// mountain observatory.
constexpr Peak peaks[] = {
    {38, 3.5, 14}, {112, 9.0, 22}, {141, 7.5, 10}, {168, 5.0, 18},
    {205, 2.5, 12}, {251, 6.0, 16}, {300, 3.0, 25}, {338, 4.0, 9},
};

double angle_gap(double a, double b)
{
    const double d = std::fabs(wrap_positive(a - b, 360.0));
    return std::min(d, 360.0 - d);
}

} // namespace

double skyline_altitude(double azimuth_deg, bool direct)
{
    const double a = azimuth_deg * pi / 180.0;
    double alt = 1.2 + 0.6 * std::sin(3 * a + 0.4) + 0.35 * std::sin(7 * a + 1.3)
                 + 0.2 * std::sin(17 * a + 2.1);
    for (const Peak &p : peaks) {
        const double g = angle_gap(azimuth_deg, p.azimuth) / p.width;
        alt += p.height * std::exp(-g * g);
    }
    if (!direct) {
        // Flipped, the tube meets the pier low in the west and north-west.
        const double g = angle_gap(azimuth_deg, 285.0) / 40.0;
        alt = std::max(alt, 4.0 + 11.0 * std::exp(-g * g));
    }
    return std::max(0.0, alt);
}

std::string horizon_body(bool direct)
{
    // The reverse header must not contain the word "direct" anywhere: the
    // reader looks for "direct" first.
    std::string body = direct
        ? "# direct position: Orvex-1000 skyline, azimuth from north through east, altitude, degrees\n"
        : "# reverse (flipped) position: Orvex-1000 skyline, azimuth from north through east, altitude, degrees\n";
    char line[48];
    const C_numbers c_numbers;
    for (int az = 0; az < 360; ++az) {
        std::snprintf(line, sizeof line, "%d %.2f\n", az, skyline_altitude(az, direct));
        body += line;
    }
    return body;
}

} // namespace orvex_sim
