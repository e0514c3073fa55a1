#ifndef ORVEX_OBJ_LIST_H
#define ORVEX_OBJ_LIST_H

#include "orvex_object.h"
#include "orvex_reply_guard.h"
#include "orvex_state_age.h"
#include "orvex_translator.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include <initializer_list>

class Orvex_Obj_List_form;
class Orvex_list;
class Orvex_sky;
class Orvex_about;
class Orvex_help;
class QCloseEvent;
class QLabel;
class QMessageBox;
class QTimer;
struct Orvex_state_reply;
struct Orvex_command_form;
struct Orvex_slew_check;

// The main window. It is also a record: the list and sky windows hand an
// object into the form through the set_form overrides.
class Orvex_Obj_List : public QMainWindow, public Orvex_object
{
    Q_OBJECT

public:
    explicit Orvex_Obj_List(QWidget *parent = nullptr);
    ~Orvex_Obj_List() override;

    void set_form(QString ra_text, QString decl_text) override;
    void set_form(QString name, QString ra_text, QString decl_text) override;
    void set_form(QString name, QString ra_text, QString decl_text,
                  QString epoch_text) override;

    // Colours a status label by colour names; an empty name keeps the
    // label's current colour for that role.
    static void set_colors(QLabel *label, const QString &text_color,
                           const QString &back_color);

    // "--night" among the command-line arguments starts in night vision.
    void start_night_if_asked(const QStringList &args);

protected:
    // Closing the last window ends the program: a changed list is asked
    // about first, whichever window goes last.
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void on_actionQuit_triggered();
    void on_orvex_show_pass_btn_pressed();
    void on_orvex_show_pass_btn_released();
    void on_orvex_get_btn_clicked();
    void on_orvex_send_btn_clicked();
    void on_orvex_set_offset_btn_clicked();
    void on_orvex_stop_btn_clicked();
    void on_orvex_slew_btn_clicked();
    void on_orvex_get_offset_btn_clicked();
    void on_orvex_clear_btn_clicked();
    void on_orvex_passwd_set_btn_clicked();
    void on_orvex_passwd_edt_editingFinished();
    void orvex_send_finish();
    void orvex_get_users_finish();
    void orvex_get_timer();
    void orvex_view_timer();
    void orvex_age_timer();
    void orvex_get_finish();
    void orvex_get_error(QNetworkReply::NetworkError code);
    void orvex_get_users_error(QNetworkReply::NetworkError code);
    void orvex_send_error(QNetworkReply::NetworkError code);
    void orvex_show_stat_msg();
    void on_orvex_user_cb_currentTextChanged(const QString &text);
    void on_actionClear_list_triggered();
    void on_actionRead_and_Add_list_triggered();
    void on_actionOrvex_List_triggered();
    void on_actionOrvex_Sky_triggered();
    void on_actionViewOrvex_triggered(bool checked);
    void on_actionAZGrid_triggered(bool checked);
    void on_actionSky_names_triggered(bool checked);
    void on_actionNight_vision_triggered(bool checked);
    void on_actionSave_list_triggered();
    void on_actionInsert_Object_triggered();
    void on_actionAdd_Object_triggered();
    void on_actionRemove_Object_triggered();
    void on_actionInsert_Comment_triggered();
    void on_actionNatLang_triggered(bool checked);
    void on_actionAbout_Qt_triggered();
    void on_actionAbout_triggered();
    void on_actionHelp_triggered();

private:
    // Start-up pieces, in the order the constructor calls them.
    void setup_language();
    void setup_about_help();
    void setup_list_and_sky();
    void setup_keys();
    void print_start_lines();

    // TCS requests.
    void orvex_get_users();
    void orvex_get_state();
    void orvex_send(const QString &cmd);
    void orvex_stop();
    // After a users list that timed out: ask again later, and say so.
    void retry_users_later();

