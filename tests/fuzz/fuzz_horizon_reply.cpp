// A horizon profile body from the TCS web host.
#include "orvex_horizon_parse.h"

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Horizon_reply r = parse_horizon_reply(QByteArray(reinterpret_cast<const char *>(data), int(size)), size % 2 == 1);
    for (const HorizonPoint &p : r.points)
        if (r.points.size() > horizon_max_points || !std::isfinite(p.az) || !std::isfinite(p.zd))
            __builtin_trap();
    return 0;
}
