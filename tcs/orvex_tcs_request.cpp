#include "orvex_tcs_request.h"

#include <QRegularExpression>
#include <QUrlQuery>

namespace orvex {
const char *const users_path = "/tcs/orvex_users_all.cgi";
const char *const state_path = "/tcs/otcs_get.cgi";
const char *const send_path = "/tcs/otcs_send.cgi";
}

QString query_value_as_typed(QString value)
{
    value.replace(QLatin1Char('%'), QLatin1String("%25"));
    value.replace(QLatin1Char('+'), QLatin1String("%2B"));
    value.replace(QLatin1Char(';'), QLatin1String("%3B"));
    return value;
}

QUrl tcs_url(const QString &host, const QString &path, const Orvex_query &pairs)
{
    QUrl url(QStringLiteral("http://") + host + path, QUrl::TolerantMode);
    if (!pairs.isEmpty()) {
        Orvex_query items = pairs;
        for (auto &item : items)
            item.second = query_value_as_typed(item.second);
        QUrlQuery query;
        query.setQueryItems(items);
        url.setQuery(query);
    }
    return url;
}

QUrl masked_url(const QUrl &url)
{
    QUrlQuery query(url);
    if (!query.hasQueryItem(QStringLiteral("Pass")))
        return url;
    Orvex_query items = query.queryItems();
    for (auto &item : items)
        if (item.first == QLatin1String("Pass"))
            item.second = QStringLiteral("***");
    QUrlQuery masked;
    masked.setQueryItems(items);
    QUrl out = url;
    out.setQuery(masked);
    return out;
}

QString mask_password(const QString &text, const QUrl &url)
{
    QString out = text;
    if (url.isValid() && url.hasQuery()) {
        const QUrl masked = masked_url(url);
        const QUrl::ComponentFormattingOptions forms[] = {QUrl::PrettyDecoded,
                                                          QUrl::FullyEncoded};
        for (auto form : forms) {
            const QString plain = url.toString(form);
            if (!plain.isEmpty())
                out.replace(plain, masked.toString(form));
        }
        out.replace(url.toDisplayString(), masked.toDisplayString());
    }
    static const QRegularExpression pass(QStringLiteral("Pass=[^&\\s]*"));
    out.replace(pass, QStringLiteral("Pass=***"));
    return out;
}

QString timeout_error_text(const QUrl &url, int timeout_ms)
{
    return QStringLiteral("Error transferring %1 - no answer within %2 s")
        .arg(masked_url(url).toString(), QString::number(timeout_ms / 1000.0));
}

QList<QByteArray> split_reply_lines(const QByteArray &body)
{
    QList<QByteArray> lines;
    int start = 0;
    while (start < body.size()) {
        int end = body.indexOf('\n', start);
        end = end < 0 ? body.size() : end + 1;
        lines.append(body.mid(start, end - start));
        start = end;
    }
    return lines;
}
