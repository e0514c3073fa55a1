// The main window's form, its first visible state, the record overrides and
// the start-up lines.
#include "orvex_eye_icon.h"
#include "orvex_log.h"
#include "orvex_obj_list.h"
#include "orvex_obj_list_form.h"
#include "orvex_startup.h"

#include "common/orvex_test_http.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHostInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

class Test_main_window : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void first_visible_state();
    void buttons_enabled_at_start();
    void fixed_geometry_and_fonts();
    void texts_twice_change_only_texts();
    void actions_and_menus_in_order();
    void overrides_fill_the_form();
    void start_lines();
    void host_flags_data();
    void host_flags();
    void eye_picture();

private:
    Orvex_test_http server;
    QStringList out, err;
    Orvex_Obj_List *win = nullptr;
};

void Test_main_window::initTestCase()
{
    server.bodies["/tcs/orvex_users_all.cgi"] = "guest Guest account\n";
    qputenv("ORVEX_TCS_HOST", server.host().toLatin1());
    set_log_capture(&out, &err);
    win = new Orvex_Obj_List;
    win->show();
}

void Test_main_window::cleanupTestCase()
{
    set_log_capture(nullptr, nullptr);
    delete win;
}

void Test_main_window::first_visible_state()
{
    auto *ui = win->ui;
    QCOMPARE(ui->orvex_obj_edt->text(), QString());
    QCOMPARE(ui->orvex_ra_edt->text(), QStringLiteral("00:00:00.00"));
    QCOMPARE(ui->orvex_decl_edt->text(), QStringLiteral("+00:00:00.0"));
    QCOMPARE(ui->orvex_epoch_edt->text(), QStringLiteral("2000.0"));
    QCOMPARE(ui->orvex_offha_edt->text(), QStringLiteral("0.0"));
    QCOMPARE(ui->orvex_offdec_edt->text(), QStringLiteral("0.0"));
    QCOMPARE(ui->orvex_state_lab->text(), QStringLiteral("Unknown"));
    QCOMPARE(ui->orvex_level_lab->text(), QStringLiteral("User=? Level = ? "));
    // The port does not fit beside the host.
    QCOMPARE(ui->orvex_host_lab->text(), QStringLiteral("127.0.0.1"));
    QCOMPARE(ui->orvex_host_lab->toolTip(), server.host());
    QCOMPARE(ui->orvex_tcs_lab->text(), QStringLiteral("Unknown"));
    QCOMPARE(ui->otcs_connect_lab->text(), QStringLiteral("Off"));
    QCOMPARE(ui->orvex_passwd_edt->text(), QString());
    QCOMPARE(ui->orvex_passwd_edt->echoMode(), QLineEdit::Password);
    QCOMPARE(win->windowTitle(), QStringLiteral("Orvex_Obj_List"));
    QCOMPARE(win->passwd, QStringLiteral("kzmrp"));
    QCOMPARE(win->user, QStringLiteral("guest"));
    QCOMPARE(win->user_choice, QStringLiteral("guest"));
    QCOMPARE(win->Orvex_object::name, QStringLiteral("Unknown"));
    QCOMPARE(win->tel_object->name, QStringLiteral("Telescope"));
    QVERIFY(!win->tel_object->is_comment);
    QVERIFY(win->obj_list->isEmpty());
    QVERIFY(!win->get_timer->isActive());
    QVERIFY(win->get_timer->isSingleShot());
    QCOMPARE(win->get_timer->interval(), 60000);
    QVERIFY(!win->view_timer->isActive());
    QCOMPARE(win->view_timer->interval(), 500);
    QVERIFY(win->since_state.isValid());
}

void Test_main_window::buttons_enabled_at_start()
{
    auto *ui = win->ui;
    const QList<QPushButton *> disabled = {ui->orvex_send_btn, ui->orvex_stop_btn,
                                           ui->orvex_slew_btn, ui->orvex_set_offset_btn};
    for (QPushButton *b : win->findChildren<QPushButton *>())
        QCOMPARE(b->isEnabled(), !disabled.contains(b));
    for (QPushButton *b : {ui->orvex_send_btn, ui->orvex_stop_btn, ui->orvex_slew_btn})
        QCOMPARE(b->styleSheet(), QStringLiteral("color: gray;"));
}

