// Placeholder for the main window's list actions until they land.
#include "orvex_obj_list.h"

void Orvex_Obj_List::on_actionClear_list_triggered() {}
void Orvex_Obj_List::on_actionRead_and_Add_list_triggered() {}
void Orvex_Obj_List::on_actionSave_list_triggered() {}
void Orvex_Obj_List::on_actionInsert_Object_triggered() {}
void Orvex_Obj_List::on_actionAdd_Object_triggered() {}
void Orvex_Obj_List::on_actionRemove_Object_triggered() {}
void Orvex_Obj_List::on_actionInsert_Comment_triggered() {}
void Orvex_Obj_List::form_to_list(int) {}
