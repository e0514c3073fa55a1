// A state reply body from the TCS web host.
#include "orvex_tcs_state.h"

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Orvex_state_reply r = parse_state_body(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    const int level = clamp_level(r.level);
    if (level < 1 || level > 5)
        __builtin_trap();
    for (double v : {r.ra, r.decl, r.hour_angle, r.azimuth, r.zenith, r.vha, r.vdec, r.off_ha, r.off_dec, r.pa})
        if (!std::isfinite(v))
            __builtin_trap();
    next_get_interval(5000, r.tel_mode, QStringLiteral("Stop"), r.vha, r.vdec, r.state_ok);
    return 0;
}
