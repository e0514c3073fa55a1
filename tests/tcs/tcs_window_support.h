#ifndef TCS_WINDOW_SUPPORT_H
#define TCS_WINDOW_SUPPORT_H

#include "orvex_about.h"
#include "orvex_help.h"
#include "orvex_list.h"
#include "orvex_obj_list.h"
#include "orvex_obj_list_form.h"
#include "orvex_sky.h"

#include <QtWidgets>

#include <functional>

// The message box on screen: a modal one (a question), else the first
// visible one (the TCS client's warning, which blocks nothing).
inline QMessageBox *open_box()
{
    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
        return box;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(top); box && box->isVisible())
            return box;
    return nullptr;
}

inline int open_boxes()
{
    int n = 0;
    for (QWidget *top : QApplication::topLevelWidgets())
        n += qobject_cast<QMessageBox *>(top) && top->isVisible();
    return n;
}

// Closes every message box shortly after it opens, remembering its title and
// text; `while_open` runs first, inside a modal box's own event loop.
struct Box_closer : QObject
{
    QStringList titles, texts;
    std::function<void()> while_open;
    QTimer timer;

    // Only modal boxes: a test that keeps the warning open still gets out of
    // a box that would block it.
    explicit Box_closer(bool modal_only = false, int ms = 20)
    {
        connect(&timer, &QTimer::timeout, this, [this, modal_only] {
            QMessageBox *box = modal_only ? qobject_cast<QMessageBox *>(QApplication::activeModalWidget())
                                          : open_box();
            if (!box || box->property("seen").toBool())
                return;
            box->setProperty("seen", true);
            titles.append(box->windowTitle());
            texts.append(box->text());
            if (while_open)
                while_open();
            box->done(QMessageBox::Ok);
            box->setProperty("seen", false); // the warning box is shown again later
        });
        timer.start(ms);
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
