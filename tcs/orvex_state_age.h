#ifndef ORVEX_STATE_AGE_H
#define ORVEX_STATE_AGE_H

#include <QString>
#include <QtGlobal>

// The shortest time after which a state counts as old.
constexpr int state_old_floor_ms = 10000;

// How long the last good state may go without a newer one before it counts
// as old: two polls missed, and never less than min_ms.
qint64 state_old_after_ms(int get_interval, int min_ms = state_old_floor_ms);

// The last good state, age_ms old, no longer tells where the telescope is.
bool state_is_old(qint64 age_ms, int get_interval, int min_ms = state_old_floor_ms);

// A state age for the observer, in whole seconds, minutes or hours
// ("12 s", "5 min", "3 h"), translated.
QString state_age_duration(qint64 age_ms);

// The main window's age line: "last state 12 s ago", translated.
QString state_age_text(qint64 age_ms);

#endif
