// Painting the sky view: everything is recomputed from the records on every
// paint, and the pixel positions used by the mouse are left in them.
#include "orvex_sky.h"

#include "orvex_sky_colors.h"
#include "orvex_sky_math.h"
#include "orvex_state_age.h"
#include "orvex_visibility.h"

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

// Where the grid's walks end: -46 degrees 20 minutes 42.7 seconds, the
// lowest declination that rises above this site's horizon.
constexpr double lowest_decl = -46.345194444444445;

QString three_decimals(double v) { return QString::number(v, 'f', 3); }

// Thousands of stroked ellipses cost several microseconds each; one circle
// drawn once and stamped at every object gives the same pixels (the drawing
// is not antialiased, and the stamp moves by whole pixels) for a fraction.
class Circle_stamp
{
public:
    Circle_stamp(const QPen &pen, int radius)
        : centre(radius + pen.width() + 2),
          image(2 * centre + 1, 2 * centre + 1,
                QImage::Format_ARGB32_Premultiplied)
    {
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPoint(centre, centre), radius, radius);
    }

    void draw(QPainter &painter, int x, int y) const
    {
        painter.drawImage(x - centre, y - centre, image);
    }

private:
    int centre;
    QImage image;
};

// Walks one grid circle from parameter t: point(t, x, y) places a point and
// returns its zenith distance in degrees, joined(t) says whether the segment
// ending there is drawn, and advance(t, z) steps on, false when the circle
// is done. The walk stops at the first point past the horizon (or with no
// direction at all), and after one within a degree of it.
template <class Point, class Joined, class Advance>
void walk_grid_circle(QPainter &painter, double t, Point point, Joined joined,
                      Advance advance)
{
    int px = 0, py = 0;
    for (bool first = true;; first = false) {
        int x, y;
        const double z = point(t, x, y);
        if (!(z <= 90))
            return;
        if (!first && joined(t))
            painter.drawLine(px, py, x, y);
        px = x;
        py = y;
        if (z >= 89 || !advance(t, z))
            return;
    }
}

} // namespace

void Orvex_sky::paint_sky(QPaintDevice *device)
{
    if (device->height() < 100)
        return;
    const int D = std::min(device->width(), device->height());
    view_size = D;
    const int R = D / 2;
    const double Rd = D / 2.0;

    QPainter painter(device);
    QFont scaled = font();
    if (sky_scale_font(scaled, D))
        painter.setFont(scaled);

    // Every colour comes from the colour set of the mode (day or night).
    const Orvex_sky_colors &colors = sky_colors(night);
    QPen pen_a(QBrush(colors.line), 1, Qt::SolidLine);
    QPen pen_b(QBrush(colors.grid_minor), 1, Qt::SolidLine);
    const QColor text_color = colors.line;

    painter.setPen(pen_a);
    painter.setBrush(QBrush(colors.disc, Qt::SolidPattern));
    const int disc = sky_trunc(Rd + 0.5);
    painter.drawEllipse(QPoint(R, R), disc, disc);
    painter.setBrush(Qt::NoBrush);

    if (hadec_grid)
        paint_grid_hadec(painter, pen_b);
    else
        paint_grid_az(painter);
    paint_cardinal_points(painter, text_color);

    if (state_ok && !telescope->is_comment && sidereal_time >= 0)
        paint_telescope(painter, pen_b);

    if ((state_ok || !objects->isEmpty())
        && (direct_count > 0 || reverse_count > 0))
        paint_horizon(painter, pen_b);

    pen_a.setWidth(2);
    pen_a.setColor(colors.object);
    painter.setPen(pen_a);

    if (!objects->isEmpty() && !telescope->is_comment && sidereal_time >= 0) {
        paint_objects(painter, pen_a, pen_b);
        paint_object_names(painter, text_color);
    }
}

void Orvex_sky::paint_grid_az(QPainter &painter)
{
    const int R = view_size / 2;
    int x, y;
    static const int zenith_circles[] = {5, 10, 20, 30, 40, 50, 60, 70, 80};
    for (int z : zenith_circles) {
        // The radius follows the view mode's own law and rounding.
        project(90 * 3600.0, z * 3600.0, x, y);
        painter.drawEllipse(QPoint(R, R), x - R, x - R);
    }
    for (int a = 0; a < 360; a += 10) {
        // Radial lines start further out where they would crowd the zenith.
        const int z0 = a % 90 == 0 ? 5 : (a % 30 == 0 ? 10 : 20);
        int x0, y0;
        project(a * 3600.0, z0 * 3600.0, x0, y0);
        project(a * 3600.0, 90 * 3600.0, x, y);
        painter.drawLine(x0, y0, x, y);
    }
}

