#include "orvex_tcs_users.h"

#include "orvex_tcs_request.h"

Orvex_users_list parse_users_body(const QByteArray &body)
{
    Orvex_users_list list;
    int line_number = 0;
    for (const QByteArray &raw : split_reply_lines(body)) {
        const QString s = QString::fromUtf8(raw).simplified();
        const QString name = user_of_item(s);
        const QString rest = s.mid(name.size() + 1); // empty when there is no blank
        list.items.append(name + QStringLiteral(" (") + rest + QLatin1Char(')'));
        if (name.startsWith(QLatin1String("guest")))
            list.guest_index = line_number;
        ++line_number;
    }
    return list;
}

QString user_of_item(const QString &item)
{
    const QString s = item.simplified();
    const int blank = s.indexOf(QLatin1Char(' '));
    return blank < 0 ? s : s.left(blank);
}
