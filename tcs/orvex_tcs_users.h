#ifndef ORVEX_TCS_USERS_H
#define ORVEX_TCS_USERS_H

#include <QByteArray>
#include <QString>
#include <QStringList>

// The users list as the combo box shows it: one item per body line (an
// empty line too, so positions equal line numbers), "name (rest)", cut to
// display length.
struct Orvex_users_list
{
    QStringList items;
    // The last entry whose name starts with "guest", else the first.
    int guest_index = 0;
};

Orvex_users_list parse_users_body(const QByteArray &body);

// The user name of a combo box item: its text simplified, up to the first
// blank.
QString user_of_item(const QString &item);

#endif
