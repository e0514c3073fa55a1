#ifndef ORVEX_SKY_COLORS_H
#define ORVEX_SKY_COLORS_H

#include <QColor>

// The colours the sky view paints with, one per role. By day they are the
// view's usual named colours; by night (night vision) dark and dim red only.
// A new drawing takes its colour from here, by role, so that it follows
// night vision too.
struct Orvex_sky_colors
{
    QColor disc;           // the visible hemisphere's fill
    QColor line;           // disc rim, grid lines, the equator
    QColor object;         // the listed objects' circles
    QColor grid_minor;     // declination circles other than the equator
    QColor telescope;      // the telescope's cross, circle and text
    QColor telescope_old;  // the same for a state that has grown old
    QColor horizon;        // the horizon profile
    QColor selection;      // the selected object's cross
    QColor selection_text; // the selected object's text block
    QColor object_below;   // circles of objects below the horizon profile
};

// The day colours, or the night ones when night is true.
const Orvex_sky_colors &sky_colors(bool night);

#endif
