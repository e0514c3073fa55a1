#ifndef ORVEX_LOG_H
#define ORVEX_LOG_H

#include <QString>
#include <QStringList>

// Plain log lines: progress on standard output, errors on standard error.
// Each line ends with a newline and a flush.
void log_out(const QString &line);
void log_err(const QString &line);
// Writes text exactly as given to standard output and flushes.
void log_out_raw(const QString &text);

// Tests collect the lines here as well; pass null to stop collecting.
void set_log_capture(QStringList *out, QStringList *err);

// Local date-time in the program's log pattern.
QString log_timestamp();

#endif
