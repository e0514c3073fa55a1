// The objects list window inside the main window: clicks and sky picks
// loading the form, the ObjList actions, resizing, and .lst files read and
// saved through the dialogs, with failures that keep the user's file and are
// reported on the status bar and standard error.
#include "orvex_list.h"
#include "orvex_log.h"
#include "orvex_obj_list.h"
#include "orvex_obj_list_form.h"
#include "orvex_lst_format.h"
#include "orvex_text.h"

#include "common/orvex_test_http.h"

#include <QAction>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

const QByteArray mixed_file =
    "# Orvex list, night of 15 Jan\n"
    "\n"
    " 5 35 17.3   : -5 23 28    ; 2000.0 # M42\n"
    "05 35 17.3 ; -05 23 28 ; 15-Jan-2024 # M42 dated\n"
    "12 30 00 : +45 00 00 ; 2000.0 # M 31: core; #2\n"
    "12 30 00 : +45 00 00 ; 2000.0 ; NGC 1 ; extra\n"
    "12:30:00 +45:00:00 colons make a comment\n"
    "   \t\n"
    "01 02 03 : +04 05 06 ; 31-02-2023 # bad date\n"
    "10 11 12 : -13 14 15 ; 2000.0 # Плеяды (M45)\n"
    "# комментарий\n"
    "12 30 00 : +45 00 00\n";

QByteArray file_bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void put_file(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

// Answers the file dialog from inside its own event loop; act returns
// false to be asked again a moment later (the dialog may still be loading).
// Message boxes (network warnings of other windows) are dismissed.
struct Dialog_answer
{
    explicit Dialog_answer(std::function<bool(QFileDialog *)> act)
    {
        QObject::connect(&timer, &QTimer::timeout, [this, act] {
            QWidget *w = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(w))
                box->done(QMessageBox::Ok);
            else if (auto *dialog = qobject_cast<QFileDialog *>(w); dialog && !handled)
                handled = act(dialog);
        });
        timer.start(10);
    }
    bool handled = false;
    QTimer timer;
};

// Types a name into the dialog and accepts once it resolves to the file.
auto choose(const QString &typed, const QString &file)
{
    return [=](QFileDialog *dialog) {
        dialog->selectFile(typed);
        const bool ready = dialog->selectedFiles() == QStringList({file});
        if (ready)
            static_cast<QDialog *>(dialog)->accept();
        return ready;
    };
}

// Turns root's right to pass file permission checks off or on again, so a
// folder's permissions bind the test as they bind an observer. Other users
// have nothing to turn off.
bool set_dac_override(bool on)
{
    if (geteuid() != 0)
        return true;
    __user_cap_header_struct head{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &head, data) != 0)
        return false;
    for (unsigned cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
        const unsigned bit = 1u << (cap % 32);
        data[cap / 32].effective = on ? data[cap / 32].effective | bit : data[cap / 32].effective & ~bit;
    }
    return syscall(SYS_capset, &head, data) == 0;
}

} // namespace

