// The users list, the password and the "Set" button that starts polling.
#include "orvex_obj_list.h"

#include "orvex_obj_list_form.h"
#include "orvex_tcs_request.h"
#include "orvex_tcs_users.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStatusBar>
#include <QTimer>

void Orvex_Obj_List::orvex_get_users()
{
    send_tcs_request(orvex::users_path, Orvex_query(), &Orvex_Obj_List::users_reply,
                     &Orvex_Obj_List::orvex_get_users_finish,
                     &Orvex_Obj_List::orvex_get_users_error);
}

void Orvex_Obj_List::orvex_get_users_finish()
{
    if (!users_reply)
        return;
    Orvex_users_list list;
    if (users_reply->error() == QNetworkReply::NoError)
        list = parse_users_body(users_reply->readAll());
    release_reply(users_reply);
    // All items in one go, not one layout pass per line. The first item
    // becomes current by itself; each change of the current item sets
    // user_choice through the combo box's signal.
    ui->orvex_user_cb->addItems(list.items);
    if (!list.items.isEmpty())
        ui->orvex_user_cb->setCurrentIndex(list.guest_index);
    // The wait is over: the note of a retry would no longer be true.
    if (!users_retry_text.isEmpty() && statusBar()->currentMessage() == users_retry_text)
        statusBar()->clearMessage();
    users_retry_text.clear();
}

void Orvex_Obj_List::retry_users_later()
{
    users_retry_text = tr("No users list in %1 s; retry in %2 s")
                           .arg(tcs_timeout_ms / 1000.0)
                           .arg(users_retry_ms / 1000.0);
    statusBar()->showMessage(users_retry_text);
    if (!users_timer) {
        users_timer = new QTimer(this);
        users_timer->setSingleShot(true);
        connect(users_timer, &QTimer::timeout, this, [this] {
            if (!users_reply)
                orvex_get_users();
        });
    }
    users_timer->start(users_retry_ms);
}

void Orvex_Obj_List::on_orvex_user_cb_currentTextChanged(const QString &text)
{
    user_choice = user_of_item(text);
}

void Orvex_Obj_List::on_orvex_passwd_set_btn_clicked()
{
    user = user_choice;
    passwd = ui->orvex_passwd_edt->text().simplified();
    // A new login: what the last user's state allowed no longer holds.
    stop_kept = false;
    if (passwd.size() <= 1)
        return;
    // Any level the next reply reports then counts as a change.
    level = 0;
    orvex_get_state();
    if (!get_timer->isActive()) {
        get_interval = 5000;
        from_timer = false;
        get_timer->start(5000);
    }
    follow_polling();
}

void Orvex_Obj_List::on_orvex_show_pass_btn_pressed()
{
    ui->orvex_passwd_edt->setEchoMode(QLineEdit::Normal);
}

void Orvex_Obj_List::on_orvex_show_pass_btn_released()
{
    ui->orvex_passwd_edt->setEchoMode(QLineEdit::Password);
}

void Orvex_Obj_List::on_orvex_passwd_edt_editingFinished() {}
