// The main window's ObjList actions on the list window, the file dialogs
// behind them, and file errors on the status bar.
#include "list_test_support.h"
#include "orvex_list.h"
#include "orvex_log.h"
#include "orvex_obj_list.h"
#include "orvex_obj_list_form.h"

#include "common/orvex_test_http.h"

#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

class Test_list_actions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void add_object_from_the_form();
    void form_that_is_no_object_becomes_a_comment();
    void insert_object_without_current_row_goes_first();
    void insert_comment_and_remove_line();
    void clear_list_shows_the_window();
    void click_loads_into_the_main_form();
    void read_and_add_through_the_dialog();
    void cancelled_dialogs_are_silent();
    void save_list_through_the_dialog();
    void file_errors_reach_the_status_bar();

private:
    void fill_form(const QString &name, const QString &ra, const QString &decl,
                   const QString &epoch);
    QStringList lines() const { return win->list_win->lines(); }

    Orvex_test_http server;
    QTemporaryDir dir;
    QStringList out, err;
    Orvex_Obj_List *win = nullptr;
};

void Test_list_actions::initTestCase()
{
    QVERIFY(dir.isValid());
    server.bodies["/tcs/orvex_users_all.cgi"] = "guest Guest account\n";
    qputenv("ORVEX_TCS_HOST", server.host().toLatin1());
    set_log_capture(&out, &err);
    win = new Orvex_Obj_List;
    win->show();
    QVERIFY(QTest::qWaitForWindowExposed(win));
}

void Test_list_actions::cleanupTestCase()
{
    set_log_capture(nullptr, nullptr);
    delete win;
}

void Test_list_actions::init()
{
    win->ui->actionClear_list->trigger();
    win->ui->statusbar->clearMessage();
    err.clear();
    fill_form("", "", "", "");
}

void Test_list_actions::fill_form(const QString &name, const QString &ra,
                                  const QString &decl, const QString &epoch)
{
    win->ui->orvex_obj_edt->setText(name);
    win->ui->orvex_ra_edt->setText(ra);
    win->ui->orvex_decl_edt->setText(decl);
    win->ui->orvex_epoch_edt->setText(epoch);
}

void Test_list_actions::add_object_from_the_form()
{
    win->ui->actionAdd_Object->trigger();
    QCOMPARE(lines(), QStringList({"# "}));

    fill_form("  M 31 ", " 12:30:00 ", "+45:00:00", "2000.0");
    win->ui->actionAdd_Object->trigger();
    QCOMPARE(lines().last(), QStringLiteral(" 12 30 00    : +45 00 00   ; 2000.0 # M 31"));
    const Orvex_object *m31 = win->obj_list->last();
    QCOMPARE(m31->ra_text, QStringLiteral("12:30:00"));
    QCOMPARE(m31->decl_text, QStringLiteral("+45:00:00"));
    QCOMPARE(m31->index, 1);
    // The form is left as typed.
    QCOMPARE(win->ui->orvex_obj_edt->text(), QStringLiteral("  M 31 "));

    // Blanks in typed coordinates give the same line; inner runs collapse.
    fill_form("M 31", "12  30 00", "+45 00   00", " 2000.0 ");
    win->ui->actionAdd_Object->trigger();
    QCOMPARE(lines().last(), QStringLiteral(" 12 30 00    : +45 00 00   ; 2000.0 # M 31"));
}

void Test_list_actions::form_that_is_no_object_becomes_a_comment()
{
    fill_form(" Vega  star ", "5", "+38:47:01", "2000.0");
    win->ui->actionAdd_Object->trigger();
    fill_form("x", "18:36:56", "5", "2000.0");
    win->ui->actionAdd_Object->trigger();
    QCOMPARE(lines(), QStringList({"# Vega  star", "# x"}));
    QVERIFY(win->obj_list->at(0)->is_comment);
    QVERIFY(win->obj_list->at(0)->ra_text.isEmpty());
}

void Test_list_actions::insert_object_without_current_row_goes_first()
{
    fill_form("a", "01:00:00", "+01:00:00", "2000.0");
    win->ui->actionInsert_Object->trigger();
    fill_form("b", "02:00:00", "+02:00:00", "2000.0");
    win->ui->actionAdd_Object->trigger();
    win->list_win->ui->orvex_obj_lst->setCurrentRow(1);
    fill_form("c", "03:00:00", "+03:00:00", "2000.0");
    win->ui->actionInsert_Object->trigger();
    QCOMPARE(win->obj_list->at(1)->name, QStringLiteral("c"));

    win->list_win->ui->orvex_obj_lst->setCurrentRow(-1);
    fill_form("d", "04:00:00", "+04:00:00", "2000.0");
    win->ui->actionInsert_Object->trigger();
    QStringList names;
    for (const Orvex_object *record : *win->obj_list)
        names << record->name;
    QCOMPARE(names, QStringList({"d", "a", "c", "b"}));
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(win->obj_list->at(i)->index, i);
}

void Test_list_actions::insert_comment_and_remove_line()
{
    win->ui->actionRemove_Object->trigger(); // empty list: nothing happens
    QVERIFY(lines().isEmpty());

    fill_form("   first note  ", "12:00:00", "+10:00:00", "2000.0");
    win->ui->actionInsert_Comment->trigger();
    fill_form("second", "", "", "");
    win->ui->actionInsert_Comment->trigger(); // at the current row, 0
    QCOMPARE(lines(), QStringList({"# second", "# first note"}));

    // With lines but no current row the comment goes first, like objects.
    win->list_win->ui->orvex_obj_lst->setCurrentRow(-1);
    fill_form("third", "", "", "");
    win->ui->actionInsert_Comment->trigger();
    QCOMPARE(lines().first(), QStringLiteral("# third"));

    win->list_win->ui->orvex_obj_lst->setCurrentRow(1);
    win->ui->actionRemove_Object->trigger();
    QCOMPARE(lines(), QStringList({"# third", "# first note"}));
    win->list_win->ui->orvex_obj_lst->setCurrentRow(-1);
    win->ui->actionRemove_Object->trigger(); // no current row: nothing
    QCOMPARE(lines().size(), 2);
}

