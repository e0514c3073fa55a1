// The form's command buttons and the command replies.
#include "orvex_obj_list.h"

#include "orvex_log.h"
#include "orvex_obj_list_form.h"
#include "orvex_tcs_command.h"
#include "orvex_tcs_request.h"

#include <QLineEdit>
#include <QStatusBar>
#include <QTimer>

void Orvex_Obj_List::on_orvex_send_btn_clicked() { command_button(QStringLiteral("Send")); }
void Orvex_Obj_List::on_orvex_slew_btn_clicked() { command_button(QStringLiteral("Slew")); }
void Orvex_Obj_List::on_orvex_set_offset_btn_clicked() { command_button(QStringLiteral("Corr")); }
void Orvex_Obj_List::on_orvex_stop_btn_clicked() { command_button(QStringLiteral("Stop")); }

// The effect of a command shows at the next poll, so a running poll is
// brought forward to 1 s, whether or not the command went out.
void Orvex_Obj_List::command_button(const QString &cmd)
{
    if (tcs_host.isEmpty())
        return;
    if (cmd == QLatin1String("Stop"))
        orvex_stop();
    else
        orvex_send(cmd);
    if (get_timer->isActive()) {
        get_timer->stop();
        get_interval = 1000;
        from_timer = false;
        get_timer->start(1000);
    }
}

void Orvex_Obj_List::on_orvex_get_btn_clicked()
{
    want_object = true;
    orvex_get_state();
}

void Orvex_Obj_List::on_orvex_get_offset_btn_clicked()
{
    want_offsets = true;
    orvex_get_state();
}

void Orvex_Obj_List::on_orvex_clear_btn_clicked()
{
    ui->orvex_obj_edt->clear();
    ui->orvex_ra_edt->clear();
    ui->orvex_decl_edt->clear();
    ui->orvex_epoch_edt->clear();
    ui->orvex_offha_edt->setText(QStringLiteral("0.0"));
    ui->orvex_offdec_edt->setText(QStringLiteral("0.0"));
}

void Orvex_Obj_List::show_form_error(int error, const QString &log_line)
{
    statusBar()->showMessage(tr(form_error_message(Orvex_form_error(error))));
    log_err(log_line);
}

void Orvex_Obj_List::orvex_send(const QString &cmd)
{
    if (send_reply)
        return;
    Orvex_command_form form;
    form.name = ui->orvex_obj_edt->text();
    form.ra = ui->orvex_ra_edt->text();
    form.decl = ui->orvex_decl_edt->text();
    form.epoch = ui->orvex_epoch_edt->text();
    form.off_ha = ui->orvex_offha_edt->text();
    form.off_dec = ui->orvex_offdec_edt->text();
    Orvex_query query;
    const Orvex_form_error error = command_query(user, passwd, cmd, form, query);
    if (error != Orvex_form_error::none) {
        show_form_error(int(error), form_error_log_line(error, form));
        return;
    }
    // The query stays as built: the box's nested event loop may refill the form.
    if (cmd == QLatin1String("Slew") && !slew_guard_allows(form))
        return;
    send_tcs_request(orvex::send_path, query, &Orvex_Obj_List::send_reply,
                     &Orvex_Obj_List::orvex_send_finish, &Orvex_Obj_List::orvex_send_error);
}

void Orvex_Obj_List::orvex_stop()
{
    if (send_reply)
        return;
    Orvex_query query;
    const Orvex_form_error error = stop_query(user, passwd, query);
    if (error != Orvex_form_error::none) {
        show_form_error(int(error), form_error_log_line(error, Orvex_command_form()));
        return;
    }
    send_tcs_request(orvex::send_path, query, &Orvex_Obj_List::send_reply,
                     &Orvex_Obj_List::orvex_send_finish, &Orvex_Obj_List::orvex_send_error);
}

void Orvex_Obj_List::orvex_send_finish()
{
    if (!send_reply)
        return;
    if (send_reply->error() == QNetworkReply::NoError) {
        const Orvex_command_reply r = read_command_reply(send_reply->readAll());
        if (!r.lines.isEmpty()) {
            statusBar()->showMessage(r.first_line);
            for (const QString &line : r.lines)
                log_out_raw(line);
            stat_msg = r.stat_msg;
            if (r.has_state)
                state_ok = r.state_ok;
            QTimer::singleShot(5000, this, &Orvex_Obj_List::orvex_show_stat_msg);
        }
    }
    release_reply(send_reply);
}
