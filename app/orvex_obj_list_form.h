#ifndef ORVEX_OBJ_LIST_FORM_H
#define ORVEX_OBJ_LIST_FORM_H

#include <QString>
#include <QtGlobal>

class QAction;
class QComboBox;
class QFontMetrics;
class QFormLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QMenuBar;
class QPushButton;
class QStatusBar;
class QWidget;

// What of the TCS web host `host` ("name" or "name:port") shows in `width`
// pixels: all of it when it fits, else the name without the port, cut at
// its end with an ellipsis when even that is too wide.
QString fit_host(const QString &host, const QFontMetrics &metrics, int width);

// The level text `pattern` ("User=%1 Level=%2 ") for `user` and `level` in
// `width` pixels: a long user name is cut with an ellipsis so that the
// level always shows.
QString fit_level(const QString &pattern, const QString &user, int level,
                  const QFontMetrics &metrics, int width);

// The main window's widgets, built in code with fixed pixel geometry.
class Orvex_Obj_List_form
{
public:
    // Builds every widget, action and menu on the window, sets the texts and
    // connects the window's "on_<object>_<signal>" slots by name.
    void build(QMainWindow *window);
    // Sets every translatable text again; the language switch calls it.
    void set_texts(QMainWindow *window);
    // Shows the host in its narrow label as far as it fits; the whole host
    // is the label's tooltip.
    void show_tcs_host(const QString &host);
    // Shows the translated level text, the whole of it as the tooltip.
    void show_level(const QString &pattern, const QString &user, int level);
    // Shows how old the last good state is; a negative age clears the text.
    // The language switch shows it again in the new language.
    void show_state_age(qint64 age_ms);

    QAction *actionQuit;
    QAction *actionClear_list;
    QAction *actionRead_and_Add_list;
    QAction *actionOrvex_List;
    QAction *actionOrvex_Sky;
    QAction *actionSave_list;
    QAction *actionInsert_Object;
    QAction *actionAdd_Object;
    QAction *actionRemove_Object;
    QAction *actionInsert_Comment;
    QAction *actionNatLang;
    QAction *actionAbout;
    QAction *actionHelp;
    QAction *actionAbout_Qt;
    QAction *actionViewOrvex;
    QAction *actionAZGrid;
    QAction *actionSky_names;
    QAction *actionNight_vision;

    QWidget *centralwidget;
    QGroupBox *groupBox_3;
    QWidget *formLayoutWidget;
    QFormLayout *formLayout_10;
    QLabel *orvex_obj_lab;
    QLineEdit *orvex_obj_edt;
    QLabel *orvex_ra_lab;
    QLineEdit *orvex_ra_edt;
    QLabel *orvex_decl_lab;
    QLineEdit *orvex_decl_edt;
    QLabel *orvex_epoch_lab;
    QHBoxLayout *horizontalLayout_5;
    QLineEdit *orvex_epoch_edt;
    QPushButton *orvex_clear_btn;
    QPushButton *orvex_get_btn;
    QPushButton *orvex_send_btn;
    QPushButton *orvex_stop_btn;
    QPushButton *orvex_slew_btn;
    QHBoxLayout *horizontalLayout_3;
    QPushButton *orvex_get_offset_btn;
    QPushButton *orvex_set_offset_btn;
    QLabel *orvex_offset_lab;
    QHBoxLayout *horizontalLayout_16;
    QLabel *orvex_offha_lab;
    QLineEdit *orvex_offha_edt;
    QLabel *orvex_offdec_lab;
    QLineEdit *orvex_offdec_edt;
    QLabel *orvex_user_lab;
    QComboBox *orvex_user_cb;
    QWidget *layoutWidget;
    QHBoxLayout *horizontalLayout;
    QPushButton *orvex_passwd_set_btn;
    QLabel *orvex_passwd_lab;
    QWidget *layoutWidget_1;
    QHBoxLayout *horizontalLayout_15;
    QLineEdit *orvex_passwd_edt;
    QPushButton *orvex_show_pass_btn;
    QGroupBox *groupBox_2;
    QWidget *horizontalLayoutWidget_2;
    QHBoxLayout *horizontalLayout_6;
    QLabel *orvex_state_lab;
    QLabel *orvex_level_lab;
    QGroupBox *groupBox;
    QLabel *orvex_host_lab;
    QLabel *orvex_tcs_lab;
    QLabel *otcs_mode_lab;
    QLabel *otcs_connect_lab;
    QLabel *orvex_age_lab;
    qint64 state_age_ms = -1;
    QMenuBar *menubar;
    QMenu *menuFile;
    QMenu *menuWindows;
    QMenu *menuObjList;
    QMenu *menuHelp;
    QStatusBar *statusbar;
};

#endif
