// Placeholder for the language switch and the About and Help windows until
// they land.
#include "orvex_obj_list.h"

void Orvex_Obj_List::setup_language() {}
void Orvex_Obj_List::setup_about_help() {}
void Orvex_Obj_List::on_actionNatLang_triggered(bool) {}
void Orvex_Obj_List::on_actionAbout_triggered() {}
void Orvex_Obj_List::on_actionHelp_triggered() {}
