// Reading .lst files into the list window and saving them back: exact
// round trips, appending, and failures that keep the user's file and are
// reported.
#include "list_test_support.h"
#include "orvex_list.h"
#include "orvex_log.h"

#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

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
    "10 11 12 : -13 14 15 ; 2000.0 # \xd0\x9f\xd0\xbb\xd0\xb5\xd1\x8f\xd0\xb4\xd1\x8b (Плеяды)\n"
    "# \xd0\xba\xd0\xbe\xd0\xbc\xd0\xbc\xd0\xb5\xd0\xbd\xd1\x82\xd0\xb0\xd1\x80\xd0\xb8\xd0\xb9\n"
    "12 30 00 : +45 00 00\n";

} // namespace

class Test_list_files : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void read_then_save_gives_same_bytes();
    void cr_lf_comes_back_as_lf();
    void byte_order_mark_and_missing_last_line_end();
    void reading_appends_and_index_counts_on();
    void blank_typed_coordinates_become_colons_after_a_round_trip();
    void unreadable_file_is_reported_and_changes_nothing();
    void save_into_unwritable_place_is_reported();
    void failed_write_keeps_the_old_file();

private:
    QString path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    Orvex_object_list list;
    Orvex_list *win = nullptr;
    QStringList out, err;
};

void Test_list_files::init()
{
    QVERIFY(dir.isValid());
    win = new Orvex_list(nullptr, &list);
    out.clear();
    err.clear();
    set_log_capture(&out, &err);
}

void Test_list_files::cleanup()
{
    set_log_capture(nullptr, nullptr);
    delete win;
    qDeleteAll(list);
    list.clear();
}

void Test_list_files::read_then_save_gives_same_bytes()
{
    put_file(path("in.lst"), mixed_file);
    QVERIFY(win->read_list_file(path("in.lst")));
    QCOMPARE(win->last_file, path("in.lst"));
    QCOMPARE(list.size(), 12);
    QCOMPARE(win->ui->orvex_obj_lst->count(), 12);

    QList<bool> objects;
    for (const Orvex_object *record : list)
        objects << !record->is_comment;
    QCOMPARE(objects, QList<bool>({false, false, true, true, true, true,
                                    false, false, true, true, false, true}));
    QCOMPARE(list.at(2)->ra, 20117.3);
    QCOMPARE(list.at(3)->epoch_text, QStringLiteral("2024.04"));
    QCOMPARE(list.at(4)->name, QStringLiteral("M 31: core; #2"));
    QCOMPARE(list.at(5)->name, QStringLiteral("extra"));
    QCOMPARE(list.at(8)->epoch_text, QStringLiteral("nan"));
    QCOMPARE(list.at(9)->name, QStringLiteral("Плеяды (Плеяды)"));
    QCOMPARE(list.at(9)->decl, -(13 * 3600.0 + 14 * 60 + 15));
    QCOMPARE(list.at(11)->name, QStringLiteral("Unknown"));
    QCOMPARE(win->ui->orvex_obj_lst->item(10)->text(), QStringLiteral("# комментарий"));
    QCOMPARE(win->ui->orvex_obj_lst->item(7)->text(), QStringLiteral("   \t"));

    QVERIFY(win->write_list_file(path("out.lst")));
    QCOMPARE(file_bytes(path("out.lst")), mixed_file);
    QCOMPARE(win->last_file, path("out.lst"));
    QVERIFY(err.isEmpty());
}

void Test_list_files::cr_lf_comes_back_as_lf()
{
    QByteArray crlf = mixed_file;
    crlf.replace("\n", "\r\n");
    put_file(path("dos.lst"), crlf);
    QVERIFY(win->read_list_file(path("dos.lst")));
    QCOMPARE(list.size(), 12);
    for (const QString &line : win->lines())
        QVERIFY2(!line.contains('\r'), qPrintable(line));
    QCOMPARE(list.at(9)->name, QStringLiteral("Плеяды (Плеяды)"));
    QVERIFY(win->write_list_file(path("unix.lst")));
    QCOMPARE(file_bytes(path("unix.lst")), mixed_file);
}

void Test_list_files::byte_order_mark_and_missing_last_line_end()
{
    put_file(path("bom.lst"),
             "\xef\xbb\xbf" "01 02 03 : +04 05 06 # \xd0\x92\xd0\xb5\xd0\xb3\xd0\xb0\n# last");
    QVERIFY(win->read_list_file(path("bom.lst")));
    QCOMPARE(win->lines(), QStringList({"01 02 03 : +04 05 06 # Вега", "# last"}));
    QVERIFY(!list.at(0)->is_comment);
    QCOMPARE(list.at(0)->name, QStringLiteral("Вега"));
    QVERIFY(win->write_list_file(path("plain.lst")));
    QCOMPARE(file_bytes(path("plain.lst")),
             QByteArray("01 02 03 : +04 05 06 # \xd0\x92\xd0\xb5\xd0\xb3\xd0\xb0\n# last\n"));
}

