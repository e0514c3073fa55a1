#ifndef ORVEX_QM_CHECK_H
#define ORVEX_QM_CHECK_H

#include <QByteArray>

// A compiled translation (.qm) comes from beside the program, and the
// toolkit reads it in place trusting every length and offset in it: a
// damaged file crashes the program at the first text it translates. This
// walks the whole file the way the toolkit reads it and answers whether
// every read stays inside its block.
bool qm_is_sound(const QByteArray &data);

// Our translations are a few dozen KiB.
constexpr qint64 qm_max_bytes = 4 << 20;

#endif
