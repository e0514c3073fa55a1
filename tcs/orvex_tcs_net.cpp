// Requests to the TCS web host: sending, releasing, network errors, the
// delayed status-bar messages and the status label colours.
#include "orvex_obj_list.h"

#include "orvex_log.h"
#include "orvex_night.h"
#include "orvex_obj_list_form.h"
#include "orvex_sky.h"
#include "orvex_list.h"
#include "orvex_reply_guard.h"
#include "orvex_reply_text.h"
#include "orvex_tcs_request.h"
#include "orvex_text.h"

#include <QLabel>
#include <QMessageBox>
#include <QNetworkRequest>
#include <QStatusBar>
#include <QTimer>

void Orvex_Obj_List::send_tcs_request(const char *path, const Orvex_query &pairs,
                                      QNetworkReply *Orvex_Obj_List::*member,
                                      Reply_slot finish, Error_slot error)
{
    const QUrl url = tcs_url(tcs_host, QString::fromLatin1(path), pairs);
    QNetworkReply *reply = net_manager.get(QNetworkRequest(url));
    this->*member = reply;
    // Each handler serves only the reply it was made for: once the member
    // has been released (or holds a newer reply) a late signal is ignored.
    connect(reply, &QNetworkReply::finished, this, [this, reply, member, finish, error] {
        if (this->*member != reply)
            return;
        if (Orvex_reply_guard::failed_late(reply))
            (this->*error)(Orvex_reply_guard::error_code(reply, QNetworkReply::NoError));
        else
            (this->*finish)();
    });
    connect(reply, &QNetworkReply::errorOccurred, this,
            [this, reply, member, error](QNetworkReply::NetworkError code) {
                if (this->*member == reply)
                    (this->*error)(Orvex_reply_guard::error_code(reply, code));
            });
    // A host that never finishes, or sends far more than any answer, must
    // neither block its kind for good nor fill the memory.
    Orvex_reply_guard::watch(reply, tcs_timeout_ms);
}

void Orvex_Obj_List::release_reply(QNetworkReply *&reply)
{
    QNetworkReply *r = reply;
    if (!r)
        return;
    reply = nullptr;
    disconnect(r, nullptr, this, nullptr);
    Orvex_reply_guard::let_go(r);
}

QString Orvex_Obj_List::reply_error_text(QNetworkReply *reply) const
{
    if (!reply)
        return QString();
    return mask_password(Orvex_reply_guard::error_text(reply), reply->url());
}

// The box blocks nothing: Stop and the rest of the form must stay in reach
// while it is open. There is only ever one; a later error replaces its text,
// and what each error asked of its closing is kept until then.
void Orvex_Obj_List::show_error_box(const QString &title, const QString &text, int duties)
{
    if (!error_box) {
        error_box = new QMessageBox(QMessageBox::Warning, QString(), QString(), QMessageBox::Ok, this);
        error_box->setObjectName(QStringLiteral("orvex_error_box"));
        error_box->setWindowModality(Qt::NonModal);
        // The text comes from the host (its reason phrase): never markup.
        make_plain(error_box);
        connect(error_box, &QDialog::finished, this, &Orvex_Obj_List::error_box_closed);
    }
    error_box_duties |= duties;
    // The style's icon, in dim red by night.
    error_box->setIcon(QMessageBox::Warning);
    night_box(error_box);
    error_box->setWindowTitle(title);
    error_box->setText(clip_for_display(blank_controls(text), 2000));
    if (error_box->isVisible())
        error_box->raise(); // it may hide behind another window
    else
        error_box->show();
}

void Orvex_Obj_List::error_box_closed()
{
    const int duties = error_box_duties;
    error_box_duties = 0;
    if (duties & box_ends_program) {
        // A changed list is asked about first; kept, the program stays.
        close_windows({sky_win, list_win, this});
        return;
    }
    // A poll the observer started meanwhile ("Set") is left to run.
    if ((duties & box_resumes_polling) && !get_timer->isActive())
        get_timer->start(60000);
    follow_polling();
}