void Test_main_window::fixed_geometry_and_fonts()
{
    auto *ui = win->ui;
    QCOMPARE(ui->groupBox_3->geometry(), QRect(5, 50, 301, 341));
    QCOMPARE(ui->formLayoutWidget->geometry(), QRect(0, 30, 301, 251));
    QCOMPARE(ui->layoutWidget->geometry(), QRect(10, 310, 111, 32));
    QCOMPARE(ui->layoutWidget_1->geometry(), QRect(120, 310, 177, 31));
    QCOMPARE(ui->groupBox_2->geometry(), QRect(20, 0, 271, 51));
    QCOMPARE(ui->horizontalLayoutWidget_2->geometry(), QRect(0, 20, 271, 24));
    QCOMPARE(ui->groupBox->geometry(), QRect(10, 390, 291, 61));
    QCOMPARE(ui->orvex_user_cb->geometry(), QRect(100, 280, 201, 31));
    QCOMPARE(ui->orvex_host_lab->geometry(), QRect(10, 30, 91, 21));
    QCOMPARE(ui->orvex_tcs_lab->geometry(), QRect(200, 30, 81, 21));
    QCOMPARE(ui->otcs_connect_lab->geometry(), QRect(110, 30, 31, 21));
    QCOMPARE(ui->orvex_ra_edt->font().family(), QStringLiteral("Monospace"));
    QCOMPARE(ui->orvex_ra_edt->font().pointSize(), 12);
    QVERIFY(ui->orvex_ra_edt->font().bold());
    QVERIFY(ui->groupBox_3->font().italic() && ui->groupBox_3->font().bold());
    QVERIFY(ui->orvex_get_btn->font().kerning());
    QCOMPARE(ui->orvex_get_btn->font().pointSize(), 9);
    QVERIFY(ui->orvex_state_lab->autoFillBackground());
    QVERIFY(ui->orvex_tcs_lab->autoFillBackground());
    QVERIFY(ui->otcs_connect_lab->autoFillBackground());
    QCOMPARE(ui->orvex_show_pass_btn->iconSize(), QSize(20, 14));
    QCOMPARE(ui->orvex_user_cb->maximumWidth(), 250);
}

void Test_main_window::texts_twice_change_only_texts()
{
    auto *ui = win->ui;
    QCoreApplication::processEvents();
    QHash<QWidget *, QPair<QRect, QFont>> before;
    for (QWidget *w : win->findChildren<QWidget *>())
        before.insert(w, {w->geometry(), w->font()});
    ui->set_texts(win);
    QCoreApplication::processEvents();
    for (QWidget *w : win->findChildren<QWidget *>()) {
        QCOMPARE(w->geometry(), before.value(w).first);
        QCOMPARE(w->font(), before.value(w).second);
    }
    QCOMPARE(ui->orvex_obj_edt->toolTip(),
             QStringLiteral("<html><head/><body><p>Object name or comment text</p></body></html>"));
    QCOMPARE(ui->orvex_offha_edt->toolTip(),
             QStringLiteral("<html><head/><body><p>= Corr.HA[&quot;]</p></body></html>"));
}

void Test_main_window::actions_and_menus_in_order()
{
    const QStringList names = {"actionQuit", "actionClear_list", "actionRead_and_Add_list",
                               "actionOrvex_List", "actionOrvex_Sky", "actionSave_list",
                               "actionInsert_Object", "actionAdd_Object", "actionRemove_Object",
                               "actionInsert_Comment", "actionNatLang", "actionAbout",
                               "actionHelp", "actionAbout_Qt", "actionViewOrvex", "actionAZGrid"};
    QStringList found;
    for (QAction *a : win->findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly))
        if (a->objectName().startsWith("action"))
            found << a->objectName();
    QCOMPARE(found, names);
    auto *ui = win->ui;
    QVERIFY(ui->actionNatLang->isCheckable() && !ui->actionNatLang->isChecked());
    QVERIFY(ui->actionViewOrvex->isCheckable() && ui->actionAZGrid->isCheckable());
    QVERIFY(!ui->actionQuit->isCheckable());
    QCOMPARE(ui->actionViewOrvex->toolTip(), QStringLiteral("View like KSV (or Sky)"));

    QStringList titles;
    for (QAction *m : ui->menubar->actions())
        titles << m->text();
    QCOMPARE(titles, QStringList({"File", "Windows", "ObjList", "Help"}));
    auto entries = [](QMenu *m) {
        QStringList e;
        for (QAction *a : m->actions())
            e << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        return e;
    };
    QCOMPARE(entries(ui->menuFile), QStringList({"actionRead_and_Add_list", "actionClear_list", "-",
                                                 "actionSave_list", "-", "actionQuit"}));
    QCOMPARE(entries(ui->menuWindows), QStringList({"actionOrvex_List", "actionOrvex_Sky",
                                                    "actionViewOrvex", "actionAZGrid"}));
    QCOMPARE(entries(ui->menuObjList), QStringList({"actionAdd_Object", "actionInsert_Object",
                                                    "actionInsert_Comment", "-",
                                                    "actionRemove_Object"}));
    QCOMPARE(entries(ui->menuHelp), QStringList({"actionNatLang", "actionHelp", "actionAbout",
                                                 "actionAbout_Qt"}));
}

