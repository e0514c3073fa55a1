#include "orvex_obj_list_form.h"

#include "orvex_reply_text.h"
#include "orvex_state_age.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMetaObject>
#include <QPushButton>
#include <QStatusBar>
#include <QTextDocument>

namespace {

QFont make_font(int points, bool bold, bool italic,
                const QString &family = QString())
{
    QFont f;
    if (!family.isEmpty())
        f.setFamily(family);
    f.setPointSize(points);
    f.setBold(bold);
    f.setWeight(bold ? QFont::Bold : QFont::Normal);
    f.setItalic(italic);
    return f;
}

QFont base_font() { return make_font(10, false, false); }
QFont group_font() { return make_font(10, true, true); }
QFont name_font() { return make_font(10, false, false, QStringLiteral("Sans Serif")); }
QFont coord_font() { return make_font(12, true, false, QStringLiteral("Monospace")); }
// The form's geometry is fixed: these sizes let the longest texts of both
// languages show whole in their widgets.
QFont button_font() { return make_font(8, true, false); }
QFont user_font() { return make_font(11, false, false); }
QFont set_font() { return make_font(11, true, false); }
QFont passwd_lab_font() { return make_font(8, false, false); }
QFont level_font() { return make_font(9, false, false); }
QFont mode_font() { return make_font(9, false, false); }
QFont state_font() { return make_font(11, true, true); }
QFont host_font() { return make_font(12, false, true); }
QFont tcs_font() { return make_font(10, true, false); }
QFont age_font() { return make_font(8, false, false); }

QFont get_font()
{
    QFont f = make_font(9, true, false, QStringLiteral("Sans Serif"));
    f.setKerning(true);
    return f;
}

template <class W>
W *named(W *w, const char *name, const QFont &font)
{
    w->setObjectName(QString::fromLatin1(name));
    w->setFont(font);
    return w;
}

QAction *make_action(QMainWindow *window, const char *name, bool checkable)
{
    auto *a = new QAction(window);
    a->setObjectName(QString::fromLatin1(name));
    a->setCheckable(checkable);
    return a;
}

QLineEdit *coord_edit(QWidget *parent, const char *name, const char *text,
                      int max_width)
{
    auto *e = named(new QLineEdit(parent), name, coord_font());
    e->setText(QString::fromLatin1(text));
    e->setMaximumWidth(max_width);
    return e;
}

QLabel *status_label(QWidget *parent, const char *name, const QFont &font,
                     const char *text)
{
    auto *l = named(new QLabel(parent), name, font);
    // These labels show what the TCS and the environment say.
    make_plain(l);
    l->setText(QString::fromLatin1(text));
    return l;
}

} // namespace

QString fit_host(const QString &host, const QFontMetrics &metrics, int width)
{
    if (metrics.horizontalAdvance(host) <= width)
        return host;
    // The host's name says more than its port: drop the port first, then
    // cut the name at its end.
    QString name = host;
    const int colon = host.lastIndexOf(QLatin1Char(':'));
    bool numeric_port = false;
    host.mid(colon + 1).toUInt(&numeric_port);
    if (colon > 0 && numeric_port)
        name = host.left(colon);
    return metrics.elidedText(name, Qt::ElideRight, width);
}

QString fit_level(const QString &pattern, const QString &user, int level,
                  const QFontMetrics &metrics, int width)
{
    const QString n = QString::number(level);
    const QString whole = pattern.arg(user, n);
    if (metrics.horizontalAdvance(whole) <= width)
        return whole;
    const int room = width - metrics.horizontalAdvance(pattern.arg(QString(), n));
    return pattern.arg(metrics.elidedText(user, Qt::ElideRight, qMax(room, 0)), n);
}

