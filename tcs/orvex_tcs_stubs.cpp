// Placeholder for the TCS client of the main window until it lands.
#include "orvex_obj_list.h"

#include <QLabel>

void Orvex_Obj_List::set_colors(QLabel *, const QString &, const QString &) {}
void Orvex_Obj_List::orvex_get_users() {}
void Orvex_Obj_List::orvex_get_state() {}
void Orvex_Obj_List::orvex_send(const QString &) {}
void Orvex_Obj_List::orvex_stop() {}
void Orvex_Obj_List::on_orvex_show_pass_btn_pressed() {}
void Orvex_Obj_List::on_orvex_show_pass_btn_released() {}
void Orvex_Obj_List::on_orvex_get_btn_clicked() {}
void Orvex_Obj_List::on_orvex_send_btn_clicked() {}
void Orvex_Obj_List::on_orvex_set_offset_btn_clicked() {}
void Orvex_Obj_List::on_orvex_stop_btn_clicked() {}
void Orvex_Obj_List::on_orvex_slew_btn_clicked() {}
void Orvex_Obj_List::on_orvex_get_offset_btn_clicked() {}
void Orvex_Obj_List::on_orvex_clear_btn_clicked() {}
void Orvex_Obj_List::on_orvex_passwd_set_btn_clicked() {}
void Orvex_Obj_List::on_orvex_passwd_edt_editingFinished() {}
void Orvex_Obj_List::orvex_send_finish() {}
void Orvex_Obj_List::orvex_get_users_finish() {}
void Orvex_Obj_List::orvex_get_timer() {}
void Orvex_Obj_List::orvex_view_timer() {}
void Orvex_Obj_List::orvex_get_finish() {}
void Orvex_Obj_List::orvex_get_error(QNetworkReply::NetworkError) {}
void Orvex_Obj_List::orvex_get_users_error(QNetworkReply::NetworkError) {}
void Orvex_Obj_List::orvex_send_error(QNetworkReply::NetworkError) {}
void Orvex_Obj_List::orvex_show_stat_msg() {}
void Orvex_Obj_List::on_orvex_user_cb_currentTextChanged(const QString &) {}
