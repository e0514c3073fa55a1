// Parsing and printing of sexagesimal coordinate texts, and the sidereal
// clock estimate. Every number is read and printed with "." as decimal
// point whatever the C library's locale: observers run Russian desktops,
// where the C library's decimal point is a comma.
#include "orvex_number.h"
#include "orvex_object.h"
#include "orvex_sidereal.h"

#include <QByteArray>
#include <QStringRef>

#include <cmath>
#include <cstring>

namespace {

// Sums of parts can overflow even when every part is a number.
double finite_or_zero(double v)
{
    return std::isfinite(v) ? v : 0.0;
}

// The first three parts of a text split at ':' (empty parts kept), without
// splitting the rest: a long text costs no more than its first three parts.
struct Three_parts
{
    QStringRef part[3];
    int count = 0;
};

Three_parts first_three_parts(const QString &text)
{
    Three_parts parts;
    int start = 0;
    while (parts.count < 3) {
        const int colon = text.indexOf(QLatin1Char(':'), start);
        const int end = colon < 0 ? text.size() : colon;
        parts.part[parts.count++] = text.midRef(start, end - start);
        if (colon < 0)
            break;
        start = colon + 1;
    }
    return parts;
}

double part_value(const QStringRef &part)
{
    return number_or_zero(part.trimmed().toString());
}

// Reads what scanf reads with "%d:%d:%lf" (or "%d %d %lf"), but in the C
// locale and without "nan" or "inf": an integer, a separator, an integer, a
// separator and a decimal number. Reading stops at the first field that is
// no number; that field and the ones after it count 0.
class Sexagesimal_reader
{
public:
    explicit Sexagesimal_reader(const char *text) : p(text) {}

    double read(bool colons)
    {
        double v[3] = {0, 0, 0};
        for (int i = 0; i < 3; ++i) {
            if (i > 0 && colons) {
                if (*p != ':')
                    break;
                ++p;
            }
            if (!number(i == 2, v[i]))
                break;
        }
        return finite_or_zero((v[0] * 60.0 + v[1]) * 60.0 + v[2]);
    }

private:
    static bool digit(char c) { return c >= '0' && c <= '9'; }
    static bool space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

    const char *skip_digits(const char *q) const
    {
        while (digit(*q))
            ++q;
        return q;
    }

    // A sign and digits; a real number may add a fraction and an exponent.
    bool number(bool real, double &value)
    {
        while (space(*p))
            ++p;
        const char *start = p;
        const char *q = p;
        if (*q == '+' || *q == '-')
            ++q;
        const char *end = skip_digits(q);
        bool any = end > q;
        if (real && *end == '.') {
            const char *fraction = end + 1;
            end = skip_digits(fraction);
            any = any || end > fraction;
        }
        if (!any)
            return false;
        if (real && (*end == 'e' || *end == 'E')) {
            const char *e = end + 1;
            if (*e == '+' || *e == '-')
                ++e;
            if (digit(*e))
                end = skip_digits(e);
        }
        p = end;
        return read_number(QByteArray(start, int(end - start)), value);
    }

    const char *p;
};

} // namespace

double hms_to_sec(const char *text)
{
    if (!text)
        return 0;
    const bool colons = std::memchr(text, ':', strnlen(text, 10)) != nullptr;
    return Sexagesimal_reader(text).read(colons);
}

double dms_to_arcsec(const char *text)
{
    if (!text)
        return 0;
    while (*text == ' ')
        ++text;
    char sign = 0;
    if (*text == '-' || *text == '+')
        sign = *text++;
    const double v = Sexagesimal_reader(text).read(std::strchr(text, ':') != nullptr);
    return sign == '-' ? -v : v;
}

double ra_text_to_sec(const QString &text)
{
    const Three_parts parts = first_three_parts(text);
    double v = part_value(parts.part[0]) * 3600.0;
    if (parts.count >= 2)
        v += part_value(parts.part[1]) * 60.0;
    if (parts.count >= 3)
        v += part_value(parts.part[2]);
    return finite_or_zero(v);
}

double decl_text_to_arcsec(const QString &text)
{
    const Three_parts parts = first_three_parts(text);
    double v = part_value(parts.part[0]) * 3600.0;
    // Degrees carry the sign; "-00:30:00" must stay negative.
    const bool negative = QStringRef(&text).trimmed().startsWith(QLatin1Char('-'));
    if (negative)
        v = -v;
    if (parts.count >= 2)
        v += part_value(parts.part[1]) * 60.0;
    if (parts.count >= 3)
        v += part_value(parts.part[2]);
    return finite_or_zero(negative ? -v : v);
}

QString sec_to_hms(double t)
{
    if (!std::isfinite(t) || std::fabs(t) > 1e12)
        t = 0; // nothing sensible to print, and no overflow in the casts
    if (t < 0)
        t += 86400.0;
    const int h = int(t / 3600.0);
    const double r = t - h * 3600.0;
    const int m = int(r / 60.0);
    double s = r - m * 60.0;
    if (s > 59.99)
        s = 59.99; // never print 60.00 and never carry into the minutes
    // The toolkit's printf prints in the C locale, unlike the C library's.
    return QString::asprintf("%02d:%02d:%05.2f", h % 24, m, s);
}

QString arcsec_to_dms(double a)
{
    if (!std::isfinite(a) || std::fabs(a) > 1e12)
        a = 0;
    const char sign = a >= 0 ? '+' : '-';
    const double v = std::fabs(a);
    const int d = int(v / 3600.0);
    const double r = v - d * 3600.0;
    const int m = int(r / 60.0);
    double s = r - m * 60.0;
    if (s > 59.9)
        s = 59.9;
    return QString::asprintf("%c%02d:%02d:%04.1f", sign, d % 360, m, s);
}

double sidereal_day_seconds(double t)
{
    if (!std::isfinite(t))
        return 0;
    double s = std::fmod(t, 86400.0);
    if (s < 0)
        s += 86400.0;
    // A tiny negative remainder rounds up to a whole day when it is added.
    return s < 86400.0 ? s : 0.0;
}

double sidereal_time_at(const QDateTime &local_now)
{
    const QDateTime t0(QDate(2025, 1, 1), QTime(0, 0, 0, 0), Qt::LocalTime);
    const qint64 s = t0.msecsTo(local_now) / 1000;
    const qint64 st = (23332 + qint64(double(s) * 1.002737909350795)) % 86400;
    // A clock before the reference instant counts back from it: the
    // remainder is then negative and goes round into the day.
    return double(st < 0 ? st + 86400 : st);
}
