#include "orvex_tcs_host.h"

#include "orvex_log.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QtGlobal>

#ifndef ORVEX_DEFAULT_TCS_HOST
#define ORVEX_DEFAULT_TCS_HOST "orvex-tcs"
#endif

namespace {

bool is_port(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
    return digits.match(text).hasMatch() && text.toInt() >= 1 && text.toInt() <= 65535;
}

// A DNS name or a dotted IPv4 address: labels of letters, digits, '-' and
// '_', none empty, none starting or ending with '-'.
bool is_host_name(const QString &text)
{
    static const QRegularExpression name(QStringLiteral(
        "^(?=.{1,253}$)[A-Za-z0-9_](?:[A-Za-z0-9_-]{0,61}[A-Za-z0-9_])?"
        "(?:\\.[A-Za-z0-9_](?:[A-Za-z0-9_-]{0,61}[A-Za-z0-9_])?)*$"));
    return name.match(text).hasMatch();
}

// No zone ("%eth0"): the URL would need it escaped.
bool is_ipv6(const QString &text)
{
    return !text.contains(QLatin1Char('%'))
           && QHostAddress(text).protocol() == QAbstractSocket::IPv6Protocol;
}

// The environment's text as it may go to a terminal: control characters
// shown as '?', and no more than a line's worth.
QString shown(const QString &text)
{
    QString s = text.left(80);
    for (QChar &c : s)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            c = QLatin1Char('?');
    return text.size() > 80 ? s + QStringLiteral("...") : s;
}

} // namespace

bool is_tcs_host_text(const QString &text)
{
    if (text.startsWith(QLatin1Char('['))) {
        const int close = text.indexOf(QLatin1Char(']'));
        if (close < 0 || !is_ipv6(text.mid(1, close - 1)))
            return false;
        const QString after = text.mid(close + 1);
        return after.isEmpty() || (after.startsWith(QLatin1Char(':')) && is_port(after.mid(1)));
    }
    const int colon = text.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return is_host_name(text);
    return is_host_name(text.left(colon)) && is_port(text.mid(colon + 1));
}

Orvex_tcs_host_choice choose_tcs_host(const QByteArray &env, const QString &build_default)
{
    Orvex_tcs_host_choice choice{build_default, QString()};
    if (env.isEmpty())
        return choice;
    const QString text = QString::fromLocal8Bit(env);
    if (is_tcs_host_text(text)) {
        choice.host = text;
        return choice;
    }
    choice.refusal = QStringLiteral("ORVEX_TCS_HOST \"%1\" is not a host, host:port or "
                                    "[IPv6]:port; using %2 instead")
                         .arg(shown(text), build_default);
    return choice;
}

QString default_tcs_host()
{
    return choose_tcs_host(qgetenv("ORVEX_TCS_HOST"), QStringLiteral(ORVEX_DEFAULT_TCS_HOST)).host;
}

QString tcs_host_at_start()
{
    const Orvex_tcs_host_choice choice =
        choose_tcs_host(qgetenv("ORVEX_TCS_HOST"), QStringLiteral(ORVEX_DEFAULT_TCS_HOST));
    if (!choice.refusal.isEmpty())
        log_err(choice.refusal);
    return choice.host;
}
