#include "orvex_sim_astro.h"

#include "orvex_sim_c_numbers.h"
#include <cmath>
#include <cstdio>
#include <ctime>

namespace orvex_sim {

double sidereal_epoch_unix()
{
    std::tm t{};
    t.tm_year = 2025 - 1900;
    t.tm_mon = 0;
    t.tm_mday = 1;
    t.tm_isdst = -1;
    return double(std::mktime(&t));
}

double wrap_positive(double x, double period)
{
    double r = std::fmod(x, period);
    if (r < 0)
        r += period;
    // fmod of a tiny negative number plus the period can round to period.
    return r >= period ? 0.0 : r;
}

double wrap_hour_angle(double ha_s)
{
    return wrap_positive(ha_s + day_s / 2, day_s) - day_s / 2;
}

double sidereal_time_at(double unix_t)
{
    static const double t0 = sidereal_epoch_unix();
    return wrap_positive(23332.0 + (unix_t - t0) * sidereal_ratio, day_s);
}

Horizontal equ_to_hor(double ha_s, double dec_as)
{
    const double h = ha_s * 15.0 * rad_per_arcsec;
    const double d = dec_as * rad_per_arcsec;
    double cz = std::cos(d) * cos_lat * std::cos(h) + std::sin(d) * sin_lat;
    cz = std::fmax(-1.0, std::fmin(1.0, cz));
    Horizontal out;
    out.zenith = std::acos(cz) / rad_per_arcsec;
    out.azimuth = std::atan2(std::sin(h) * std::cos(d),
                             std::cos(d) * sin_lat * std::cos(h) - std::sin(d) * cos_lat)
                  / rad_per_arcsec;
    return out;
}

void hor_to_equ(double azimuth_as, double zenith_as, double &ha_s, double &dec_as)
{
    const double a = azimuth_as * rad_per_arcsec;
    const double z = zenith_as * rad_per_arcsec;
    double sd = std::cos(z) * sin_lat - std::sin(z) * cos_lat * std::cos(a);
    sd = std::fmax(-1.0, std::fmin(1.0, sd));
    const double h = std::atan2(std::sin(z) * std::sin(a),
                                std::cos(z) * cos_lat + std::sin(z) * sin_lat * std::cos(a));
    dec_as = std::asin(sd) / rad_per_arcsec;
    ha_s = h / rad_per_arcsec / 15.0;
}

double parallactic_angle(double ha_s, double dec_as)
{
    const double h = ha_s * 15.0 * rad_per_arcsec;
    const double d = dec_as * rad_per_arcsec;
    const double tan_lat = sin_lat / cos_lat;
    return std::atan2(std::sin(h), tan_lat * std::cos(d) - std::sin(d) * std::cos(h)) * 180.0 / pi;
}

double epoch_at(double unix_t)
{
    const double j2000_unix = 946728000.0; // 2000-01-01 12:00 UTC
    return 2000.0 + (unix_t - j2000_unix) / (365.25 * day_s);
}

namespace {

struct Precession_angles {
    double zeta, z, theta; // radians
};

// Angles that carry J2000 mean places to the given epoch.
Precession_angles angles_from_j2000(double epoch)
{
    const double t = (epoch - 2000.0) / 100.0;
    Precession_angles p;
    p.zeta = (2306.2181 * t + 0.30188 * t * t + 0.017998 * t * t * t) * rad_per_arcsec;
    p.z = (2306.2181 * t + 1.09468 * t * t + 0.018203 * t * t * t) * rad_per_arcsec;
    p.theta = (2004.3109 * t - 0.42665 * t * t - 0.041833 * t * t * t) * rad_per_arcsec;
    return p;
}

void from_j2000(double ra, double dec, double epoch, double &ra_out, double &dec_out)
{
    const Precession_angles p = angles_from_j2000(epoch);
    const double a = std::cos(dec) * std::sin(ra + p.zeta);
    const double b = std::cos(p.theta) * std::cos(dec) * std::cos(ra + p.zeta)
                     - std::sin(p.theta) * std::sin(dec);
    const double c = std::sin(p.theta) * std::cos(dec) * std::cos(ra + p.zeta)
                     + std::cos(p.theta) * std::sin(dec);
    ra_out = std::atan2(a, b) + p.z;
    dec_out = std::asin(std::fmax(-1.0, std::fmin(1.0, c)));
}

void to_j2000(double ra, double dec, double epoch, double &ra_out, double &dec_out)
{
    const Precession_angles p = angles_from_j2000(epoch);
    const double a = std::cos(dec) * std::sin(ra - p.z);
    const double b = std::cos(p.theta) * std::cos(dec) * std::cos(ra - p.z)
                     + std::sin(p.theta) * std::sin(dec);
    const double c = -std::sin(p.theta) * std::cos(dec) * std::cos(ra - p.z)
                     + std::cos(p.theta) * std::sin(dec);
    ra_out = std::atan2(a, b) - p.zeta;
    dec_out = std::asin(std::fmax(-1.0, std::fmin(1.0, c)));
}

} // namespace

void precess(double ra_s, double dec_as, double from_epoch, double to_epoch,
             double &ra_out_s, double &dec_out_as)
{
    const double rad_per_s = 15.0 * rad_per_arcsec;
    double ra = ra_s * rad_per_s, dec = dec_as * rad_per_arcsec;
    double ra0, dec0;
    to_j2000(ra, dec, from_epoch, ra0, dec0);
    from_j2000(ra0, dec0, to_epoch, ra, dec);
    ra_out_s = wrap_positive(ra / rad_per_s, day_s);
    dec_out_as = dec / rad_per_arcsec;
}

std::string hms_text(double seconds)
{
    // Rounded once to the printed precision, so 59.996 s carries into the
    // minutes instead of printing 60.00.
    long long cs = std::llround(wrap_positive(seconds, day_s) * 100.0) % 8640000LL;
    const int h = int(cs / 360000), m = int(cs / 6000 % 60);
    const double s = double(cs % 6000) / 100.0;
    char buf[32];
    const C_numbers c_numbers;
    std::snprintf(buf, sizeof buf, "%02d:%02d:%05.2f", h, m, s);
    return buf;
}

std::string dms_text(double arcsec)
{
    const char sign = arcsec < 0 ? '-' : '+';
    long long ds = std::llround(std::fabs(arcsec) * 10.0);
    const int d = int(ds / 36000), m = int(ds / 600 % 60);
    const double s = double(ds % 600) / 10.0;
    char buf[32];
    const C_numbers c_numbers;
    std::snprintf(buf, sizeof buf, "%c%02d:%02d:%04.1f", sign, d, m, s);
    return buf;
}

std::string log_time_text(double unix_t)
{
    const std::time_t t = std::time_t(unix_t);
    std::tm local{};
    localtime_r(&t, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, "%d.%m.%Y %H:%M:%S", &local);
    return buf;
}

} // namespace orvex_sim
