#ifndef ORVEX_SKY_H
#define ORVEX_SKY_H

#include "orvex_object.h"

#include <QFrame>

class Orvex_list;

// The sky window: the local sky as a disc, horizon at the rim, zenith in the
// centre, with the listed objects and the telescope.
class Orvex_sky : public QFrame
{
    Q_OBJECT

public:
    Orvex_sky(QWidget *parent, Orvex_object_list *objects,
              Orvex_object *telescope);
    ~Orvex_sky() override;

    void set_view_ksv(bool on);
    void set_grid_az(bool on);
    void set_list_window(Orvex_list *list);
    void retranslate();
    void set_tel_flip(bool flip);
    void set_state_ok(bool ok);
    void state_updated();
    void list_changed();
    void set_current(int index);

private:
    Orvex_list *list_window = nullptr;
    Orvex_object_list *objects;
    Orvex_object *telescope;
};

#endif
