// Coordinate texts typed by hand or sent by the TCS.
#include "orvex_object.h"

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The reply parsers take zero-terminated text, as a QByteArray gives it.
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const QString text = QString::fromUtf8(bytes);
    // Whatever the text, the numbers are finite and the texts stay short.
    for (double v : {hms_to_sec(bytes.constData()), dms_to_arcsec(bytes.constData()), ra_text_to_sec(text),
                     decl_text_to_arcsec(text)})
        if (!std::isfinite(v) || sec_to_hms(v).size() > 24 || arcsec_to_dms(v).size() > 24)
            __builtin_trap();
    Orvex_object rec;
    rec.set_form(text, text, text, text);
    for (double v : {rec.ra, rec.decl, rec.epoch, rec.azimuth, rec.zenith})
        if (!std::isfinite(v))
            __builtin_trap();
    return 0;
}
