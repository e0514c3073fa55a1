// A changed objects list is not lost unasked: Quit, closing the last window,
// a failed users list and "Clear list" ask "Save / Discard / Cancel" once;
// an unchanged list goes without a word.
#include "orvex_help.h"
#include "orvex_list.h"
#include "orvex_log.h"
#include "orvex_obj_list.h"
#include "orvex_obj_list_form.h"
#include "orvex_sky.h"

#include "common/orvex_test_files.h"
#include "common/orvex_test_http.h"

#include <QtTest>
#include <QtWidgets>

namespace {
const QByteArray night = "# night\n 5 35 17.3   : -5 23 28    ; 2000.0 # M42\n";
const QByteArray more = "12 30 00 : +45 00 00 ; 2000.0 # M 31\n";

// Answers the boxes and dialogs that come up, from a timer: the questions
// with `answers` in turn (Cancel when none is left), a failed save's box and
// the TCS client's warning with OK, the file dialog with `save_as` (or
// Cancel when empty). Each box is noted as "title|text|button texts".
struct Answerer : QObject
{
    QList<QMessageBox::StandardButton> answers;
    QStringList questions, errors;
    QString save_as;
    int dialogs = 0;
    QTimer timer;

    Answerer()
    {
        connect(&timer, &QTimer::timeout, this, &Answerer::look);
        timer.start(10);
    }
    void look()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            // One that would not take the name fails the test, not hangs it.
            if (++dialogs > 3 || save_as.isEmpty()) {
                dialog->reject();
            } else {
                // Typed, with no file picked in the views: a picked one
                // (the file read last, once the folder has loaded) would win.
                dialog->findChild<QLineEdit *>("fileNameEdit")->setText(save_as);
                for (QAbstractItemView *view : dialog->findChildren<QAbstractItemView *>())
                    if (view->selectionModel())
                        view->selectionModel()->clearSelection();
                QMetaObject::invokeMethod(dialog, "accept");
            }
            return;
        }
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box) {
            for (QWidget *top : QApplication::topLevelWidgets())
                if (top->objectName() == "orvex_error_box" && top->isVisible()
                    && !top->property("answered").toBool()) {
                    errors << "TCS warning";
                    // Closing it asks the question: not from this timer,
                    // which would not fire again inside its own slot.
                    top->setProperty("answered", true);
                    QTimer::singleShot(0, top, [top] { static_cast<QMessageBox *>(top)->done(QMessageBox::Ok); });
                }
            return;
        }
        QStringList buttons;
        for (QAbstractButton *b : box->buttons())
            buttons << b->text();
        buttons.sort();
        const QString seen = box->windowTitle() + '|' + box->text() + '|' + buttons.join(',');
        if (box->objectName() == "orvex_unsaved_box") {
            QVERIFY(box->textFormat() == Qt::PlainText);
            questions << seen;
            const QMessageBox::StandardButton answer = answers.isEmpty() ? QMessageBox::Cancel : answers.takeFirst();
            const QMessageBox::ButtonRole role = answer == QMessageBox::Save      ? QMessageBox::AcceptRole
                                                 : answer == QMessageBox::Discard ? QMessageBox::DestructiveRole
                                                                                  : QMessageBox::RejectRole;
            for (QAbstractButton *b : box->buttons())
                if (box->buttonRole(b) == role)
                    b->click();
        } else {
            errors << seen;
            box->done(QMessageBox::Ok);
        }
    }
};
} // namespace

Q_DECLARE_METATYPE(QMessageBox::StandardButton)

class Test_quit : public QObject
{
    Q_OBJECT

    Orvex_test_http host;
    QTemporaryDir dir;
    Orvex_Obj_List *w = nullptr;
    Orvex_list *list = nullptr;
    QStringList out, err;

    QString path(const QString &name) const { return dir.path() + '/' + name; }
    // The windows showing, as "main list sky help".
    QString showing() const
    {
        QStringList names;
        const QList<QPair<QString, QWidget *>> windows = {
            {"main", w}, {"list", w->list_win}, {"sky", w->sky_win}, {"help", w->help_win}};
        for (const auto &n : windows)
            if (n.second->isVisible())
                names << n.first;
        return names.join(' ');
    }
    // The night's list read from its file, then one line added.
    void changed_list()
    {
        put_file(path("night.lst"), night);
        QVERIFY(list->read_list_file(path("night.lst")));
        list->insert_comment(0, "added");
    }
    void make_window()
    {
        w = new Orvex_Obj_List;
        list = w->list_win;
        w->show();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        host.serve_quiet_tcs();
        QCoreApplication::setApplicationName(QStringLiteral("Orvex_Obj_List"));
    }

