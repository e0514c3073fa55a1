#ifndef ORVEX_SKY_MATH_H
#define ORVEX_SKY_MATH_H

// The arithmetic of the sky view, free of any widget: the projection of a
// horizontal position to a pixel, the sizes derived from the view's side,
// the grid's drawing rules and the mouse hit test.

#include "orvex_object.h"

class QFont;

// Double to int by truncation toward zero. Values far outside any screen
// are pinned (NaN to 0) so the conversion stays defined; nothing in range
// is changed.
int sky_trunc(double v);

// Pixel of azimuth A and zenith distance Z (arcseconds) in a view of side
// view_size: equidistant azimuthal when all_sky, else orthographic (KSV).
// South is at the bottom in the all-sky view and at the top in KSV; west is
// to the right in both. A position with no direction (a non-finite angle)
// has no pixel: false, and x = y = -1, the mark of a record not placed.
bool sky_project(int view_size, bool all_sky, double A, double Z, int &x,
                 int &y);

// The telescope's record holds a place it can be at: every coordinate a
// finite number, Z from 0 to 180 degrees, |A| up to 360 degrees, |Decl.| up
// to 90 degrees, |R.A.| and |HA| up to 24 hours. Anything else is no
// position, and no cross is drawn for it.
bool sky_telescope_position_possible(const Orvex_object &t);

// Radius of an object circle; the crosses are built from it.
int sky_marker_size(int view_size);
// Baseline spacing of the text blocks.
int sky_line_step(int view_size);
// Width of the red (telescope, horizon) pen.
int sky_red_pen_width(int view_size);

// Scales the widget's font to the view's side, point or pixel sized.
// Returns false when the font has neither size and must not be set.
bool sky_scale_font(QFont &font, int view_size);

// Near the pole the hour circles thin out: every second from 76 degrees of
// declination, every sixth from 81, none from 86.
bool sky_hour_segment_drawn(double decl_degrees, int hour);

// Left end of the k-th (1..5) telescope text line, just right of the rim.
int sky_telescope_text_x(int view_size, int k);

// Hour angle (hours) shown for the selected object.
double sky_selection_hour_angle(double sidereal, double ra);

// Nearest placed object closer than 10 pixels to (px, py), first in list
// order on a tie; -1 when none. Uses the positions of the last paint.
int sky_hit_test(const Orvex_object_list &objects, int px, int py,
                 int view_size);

// Zenith distance (arcseconds) from which objects are neither drawn nor
// selectable: 86 degrees.
constexpr double sky_object_zenith_limit = 309600.0;

#endif
