#ifndef ORVEX_STARTUP_H
#define ORVEX_STARTUP_H

#include <QString>
#include <QStringList>

// Where the program runs: on the TCS web host itself, and if so whether it
// was asked to behave as a local client ("local..." as first argument).
struct Orvex_host_flags
{
    bool on_tcs_host = false;
    bool not_local = false;
};

// The arguments without "--night" (anywhere after the program name), and
// whether it was there: the first-argument rule below sees the others only.
QStringList without_night_option(const QStringList &args, bool *night);

// args are the command-line arguments including the program name.
Orvex_host_flags host_flags(const QString &machine_host,
                            const QString &tcs_host, const QStringList &args);

// The host log line: "name(product)" or "name(@OrvexTCS;[arg;]product)".
QString host_line(const QString &machine_host, const QString &product,
                  const Orvex_host_flags &flags, const QStringList &args);

#endif
