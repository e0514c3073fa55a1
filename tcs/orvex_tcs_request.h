#ifndef ORVEX_TCS_REQUEST_H
#define ORVEX_TCS_REQUEST_H

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

// Query pairs in the order they go out; the URL library encodes them.
using Orvex_query = QList<QPair<QString, QString>>;

namespace orvex {
// Script paths on the TCS web host.
extern const char *const users_path;
extern const char *const state_path;
extern const char *const send_path;
}

// The URL library leaves '+' as it is, which a CGI script reads as a blank
// ("+45:00:00" would arrive as " 45:00:00"), takes "%41" in a value as an
// escape, and leaves ';', which some CGI libraries take for a pair separator
// (a password "a;b" would arrive as "a"). Escaping '%', '+' and ';' makes
// every value arrive as typed.
QString query_value_as_typed(QString value);

// "http://" + host + path, with the pairs as its query (none when empty).
QUrl tcs_url(const QString &host, const QString &path, const Orvex_query &pairs);

// The toolkit's error texts quote the whole URL, password included. This
// hides the value of every "Pass" key: first by replacing the request's own
// URL (in each form the toolkit may print) by a masked copy, then any
// remaining "Pass=..." up to the next '&' or blank.
QString mask_password(const QString &text, const QUrl &url);
QUrl masked_url(const QUrl &url);

// The error text of a request given up after timeout_ms.
QString timeout_error_text(const QUrl &url, int timeout_ms);

// A reply body cut into lines the way a line reader sees it: every line
// keeps its line feed, the last one may lack it, an empty body has none.
QList<QByteArray> split_reply_lines(const QByteArray &body);

#endif