void Test_list_files::reading_appends_and_index_counts_on()
{
    put_file(path("three.lst"), "\n# note\n12 30 00 : +45 00 00 ; 2000.0 # M31\n");
    win->insert_comment(0, "mine");
    win->ui->orvex_obj_lst->setCurrentRow(0);
    const int active = win->active_row;
    QVERIFY(win->read_list_file(path("three.lst")));
    QVERIFY(win->read_list_file(path("three.lst")));
    QCOMPARE(win->lines(), QStringList({"# mine", "", "# note", "12 30 00 : +45 00 00 ; 2000.0 # M31",
                                        "", "# note", "12 30 00 : +45 00 00 ; 2000.0 # M31"}));
    for (int i = 0; i < list.size(); ++i)
        QCOMPARE(list.at(i)->index, i);
    QCOMPARE(win->ui->orvex_obj_lst->currentRow(), 0);
    QCOMPARE(win->active_row, active);
}

void Test_list_files::blank_typed_coordinates_become_colons_after_a_round_trip()
{
    win->insert_object(0, "M 31", "12 30 00", "+45 00 00", "2000.0");
    QCOMPARE(list.at(0)->ra, 0.0); // the record reads only colon texts
    QCOMPARE(win->lines().first(), QStringLiteral(" 12 30 00    : +45 00 00   ; 2000.0 # M 31"));
    QVERIFY(win->write_list_file(path("typed.lst")));
    win->on_orvex_clr_lst_btn_clicked();
    QVERIFY(win->read_list_file(path("typed.lst")));
    QCOMPARE(list.at(0)->ra_text, QStringLiteral("12:30:00"));
    QCOMPARE(list.at(0)->ra, 45000.0);
    QCOMPARE(list.at(0)->name, QStringLiteral("M 31"));
}

void Test_list_files::unreadable_file_is_reported_and_changes_nothing()
{
    QSignalSpy errors(win, &Orvex_list::file_error);
    win->insert_comment(0, "kept");
    win->last_file = "before";
    for (const QString &bad : {path("missing.lst"), dir.path()}) {
        QVERIFY(!win->read_list_file(bad));
        QCOMPARE(win->lines(), QStringList({"# kept"}));
        QCOMPARE(win->last_file, QStringLiteral("before"));
        QVERIFY(errors.last().at(0).toString().contains(QDir::toNativeSeparators(bad)));
        QVERIFY(err.last().startsWith("Cannot read list file " + bad + ": "));
        QVERIFY(err.last().size() > QString("Cannot read list file " + bad + ": ").size());
    }
    QCOMPARE(errors.size(), 2);
}

void Test_list_files::save_into_unwritable_place_is_reported()
{
    QSignalSpy errors(win, &Orvex_list::file_error);
    win->insert_comment(0, "unsaved");
    put_file(path("plain_file"), "x");
    QVERIFY(QDir(dir.path()).mkdir("a_folder.lst"));
    // Root may write anywhere, so the places fail by their kind instead.
    const QStringList targets = {path("plain_file/list.lst"), path("a_folder.lst")};
    for (const QString &target : targets) {
        QVERIFY(!win->write_list_file(target));
        QVERIFY(win->last_file.isNull());
        QVERIFY(errors.last().at(0).toString().contains(QDir::toNativeSeparators(target)));
        QVERIFY(err.last().startsWith("Cannot save list file " + target + ": "));
    }
    QCOMPARE(errors.size(), 2);
    QCOMPARE(file_bytes(path("plain_file")), QByteArray("x"));
    QVERIFY(QFileInfo(path("a_folder.lst")).isDir());
}

void Test_list_files::failed_write_keeps_the_old_file()
{
    // A file size limit makes the write break off part-way, like a full
    // disc; the limit applies to root too.
    put_file(path("old.lst"), "# the observer's list\n");
    for (int i = 0; i < 2000; ++i)
        win->insert_comment(i, QStringLiteral("line %1 with some words to take room").arg(i));

    struct rlimit saved {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    QSignalSpy errors(win, &Orvex_list::file_error);
    const bool saved_ok = win->write_list_file(path("old.lst"));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, old_handler);

    QVERIFY(!saved_ok);
    QCOMPARE(errors.size(), 1);
    QCOMPARE(file_bytes(path("old.lst")), QByteArray("# the observer's list\n"));
    QCOMPARE(QDir(dir.path()).entryList({"old.lst*"}, QDir::Files | QDir::Hidden),
             QStringList({"old.lst"}));
    QVERIFY(err.last().startsWith("Cannot save list file " + path("old.lst") + ": "));
    QVERIFY2(!err.last().endsWith("Unknown error"), qPrintable(err.last())); // the reason is named
    QVERIFY(win->last_file.isNull());

    // With room again the same save succeeds.
    QVERIFY(win->write_list_file(path("old.lst")));
    QCOMPARE(file_bytes(path("old.lst")).count('\n'), 2000);
}

QTEST_MAIN(Test_list_files)
#include "test_list_files.moc"
