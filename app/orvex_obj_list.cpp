#include "orvex_obj_list.h"

#include "orvex_about.h"
#include "orvex_eye_icon.h"
#include "orvex_help.h"
#include "orvex_list.h"
#include "orvex_log.h"
#include "orvex_night.h"
#include "orvex_obj_list_form.h"
#include "orvex_sky.h"
#include "orvex_startup.h"
#include "orvex_tcs_host.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QHostInfo>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QSysInfo>
#include <QTimer>

Orvex_Obj_List::Orvex_Obj_List(QWidget *parent)
    : QMainWindow(parent), ui(new Orvex_Obj_List_form)
{
    ui->build(this);
    setup_language();
    setup_about_help();

    tcs_host = tcs_host_at_start();
    tel_object = new Orvex_object;
    tel_object->name = QStringLiteral("Telescope");
    obj_list = new Orvex_object_list;
    setup_list_and_sky();
    setup_keys();

    get_reply = send_reply = users_reply = nullptr;
    orvex_get_users();

    get_timer = new QTimer(this);
    get_timer->setSingleShot(true);
    get_interval = 60000;
    get_timer->setInterval(get_interval);
    from_timer = false;
    connect(get_timer, &QTimer::timeout, this, &Orvex_Obj_List::orvex_get_timer);
    since_state.start();
    view_interval = 500;
    view_timer = new QTimer(this);
    view_timer->setSingleShot(true);
    view_timer->setInterval(view_interval);
    connect(view_timer, &QTimer::timeout, this, &Orvex_Obj_List::orvex_view_timer);
    age_timer = new QTimer(this);
    age_timer->setInterval(1000);
    connect(age_timer, &QTimer::timeout, this, &Orvex_Obj_List::orvex_age_timer);

    ui->show_tcs_host(tcs_host);
    app_dir = QCoreApplication::applicationDirPath();
    app_name = QCoreApplication::applicationName();
    QApplication::setWindowIcon(QIcon(app_dir + QLatin1Char('/') + app_name + QLatin1String(".png")));
    ui->orvex_show_pass_btn->setIcon(QIcon(orvex_eye_pixmap()));

    level = 0;
    passwd = QStringLiteral("kzmrp");
    user = user_choice = QStringLiteral("guest");
    Orvex_object::name = QStringLiteral("Unknown");
    for (QPushButton *b : {ui->orvex_send_btn, ui->orvex_slew_btn, ui->orvex_stop_btn}) {
        b->setEnabled(false);
        b->setStyleSheet(button_style(false));
    }
    ra2000 = QStringLiteral("00:00:00.0");
    dec2000 = QStringLiteral("+00:00:00.0");
    pa_text = QStringLiteral("0.0");
    tcs_mode = tcs_mode_shown = QStringLiteral("Off");
    tel_mode = tel_mode_shown = QStringLiteral("Unknown");
    vha = vdec = last_a = last_z = rate_a = rate_z = pa = off_ha = off_dec = 0;
    user_seen = tel_flip = want_offsets = want_object = state_ok = false;

    update_sidereal_time();
    print_start_lines();
    tel_object->is_comment = false;

    start_night_if_asked(QCoreApplication::arguments());
}

Orvex_Obj_List::~Orvex_Obj_List()
{
    log_out(QLatin1String("Orvex_Obj_List stop ") + log_timestamp());
    // The box reports its closing to this window, which is going.
    delete error_box;
    // The windows around this one live as long as it does: the sky window's
    // horizon requests run in a network thread that must end before the
    // program's statics do. The list window goes first, as it tells the sky
    // window of its changes.
    delete list_win;
    delete sky_win;
    delete about_win;
    delete help_win;
    delete ui;
}

void Orvex_Obj_List::setup_list_and_sky()
{
    list_win = new Orvex_list(nullptr, obj_list);
    sky_win = new Orvex_sky(nullptr, obj_list, tel_object);

    list_win->set_partner(sky_win);
    list_win->set_form_object(this);
    // A list that could not be read or saved must not go unnoticed.
    connect(list_win, &Orvex_list::file_error, ui->statusbar,
            [this](const QString &message) { ui->statusbar->showMessage(message); });
    // The list window's own "Clear list" asks about a changed list as the
    // menu's does.
    QPushButton *clear_btn = list_win->ui->orvex_clr_lst_btn;
    clear_btn->disconnect(list_win);
    connect(clear_btn, &QPushButton::clicked, this, &Orvex_Obj_List::on_actionClear_list_triggered);
    // Either window may be the last to close.
    list_win->installEventFilter(this);
    sky_win->installEventFilter(this);
    list_win->show();
    list_win->move(100, 10);

    sky_win->set_list_window(list_win);
    sky_win->show();
    sky_win->set_view_ksv(false);
    sky_win->set_grid_az(false);
    sky_win->move(300, 100);
}

void Orvex_Obj_List::print_start_lines()
{
    log_out(QLatin1String("Orvex_Obj_List start ") + log_timestamp());
    log_out(QLatin1String("stime=") + sec_to_hms(sidereal_time));
    const QString machine = QHostInfo::localHostName();
    bool night = false;
    const QStringList args = without_night_option(QCoreApplication::arguments(), &night);
    const Orvex_host_flags flags = host_flags(machine, tcs_host, args);
    on_tcs_host = flags.on_tcs_host;
    not_local = flags.not_local;
    log_out(host_line(machine, QSysInfo::productType(), flags, args));
}

void Orvex_Obj_List::set_form(QString ra_text, QString decl_text)
{
    ui->orvex_ra_edt->setText(ra_text);
    ui->orvex_decl_edt->setText(decl_text);
    ui->orvex_obj_edt->clear();
    ui->orvex_epoch_edt->clear();
    if (isHidden())
        show();
}

void Orvex_Obj_List::set_form(QString name, QString ra_text, QString decl_text)
{
    set_form(ra_text, decl_text);
    if (!name.isEmpty())
        ui->orvex_obj_edt->setText(name);
}

void Orvex_Obj_List::set_form(QString name, QString ra_text, QString decl_text,
                              QString epoch_text)
{
    set_form(name, ra_text, decl_text);
    ui->orvex_epoch_edt->setText(epoch_text);
}
