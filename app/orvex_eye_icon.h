#ifndef ORVEX_EYE_ICON_H
#define ORVEX_EYE_ICON_H

#include <QPixmap>

// The small eye shown on the "view password" button.
QPixmap orvex_eye_pixmap();

#endif
