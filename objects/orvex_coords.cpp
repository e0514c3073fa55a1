// Parsing and printing of sexagesimal coordinate texts, and the sidereal
// clock estimate.
#include "orvex_object.h"
#include "orvex_sidereal.h"

#include <QStringList>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

double part_value(const QString &part)
{
    bool ok = false;
    const double v = part.trimmed().toDouble(&ok);
    return ok ? v : 0.0;
}

// Reads "H<sep>M<sep>S" as two integers and a real; fields that cannot be
// read count 0.
double read_three(const char *text, bool colons)
{
    int a = 0, b = 0;
    double c = 0;
    std::sscanf(text, colons ? "%d:%d:%lf" : "%d %d %lf", &a, &b, &c);
    return (a * 60.0 + b) * 60.0 + c;
}

QString with_point(QString s)
{
    // A C runtime with a decimal comma must not leak into coordinate texts.
    const int comma = s.indexOf(QLatin1Char(','));
    if (comma >= 0)
        s[comma] = QLatin1Char('.');
    return s;
}

} // namespace

double hms_to_sec(const char *text)
{
    if (!text)
        return 0;
    const bool colons = std::memchr(text, ':', strnlen(text, 10)) != nullptr;
    return read_three(text, colons);
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
    const double v = read_three(text, std::strchr(text, ':') != nullptr);
    return sign == '-' ? -v : v;
}

double ra_text_to_sec(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    double v = part_value(parts[0]) * 3600.0;
    if (parts.size() >= 2)
        v += part_value(parts[1]) * 60.0;
    if (parts.size() >= 3)
        v += part_value(parts[2]);
    return v;
}

double decl_text_to_arcsec(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    double v = part_value(parts[0]) * 3600.0;
    // Degrees carry the sign; "-00:30:00" must stay negative.
    const bool negative = text.trimmed().startsWith(QLatin1Char('-'));
    if (negative)
        v = -v;
    if (parts.size() >= 2)
        v += part_value(parts[1]) * 60.0;
    if (parts.size() >= 3)
        v += part_value(parts[2]);
    return negative ? -v : v;
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
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%05.2f", h % 24, m, s);
    return with_point(QString::fromLatin1(buf));
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
    char buf[64];
    std::snprintf(buf, sizeof buf, "%c%02d:%02d:%04.1f", sign, d % 360, m, s);
    return with_point(QString::fromLatin1(buf));
}

double sidereal_time_at(const QDateTime &local_now)
{
    const QDateTime t0(QDate(2025, 1, 1), QTime(0, 0, 0, 0), Qt::LocalTime);
    const qint64 s = t0.msecsTo(local_now) / 1000;
    const qint64 st = 23332 + qint64(double(s) * 1.002737909350795);
    return double(st % 86400);
}
