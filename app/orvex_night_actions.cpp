// Night vision on the main window's side: the action switches every window
// of the program at once, and back.
#include "orvex_obj_list.h"

#include "orvex_about.h"
#include "orvex_help.h"
#include "orvex_night.h"
#include "orvex_obj_list_form.h"
#include "orvex_sky.h"
#include "orvex_startup.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

void Orvex_Obj_List::start_night_if_asked(const QStringList &args)
{
    bool night = false;
    without_night_option(args, &night);
    if (night) {
        ui->actionNight_vision->setChecked(true);
        on_actionNight_vision_triggered(true);
    }
}

void Orvex_Obj_List::on_actionNight_vision_triggered(bool checked)
{
    set_night_vision(checked);
    for (QLabel *label : {ui->otcs_connect_lab, ui->orvex_tcs_lab, ui->orvex_state_lab})
        night_refresh_label(label);
    for (QPushButton *button : findChildren<QPushButton *>())
        night_refresh_button(button);
    if (error_box) {
        error_box->setIcon(QMessageBox::Warning);
        night_box(error_box);
    }
    sky_win->set_night(checked);
    about_win->set_night(checked);
    help_win->set_night(checked);
}