class Test_list_window : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        server.bodies["/tcs/orvex_users_all.cgi"] = "guest Guest account\n";
        qputenv("ORVEX_TCS_HOST", server.host().toLatin1());
        set_log_capture(&out, &err);
        win = new Orvex_Obj_List;
        list = win->list_win;
        win->show();
        QVERIFY(QTest::qWaitForWindowExposed(win));
    }

    void cleanupTestCase() { set_log_capture(nullptr, nullptr); delete win; }
    void init()
    {
        win->ui->actionClear_list->trigger();
        win->ui->statusbar->clearMessage();
        list->last_file = QString();
        err.clear();
    }

    void clicks_and_sky_picks_load_the_form()
    {
        list->append_lines({"# head", "01 00 00 : +10 00 00 ; 2000.0 # A", "# c",
                            "03 00 00 : +30 00 00 ; 1950 # B", "# d", "05 00 00 : -50 00 00 ; 2000.0 # C"});
        const QString none = "|||", a = "A|01:00:00|+10:00:00|2000.0", c = "C|05:00:00|-50:00:00|2000.0";
        loaded();
        click(3);
        click(5);
        QCOMPARE(loaded(), none);
        click(5); // the second click on the chosen line loads it
        QCOMPARE(loaded(), c);
        click(2); // a comment is chosen but never loaded
        click(2);
        QCOMPARE(list->active_row, 2);
        QCOMPARE(loaded(), none);
        double_click(3);
        QCOMPARE(loaded(), QStringLiteral("B|03:00:00|+30:00:00|1950"));
        double_click(4);
        QCOMPARE(loaded(), none);
        QCOMPARE(list->active_row, 4);

        list->select_from_sky(5); // a second pick in the sky loads the line
        QCOMPARE(widget()->currentRow(), 5);
        list->select_from_sky(5);
        QCOMPARE(loaded(), c);
        for (int row : {4, 4, 6, -1}) // a comment only moves the current row
            list->select_from_sky(row);
        QCOMPARE(widget()->currentRow(), 4);
        QCOMPARE(loaded(), none);
        list->select_from_sky(1); // then a click on the same line loads it
        click(1);
        QCOMPARE(loaded(), a);
        list->insert_object(2, "New", "10:00:00", "+20:00:00", "2000.0");
        click(2); // a just inserted line loads at the first click
        QCOMPARE(loaded(), QStringLiteral("New|10:00:00|+20:00:00|2000.0"));
    }

    void resize_stretches_the_list()
    {
        QTRY_VERIFY(!list->first_resize); // the first show keeps the designed layout
        const QSize lst = widget()->size(), box = list->ui->orvex_btn_box->size();
        QCOMPARE(lst, QSize(541, 441));
        list->resize(list->size() + QSize(100, 50));
        QTRY_COMPARE(widget()->size(), lst + QSize(100, 50));
        QCOMPARE(list->ui->orvex_btn_box->size(), box + QSize(100, 0));
        list->resize(list->size() - QSize(50, 30));
        QTRY_COMPARE(widget()->size(), lst + QSize(50, 20));
    }

    void read_then_save_gives_same_bytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray crlf = mixed_file;
        QTest::newRow("LF") << mixed_file;
        QTest::newRow("CR LF comes back as LF") << crlf.replace("\n", "\r\n");
        QTest::newRow("byte-order mark, no last line end") << "\xef\xbb\xbf" + mixed_file.chopped(1);
        QTest::newRow("lone CR") << QByteArray(mixed_file).replace('\n', '\r');
        QTest::newRow("Windows-1251 comes back as UTF-8") << QByteArray(mixed_file)
            .replace("Плеяды", "\xcf\xeb\xe5\xff\xe4\xfb")
            .replace("комментарий", "\xea\xee\xec\xec\xe5\xed\xf2\xe0\xf0\xe8\xe9");
    }

    void read_then_save_gives_same_bytes()
    {
        QFETCH(QByteArray, bytes);
        put_file(path("in.lst"), bytes);
        QVERIFY(list->read_list_file(path("in.lst")));
        QCOMPARE(list->last_file, path("in.lst"));
        QCOMPARE(list->lines(), QString::fromUtf8(mixed_file).split('\n').mid(0, 12));
        QList<bool> objects;
        for (const Orvex_object *record : records())
            objects << !record->is_comment;
        QCOMPARE(objects, QList<bool>({false, false, true, true, true, true,
                                        false, false, true, true, false, true}));
        QCOMPARE(records().at(9)->name, QStringLiteral("Плеяды (M45)"));
        QCOMPARE(records().at(9)->decl, -(13 * 3600.0 + 14 * 60 + 15));

        QVERIFY(list->write_list_file(path("out.lst")));
        QCOMPARE(file_bytes(path("out.lst")), mixed_file);
        QCOMPARE(list->last_file, path("out.lst"));
        QVERIFY(err.isEmpty());

        set_row(3); // reading again appends, leaving the chosen line
        list->active_row = 3;
        QVERIFY(list->read_list_file(path("out.lst")));
        QCOMPARE(list->lines().size(), 24);
        for (int i = 0; i < records().size(); ++i)
            QCOMPARE(records().at(i)->index, i);
        QCOMPARE(list->current_row(), 3);
        QCOMPARE(list->active_row, 3);
    }

    void form_actions_edit_the_list()
    {
        QAction *add = win->ui->actionAdd_Object, *insert = win->ui->actionInsert_Object;
        QAction *comment = win->ui->actionInsert_Comment, *remove = win->ui->actionRemove_Object;
        remove->trigger(); // empty list: nothing happens
        list->insert_object(1, "x", "12:30:00", "+45:00:00", "2000.0"); // out of range
        list->insert_comment(-1, "x");
        form_to(add, "  M 31 ", " 12:30:00 ", "+45:00:00", "2000.0");
        QCOMPARE(win->ui->orvex_obj_edt->text(), QStringLiteral("  M 31 ")); // the form stays as typed
        form_to(add, "M 31", "12  30 00", "+45 00   00", " 2000.0 "); // inner blank runs collapse
        form_to(add, " Vega  star ", "5", "+38:47:01", "2000.0"); // no object: a comment
        QCOMPARE(list->lines(), QStringList({" 12 30 00    : +45 00 00   ; 2000.0 # M 31",
                                             " 12 30 00    : +45 00 00   ; 2000.0 # M 31", "# Vega  star"}));
        QCOMPARE(records().first()->ra_text, QStringLiteral("12:30:00"));
        QVERIFY(records().last()->is_comment);

        set_row(1);
        form_to(insert, "c", "03:00:00", "+03:00:00", "2000.0");
        form_to(comment, "   note  ", "12:00:00", "+10:00:00"); // at the current row, 1
        set_row(-1); // without a current row both go first
        form_to(insert, "d", "04:00:00", "+04:00:00", "2000.0");
        form_to(comment, "top");
        QStringList names; // with the index each record carries
        for (const Orvex_object *record : records())
            names << record->name + '@' + QString::number(record->index);
        QCOMPARE(names, QStringList({"@0", "d@1", "M 31@2", "@3", "c@4", "M 31@5", "@6"}));
        QCOMPARE(list->lines().at(3), QStringLiteral("# note"));

        set_row(1);
        remove->trigger();
        QCOMPARE(list->active_row, widget()->currentRow()); // a neighbour is chosen
        QVERIFY(list->active_row >= 0);
        set_row(-1);
        QCOMPARE(list->current_row(), -1);
        remove->trigger(); // no current row: nothing
        QCOMPARE(records().size(), 6);
        QCOMPARE(records().at(1)->name, QStringLiteral("M 31"));

        // Pasted control characters become blanks, so a saved line stays one
        // line; a long line is shown cut and kept whole.
        const QString long_name(400, 'n');
        form_to(add, "a\nb" + long_name, "12:30:00", "+45:00:00", "2000.0\x1b");
        QCOMPARE(list->lines().last(), " 12 30 00    : +45 00 00   ; 2000.0  # a b" + long_name);
        QCOMPARE(widget()->item(6)->text().size(), display_max_chars);

        list->hide(); // clearing shows the list window
        win->ui->actionClear_list->trigger();
        QVERIFY(list->isVisible());
        QVERIFY(list->lines().isEmpty() && records().isEmpty());
    }

    void read_and_save_through_the_dialogs()
    {
        const QString night = path("night.lst"), saved = path("saved.lst");
        put_file(night, "# night\n12 30 00 : +45 00 00 ; 2000.0 # M31\n");
        auto answer = [](QAction *action, std::function<bool(QFileDialog *)> act) {
            Dialog_answer answer(act);
            action->trigger();
            QVERIFY(answer.handled);
        };
        auto reject = [](QFileDialog *dialog) { dialog->reject(); return true; };
        list->hide();
        answer(win->ui->actionRead_and_Add_list, choose(night, night));
        QCOMPARE(list->lines(), QStringList({"# night", "12 30 00 : +45 00 00 ; 2000.0 # M31"}));
        QVERIFY(list->isVisible());

        answer(win->ui->actionSave_list, choose(path("saved"), saved)); // the suffix is added
        QCOMPARE(file_bytes(saved), file_bytes(night));
        QCOMPARE(list->last_file, saved);
        QStringList offered; // the next save offers the same file; cancelling stays silent
        answer(win->ui->actionSave_list, [&offered](QFileDialog *dialog) {
            offered = dialog->selectedFiles();
            dialog->reject();
            return true;
        });
        QCOMPARE(offered, QStringList({saved}));
        answer(win->ui->actionRead_and_Add_list, reject);
        QCOMPARE(list->lines().size(), 2);
        QCOMPARE(list->last_file, saved);
        QVERIFY(win->ui->statusbar->currentMessage().isEmpty());
        QVERIFY(err.filter("list file").isEmpty());

        win->ui->actionClear_list->trigger(); // an empty list is not offered for saving
        Dialog_answer unasked(reject);
        win->ui->actionSave_list->trigger();
        QTest::qWait(50);
        QVERIFY(!unasked.handled);
    }

    void long_lines_are_cut_for_display_and_refused_over_the_limit()
    {
        const QByteArray longest = "# " + QByteArray(lst_max_line_chars - 2, 'x');
        put_file(path("long.lst"), longest + "\n# short\n");
        QVERIFY(list->read_list_file(path("long.lst")));
        QCOMPARE(widget()->item(0)->text().size(), display_max_chars);
        QVERIFY(list->write_list_file(path("long_saved.lst")));
        QCOMPARE(file_bytes(path("long_saved.lst")), file_bytes(path("long.lst")));

        put_file(path("longer.lst"), "# first\n" + longest + "x\n# last\n");
        QVERIFY(!list->read_list_file(path("longer.lst")));
        QCOMPARE(list->lines().size(), 2); // nothing appended
        QCOMPARE(list->last_file, path("long_saved.lst"));
        const QString reason = ": line 2 is longer than 1048576 characters";
        QCOMPARE(win->ui->statusbar->currentMessage(),
                 "Cannot read list file " + QDir::toNativeSeparators(path("longer.lst")) + reason);
        QCOMPARE(err.last(), "Cannot read list file " + path("longer.lst") + reason);
    }

    void saves_in_place_where_the_folder_takes_no_new_file()
    {
        const QString locked = path("locked"), file = locked + "/night.lst";
        QVERIFY(QDir(dir.path()).mkpath("locked"));
        put_file(file, "# old\n");
        list->insert_comment(0, "new");
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
        // Root passes every permission check unless it gives up these.
        const bool locked_for_us = set_dac_override(false)
                                   && !QFile(locked + "/probe").open(QIODevice::WriteOnly);
        const bool saved = list->write_list_file(file);
        set_dac_override(true);
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(locked_for_us);
        QVERIFY(saved);
        QCOMPARE(file_bytes(file), QByteArray("# new\n"));
        QCOMPARE(list->last_file, file);
    }

    void failures_are_reported_and_change_nothing_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("target");
        // Root may write anywhere, so the places fail by their kind instead.
        QTest::newRow("read missing") << false << "missing.lst";
        QTest::newRow("read a folder") << false << "a_folder.lst";
        QTest::newRow("save under a plain file") << true << "plain_file/list.lst";
        QTest::newRow("save over a folder") << true << "a_folder.lst";
    }

    void failures_are_reported_and_change_nothing()
    {
        QFETCH(bool, save);
        QFETCH(QString, target);
        target = path(target);
        put_file(path("plain_file"), "x");
        QDir(dir.path()).mkdir("a_folder.lst");
        list->insert_comment(0, "kept");
        list->last_file = "before";
        QVERIFY(!(save ? list->write_list_file(target) : list->read_list_file(target)));
        QCOMPARE(list->lines(), QStringList({"# kept"}));
        QCOMPARE(list->last_file, QStringLiteral("before"));
        QCOMPARE(file_bytes(path("plain_file")), QByteArray("x"));
        QVERIFY(QFileInfo(path("a_folder.lst")).isDir());
        QVERIFY(win->ui->statusbar->currentMessage().contains(QDir::toNativeSeparators(target)));
        const QString head = (save ? "Cannot save list file " : "Cannot read list file ") + target + ": ";
        QVERIFY2(err.last().startsWith(head) && err.last().size() > head.size(), qPrintable(err.last()));
    }

    void failed_write_keeps_the_old_file()
    {
        // A file size limit breaks the write off part-way, like a full disc,
        // and applies to root too. The list is short enough to fail only in
        // the last write.
        put_file(path("old.lst"), "# the observer's list\n");
        QStringList many;
        for (int i = 0; i < 120; ++i)
            many << QStringLiteral("# line %1 with some words to take room").arg(i);
        list->append_lines(many);

        struct rlimit saved {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        struct rlimit small = saved;
        small.rlim_cur = 4096;
        const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool saved_ok = list->write_list_file(path("old.lst"));
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, old_handler);

        QVERIFY(!saved_ok);
        QCOMPARE(file_bytes(path("old.lst")), QByteArray("# the observer's list\n"));
        QCOMPARE(QDir(dir.path()).entryList({"old.lst*"}, QDir::Files | QDir::Hidden), QStringList({"old.lst"}));
        QVERIFY(win->ui->statusbar->currentMessage().contains(path("old.lst")));
        QVERIFY(err.last().startsWith("Cannot save list file " + path("old.lst") + ": "));
        QVERIFY2(!err.last().endsWith("Unknown error"), qPrintable(err.last())); // the reason is named
        QVERIFY(list->last_file.isNull());

        QVERIFY(list->write_list_file(path("old.lst"))); // with room again it saves
        QCOMPARE(file_bytes(path("old.lst")).count('\n'), 120);
    }

