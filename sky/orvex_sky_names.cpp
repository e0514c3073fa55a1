// The sky that names itself: the cardinal points at the rim, the objects'
// names beside their circles, and the tool tip of the object under the
// pointer.
#include "orvex_sky.h"

#include "orvex_reply_text.h"
#include "orvex_sky_labels.h"
#include "orvex_sky_math.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace {
// Labels are written in the text colour alone, without the shades of
// smoothing, which would stain the sky with colours that mean something
// else (the grey of an old state).
QFont label_font(QFont font, bool bold)
{
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}
} // namespace

void Orvex_sky::set_show_names(bool on)
{
    show_names = on;
    update();
}

QStringList Orvex_sky::cardinal_letters() const
{
    return {tr("N", "north point at the rim of the sky"),
            tr("E", "east point at the rim of the sky"),
            tr("S", "south point at the rim of the sky"),
            tr("W", "west point at the rim of the sky")};
}

QString Orvex_sky::hover_text_at(const QPoint &p) const
{
    if (objects->isEmpty() || telescope->is_comment || sidereal_time < 0)
        return QString();
    const int hit = sky_hit_test(*objects, p.x(), p.y(), view_size);
    return hit < 0 ? QString() : sky_hover_text(*objects->at(hit));
}

// The tip stays while the pointer is within the hit distance of the object.
bool Orvex_sky::event(QEvent *e)
{
    if (e->type() != QEvent::ToolTip)
        return QFrame::event(e);
    const auto *help = static_cast<QHelpEvent *>(e);
    const QString text = hover_text_at(help->pos());
    if (text.isEmpty()) {
        QToolTip::hideText();
        e->ignore();
    } else {
        QToolTip::showText(help->globalPos(), plain_tool_tip(text), this,
                           QRect(help->pos() - QPoint(9, 9), QSize(19, 19)));
    }
    return true;
}

void Orvex_sky::paint_cardinal_points(QPainter &painter, const QColor &color)
{
    painter.save();
    painter.setFont(label_font(painter.font(), true));
    painter.setPen(QPen(color));
    const QFontMetrics metrics = painter.fontMetrics();
    const QStringList letters = cardinal_letters();
    cardinal_rects.clear();
    for (int i = 0; i < 4; ++i) {
        const QString letter = letters.at(i).left(2);
        const QSize size(metrics.horizontalAdvance(letter), metrics.height());
        const QRect r = sky_cardinal_rect(view_size, all_sky, sky_cardinal_azimuths[i], size);
        painter.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, letter);
        cardinal_rects.append(r);
    }
    painter.restore();
}

QVector<QRect> Orvex_sky::text_block_rects(const QPainter &painter) const
{
    const int D = view_size, L = sky_line_step(D);
    const QFontMetrics metrics = painter.fontMetrics();
    QVector<QRect> blocks;
    if (state_ok) {
        const int left = sky_telescope_text_x(D, 1);
        blocks.append(QRect(left, 0, D - left, 6 * L + metrics.descent()));
    }
    if (current_index >= 0 && current_index < objects->size()
        && !objects->at(current_index)->is_comment) {
        const Orvex_object &o = *objects->at(current_index);
        const int numbers =
            std::max(metrics.horizontalAdvance(QStringLiteral("R.A. = 00:00:00.00")),
                     metrics.horizontalAdvance(QStringLiteral("Decl. = +00:00:00.0")));
        blocks.append(QRect(0, 0, 5 + numbers, 5 * L + metrics.descent()));
        const int below = std::max(metrics.horizontalAdvance(o.name),
                                   metrics.horizontalAdvance(QStringLiteral("Epoch = ") + o.epoch_text));
        const int top = D - 3 * L - metrics.ascent();
        blocks.append(QRect(0, top, 5 + below, D - top));
    }
    return blocks;
}

// A name that would overlap one already written, a cardinal letter or the
// numbers in the corners is left out; the selected object's goes first.
void Orvex_sky::paint_object_names(QPainter &painter, const QColor &color)
{
    if (!show_names)
        return;
    const int s = sky_marker_size(view_size);
    painter.save();
    painter.setFont(label_font(painter.font(), false));
    const QFontMetrics metrics = painter.fontMetrics();
    QVector<int> order;
    if (current_index >= 0 && current_index < objects->size())
        order.append(current_index);
    for (int i = 0; i < objects->size(); ++i)
        if (i != current_index)
            order.append(i);

    // No name covers a circle, a cross, a letter or the corner numbers.
    QVector<QRect> taken = cardinal_rects + text_block_rects(painter);
    const auto mark = [&taken](int x, int y, int reach) {
        taken.append(QRect(x - reach, y - reach, 2 * reach + 1, 2 * reach + 1));
    };
    for (const Orvex_object *o : qAsConst(*objects))
        if (!o->is_comment && o->screen_x > 0 && o->screen_y > 0)
            mark(o->screen_x, o->screen_y, o == objects->value(current_index) ? 3 * s : s + 1);
    if (state_ok && telescope->screen_x > 0)
        mark(telescope->screen_x, telescope->screen_y, 3 * s + 1);

    QVector<QVector<QRect>> places;
    QStringList texts;
    for (int i : qAsConst(order)) {
        const Orvex_object &o = *objects->at(i);
        const QString text = sky_label_text(o.name);
        texts.append(text);
        places.append(QVector<QRect>());
        if (o.is_comment || o.screen_x <= 0 || o.screen_y <= 0 || text.isEmpty())
            continue;
        // Right of the circle, else left of it; clear of the selection's
        // cross, whose arms reach 3 s - 1 out, and of the telescope's circle.
        const int w = metrics.horizontalAdvance(text), h = metrics.height();
        const int top = o.screen_y - h / 2, gap = 3 * s + 3;
        places.last() = {QRect(o.screen_x + gap, top, w, h),
                         QRect(o.screen_x - gap - w, top, w, h)};
    }
    const QVector<QRect> placed =
        sky_labels_placed(places, taken, QRect(0, 0, view_size, view_size));
    painter.setPen(QPen(color));
    for (int k = 0; k < placed.size(); ++k)
        if (!placed[k].isEmpty())
            painter.drawText(placed[k], Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                             texts[k]);
    painter.restore();
}
