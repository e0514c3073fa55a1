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

// args are the command-line arguments including the program name.
Orvex_host_flags host_flags(const QString &machine_host,
                            const QString &tcs_host, const QStringList &args);

// The host log line: "name(product)" or "name(@OrvexTCS;[arg;]product)".
QString host_line(const QString &machine_host, const QString &product,
                  const Orvex_host_flags &flags, const QStringList &args);

#endif
