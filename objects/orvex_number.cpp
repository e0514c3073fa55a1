#include "orvex_number.h"

#include <cmath>

namespace {

// The toolkit's readers use the C locale's rules for strings whatever the
// process locale is, unlike the C library's scanf family.
bool keep_finite(double v, bool ok, double &value)
{
    if (!ok || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

} // namespace

bool read_number(const QString &text, double &value)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    return keep_finite(v, ok, value);
}

bool read_number(const QByteArray &text, double &value)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    return keep_finite(v, ok, value);
}

double number_or_zero(const QString &text)
{
    double v = 0;
    return read_number(text, v) ? v : 0.0;
}

double number_or_zero(const QByteArray &text)
{
    double v = 0;
    return read_number(text, v) ? v : 0.0;
}
