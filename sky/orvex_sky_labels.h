#ifndef ORVEX_SKY_LABELS_H
#define ORVEX_SKY_LABELS_H

// Texts written into the sky, free of any widget: where the cardinal
// letters go, which object names find room, and what a hover over an
// object tells.

#include "orvex_object.h"

#include <QRect>
#include <QString>
#include <QVector>

// The four points of the horizon, azimuth counted from the south through the
// west (arcseconds), in the order the view names them: N, E, S, W.
constexpr double sky_cardinal_azimuths[4] = {180 * 3600.0, -90 * 3600.0, 0.0,
                                              90 * 3600.0};

// Where a letter of the given size goes for the rim point at azimuth A: the
// point is placed by the view's own projection (so it is right in either
// view), the letter sits just inside the rim, and beside the radius through
// the point (right of it, or above it) so no grid line runs through it.
QRect sky_cardinal_rect(int view_size, bool all_sky, double A, QSize letter);

// Where each label goes, in order: the first of its places (say, right of
// its circle, else left of it) that lies within `bounds` and overlaps
// neither a rectangle of `taken` nor a label placed before it; an empty
// rectangle when none does. So texts are whole and never pile up into a blot.
QVector<QRect> sky_labels_placed(const QVector<QVector<QRect>> &places,
                                 const QVector<QRect> &taken, const QRect &bounds);

// An object's name as it is written beside its circle: control characters
// blanked, cut to a short label. Empty for a name with nothing to show.
QString sky_label_text(const QString &name);
constexpr int sky_label_max_chars = 24;

// What a hover over a placed object tells: its name, R.A. and Decl., and
// where it stands (A and Z in degrees, as the last paint placed it).
QString sky_hover_text(const Orvex_object &o);

#endif