    // TCS client internals: every reply is tied to its kind's member, and
    // its handlers run only while it is still that member.
    using Reply_slot = void (Orvex_Obj_List::*)();
    using Error_slot = void (Orvex_Obj_List::*)(QNetworkReply::NetworkError);
    void send_tcs_request(const char *path, const QList<QPair<QString, QString>> &pairs,
                          QNetworkReply *Orvex_Obj_List::*member, Reply_slot finish,
                          Error_slot error);
    void release_reply(QNetworkReply *&reply);
    QString reply_error_text(QNetworkReply *reply) const;
    // What closing the error box does besides hiding it.
    enum Box_duty { box_resumes_polling = 1, box_ends_program = 2 };
    void show_error_box(const QString &title, const QString &text, int duties);
    void error_box_closed();
    void reset_state_labels();
    void take_state_line(int key, const Orvex_state_reply &reply);
    void level_change(int n, const QString &reply_user);
    void show_level();
    void show_good_state(bool prev_ok);
    void show_bad_state(bool prev_ok, const QString &status_line);
    void update_command_buttons(bool level_changed, bool mode_changed);
    // The state polls are running: the timer is set, or a reply it asked
    // for is on its way.
    bool polling() const;
    // Runs the age timer while polling and only then.
    void follow_polling();
    // Shows how old the last good state is, and marks it old on the sky
    // once it is.
    void show_state_age();
    void command_button(const QString &cmd);
    void show_form_error(int error, const QString &log_line);
    // Asks before a slew to an object below the horizon; true to go on.
    bool slew_guard_allows(const Orvex_command_form &form);
    // After the question: the level, the button and the free command slot
    // still let a slew go out.
    bool slew_still_allowed() const;

    // List editing.
    void form_to_list(int row);

    // A changed list about to go: asks "Save / Discard / Cancel"; true when
    // it may go (unchanged, saved or given up).
    enum class List_leaving { quit, clear };
    bool list_may_go(List_leaving why, QWidget *parent);
    bool save_before_leaving(List_leaving why, QWidget *parent);
    // Closes the windows in this order once the list may go.
    void close_windows(std::initializer_list<QWidget *> windows);
    bool window_may_close(QWidget *window);

public:
    Orvex_Obj_List_form *ui;
    Orvex_list *list_win = nullptr;
    Orvex_sky *sky_win = nullptr;
    Orvex_object_list *obj_list = nullptr;
    Orvex_object *tel_object = nullptr;
    QString tcs_host;
    QTimer *get_timer = nullptr;
    QTimer *view_timer = nullptr;
    QTimer *age_timer = nullptr;
    QElapsedTimer since_state;
    bool good_state_seen = false;
    // Position numbers of the replies that were no numbers (bits of
    // Orvex_position_bit), kept like the positions themselves.
    unsigned tel_unreadable = 0;
    bool from_timer = false;
    int get_interval = 60000;
    int view_interval = 500;
    QNetworkAccessManager net_manager;
    QNetworkReply *get_reply = nullptr;
    QNetworkReply *send_reply = nullptr;
    QNetworkReply *users_reply = nullptr;
    QString passwd;
    QString user;
    QString user_choice;
    int level = 0;
    QString level_user; // the user the level label names
    // A good state since the last "Set" allowed Stop: it stays enabled
    // through failed and bad replies until a good state says otherwise.
    bool stop_kept = false;
    // The one warning box of the TCS client, shown without blocking, and
    // what its closing has still to do.
    QMessageBox *error_box = nullptr;
    int error_box_duties = 0;
    QString stat_msg;
    QString ra2000;
    QString dec2000;
    QString pa_text;
    QString tcs_mode;
    QString tcs_mode_shown;
    QString tel_mode;
    QString tel_mode_shown;
    double vha = 0, vdec = 0, last_a = 0, last_z = 0, rate_a = 0, rate_z = 0,
           pa = 0, off_ha = 0, off_dec = 0;
    bool user_seen = false, tel_flip = false, want_offsets = false,
         want_object = false, state_ok = false;
    Orvex_translator app_translator;
    QTranslator qt_translator;
    QString app_dir;
    QString app_name;
    QString tr_file;
    QString sys_locale;
    Orvex_about *about_win = nullptr;
    Orvex_help *help_win = nullptr;
    bool on_tcs_host = false;
    bool not_local = false;
    // A TCS request without an answer after this many ms is given up.
    int tcs_timeout_ms = Orvex_reply_guard::max_reply_ms;
    // A state counts as old after two poll intervals, and never sooner.
    int state_old_min_ms = state_old_floor_ms;
    // A users list that timed out is asked for again after this many ms,
    // until one arrives.
    int users_retry_ms = 60000;
    QTimer *users_timer = nullptr;
    QString users_retry_text; // what the status bar says meanwhile
    // The windows are being closed after the list was settled: their
    // closing asks nothing more.
    bool closing_all = false;
};

// The question before a slew that the horizon check did not pass: the
// object's altitude, the horizon and the azimuth from the north with its
// compass point, or that the check could not be made.
QString slew_question_text(const QString &name, const Orvex_slew_check &c);

#endif