// The last position is no longer known to be the telescope's: the sky must
// not show it as current while the labels say "Off".
void Orvex_Obj_List::reset_state_labels()
{
    sky_win->set_state_ok(false);
    sky_win->state_updated();
    tcs_mode = tcs_mode_shown = QStringLiteral("Unknown");
    ui->orvex_tcs_lab->setText(tcs_mode);
    ui->otcs_connect_lab->setText(QStringLiteral("Off"));
    for (QLabel *label : {ui->otcs_connect_lab, ui->orvex_tcs_lab, ui->orvex_state_lab})
        set_colors(label, QStringLiteral("Black"), QStringLiteral("Lightgray"));
    tel_mode = tel_mode_shown = QStringLiteral("Unknown");
    ui->orvex_state_lab->setText(tel_mode);
}

// The reply is released before anything else: nothing may touch it once it
// is gone, however it signals afterwards.
void Orvex_Obj_List::orvex_get_error(QNetworkReply::NetworkError code)
{
    if (!get_reply)
        return;
    const QString text = reply_error_text(get_reply);
    release_reply(get_reply);
    log_err(QStringLiteral("Orvex read error %1 %2").arg(int(code)).arg(text));
    statusBar()->showMessage(text);
    state_ok = false;
    user_seen = false;
    reset_state_labels();
    // Polling waits until the box is closed, then a minute more.
    const bool was_running = get_timer->isActive();
    get_timer->stop();
    show_error_box(tcs_host + QStringLiteral("HTTP error"), text,
                   was_running || from_timer ? box_resumes_polling : 0);
    from_timer = false;
    follow_polling();
}

void Orvex_Obj_List::orvex_send_error(QNetworkReply::NetworkError code)
{
    if (!send_reply)
        return;
    const QString text = reply_error_text(send_reply);
    release_reply(send_reply);
    log_err(QStringLiteral("Orvex read error %1 %2").arg(int(code)).arg(text));
    statusBar()->showMessage(text);
    // A command that did not get through says nothing about the telescope:
    // the state shown, the sky and the polling stay as they are.
    show_error_box(tcs_host + QStringLiteral("HTTP error"), text, 0);
}

// A users list that fails ends the program. One that only takes too long
// is asked for again later: the host may be slow at start-up, the guest can
// still poll meanwhile, and the user box fills when the list comes.
void Orvex_Obj_List::orvex_get_users_error(QNetworkReply::NetworkError code)
{
    if (!users_reply)
        return;
    const QString text = reply_error_text(users_reply);
    const bool too_slow = Orvex_reply_guard::broken(users_reply) == Orvex_reply_guard::Limit::time;
    release_reply(users_reply);
    log_err(QStringLiteral("Orvex read error %1 %2").arg(int(code)).arg(text));
    if (too_slow) {
        retry_users_later();
        return;
    }
    show_error_box(tcs_host + tr("HTTP error"), text, box_ends_program);
}

void Orvex_Obj_List::orvex_show_stat_msg()
{
    if (stat_msg.isEmpty()) {
        statusBar()->clearMessage();
        return;
    }
    statusBar()->showMessage(stat_msg);
    stat_msg.clear();
    QTimer::singleShot(3000, this, &Orvex_Obj_List::orvex_show_stat_msg);
}

void Orvex_Obj_List::set_colors(QLabel *label, const QString &text_color,
                                const QString &back_color)
{
    // The day colours are kept on the label whatever the mode: night vision
    // shows them mapped to its reds, and gives them back when it ends.
    keep_day_colors(label, text_color.isEmpty() ? QColor() : QColor(text_color),
                    back_color.isEmpty() ? QColor() : QColor(back_color));
    if (night_vision()) {
        night_refresh_label(label);
        return;
    }
    QPalette pal = label->palette();
    const QColor text = text_color.isEmpty() ? pal.color(QPalette::WindowText)
                                             : QColor(text_color);
    const QColor back = back_color.isEmpty() ? pal.color(QPalette::Window)
                                             : QColor(back_color);
    if (pal.color(QPalette::WindowText) == text && pal.color(QPalette::Window) == back)
        return;
    if (!text_color.isEmpty())
        pal.setBrush(QPalette::WindowText, QBrush(text, Qt::SolidPattern));
    if (!back_color.isEmpty())
        pal.setBrush(QPalette::Window, QBrush(back, Qt::SolidPattern));
    label->setPalette(pal);
}