void Orvex_Obj_List_form::build(QMainWindow *window)
{
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("Orvex_Obj_List"));
    window->resize(306, 500);
    window->setFont(base_font());

    actionQuit = make_action(window, "actionQuit", false);
    actionClear_list = make_action(window, "actionClear_list", false);
    actionRead_and_Add_list = make_action(window, "actionRead_and_Add_list", false);
    actionOrvex_List = make_action(window, "actionOrvex_List", false);
    actionOrvex_Sky = make_action(window, "actionOrvex_Sky", false);
    actionSave_list = make_action(window, "actionSave_list", false);
    actionInsert_Object = make_action(window, "actionInsert_Object", false);
    actionAdd_Object = make_action(window, "actionAdd_Object", false);
    actionRemove_Object = make_action(window, "actionRemove_Object", false);
    actionInsert_Comment = make_action(window, "actionInsert_Comment", false);
    actionNatLang = make_action(window, "actionNatLang", true);
    actionAbout = make_action(window, "actionAbout", false);
    actionHelp = make_action(window, "actionHelp", false);
    actionAbout_Qt = make_action(window, "actionAbout_Qt", false);
    actionViewOrvex = make_action(window, "actionViewOrvex", true);
    actionAZGrid = make_action(window, "actionAZGrid", true);
    actionSky_names = make_action(window, "actionSky_names", true);
    actionNight_vision = make_action(window, "actionNight_vision", true);
    actionNight_vision->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_N));

    centralwidget = new QWidget(window);
    centralwidget->setObjectName(QStringLiteral("centralwidget"));

    // Object group with its form rows.
    groupBox_3 = named(new QGroupBox(centralwidget), "groupBox_3", group_font());
    groupBox_3->setGeometry(5, 50, 301, 341);
    formLayoutWidget = new QWidget(groupBox_3);
    formLayoutWidget->setObjectName(QStringLiteral("formLayoutWidget"));
    formLayoutWidget->setGeometry(0, 30, 301, 251);
    formLayout_10 = new QFormLayout(formLayoutWidget);
    formLayout_10->setObjectName(QStringLiteral("formLayout_10"));
    formLayout_10->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    formLayout_10->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    formLayout_10->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
    formLayout_10->setVerticalSpacing(8);
    formLayout_10->setContentsMargins(0, 5, 5, 0);

    orvex_obj_lab = named(new QLabel(formLayoutWidget), "orvex_obj_lab", base_font());
    formLayout_10->setWidget(0, QFormLayout::LabelRole, orvex_obj_lab);
    orvex_obj_edt = named(new QLineEdit(formLayoutWidget), "orvex_obj_edt", name_font());
    formLayout_10->setWidget(0, QFormLayout::FieldRole, orvex_obj_edt);

    orvex_ra_lab = named(new QLabel(formLayoutWidget), "orvex_ra_lab", base_font());
    formLayout_10->setWidget(1, QFormLayout::LabelRole, orvex_ra_lab);
    orvex_ra_edt = coord_edit(formLayoutWidget, "orvex_ra_edt", "00:00:00.00", 130);
    formLayout_10->setWidget(1, QFormLayout::FieldRole, orvex_ra_edt);

    orvex_decl_lab = named(new QLabel(formLayoutWidget), "orvex_decl_lab", base_font());
    formLayout_10->setWidget(2, QFormLayout::LabelRole, orvex_decl_lab);
    orvex_decl_edt = coord_edit(formLayoutWidget, "orvex_decl_edt", "+00:00:00.0", 130);
    formLayout_10->setWidget(2, QFormLayout::FieldRole, orvex_decl_edt);

    orvex_epoch_lab = named(new QLabel(formLayoutWidget), "orvex_epoch_lab", base_font());
    formLayout_10->setWidget(3, QFormLayout::LabelRole, orvex_epoch_lab);
    horizontalLayout_5 = new QHBoxLayout();
    horizontalLayout_5->setObjectName(QStringLiteral("horizontalLayout_5"));
    horizontalLayout_5->setSpacing(6);
    orvex_epoch_edt = coord_edit(formLayoutWidget, "orvex_epoch_edt", "2000.0", 80);
    horizontalLayout_5->addWidget(orvex_epoch_edt);
    orvex_clear_btn = named(new QPushButton(formLayoutWidget), "orvex_clear_btn", base_font());
    orvex_clear_btn->setMaximumWidth(60);
    horizontalLayout_5->addWidget(orvex_clear_btn);
    formLayout_10->setLayout(3, QFormLayout::FieldRole, horizontalLayout_5);

    orvex_get_btn = named(new QPushButton(formLayoutWidget), "orvex_get_btn", get_font());
    formLayout_10->setWidget(4, QFormLayout::LabelRole, orvex_get_btn);
    orvex_send_btn = named(new QPushButton(formLayoutWidget), "orvex_send_btn", button_font());
    orvex_send_btn->setEnabled(false);
    formLayout_10->setWidget(4, QFormLayout::FieldRole, orvex_send_btn);

    orvex_stop_btn = named(new QPushButton(formLayoutWidget), "orvex_stop_btn", button_font());
    orvex_stop_btn->setEnabled(false);
    orvex_stop_btn->setAutoFillBackground(false);
    formLayout_10->setWidget(5, QFormLayout::LabelRole, orvex_stop_btn);
    orvex_slew_btn = named(new QPushButton(formLayoutWidget), "orvex_slew_btn", button_font());
    orvex_slew_btn->setEnabled(false);
    orvex_slew_btn->setAutoFillBackground(false);
    formLayout_10->setWidget(5, QFormLayout::FieldRole, orvex_slew_btn);

    horizontalLayout_3 = new QHBoxLayout();
    horizontalLayout_3->setObjectName(QStringLiteral("horizontalLayout_3"));
    horizontalLayout_3->setSpacing(1);
    orvex_get_offset_btn = named(new QPushButton(formLayoutWidget), "orvex_get_offset_btn", button_font());
    orvex_get_offset_btn->setMaximumWidth(40);
    horizontalLayout_3->addWidget(orvex_get_offset_btn);
    orvex_set_offset_btn = named(new QPushButton(formLayoutWidget), "orvex_set_offset_btn", button_font());
    orvex_set_offset_btn->setEnabled(false);
    orvex_set_offset_btn->setMaximumWidth(40);
    horizontalLayout_3->addWidget(orvex_set_offset_btn);
    orvex_offset_lab = named(new QLabel(formLayoutWidget), "orvex_offset_lab", base_font());
    orvex_offset_lab->setMinimumWidth(50);
    orvex_offset_lab->setMaximumWidth(65);
    orvex_offset_lab->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    horizontalLayout_3->addWidget(orvex_offset_lab);
    formLayout_10->setLayout(6, QFormLayout::LabelRole, horizontalLayout_3);

    horizontalLayout_16 = new QHBoxLayout();
    horizontalLayout_16->setObjectName(QStringLiteral("horizontalLayout_16"));
    horizontalLayout_16->setSpacing(0);
    orvex_offha_lab = status_label(formLayoutWidget, "orvex_offha_lab", base_font(), "HA:");
    orvex_offha_lab->setMaximumWidth(30);
    orvex_offha_lab->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    horizontalLayout_16->addWidget(orvex_offha_lab);
    orvex_offha_edt = coord_edit(formLayoutWidget, "orvex_offha_edt", "0.0", 50);
    horizontalLayout_16->addWidget(orvex_offha_edt);
    orvex_offdec_lab = status_label(formLayoutWidget, "orvex_offdec_lab", base_font(), "Decl:");
    orvex_offdec_lab->setMaximumWidth(40);
    orvex_offdec_lab->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    horizontalLayout_16->addWidget(orvex_offdec_lab);
    orvex_offdec_edt = coord_edit(formLayoutWidget, "orvex_offdec_edt", "0.0", 50);
    horizontalLayout_16->addWidget(orvex_offdec_edt);
    formLayout_10->setLayout(6, QFormLayout::FieldRole, horizontalLayout_16);

    // User and password.
    orvex_user_lab = named(new QLabel(groupBox_3), "orvex_user_lab", base_font());
    orvex_user_lab->setGeometry(-1, 280, 101, 30);
    orvex_user_lab->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    orvex_user_cb = named(new QComboBox(groupBox_3), "orvex_user_cb", user_font());
    orvex_user_cb->setGeometry(100, 280, 201, 31);
    QSizePolicy fixed(QSizePolicy::Fixed, QSizePolicy::Fixed);
    fixed.setHorizontalStretch(0);
    fixed.setVerticalStretch(0);
    orvex_user_cb->setSizePolicy(fixed);
    orvex_user_cb->setMaximumWidth(250);

    layoutWidget = new QWidget(groupBox_3);
    layoutWidget->setObjectName(QStringLiteral("layoutWidget"));
    layoutWidget->setGeometry(10, 310, 111, 32);
    horizontalLayout = new QHBoxLayout(layoutWidget);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setSpacing(1);
    horizontalLayout->setContentsMargins(0, 0, 0, 0);
    orvex_passwd_set_btn = named(new QPushButton(layoutWidget), "orvex_passwd_set_btn", set_font());
    orvex_passwd_set_btn->setMaximumWidth(50);
    horizontalLayout->addWidget(orvex_passwd_set_btn);
    orvex_passwd_lab = named(new QLabel(layoutWidget), "orvex_passwd_lab", passwd_lab_font());
    orvex_passwd_lab->setMaximumWidth(65);
    horizontalLayout->addWidget(orvex_passwd_lab);

    layoutWidget_1 = new QWidget(groupBox_3);
    layoutWidget_1->setObjectName(QStringLiteral("layoutWidget_1"));
    layoutWidget_1->setGeometry(120, 310, 177, 31);
    horizontalLayout_15 = new QHBoxLayout(layoutWidget_1);
    horizontalLayout_15->setObjectName(QStringLiteral("horizontalLayout_15"));
    horizontalLayout_15->setSpacing(2);
    horizontalLayout_15->setContentsMargins(0, 0, 0, 0);
    orvex_passwd_edt = named(new QLineEdit(layoutWidget_1), "orvex_passwd_edt", user_font());
    orvex_passwd_edt->setEchoMode(QLineEdit::Password);
    horizontalLayout_15->addWidget(orvex_passwd_edt);
    orvex_show_pass_btn = named(new QPushButton(layoutWidget_1), "orvex_show_pass_btn", base_font());
    orvex_show_pass_btn->setMaximumSize(35, 35);
    orvex_show_pass_btn->setIconSize(QSize(20, 14));
    horizontalLayout_15->addWidget(orvex_show_pass_btn);

    // State group.
    groupBox_2 = named(new QGroupBox(centralwidget), "groupBox_2", group_font());
    groupBox_2->setGeometry(20, 0, 271, 51);
    horizontalLayoutWidget_2 = new QWidget(groupBox_2);
    horizontalLayoutWidget_2->setObjectName(QStringLiteral("horizontalLayoutWidget_2"));
    horizontalLayoutWidget_2->setGeometry(0, 20, 271, 24);
    horizontalLayout_6 = new QHBoxLayout(horizontalLayoutWidget_2);
    horizontalLayout_6->setObjectName(QStringLiteral("horizontalLayout_6"));
    horizontalLayout_6->setSpacing(10);
    horizontalLayout_6->setContentsMargins(5, 0, 5, 0);
    orvex_state_lab = status_label(horizontalLayoutWidget_2, "orvex_state_lab", state_font(), "Unknown");
    orvex_state_lab->setMaximumWidth(90);
    orvex_state_lab->setAutoFillBackground(true);
    orvex_state_lab->setAlignment(Qt::AlignCenter);
    horizontalLayout_6->addWidget(orvex_state_lab);
    orvex_level_lab = status_label(horizontalLayoutWidget_2, "orvex_level_lab", level_font(), "User=? Level = ? ");
    horizontalLayout_6->addWidget(orvex_level_lab);

    // Host group.
    groupBox = named(new QGroupBox(centralwidget), "groupBox", group_font());
    groupBox->setGeometry(10, 390, 291, 61);
    groupBox->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    orvex_host_lab = status_label(groupBox, "orvex_host_lab", host_font(), " . . . . . . . . . . .");
    orvex_host_lab->setGeometry(10, 30, 91, 21);
    orvex_host_lab->setAlignment(Qt::AlignRight | Qt::AlignTop);
    orvex_tcs_lab = status_label(groupBox, "orvex_tcs_lab", tcs_font(), "Unknown");
    orvex_tcs_lab->setGeometry(200, 30, 81, 21);
    orvex_tcs_lab->setMaximumWidth(90);
    orvex_tcs_lab->setAutoFillBackground(true);
    orvex_tcs_lab->setFrameShape(QFrame::Box);
    orvex_tcs_lab->setAlignment(Qt::AlignCenter);
    orvex_tcs_lab->setMargin(3);
    otcs_mode_lab = status_label(groupBox, "otcs_mode_lab", mode_font(), "Mode:");
    otcs_mode_lab->setGeometry(153, 30, 41, 21);
    otcs_mode_lab->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    otcs_connect_lab = status_label(groupBox, "otcs_connect_lab", tcs_font(), "Off");
    otcs_connect_lab->setGeometry(110, 30, 31, 21);
    otcs_connect_lab->setAutoFillBackground(true);
    otcs_connect_lab->setFrameShape(QFrame::Box);
    otcs_connect_lab->setAlignment(Qt::AlignCenter);

    // Beside the host group's title: how old the state above is.
    orvex_age_lab = named(new QLabel(groupBox), "orvex_age_lab", age_font());
    orvex_age_lab->setGeometry(130, 2, 158, 20);
    orvex_age_lab->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    orvex_age_lab->setTextFormat(Qt::PlainText);

    window->setCentralWidget(centralwidget);

    menubar = new QMenuBar(window);
    menubar->setObjectName(QStringLiteral("menubar"));
    menubar->setGeometry(0, 0, 306, 23);
    menuFile = new QMenu(menubar);
    menuFile->setObjectName(QStringLiteral("menuFile"));
    menuWindows = new QMenu(menubar);
    menuWindows->setObjectName(QStringLiteral("menuWindows"));
    menuObjList = new QMenu(menubar);
    menuObjList->setObjectName(QStringLiteral("menuObjList"));
    menuHelp = new QMenu(menubar);
    menuHelp->setObjectName(QStringLiteral("menuHelp"));
    window->setMenuBar(menubar);
    statusbar = new QStatusBar(window);
    statusbar->setObjectName(QStringLiteral("statusbar"));
    window->setStatusBar(statusbar);

    menubar->addAction(menuFile->menuAction());
    menubar->addAction(menuWindows->menuAction());
    menubar->addAction(menuObjList->menuAction());
    menubar->addAction(menuHelp->menuAction());
    menuFile->addAction(actionRead_and_Add_list);
    menuFile->addAction(actionClear_list);
    menuFile->addSeparator();
    menuFile->addAction(actionSave_list);
    menuFile->addSeparator();
    menuFile->addAction(actionQuit);
    menuWindows->addAction(actionOrvex_List);
    menuWindows->addAction(actionOrvex_Sky);
    menuWindows->addAction(actionViewOrvex);
    menuWindows->addAction(actionAZGrid);
    menuWindows->addAction(actionSky_names);
    menuWindows->addAction(actionNight_vision);
    menuObjList->addAction(actionAdd_Object);
    menuObjList->addAction(actionInsert_Object);
    menuObjList->addAction(actionInsert_Comment);
    menuObjList->addSeparator();
    menuObjList->addAction(actionRemove_Object);
    menuHelp->addAction(actionNatLang);
    menuHelp->addAction(actionHelp);
    menuHelp->addAction(actionAbout);
    menuHelp->addAction(actionAbout_Qt);

    set_texts(window);
    QMetaObject::connectSlotsByName(window);
}

