#ifndef ORVEX_NUMBER_H
#define ORVEX_NUMBER_H

#include <QByteArray>
#include <QString>

// Every number that comes from outside (list files, TCS replies, the form,
// the horizon profile) is read here: "." is the decimal point whatever the
// desktop's locale, and "nan", "inf" or an overflow are not numbers, since
// no position, epoch or offset can hold them.
bool read_number(const QString &text, double &value);
bool read_number(const QByteArray &text, double &value);

// The value, or 0 for anything that is not a finite number.
double number_or_zero(const QString &text);
double number_or_zero(const QByteArray &text);

#endif
