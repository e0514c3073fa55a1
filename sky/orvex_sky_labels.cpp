#include "orvex_sky_labels.h"

#include "orvex_sky_math.h"
#include "orvex_text.h"

#include <cmath>

QRect sky_cardinal_rect(int view_size, bool all_sky, double A, QSize letter)
{
    const int R = view_size / 2;
    int x, y;
    sky_project(view_size, all_sky, A, 90 * 3600.0, x, y);
    const double dx = x - R, dy = y - R, len = std::hypot(dx, dy);
    if (len < 1)
        return QRect(QPoint(R, R), letter);
    // Outward along the radius, and across it to the right or upwards.
    const double ux = dx / len, uy = dy / len;
    const double px = std::abs(uy), py = -std::abs(ux);
    const int w = letter.width(), h = letter.height();
    const double along = (std::abs(ux) * w + std::abs(uy) * h) / 2 + 2;
    const double across = (std::abs(px) * w + std::abs(py) * h) / 2 + 2;
    const double cx = x - ux * along + px * across;
    const double cy = y - uy * along + py * across;
    return QRect(sky_trunc(cx - w / 2.0 + 0.5), sky_trunc(cy - h / 2.0 + 0.5), w, h);
}

QVector<QRect> sky_labels_placed(const QVector<QVector<QRect>> &places,
                                 const QVector<QRect> &taken, const QRect &bounds)
{
    QVector<QRect> placed(places.size());
    QVector<QRect> drawn = taken;
    const auto free = [&drawn, &bounds](const QRect &r) {
        if (r.isEmpty() || !bounds.contains(r))
            return false;
        for (const QRect &d : qAsConst(drawn))
            if (d.intersects(r))
                return false;
        return true;
    };
    for (int i = 0; i < places.size(); ++i)
        for (const QRect &r : places[i])
            if (free(r)) {
                placed[i] = r;
                drawn.append(r);
                break;
            }
    return placed;
}

QString sky_label_text(const QString &name)
{
    return clip_for_display(blank_controls(name).trimmed(), sky_label_max_chars);
}

QString sky_hover_text(const Orvex_object &o)
{
    const auto deg = [](double arcsec) { return QString::number(arcsec / 3600.0, 'f', 3); };
    return clip_for_display(blank_controls(o.name).trimmed()) + QLatin1Char('\n')
           + QStringLiteral("R.A. = ") + sec_to_hms(o.ra) + QStringLiteral("  Decl. = ")
           + arcsec_to_dms(o.decl) + QLatin1Char('\n') + QStringLiteral("A = ")
           + deg(o.azimuth) + QStringLiteral("  Z = ") + deg(o.zenith);
}
