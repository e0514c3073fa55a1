// Showing and hiding the other windows, the sky view settings, About Qt and
// Quit.
#include "orvex_obj_list.h"

#include "orvex_list.h"
#include "orvex_sky.h"

#include <QMessageBox>

void Orvex_Obj_List::on_actionQuit_triggered()
{
    // The other windows are closed by their own connections to actionQuit.
    close();
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

void Orvex_Obj_List::on_actionAbout_Qt_triggered()
{
    QMessageBox::aboutQt(nullptr, QString());
}
