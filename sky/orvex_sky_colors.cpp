#include "orvex_sky_colors.h"

#include <QString>

const Orvex_sky_colors &sky_colors(bool night)
{
    static const Orvex_sky_colors day = {
        QColor(QStringLiteral("White")),    QColor(0, 0, 0),                QColor(0, 0, 0),
        QColor(128, 128, 128),              QColor(QStringLiteral("Red")),
        QColor(QStringLiteral("DimGray")),  QColor(QStringLiteral("Red")),
        QColor(QStringLiteral("Blue")),     QColor(QStringLiteral("DarkBlue")),
        QColor(QStringLiteral("Silver")),
    };
    // A dark disc, faint grid, and the things that matter brighter: the
    // telescope brightest, the selection and objects between.
    static const Orvex_sky_colors dark = {
        QColor(10, 0, 0),  QColor(120, 0, 0), QColor(200, 0, 0), QColor(65, 0, 0),  QColor(230, 0, 0),
        QColor(110, 0, 0), QColor(170, 0, 0), QColor(220, 0, 0), QColor(190, 0, 0),
        QColor(80, 0, 0),
    };
    return night ? dark : day;
}
