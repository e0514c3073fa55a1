#include "orvex_sky_math.h"

#include <QFont>

#include <cmath>

namespace {
// Far beyond any screen, well inside int.
constexpr double pixel_limit = 1.0e6;
} // namespace

int sky_trunc(double v)
{
    if (std::isnan(v))
        return 0;
    if (v > pixel_limit)
        return int(pixel_limit);
    if (v < -pixel_limit)
        return -int(pixel_limit);
    return int(v);
}

bool sky_project(int view_size, bool all_sky, double A, double Z, int &x,
                 int &y)
{
    const int R = view_size / 2;
    const double a = A * orvex::pi / orvex::arcsec_per_pi;
    const double r =
        all_sky ? R * Z / 324000.0
                : R * std::sin(Z * orvex::pi / orvex::arcsec_per_pi);
    const double east_west = std::sin(a) * r, north_south = std::cos(a) * r;
    // A non-finite angle gives no direction. Pinned, NaN would put the
    // point at the zenith, where it would be drawn and clicked as if there.
    if (!std::isfinite(east_west) || !std::isfinite(north_south)) {
        x = y = -1;
        return false;
    }
    x = sky_trunc(R + sky_trunc(east_west + 0.5));
    y = sky_trunc(R + sky_trunc(all_sky ? north_south + 0.5
                                        : 0.5 - north_south));
    return true;
}

bool sky_telescope_position_possible(const Orvex_object &t)
{
    // Written as "inside" tests, so NaN fails every one of them.
    const auto within = [](double v, double limit) { return std::fabs(v) <= limit; };
    return t.zenith >= 0 && t.zenith <= orvex::arcsec_per_pi
           && within(t.azimuth, 2 * orvex::arcsec_per_pi)
           && within(t.decl, orvex::arcsec_per_pi / 2) && within(t.ra, 86400.0)
           && within(t.hour_angle, 86400.0);
}

int sky_marker_size(int view_size)
{
    if (view_size < 350)
        return 2;
    if (view_size < 450)
        return 3;
    if (view_size <= 650)
        return 4;
    return 5;
}

int sky_line_step(int view_size)
{
    return int(0.028 * view_size);
}

int sky_red_pen_width(int view_size)
{
    return view_size >= 450 ? 2 : 1;
}

bool sky_scale_font(QFont &font, int view_size)
{
    const double scale = view_size / 550.0;
    if (font.pointSizeF() >= 0) {
        const double points = font.pointSizeF() * scale;
        // A view squeezed to nothing has no text to show; QFont refuses 0.
        if (points > 0)
            font.setPointSizeF(points);
        return true;
    }
    if (font.pixelSize() > 0) {
        const int pixels = int(scale * font.pixelSize() + 0.5);
        font.setPixelSize(pixels < 1 ? 1 : pixels);
        return true;
    }
    return false;
}

bool sky_hour_segment_drawn(double decl_degrees, int hour)
{
    if (decl_degrees < 76)
        return true;
    if (decl_degrees < 81)
        return hour % 2 == 0;
    if (decl_degrees < 86)
        return hour % 6 == 0;
    return false;
}

int sky_telescope_text_x(int view_size, int k)
{
    static const int divisor[5] = {7, 20, 30, 35, 40};
    if (k < 1 || k > 5)
        return 0;
    const int R = view_size / 2;
    const double Rd = view_size / 2.0;
    const double below = Rd - k * sky_line_step(view_size);
    const double chord = Rd * Rd - below * below;
    return sky_trunc(std::sqrt(chord > 0 ? chord : 0)) + R
           + sky_trunc(Rd / divisor[k - 1]);
}

double sky_selection_hour_angle(double sidereal, double ra)
{
    double ha = (sidereal - ra) / 3600.0;
    if (ha < 0)
        ha += 24.0;
    if (ha > 23.999)
        ha = 0;
    return ha;
}

int sky_hit_test(const Orvex_object_list &objects, int px, int py,
                 int view_size)
{
    const qint64 D = view_size;
    qint64 best = D * D + D * D;
    int hit = -1;
    for (int i = 0; i < objects.size(); ++i) {
        const Orvex_object *o = objects.at(i);
        if (o->is_comment || o->screen_x <= 0 || o->screen_y <= 0)
            continue;
        const qint64 dx = qint64(o->screen_x) - px;
        const qint64 dy = qint64(o->screen_y) - py;
        const qint64 q = dy * dy + dx * dx;
        if (q < 100 && q < best) {
            best = q;
            hit = i;
        }
    }
    return hit;
}
