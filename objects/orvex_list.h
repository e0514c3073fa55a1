#ifndef ORVEX_LIST_H
#define ORVEX_LIST_H

#include "orvex_object.h"

#include <QFrame>

class Orvex_sky;

// The objects list window: one display line per record of the shared list.
class Orvex_list : public QFrame
{
    Q_OBJECT

public:
    Orvex_list(QWidget *parent, Orvex_object_list *obj_list);
    ~Orvex_list() override;

    void set_partner(Orvex_sky *sky);
    void set_form_object(Orvex_object *form);
    void insert_object(int row, QString name, QString ra_text,
                       QString decl_text, QString epoch_text);
    void insert_comment(int row, QString text);
    void remove_row(int row);
    int current_row() const;
    void save_list();
    void select_from_sky(int row);
    void retranslate();

public slots:
    void on_orvex_clr_lst_btn_clicked();
    void on_orvex_get_lst_btn_clicked();

private:
    Orvex_sky *partner = nullptr;
    Orvex_object *form_object = nullptr;
    Orvex_object_list *obj_list;
};

#endif
