#ifndef TCS_WINDOW_SUPPORT_H
#define TCS_WINDOW_SUPPORT_H

#include "orvex_list.h"
#include "orvex_obj_list.h"
#include "orvex_obj_list_form.h"
#include "orvex_sky.h"

#include <QtWidgets>

#include <functional>

// Closes every message box shortly after it opens, remembering its title and
// text; `while_open` runs inside the box's own event loop first.
struct Box_closer : QObject
{
    QStringList titles, texts;
    std::function<void()> while_open;
    QTimer timer;

    Box_closer()
    {
        connect(&timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || box->property("seen").toBool())
                return;
            box->setProperty("seen", true);
            titles.append(box->windowTitle());
            texts.append(box->text());
            if (while_open)
                while_open();
            box->done(QMessageBox::Ok);
        });
        timer.start(20);
    }
    static void click_yes()
    {
        qobject_cast<QMessageBox *>(QApplication::activeModalWidget())->button(QMessageBox::Yes)->click();
    }
};

inline Orvex_Obj_List *make_window(const QString &host)
{
    qputenv("ORVEX_TCS_HOST", host.toLatin1());
    return new Orvex_Obj_List;
}

#endif