void Orvex_Obj_List_form::show_tcs_host(const QString &host)
{
    orvex_host_lab->setText(
        fit_host(host, orvex_host_lab->fontMetrics(), orvex_host_lab->contentsRect().width()));
    orvex_host_lab->setToolTip(plain_tool_tip(host));
}

void Orvex_Obj_List_form::show_level(const QString &pattern, const QString &user, int level)
{
    // A window not shown yet has not placed its labels: the width to fit in
    // is the one the layout gives.
    if (QLayout *row = orvex_level_lab->parentWidget()->layout())
        row->activate();
    orvex_level_lab->setText(fit_level(pattern, user, level, orvex_level_lab->fontMetrics(),
                                       orvex_level_lab->contentsRect().width()));
    orvex_level_lab->setToolTip(plain_tool_tip(pattern.arg(user, QString::number(level))));
}

void Orvex_Obj_List_form::show_state_age(qint64 age_ms)
{
    state_age_ms = age_ms;
    orvex_age_lab->setText(age_ms < 0 ? QString() : state_age_text(age_ms));
}

void Orvex_Obj_List_form::set_texts(QMainWindow *window)
{
    window->setWindowTitle(QCoreApplication::translate("Orvex_Obj_List", "Orvex_Obj_List"));
    actionQuit->setText(QCoreApplication::translate("Orvex_Obj_List", "Quit"));
    actionClear_list->setText(QCoreApplication::translate("Orvex_Obj_List", "Clear list"));
    actionClear_list->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "Clear objects list"));
    actionRead_and_Add_list->setText(QCoreApplication::translate("Orvex_Obj_List", "Read and Add list"));
    actionRead_and_Add_list->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "Select .lst file, Read it and Add objects to list"));
    actionOrvex_List->setText(QCoreApplication::translate("Orvex_Obj_List", "Show/Hide Orvex_List"));
    actionOrvex_List->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "Set Orvex_List visible or hidden"));
    actionOrvex_Sky->setText(QCoreApplication::translate("Orvex_Obj_List", "Show/Hide Orvex_Sky"));
    actionOrvex_Sky->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "Set Orvex_Sky visible or hidden"));
    actionSave_list->setText(QCoreApplication::translate("Orvex_Obj_List", "Save list"));
    actionSave_list->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "Save objects list to .lst file"));
    actionInsert_Object->setText(QCoreApplication::translate("Orvex_Obj_List", "Insert Object"));
    actionInsert_Object->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "<html><head/><body><p>Insert new object before current row</p></body></html>"));
    actionAdd_Object->setText(QCoreApplication::translate("Orvex_Obj_List", "Add Object"));
    actionAdd_Object->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "<html><head/><body><p>Append new object to the list end</p></body></html>"));
    actionRemove_Object->setText(QCoreApplication::translate("Orvex_Obj_List", "Remove line"));
    actionRemove_Object->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "<html><head/><body><p>Remove current object or commen from list</p></body></html>"));
    actionInsert_Comment->setText(QCoreApplication::translate("Orvex_Obj_List", "Insert Comment"));
    actionInsert_Comment->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "<html><head/><body><p>Use obj.name as comment string</p></body></html>"));
    actionNatLang->setText(QCoreApplication::translate("Orvex_Obj_List", "in Russian"));
    actionNatLang->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "Switch to current system Language"));
    actionAbout->setText(QCoreApplication::translate("Orvex_Obj_List", "About"));
    actionHelp->setText(QCoreApplication::translate("Orvex_Obj_List", "Help"));
    actionAbout_Qt->setText(QCoreApplication::translate("Orvex_Obj_List", "About Qt"));
    actionViewOrvex->setText(QCoreApplication::translate("Orvex_Obj_List", "View as KSV (or AllSky)"));
    actionViewOrvex->setIconText(QCoreApplication::translate("Orvex_Obj_List", "View as KSV (or AllSky)"));
    actionViewOrvex->setToolTip(QStringLiteral("View like KSV (or Sky)"));
    actionAZGrid->setText(QCoreApplication::translate("Orvex_Obj_List", "A/Z Grid (or HA/Decl)"));
    actionAZGrid->setToolTip(QStringLiteral("A/Z Grid (or HA/Decl)"));
    actionSky_names->setText(QCoreApplication::translate("Orvex_Obj_List", "Names in the sky"));
    actionSky_names->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "Write each object's name beside its circle"));
    actionNight_vision->setText(QCoreApplication::translate("Orvex_Obj_List", "Night vision"));
    actionNight_vision->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "Dark red colours that keep the eyes used to the dark"));

    groupBox_3->setTitle(QCoreApplication::translate("Orvex_Obj_List", "Orvex Object:"));
    orvex_obj_lab->setText(QCoreApplication::translate("Orvex_Obj_List", "Obj.Name"));
    orvex_obj_edt->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "<html><head/><body><p>Object name or comment text</p></body></html>"));
    orvex_ra_lab->setText(QCoreApplication::translate("Orvex_Obj_List", "R.A."));
    orvex_decl_lab->setText(QCoreApplication::translate("Orvex_Obj_List", "Decl."));
    orvex_epoch_lab->setText(QCoreApplication::translate("Orvex_Obj_List", "Epoch"));
    orvex_clear_btn->setText(QCoreApplication::translate("Orvex_Obj_List", "Clear"));
    orvex_clear_btn->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "<html><head/><body><p>Clear coordinates form</p></body></html>"));
    orvex_get_btn->setText(QCoreApplication::translate("Orvex_Obj_List", "Get from Orvex"));
    orvex_get_btn->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "<html><head/><body><p>Obtain object coordinates from Orvex</p></body></html>"));
    orvex_send_btn->setText(QCoreApplication::translate("Orvex_Obj_List", "Send Object to Orvex"));
    orvex_send_btn->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "<html><head/><body><p>Sending object coordinates to Orvex</p></body></html>"));
    orvex_slew_btn->setText(QCoreApplication::translate("Orvex_Obj_List", "Send and Slew Orvex"));
    orvex_slew_btn->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "<html><head/><body><p>Starting Orvex slewing to this object</p></body></html>"));
    orvex_stop_btn->setText(QCoreApplication::translate("Orvex_Obj_List", "Stopping Orvex"));
    orvex_stop_btn->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "<html><head/><body><p>Stopping Orvex before next slewing (Ctrl+.)</p></body></html>"));
    orvex_get_offset_btn->setText(QCoreApplication::translate("Orvex_Obj_List", "Get"));
    orvex_get_offset_btn->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "<html><head/><body><p>Obtain current offsets from Orvex</p></body></html>"));
    orvex_set_offset_btn->setText(QCoreApplication::translate("Orvex_Obj_List", "Set"));
    orvex_set_offset_btn->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "<html><head/><body><p>Shift Orvex by this offsets</p></body></html>"));
    orvex_offset_lab->setText(QCoreApplication::translate("Orvex_Obj_List", "Offsets:"));
    orvex_offha_edt->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "<html><head/><body><p>= Corr.HA[&quot;]</p></body></html>"));
    orvex_offdec_edt->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "<html><head/><body><p>= Corr.Decl[&quot;]</p></body></html>"));
    orvex_user_lab->setText(QCoreApplication::translate("Orvex_Obj_List", "Orvex User: "));
    orvex_user_cb->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "Orvex1000 users menu"));
    orvex_passwd_set_btn->setText(QCoreApplication::translate("Orvex_Obj_List", "Set"));
    orvex_passwd_set_btn->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "<html><head/><body><p>Store and use the username and password</p></body></html>"));
    orvex_passwd_lab->setText(QCoreApplication::translate("Orvex_Obj_List", "Password:"));
    orvex_passwd_edt->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "Uses password (for level >=2)"));
    orvex_show_pass_btn->setToolTip(QCoreApplication::translate("Orvex_Obj_List", "<html><head/><body><p>View password</p></body></html>"));
    groupBox_2->setTitle(QCoreApplication::translate("Orvex_Obj_List", "Orvex state:"));
    groupBox->setTitle(QCoreApplication::translate("Orvex_Obj_List", "Orvex Web-host:"));

    menuFile->setTitle(QCoreApplication::translate("Orvex_Obj_List", "File"));
    menuWindows->setTitle(QCoreApplication::translate("Orvex_Obj_List", "Windows"));
    menuObjList->setTitle(QCoreApplication::translate("Orvex_Obj_List", "ObjList"));
    menuHelp->setTitle(QCoreApplication::translate("Orvex_Obj_List", "Help"));
    show_state_age(state_age_ms);
}