void Test_list_actions::clear_list_shows_the_window()
{
    fill_form("a", "01:00:00", "+01:00:00", "2000.0");
    win->ui->actionAdd_Object->trigger();
    win->list_win->hide();
    win->ui->actionClear_list->trigger();
    QVERIFY(win->list_win->isVisible());
    QVERIFY(lines().isEmpty());
    QVERIFY(win->obj_list->isEmpty());
}

void Test_list_actions::click_loads_into_the_main_form()
{
    fill_form("M42", "05:35:17.3", "-05:23:28", "2000.0");
    win->ui->actionAdd_Object->trigger();
    fill_form("", "", "", "");
    QListWidget *list = win->list_win->ui->orvex_obj_lst;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    QCOMPARE(win->ui->orvex_obj_edt->text(), QStringLiteral("M42"));
    QCOMPARE(win->ui->orvex_ra_edt->text(), QStringLiteral("05:35:17.3"));
    QCOMPARE(win->ui->orvex_decl_edt->text(), QStringLiteral("-05:23:28"));
    QCOMPARE(win->ui->orvex_epoch_edt->text(), QStringLiteral("2000.0"));
}

void Test_list_actions::read_and_add_through_the_dialog()
{
    const QString file = dir.filePath("night.lst");
    put_file(file, "# night\n12 30 00 : +45 00 00 ; 2000.0 # M31\n");
    win->list_win->hide();
    Modal_watcher watcher([file](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        if (!dialog)
            return false;
        dialog->selectFile(file);
        if (dialog->selectedFiles() != QStringList({file}))
            return false;
        static_cast<QDialog *>(dialog)->accept();
        return true;
    });
    win->ui->actionRead_and_Add_list->trigger();
    QVERIFY(watcher.handled);
    QCOMPARE(lines(), QStringList({"# night", "12 30 00 : +45 00 00 ; 2000.0 # M31"}));
    QCOMPARE(win->list_win->last_file, file);
    QVERIFY(win->list_win->isVisible());
}

void Test_list_actions::cancelled_dialogs_are_silent()
{
    fill_form("a", "01:00:00", "+01:00:00", "2000.0");
    win->ui->actionAdd_Object->trigger();
    const QString last = win->list_win->last_file;
    auto reject = [](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        if (dialog)
            dialog->reject();
        return dialog != nullptr;
    };
    for (QAction *action : {win->ui->actionRead_and_Add_list, win->ui->actionSave_list}) {
        Modal_watcher watcher(reject);
        action->trigger();
        QVERIFY(watcher.handled);
    }
    QCOMPARE(lines().size(), 1);
    QCOMPARE(win->list_win->last_file, last);
    QVERIFY(win->ui->statusbar->currentMessage().isEmpty());
    QVERIFY(err.filter("list file").isEmpty());

    // An empty list is not offered for saving at all.
    win->ui->actionClear_list->trigger();
    Modal_watcher watcher(reject);
    win->ui->actionSave_list->trigger();
    QTest::qWait(50);
    QVERIFY(!watcher.handled);
}

void Test_list_actions::save_list_through_the_dialog()
{
    fill_form("Vega", "18:36:56.3", "+38:47:01", "2000.0");
    win->ui->actionAdd_Object->trigger();
    const QString typed = dir.filePath("saved_night");
    const QString file = typed + ".lst";
    {
        Modal_watcher watcher([typed, file](QWidget *w) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            if (!dialog || dialog->acceptMode() != QFileDialog::AcceptSave)
                return false;
            dialog->selectFile(typed);
            // The suffix is added to a name typed without one.
            if (dialog->selectedFiles() != QStringList({file}))
                return false;
            static_cast<QDialog *>(dialog)->accept();
            return true;
        });
        win->ui->actionSave_list->trigger();
        QVERIFY(watcher.handled);
    }
    QCOMPARE(file_bytes(file), QByteArray(" 18 36 56.3  : +38 47 01   ; 2000.0 # Vega\n"));
    QCOMPARE(win->list_win->last_file, file);

    // The next save offers the same file.
    QStringList offered;
    Modal_watcher watcher([&offered](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        if (!dialog)
            return false;
        offered = dialog->selectedFiles();
        dialog->reject();
        return true;
    });
    win->ui->actionSave_list->trigger();
    QCOMPARE(offered, QStringList({file}));
}

void Test_list_actions::file_errors_reach_the_status_bar()
{
    const QString missing = dir.filePath("gone.lst");
    QVERIFY(!win->list_win->read_list_file(missing));
    QVERIFY(win->ui->statusbar->currentMessage().contains(missing));
    QVERIFY(err.last().contains(missing));

    win->ui->statusbar->clearMessage();
    win->list_win->insert_comment(0, "x");
    QVERIFY(!win->list_win->write_list_file(dir.path()));
    QVERIFY(win->ui->statusbar->currentMessage().startsWith("Cannot save list file " + dir.path()));
}

QTEST_MAIN(Test_list_actions)
#include "test_list_actions.moc"