    void init()
    {
        set_log_capture(&out, &err);
        host.answers.clear();
        for (const QString &name : QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
            QFileInfo(path(name)).isDir() ? QDir(path(name)).removeRecursively() : QFile::remove(path(name));
        make_window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }

    void cleanup()
    {
        delete w;
        w = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            top->hide();
        set_log_capture(nullptr, nullptr);
    }

    // Every way out, answered each way: one question; Cancel keeps every
    // window and the list, Discard goes without saving, Save writes the
    // list's own file and goes.
    void a_changed_list_is_asked_about_once_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        for (const char *how : {"Quit", "main window last", "list window last", "sky window last",
                                "help window last", "users list failed"})
            for (const auto answer : {QMessageBox::Cancel, QMessageBox::Discard, QMessageBox::Save})
                QTest::addRow("%s, %s", how,
                              answer == QMessageBox::Cancel ? "Cancel"
                              : answer == QMessageBox::Save ? "Save" : "Discard")
                    << QString(how) << answer;
    }
    void a_changed_list_is_asked_about_once()
    {
        QFETCH(QString, how);
        QFETCH(QMessageBox::StandardButton, answer);
        if (how == "users list failed") {
            delete w;
            host.answers["/tcs/orvex_users_all.cgi"] = {500, ""};
            make_window(); // the list is changed before the reply comes
        }
        changed_list();
        Answerer answerer;
        answerer.answers = {answer};
        QWidget *last = how == "Quit" || how == "users list failed" ? nullptr
                        : how.startsWith("main") ? static_cast<QWidget *>(w)
                        : how.startsWith("list") ? static_cast<QWidget *>(list)
                        : how.startsWith("sky") ? static_cast<QWidget *>(w->sky_win)
                                                : static_cast<QWidget *>(w->help_win);
        if (last) {
            last->show();
            for (QWidget *other : QList<QWidget *>{w, list, w->sky_win, w->help_win})
                if (other != last)
                    other->hide();
        }
        const QString before = showing();
        if (how == "Quit")
            w->ui->actionQuit->trigger();
        else if (last)
            QCOMPARE(last->close(), answer != QMessageBox::Cancel);
        else
            QTRY_COMPARE(answerer.errors, QStringList("TCS warning"));
        QTRY_COMPARE(answerer.questions.size(), 1);
        QVERIFY2(answerer.questions[0].startsWith("Quit|The objects list has changed since it was last read or "
                                                  "saved. Save it before quitting?\n\nSave writes it to "
                                                  + QDir::toNativeSeparators(path("night.lst")) + ".|"),
                 qPrintable(answerer.questions[0]));
        QCOMPARE(showing(), answer == QMessageBox::Cancel ? before : QString());
        QCOMPARE(list->lines().size(), 3);
        QCOMPARE(list->modified, answer != QMessageBox::Save);
        QCOMPARE(file_bytes(path("night.lst")), answer == QMessageBox::Save ? "# added\n" + night : night);
        QCOMPARE(answerer.errors.size(), int(how == "users list failed"));
    }

    // Discarded, the event loop ends as with an unchanged list.
    void quit_after_discard_ends_the_loop()
    {
        changed_list();
        Answerer answerer;
        answerer.answers = {QMessageBox::Discard};
        QTimer::singleShot(0, w->ui->actionQuit, &QAction::trigger);
        QObject guard;
        QTimer::singleShot(5000, &guard, [] { QCoreApplication::exit(-1); });
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(answerer.questions.size(), 1);
    }

