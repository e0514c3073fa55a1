// Showing and hiding the other windows, the sky view settings, About Qt,
// Quit, and the keys that work in every window.
#include "orvex_obj_list.h"

#include "orvex_about.h"
#include "orvex_help.h"
#include "orvex_list.h"
#include "orvex_night.h"
#include "orvex_obj_list_form.h"
#include "orvex_sky.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

// Ctrl+. stops the telescope from whichever window has the keyboard, F1
// opens the manual, Ctrl+N switches night vision. The keys are the application's, so they need one
// window that shows and is not shadowed by a modal one; About is modal, and
// Stop is added to it as well. The key does what the button does, only when
// the button is enabled.
void Orvex_Obj_List::setup_keys()
{
    auto *stop_key = new QAction(this);
    stop_key->setObjectName(QStringLiteral("actionStop_key"));
    stop_key->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_Period));
    stop_key->setShortcutContext(Qt::ApplicationShortcut);
    connect(stop_key, &QAction::triggered, this, [this] {
        if (ui->orvex_stop_btn->isEnabled())
            on_orvex_stop_btn_clicked();
    });
    ui->actionHelp->setShortcut(QKeySequence(Qt::Key_F1));
    ui->actionHelp->setShortcutContext(Qt::ApplicationShortcut);
    ui->actionNight_vision->setShortcutContext(Qt::ApplicationShortcut);
    for (QWidget *window : {static_cast<QWidget *>(this), static_cast<QWidget *>(list_win),
                            static_cast<QWidget *>(sky_win), static_cast<QWidget *>(help_win)}) {
        window->addAction(stop_key);
        window->addAction(ui->actionHelp);
        window->addAction(ui->actionNight_vision);
    }
    about_win->addAction(stop_key);
    about_win->addAction(ui->actionNight_vision);
}

// All five windows close, the main window first, once a changed list has
// been saved or given up; Cancel leaves every one open.
void Orvex_Obj_List::on_actionQuit_triggered()
{
    close_windows({this, about_win, help_win, list_win, sky_win});
}

namespace {
void toggle(QWidget *window)
{
    if (window->isVisible())
        window->hide();
    else
        window->show();
}
} // namespace

void Orvex_Obj_List::on_actionOrvex_List_triggered()
{
    toggle(list_win);
}

void Orvex_Obj_List::on_actionOrvex_Sky_triggered()
{
    toggle(sky_win);
}

void Orvex_Obj_List::on_actionViewOrvex_triggered(bool checked)
{
    sky_win->set_view_ksv(checked);
}

void Orvex_Obj_List::on_actionAZGrid_triggered(bool checked)
{
    sky_win->set_grid_az(checked);
}

void Orvex_Obj_List::on_actionSky_names_triggered(bool checked)
{
    sky_win->set_show_names(checked);
}

void Orvex_Obj_List::on_actionAbout_Qt_triggered()
{
    // The toolkit builds its box inside the call: its logo is shaded once
    // the box is up.
    if (night_vision())
        QTimer::singleShot(0, this, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                night_box(box);
        });
    QMessageBox::aboutQt(nullptr, QString());
}