private:
    QString path(const QString &name) const { return dir.filePath(name); }
    const Orvex_object_list &records() const { return *win->obj_list; }
    void form_to(QAction *action, const QString &name, const QString &ra = {},
                 const QString &decl = {}, const QString &epoch = {})
    {
        win->ui->orvex_obj_edt->setText(name);
        win->ui->orvex_ra_edt->setText(ra);
        win->ui->orvex_decl_edt->setText(decl);
        win->ui->orvex_epoch_edt->setText(epoch);
        if (action)
            action->trigger();
    }
    // What the form holds, emptied for the next look.
    QString loaded()
    {
        const Orvex_Obj_List_form *ui = win->ui;
        const QString text = QStringList({ui->orvex_obj_edt->text(), ui->orvex_ra_edt->text(),
                                          ui->orvex_decl_edt->text(), ui->orvex_epoch_edt->text()}).join('|');
        form_to(nullptr, "");
        return text;
    }
    void set_row(int row) { widget()->setCurrentRow(row); }
    QListWidget *widget() const { return list->ui->orvex_obj_lst; }
    QPoint centre(int row) const { return widget()->visualItemRect(widget()->item(row)).center(); }
    void click(int row) { QTest::mouseClick(widget()->viewport(), Qt::LeftButton, {}, centre(row)); }
    // What the toolkit delivers for a double click, less the last release,
    // so only the double click itself can load the line.
    void double_click(int row)
    {
        click(row);
        QTest::mouseDClick(widget()->viewport(), Qt::LeftButton, {}, centre(row));
    }

    Orvex_test_http server;
    QTemporaryDir dir;
    QStringList out, err;
    Orvex_Obj_List *win = nullptr;
    Orvex_list *list = nullptr;
};

QTEST_MAIN(Test_list_window)
#include "test_list_window.moc"
