// Placeholder until the list window lands.
#include "orvex_list.h"

Orvex_list::Orvex_list(QWidget *parent, Orvex_object_list *obj_list)
    : QFrame(parent), obj_list(obj_list)
{
    setObjectName(QStringLiteral("Orvex_list"));
    resize(550, 500);
    retranslate();
}

Orvex_list::~Orvex_list() = default;

void Orvex_list::set_partner(Orvex_sky *sky) { partner = sky; }
void Orvex_list::set_form_object(Orvex_object *form) { form_object = form; }
void Orvex_list::insert_object(int, QString, QString, QString, QString) {}
void Orvex_list::insert_comment(int, QString) {}
void Orvex_list::remove_row(int) {}
int Orvex_list::current_row() const { return 0; }
void Orvex_list::save_list() {}
void Orvex_list::select_from_sky(int) {}
void Orvex_list::retranslate() { setWindowTitle(tr("Orvex List")); }
void Orvex_list::on_orvex_clr_lst_btn_clicked() {}
void Orvex_list::on_orvex_get_lst_btn_clicked() {}