void Test_main_window::overrides_fill_the_form()
{
    auto *ui = win->ui;
    Orvex_object &record = *win;
    ui->orvex_obj_edt->setText("old");
    record.set_form("", "05:35:17.3", "-05:23:28", "");
    QCOMPARE(ui->orvex_obj_edt->text(), QString());
    QCOMPARE(ui->orvex_ra_edt->text(), QStringLiteral("05:35:17.3"));
    QCOMPARE(ui->orvex_decl_edt->text(), QStringLiteral("-05:23:28"));
    QCOMPARE(ui->orvex_epoch_edt->text(), QString());

    record.set_form("M42", "05:35:17.3", "-05:23:28");
    QCOMPARE(ui->orvex_obj_edt->text(), QStringLiteral("M42"));
    // The main window's three-text form does not go on to the epoch.
    QCOMPARE(ui->orvex_epoch_edt->text(), QString());
    // The record's own fields stay as they were.
    QCOMPARE(win->Orvex_object::name, QStringLiteral("Unknown"));
    QCOMPARE(win->ra, 0.0);

    win->hide();
    record.set_form("12:00:00", "+10:00:00");
    QVERIFY(win->isVisible());
    QCOMPARE(ui->orvex_obj_edt->text(), QString());
    QCOMPARE(ui->orvex_epoch_edt->text(), QString());
}

void Test_main_window::start_lines()
{
    QVERIFY(out.size() >= 3);
    const int start = out.indexOf(QRegularExpression("^Orvex_Obj_List start \\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d$"));
    QVERIFY(start >= 0);
    QVERIFY(QRegularExpression("^stime=\\d\\d:\\d\\d:\\d\\d\\.\\d\\d$").match(out.value(start + 1)).hasMatch());
    const QString host = out.value(start + 2);
    QCOMPARE(host, QHostInfo::localHostName() + "(" + QSysInfo::productType() + ")");
    QVERIFY(!win->on_tcs_host);
    QVERIFY(!win->not_local);
    QVERIFY(sidereal_time >= 0);
}

void Test_main_window::host_flags_data()
{
    QTest::addColumn<QString>("machine");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("on_host");
    QTest::addColumn<bool>("not_local");
    QTest::addColumn<QString>("line");
    const QString tcs = "otcs";
    QTest::newRow("other machine, argument ignored")
        << "pc" << QStringList({"prog", "local"}) << false << false << "pc(debian)";
    QTest::newRow("tcs host, no argument")
        << tcs << QStringList({"prog"}) << true << true << "otcs(@OrvexTCS;debian)";
    QTest::newRow("tcs host, local")
        << tcs << QStringList({"prog", "local"}) << true << false << "otcs(@OrvexTCS;local;debian)";
    QTest::newRow("tcs host, localhost")
        << tcs << QStringList({"prog", "localhost"}) << true << false
        << "otcs(@OrvexTCS;localhost;debian)";
    QTest::newRow("tcs host, capital L")
        << tcs << QStringList({"prog", "Local"}) << true << true << "otcs(@OrvexTCS;Local;debian)";
    QTest::newRow("case-sensitive host")
        << "OTCS" << QStringList({"prog"}) << false << false << "OTCS(debian)";
}

void Test_main_window::host_flags()
{
    QFETCH(QString, machine);
    QFETCH(QStringList, args);
    QFETCH(bool, on_host);
    QFETCH(bool, not_local);
    QFETCH(QString, line);
    const Orvex_host_flags f = ::host_flags(machine, "otcs", args);
    QCOMPARE(f.on_tcs_host, on_host);
    QCOMPARE(f.not_local, not_local);
    QCOMPARE(host_line(machine, "debian", f, args), line);
}

void Test_main_window::eye_picture()
{
    const QImage eye = orvex_eye_pixmap().toImage();
    QCOMPARE(eye.size(), QSize(20, 14));
    QCOMPARE(eye.pixelColor(0, 0), QColor("#ffffff"));
    QCOMPARE(eye.pixelColor(9, 6), QColor("#a6a6a6")); // row 7 "..fccci.fccb..."
    QCOMPARE(eye.pixelColor(12, 8), QColor("#fafafa"));
}

QTEST_MAIN(Test_main_window)
#include "test_main_window.moc"
