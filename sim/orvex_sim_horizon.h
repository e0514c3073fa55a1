#ifndef ORVEX_SIM_HORIZON_H
#define ORVEX_SIM_HORIZON_H

#include <string>

namespace orvex_sim {

// Altitude (degrees) of the site's skyline at an azimuth counted from north
// through east, as the horizon script reports it. The reverse (flipped)
// position sees the same mountains plus the mount's own limits.
double skyline_altitude(double azimuth_deg, bool direct);

// The horizon script body: a "#" header naming "direct" or "reverse", then
// 360 lines "azimuth altitude", azimuth 0..359 from north through east.
std::string horizon_body(bool direct);

} // namespace orvex_sim

#endif
