// The main window's About and Help windows: created hidden at start-up,
// shown from the Help menu, closed by Quit (orvex_unsaved_list.cpp).
#include "orvex_obj_list.h"

#include "orvex_about.h"
#include "orvex_help.h"
#include "orvex_language.h"
#include "orvex_obj_list_form.h"

#include <QAction>

void Orvex_Obj_List::setup_about_help()
{
    about_win = new Orvex_about(nullptr);
    about_win->build_text();
    about_win->hide();
    // While About is up the observer has to close it before anything else.
    about_win->setWindowModality(Qt::ApplicationModal);
    about_win->setWindowFlags(Qt::Dialog);

    help_win = new Orvex_help(nullptr);
    help_win->load_help(manual_path(app_dir, app_name, QStringLiteral("en_US")));
    help_win->hide();
    // Either may be the last window to close.
    about_win->installEventFilter(this);
    help_win->installEventFilter(this);
}

void Orvex_Obj_List::on_actionAbout_triggered()
{
    about_win->show();
}

void Orvex_Obj_List::on_actionHelp_triggered()
{
    help_win->show();
    help_win->scroll_to_begin();
}
