#ifndef ORVEX_SIDEREAL_H
#define ORVEX_SIDEREAL_H

#include <QDateTime>

// Local sidereal time (seconds of time, whole seconds) at a local clock
// reading, estimated from the reference instant 2025-01-01 00:00 local time.
// A result below 0 means the clock is too far before the reference.
double sidereal_time_at(const QDateTime &local_now);

#endif