    // Only a list that holds lines no file holds is asked about: steps are
    // read (a file into the list), add (another file), empty (an empty
    // file), insert, remove (line 0), save, clear.
    void which_lists_are_asked_about_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("asked");
        QTest::newRow("nothing") << "" << false;
        QTest::newRow("read into the empty list") << "read" << false;
        QTest::newRow("a file added to another") << "read add" << true;
        QTest::newRow("inserted") << "insert" << true;
        QTest::newRow("read, a line removed") << "read remove" << true;
        QTest::newRow("inserted, saved") << "insert save" << false;
        QTest::newRow("saved, then edited") << "insert save insert" << true;
        QTest::newRow("inserted, cleared") << "insert clear" << false;
        QTest::newRow("changed, cleared, read") << "read add clear read" << false;
        QTest::newRow("edited down to nothing") << "insert remove" << false;
        QTest::newRow("emptied, then a file read") << "insert remove read" << false;
        QTest::newRow("read, an empty file added") << "read empty" << false;
        QTest::newRow("changed, an empty file added") << "read insert empty" << true;
        QTest::newRow("a file added, saved") << "read add save" << false;
    }
    void which_lists_are_asked_about()
    {
        QFETCH(QString, steps);
        QFETCH(bool, asked);
        put_file(path("a.lst"), night);
        put_file(path("b.lst"), more);
        put_file(path("empty.lst"), "");
        for (const QString &step : steps.split(' ', Qt::SkipEmptyParts)) {
            if (step == "read")
                QVERIFY(list->read_list_file(path("a.lst")));
            else if (step == "add")
                QVERIFY(list->read_list_file(path("b.lst")));
            else if (step == "empty")
                QVERIFY(list->read_list_file(path("empty.lst")));
            else if (step == "insert")
                list->insert_comment(0, "added");
            else if (step == "remove")
                list->remove_row(0);
            else if (step == "save")
                QVERIFY(list->write_list_file(path("out.lst")));
            else if (step == "clear")
                list->on_orvex_clr_lst_btn_clicked();
        }
        Answerer answerer; // Cancel, should it ask
        w->ui->actionQuit->trigger();
        QCOMPARE(answerer.questions.size(), int(asked));
        QCOMPARE(showing(), asked ? QStringLiteral("main list sky") : QString());
    }

    // Where the list's own file can no longer be written (its folder has
    // become a file), the observer is told and nothing goes.
    void a_failed_save_keeps_the_list_data()
    {
        QTest::addColumn<bool>("quitting");
        QTest::newRow("Quit") << true;
        QTest::newRow("Clear list") << false;
    }
    void a_failed_save_keeps_the_list()
    {
        QFETCH(bool, quitting);
        QVERIFY(QDir(dir.path()).mkdir("usb"));
        put_file(path("usb/night.lst"), night);
        QVERIFY(list->read_list_file(path("usb/night.lst")));
        list->insert_comment(0, "added");
        QVERIFY(QDir(path("usb")).removeRecursively());
        put_file(path("usb"), "not a folder");
        Answerer answerer;
        answerer.answers = {QMessageBox::Save};
        (quitting ? w->ui->actionQuit : w->ui->actionClear_list)->trigger();
        QCOMPARE(answerer.questions.size(), 1);
        QCOMPARE(answerer.errors.size(), 1);
        const QString failed = answerer.errors[0];
        QVERIFY2(failed.startsWith("Save list|Cannot save list file " + QDir::toNativeSeparators(path("usb/night.lst")) + ": ")
                     && failed.endsWith(quitting ? "\n\nThe program stays open: the list is still unsaved.|OK"
                                                 : "\n\nThe list is not cleared.|OK"),
                 qPrintable(failed));
        QCOMPARE(showing(), QStringLiteral("main list sky"));
        QVERIFY(list->modified && list->lines().size() == 3);
    }

    // A list that no file holds as it is (typed in, or put together from
    // two files) is saved under a name asked for; Cancel there cancels.
    void save_without_a_file_of_its_own_asks_for_a_name_data()
    {
        QTest::addColumn<bool>("cleared");
        QTest::addColumn<QString>("save_as");
        QTest::newRow("two files, named") << false << "typed.lst";
        QTest::newRow("two files, dialog cancelled") << false << "";
        QTest::newRow("cleared, typed in") << true << "typed.lst";
    }
    void save_without_a_file_of_its_own_asks_for_a_name()
    {
        QFETCH(bool, cleared);
        QFETCH(QString, save_as);
        put_file(path("a.lst"), night);
        put_file(path("b.lst"), more);
        QVERIFY(list->read_list_file(path("a.lst")));
        if (cleared) {
            list->on_orvex_clr_lst_btn_clicked();
            list->append_lines(QString(night + more).split('\n', Qt::SkipEmptyParts));
        } else {
            QVERIFY(list->read_list_file(path("b.lst")));
        }
        Answerer answerer;
        answerer.answers = {QMessageBox::Save};
        answerer.save_as = save_as.isEmpty() ? QString() : path(save_as);
        w->ui->actionQuit->trigger();
        QVERIFY2(answerer.questions.value(0).contains("quitting?\n\nSave asks for a file name.|"),
                 qPrintable(answerer.questions.value(0)));
        QCOMPARE(answerer.dialogs, 1);
        // Neither file read is overwritten.
        QVERIFY(file_bytes(path("a.lst")) == night && file_bytes(path("b.lst")) == more);
        if (save_as.isEmpty()) {
            QCOMPARE(showing(), QStringLiteral("main list sky"));
            QVERIFY(answerer.errors.isEmpty() && list->modified);
        } else {
            QCOMPARE(file_bytes(path(save_as)), night + more);
            QCOMPARE(showing(), QString());
        }
    }

    // The menu's "Clear list" and the list window's own button ask alike.
    void clear_list_asks_about_a_changed_list_data()
    {
        QTest::addColumn<bool>("button");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        for (bool button : {false, true})
            for (const auto answer : {QMessageBox::Cancel, QMessageBox::Discard, QMessageBox::Save})
                QTest::addRow("%s, %d", button ? "button" : "menu", int(answer)) << button << answer;
    }
    void clear_list_asks_about_a_changed_list()
    {
        QFETCH(bool, button);
        QFETCH(QMessageBox::StandardButton, answer);
        changed_list();
        Answerer answerer;
        answerer.answers = {answer};
        if (button)
            QTest::mouseClick(list->ui->orvex_clr_lst_btn, Qt::LeftButton);
        else
            w->ui->actionClear_list->trigger();
        QCOMPARE(answerer.questions.size(), 1);
        QVERIFY2(answerer.questions[0].startsWith("Clear list|The objects list has changed since it was last "
                                                  "read or saved. Save it before it is cleared?\n\n"),
                 qPrintable(answerer.questions[0]));
        QCOMPARE(list->lines().size(), answer == QMessageBox::Cancel ? 3 : 0);
        QCOMPARE(file_bytes(path("night.lst")), answer == QMessageBox::Save ? "# added\n" + night : night);
        QCOMPARE(showing(), QStringLiteral("main list sky"));
        // Cleared, the list is unchanged: a second clear asks nothing.
        w->ui->actionClear_list->trigger();
        QCOMPARE(answerer.questions.size(), 1 + int(answer == QMessageBox::Cancel));
    }

    // The program goes on while any window shows: the question comes with
    // the last one, whichever it is, and once.
    void closing_windows_one_by_one_asks_at_the_last()
    {
        changed_list();
        Answerer answerer;
        answerer.answers = {QMessageBox::Discard};
        QVERIFY(w->close());
        QVERIFY(w->sky_win->close());
        QCOMPARE(answerer.questions.size(), 0);
        QCOMPARE(showing(), QStringLiteral("list"));
        QVERIFY(list->close());
        QCOMPARE(answerer.questions.size(), 1);
        QCOMPARE(showing(), QString());
    }

    // In Russian the question and its buttons are Russian, whatever the
    // toolkit's own translation.
    void the_question_in_russian()
    {
        w->sys_locale = "ru_RU";
        w->app_dir = QCoreApplication::applicationDirPath();
        w->tr_file = w->app_name + "_ru_RU";
        w->ui->actionNatLang->trigger();
        changed_list();
        Answerer answerer;
        w->ui->actionQuit->trigger();
        QCOMPARE(answerer.questions.size(), 1);
        const QStringList parts = answerer.questions[0].split('|');
        QCOMPARE(parts.value(0), QStringLiteral("Выход"));
        QVERIFY2(parts.value(1).startsWith("Список объектов изменён") && parts.value(1).contains("«Сохранить» запишет его в"),
                 qPrintable(parts.value(1)));
        QCOMPARE(parts.value(2), QStringLiteral("Не сохранять,Отмена,Сохранить"));
    }
};

QTEST_MAIN(Test_quit)
#include "test_quit.moc"