double Orvex_sky::paint_hadec_point(double h, double d, int &x, int &y) const
{
    double A, Z;
    equ_to_horizontal(sidereal_time - h * 3600.0, d * 3600.0, A, Z);
    project(A, Z, x, y);
    return Z / 3600.0;
}

// The walks take coarse steps high in the sky and fine ones near the
// horizon.
void Orvex_sky::paint_grid_hadec(QPainter &painter, QPen &gray)
{
    const QPen black = painter.pen();

    for (int h = 0; h < 24; ++h) {
        walk_grid_circle(
            painter, 90,
            [&](double d, int &x, int &y) { return paint_hadec_point(h, d, x, y); },
            [h](double d) { return sky_hour_segment_drawn(d, h); },
            [](double &d, double z) {
                d -= z < 78 ? 5 : 1;
                return d > lowest_decl;
            });
    }

    for (double d = 85; d > lowest_decl; d -= d > 81 ? 5 : 10) {
        painter.setPen(std::abs(d) < 0.1 ? black : gray);
        for (const bool west : {true, false}) {
            walk_grid_circle(
                painter, west ? 0 : 23.999,
                [&](double h, int &x, int &y) { return paint_hadec_point(h, d, x, y); },
                [west](double h) { return west ? h > 0.1 : h < 23.9; },
                [west](double &h, double z) {
                    const double step = z < 78 ? 0.5 : 0.1;
                    h += west ? step : -step;
                    return west ? h <= 12.1 : h >= 11.9;
                });
        }
    }
    painter.setPen(black);
}

void Orvex_sky::paint_telescope(QPainter &painter, QPen &pen_b)
{
    const int D = view_size;
    const int s = sky_marker_size(D), in = s - 1, out = 3 * s - 1;
    const int L = sky_line_step(D);
    Orvex_object &t = *telescope;

    pen_b.setColor(sky_colors(night).telescope);
    pen_b.setWidth(sky_red_pen_width(D));
    // An old state keeps its place but not its colour: dashed and grey, so
    // nobody takes it for where the telescope is now. The shared pen stays
    // solid for the horizon and the selection.
    QPen pen = pen_b;
    if (state_old) {
        pen.setColor(sky_colors(night).telescope_old);
        pen.setDashPattern({2, 2});
    }
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    if (state_old)
        paint_telescope_line(painter, sky_telescope_text_x(D, 5), 6 * L,
                             tr("old: %1").arg(state_age_duration(state_age_seconds * 1000LL)));

    // A position that cannot be (or that came as no number) has no place on
    // the sky, and its numbers would mean nothing.
    if (!position_known || !sky_telescope_position_possible(t)
        || !project(t.azimuth, t.zenith, t.screen_x, t.screen_y)) {
        t.screen_x = t.screen_y = -1;
        paint_telescope_line(painter, sky_telescope_text_x(D, 1), L,
                             tr("Position unknown"));
        return;
    }
    const int x = t.screen_x, y = t.screen_y;
    painter.drawLine(x - in, y, x - out, y);
    painter.drawLine(x + in, y, x + out, y);
    painter.drawLine(x, y - in, x, y - out);
    painter.drawLine(x, y + in, x, y + out);
    painter.drawEllipse(QPoint(x, y), 3 * s, 3 * s);

    double a = t.azimuth / 3600.0;
    if (a > 180)
        a -= 360;
    const QString lines[5] = {
        QStringLiteral("R.A. = ") + sec_to_hms(t.ra),
        QStringLiteral("Decl. = ") + arcsec_to_dms(t.decl),
        QStringLiteral("HA = ") + three_decimals(t.hour_angle / 3600.0),
        QStringLiteral("A = ") + three_decimals(a),
        QStringLiteral("Z = ") + three_decimals(t.zenith / 3600.0),
    };
    for (int k = 1; k <= 5; ++k)
        painter.drawText(QPoint(sky_telescope_text_x(D, k), k * L),
                         lines[k - 1]);
}

void Orvex_sky::paint_telescope_line(QPainter &painter, int x, int y,
                                     const QString &text)
{
    const int room = view_size - 2 - painter.fontMetrics().horizontalAdvance(text);
    painter.drawText(QPoint(qMax(0, qMin(x, room)), y), text);
}

