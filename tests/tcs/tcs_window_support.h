#ifndef TCS_WINDOW_SUPPORT_H
#define TCS_WINDOW_SUPPORT_H

#include "orvex_list.h"
#include "orvex_obj_list.h"
#include "orvex_sky.h"

#include <QApplication>
#include <QMessageBox>
#include <QPalette>
#include <QTimer>

#include <functional>

// Closes every warning box shortly after it opens, remembering its title and
// text. `while_open` runs inside the box's own event loop first.
class Box_closer : public QObject
{
public:
    Box_closer()
    {
        timer.setInterval(20);
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
        timer.start();
    }

    QStringList titles, texts;
    std::function<void()> while_open;
    QTimer timer;
};

// Builds the main window against the given TCS web host.
inline Orvex_Obj_List *make_window(const QString &host)
{
    qputenv("ORVEX_TCS_HOST", host.toLatin1());
    return new Orvex_Obj_List;
}

// The windows the main window never deletes go with it in tests.
inline void drop_window(Orvex_Obj_List *w)
{
    if (!w)
        return;
    delete w->list_win;
    delete w->sky_win;
    delete w;
}

inline QString text_color(QWidget *w) { return w->palette().color(QPalette::WindowText).name(); }
inline QString back_color(QWidget *w) { return w->palette().color(QPalette::Window).name(); }
inline QString color_of(const char *name) { return QColor(QLatin1String(name)).name(); }

#endif
