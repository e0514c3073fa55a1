// The main window's ObjList actions: they edit the list window's list,
// mostly with what the object form holds.
#include "orvex_obj_list.h"

#include "orvex_list.h"
#include "orvex_lst_format.h"
#include "orvex_obj_list_form.h"

#include <QLineEdit>

void Orvex_Obj_List::on_actionClear_list_triggered()
{
    if (list_win->isHidden())
        list_win->show();
    if (list_may_go(List_leaving::clear, list_win))
        list_win->on_orvex_clr_lst_btn_clicked();
}

void Orvex_Obj_List::on_actionRead_and_Add_list_triggered()
{
    list_win->on_orvex_get_lst_btn_clicked();
    if (list_win->isHidden())
        list_win->show();
}

void Orvex_Obj_List::on_actionSave_list_triggered()
{
    list_win->save_list();
}

void Orvex_Obj_List::on_actionInsert_Object_triggered()
{
    const int row = list_win->current_row();
    form_to_list(row < 0 ? 0 : row);
}

void Orvex_Obj_List::on_actionAdd_Object_triggered()
{
    form_to_list(obj_list->size());
}

void Orvex_Obj_List::on_actionRemove_Object_triggered()
{
    if (obj_list->isEmpty())
        return;
    list_win->remove_row(list_win->current_row());
}

// Like Insert Object, a list without a current row takes the comment at the
// top rather than dropping what the observer typed.
void Orvex_Obj_List::on_actionInsert_Comment_triggered()
{
    const int row = list_win->current_row();
    list_win->insert_comment(row < 0 ? 0 : row, ui->orvex_obj_edt->text().trimmed());
}

void Orvex_Obj_List::form_to_list(int row)
{
    const QString ra = ui->orvex_ra_edt->text().simplified();
    const QString decl = ui->orvex_decl_edt->text().simplified();
    const QString epoch = ui->orvex_epoch_edt->text().simplified();
    // Inner blanks of a name are the observer's own.
    const QString name = ui->orvex_obj_edt->text().trimmed();
    if (lst_is_object_pair(ra, decl))
        list_win->insert_object(row, name, ra, decl, epoch);
    else
        list_win->insert_comment(row, name);
}
