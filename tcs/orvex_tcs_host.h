#ifndef ORVEX_TCS_HOST_H
#define ORVEX_TCS_HOST_H

#include <QByteArray>
#include <QString>

// The TCS web host: the build's default name, unless the environment
// variable ORVEX_TCS_HOST names another as host, host:port, [IPv6] or
// [IPv6]:port. Anything else there (a user part, a path, a query, a
// fragment, a second colon, blanks) would send the requests, or the
// password, somewhere else than the label shows, so the default is kept.
QString default_tcs_host();

// The same at start-up: a refused ORVEX_TCS_HOST is reported on standard
// error, once.
QString tcs_host_at_start();

struct Orvex_tcs_host_choice
{
    QString host;
    // Empty when the environment's text was taken or there was none.
    QString refusal;
};

// Picks the host from the environment's text and the build's default.
Orvex_tcs_host_choice choose_tcs_host(const QByteArray &env, const QString &build_default);

// Whether text is host, host:port, [IPv6] or [IPv6]:port (port 1 to 65535).
bool is_tcs_host_text(const QString &text);

#endif