void Orvex_sky::paint_horizon(QPainter &painter, QPen &pen_b)
{
    pen_b.setColor(sky_colors(night).horizon);
    pen_b.setWidth(sky_red_pen_width(view_size));
    painter.setPen(pen_b);
    painter.setBrush(Qt::NoBrush);

    HorizonPoint *set = tel_flip ? horizon_reverse : horizon_direct;
    const int n = std::min(tel_flip ? reverse_count : direct_count,
                           horizon_max_points);
    if (n <= 0)
        return;
    // Drawn with the stored zenith distance: points below the horizon lie
    // outside the all-sky disc, as they should. A point with no direction
    // leaves a gap rather than a line to a made-up pixel.
    bool placed[horizon_max_points];
    for (int i = 0; i < n; ++i)
        placed[i] = project(set[i].az * 3600.0, set[i].zd * 3600.0, set[i].x,
                            set[i].y);
    for (int i = 1; i <= n; ++i) {
        if (!placed[i - 1] || !placed[i % n])
            continue;
        const HorizonPoint &a = set[i - 1], &b = set[i % n];
        painter.drawLine(a.x, a.y, b.x, b.y);
    }
}

void Orvex_sky::paint_objects(QPainter &painter, QPen &pen_a, QPen &pen_b)
{
    const int s = sky_marker_size(view_size), in = s - 1, out = 3 * s - 1;
    project_objects();
    // A scaled device (high-density screens) would blur a stamp.
    const bool stamped = painter.device()->devicePixelRatioF() == 1.0;
    const Circle_stamp stamp(stamped ? painter.pen() : QPen(), s);
    // Objects below the horizon profile (the one a slew would meet) are
    // drawn faded: they are there, but not to be observed now.
    QPen below_pen = painter.pen();
    below_pen.setColor(sky_colors(night).object_below);
    const Circle_stamp below_stamp(stamped ? below_pen : QPen(), s);
    const Orvex_horizon_line horizon(horizon_sets());
    for (const Orvex_object *o : qAsConst(*objects)) {
        if (o->is_comment || o->screen_x <= 0 || o->screen_y <= 0)
            continue;
        const bool above = above_horizon(o->azimuth, o->zenith, horizon);
        if (stamped) {
            (above ? stamp : below_stamp).draw(painter, o->screen_x, o->screen_y);
        } else {
            painter.setPen(above ? pen_a : below_pen);
            painter.drawEllipse(QPoint(o->screen_x, o->screen_y), s, s);
        }
    }
    painter.setPen(pen_a);

    if (current_index < 0 || current_index >= objects->size())
        return;
    const Orvex_object &o = *objects->at(current_index);
    if (o.is_comment)
        return;
    const int x = o.screen_x, y = o.screen_y;
    if (x > 0 && y > 0) {
        pen_b.setColor(sky_colors(night).selection);
        painter.setPen(pen_b);
        painter.drawLine(x - in, y - in, x - out, y - out);
        painter.drawLine(x + in, y + in, x + out, y + out);
        painter.drawLine(x + in, y - in, x + out, y - out);
        painter.drawLine(x - in, y + in, x - out, y + out);
    }
    paint_selection_text(painter, o, pen_a);
}

// Shown even for an object too low to be drawn, so a selection from the
// list always says where the object is.
void Orvex_sky::paint_selection_text(QPainter &painter, const Orvex_object &o,
                                     QPen &pen_a)
{
    const int D = view_size, L = sky_line_step(D);
    pen_a.setColor(sky_colors(night).selection_text);
    pen_a.setWidth(1);
    painter.setPen(pen_a);
    const double x = 5.0;
    painter.drawText(QPointF(x, D - L), o.name);
    painter.drawText(QPointF(x, L), QStringLiteral("R.A. = ") + sec_to_hms(o.ra));
    painter.drawText(QPointF(x, 2 * L),
                     QStringLiteral("Decl. = ") + arcsec_to_dms(o.decl));
    painter.drawText(QPointF(x, D - 3 * L),
                     QStringLiteral("Epoch = ") + o.epoch_text);
    painter.drawText(QPointF(x, 3 * L),
                     QStringLiteral("HA = ")
                         + three_decimals(
                             sky_selection_hour_angle(sidereal_time, o.ra)));
    painter.drawText(QPointF(x, 4 * L),
                     QStringLiteral("A = ") + three_decimals(o.azimuth / 3600.0));
    painter.drawText(QPointF(x, 5 * L),
                     QStringLiteral("Z = ") + three_decimals(o.zenith / 3600.0));
}
