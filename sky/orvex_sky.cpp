// Placeholder until the sky window lands.
#include "orvex_sky.h"

Orvex_sky::Orvex_sky(QWidget *parent, Orvex_object_list *objects,
                     Orvex_object *telescope)
    : QFrame(parent), objects(objects), telescope(telescope)
{
    setObjectName(QStringLiteral("Orvex_sky"));
    resize(550, 550);
    retranslate();
}

Orvex_sky::~Orvex_sky() = default;

void Orvex_sky::set_view_ksv(bool) {}
void Orvex_sky::set_grid_az(bool) {}
void Orvex_sky::set_list_window(Orvex_list *list) { list_window = list; }
void Orvex_sky::retranslate() { setWindowTitle(tr("Orvex Sky")); }
void Orvex_sky::set_tel_flip(bool) {}
void Orvex_sky::set_state_ok(bool) {}
void Orvex_sky::state_updated() {}
void Orvex_sky::list_changed() {}
void Orvex_sky::set_current(int) {}
