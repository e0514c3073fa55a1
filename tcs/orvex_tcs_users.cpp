#include "orvex_tcs_users.h"

#include "orvex_reply_text.h"
#include "orvex_tcs_request.h"
#include "orvex_text.h"

Orvex_users_list parse_users_body(const QByteArray &body)
{
    Orvex_users_list list;
    int line_number = 0;
    for (const QByteArray &raw : split_reply_lines(body)) {
        // A control character (a NUL too) separates like a blank; the line is
        // cut to what the combo box can show before the item is built.
        const QString s = reply_text_for_display(
            blank_controls(reply_line_text(raw)).simplified());
        const int blank = s.indexOf(QLatin1Char(' '));
        const QString name = blank < 0 ? s : s.left(blank);
        const QString rest = blank < 0 ? QString() : s.mid(blank + 1);
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
