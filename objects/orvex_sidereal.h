#ifndef ORVEX_SIDEREAL_H
#define ORVEX_SIDEREAL_H

#include <QDateTime>

// Local sidereal time (seconds of time, whole seconds, 0 to 86399) at a
// local clock reading, estimated from the reference instant 2025-01-01 00:00
// local time. Any date gives a time, before the reference as after it.
double sidereal_time_at(const QDateTime &local_now);

// A sidereal time in seconds folded into one day, [0, 86400): -1800 is
// 84600, 91800 is 5400. What is no number gives 0.
double sidereal_day_seconds(double t);

#endif
