// The objects list window inside the main window: clicks, the ObjList actions,
// resizing, and .lst files read and saved; failures keep the user's file.
#include "orvex_list.h"
#include "orvex_log.h"
#include "orvex_obj_list.h"
#include "orvex_obj_list_form.h"
#include "orvex_sky.h"
#include "orvex_lst_format.h"
#include "orvex_text.h"

#include "common/orvex_test_files.h"
#include "common/orvex_test_http.h"

#include <QtTest>
#include <QtWidgets>

#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <thread>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#ifdef __has_feature
#define ORVEX_HAS_FEATURE(x) __has_feature(x)
#else
#define ORVEX_HAS_FEATURE(x) 0
#endif

namespace {

const QByteArray mixed_file =
    "# Orvex list, night of 15 Jan\n"
    "\n"
    " 5 35 17.3   : -5 23 28    ; 2000.0 # M42\n"
    "05 35 17.3 ; -05 23 28 ; 15-Jan-2024 # M42 dated\n"
    "12 30 00 : +45 00 00 ; 2000.0 # M 31: core; #2\n"
    "   \t\n"
    "10 11 12 : -13 14 15 ; 2000.0 # Плеяды (M45)\n"
    "# комментарий\n"
    "12 30 00 : +45 00 00\n";

// Turns root's right to pass file permission checks off or on again, so a
// folder's permissions bind the test as they bind an observer.
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

// Should a read open the FIFO and wait for a writer, this writer comes after
// a while, so a faulty reader fails the test instead of hanging it.
class Fifo_writer_later
{
public:
    explicit Fifo_writer_later(const QByteArray &path)
        : thread([this, path] {
              std::unique_lock<std::mutex> lock(mutex);
              if (!done.wait_for(lock, std::chrono::seconds(5), [this] { return finished; }))
                  ::close(::open(path.constData(), O_WRONLY | O_NONBLOCK));
          })
    {
    }
    ~Fifo_writer_later()
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            finished = true;
        }
        done.notify_one();
        thread.join();
    }

private:
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::thread thread;
};

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
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
        list->modified = false; // the last test's edits are not asked about
        win->ui->actionClear_list->trigger();
        win->ui->statusbar->clearMessage();
        list->last_file = QString();
        err.clear();
    }

    void cleanup() { QTextCodec::setCodecForLocale(nullptr); }

    void clicks_load_the_form()
    {
        list->append_lines({"# c", "01 00 00 : +10 00 00 ; 2000.0 # A", "03 00 00 : +30 00 00 ; 1950 # B"});
        QLineEdit *name = win->ui->orvex_obj_edt;
        click(2);
        click(0); // a comment is chosen but never loaded
        double_click(0);
        click(1);
        QVERIFY(name->text().isEmpty());
        click(1); // the second click on the chosen line loads it
        QCOMPARE(name->text() + win->ui->orvex_ra_edt->text(), QStringLiteral("A01:00:00"));
        double_click(2);
        QCOMPARE(name->text() + win->ui->orvex_epoch_edt->text(), QStringLiteral("B1950"));
        list->insert_object(0, "New", "10:00:00", "+20:00:00", "2000.0");
        click(0); // a just inserted line loads at the first click
        QCOMPARE(name->text(), QStringLiteral("New"));
    }

    void resize_stretches_the_list()
    {
        QTRY_VERIFY(!list->first_resize); // the first show keeps the designed layout
        const QSize lst = widget()->size(), box = list->ui->orvex_btn_box->size();
        QCOMPARE(lst, QSize(541, 441));
        list->resize(list->size() + QSize(100, 50));
        QTRY_COMPARE(widget()->size(), lst + QSize(100, 50));
        QCOMPARE(list->ui->orvex_btn_box->size(), box + QSize(100, 0));
    }

    void read_then_save_gives_same_bytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("saved");
        QByteArray crlf = mixed_file, crcrlf = mixed_file;
        const QByteArray cp1251 = QByteArray(mixed_file)
            .replace("Плеяды", "\xcf\xeb\xe5\xff\xe4\xfb")
            .replace("комментарий", "\xea\xee\xec\xec\xe5\xed\xf2\xe0\xf0\xe8\xe9");
        QTest::newRow("LF") << mixed_file << mixed_file;
        QTest::newRow("CR LF comes back as LF") << crlf.replace("\n", "\r\n") << mixed_file;
        QTest::newRow("CR CR LF is one line end") << crcrlf.replace("\n", "\r\r\n") << mixed_file;
        QTest::newRow("byte-order mark, no last line end") << "\xef\xbb\xbf" + mixed_file.chopped(1) << mixed_file;
        QTest::newRow("lone CR") << QByteArray(mixed_file).replace('\n', '\r') << mixed_file;
        QTest::newRow("Windows-1251 lines come back as they were") << cp1251 << cp1251;
    }

    void read_then_save_gives_same_bytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, saved);
        put_file(path("in.lst"), bytes);
        QVERIFY(list->read_list_file(path("in.lst")));
        QCOMPARE(list->last_file, path("in.lst"));
        QCOMPARE(list->lines(), QString::fromUtf8(mixed_file).split('\n').mid(0, 9));
        QVERIFY(records().at(7)->is_comment && !records().at(8)->is_comment);
        QCOMPARE(records().at(6)->name, QStringLiteral("Плеяды (M45)"));

        QVERIFY(list->write_list_file(path("out.lst")));
        QCOMPARE(file_bytes(path("out.lst")), saved);
        QCOMPARE(list->last_file, path("out.lst"));
        QVERIFY(err.isEmpty());
        QVERIFY(list->read_list_file(path("out.lst"))); // reading again appends
        QCOMPARE(records().at(17)->index, 17);
    }

    // Lines of objects below the horizon the telescope would meet are
    // dimmed and follow the sidereal time; the lines, and the file saved,
    // stay as they were. Each line's tool tip is made when it is asked for.
    void objects_below_the_horizon_are_dimmed()
    {
        Orvex_sky *sky = win->sky_win;
        const double old_lst = sidereal_time;
        const int old_direct = sky->direct_count, old_reverse = sky->reverse_count;
        for (int i = 0; i < 4; ++i)
            sky->horizon_direct[i] = HorizonPoint{0, 0, 90.0 * i, 70}; // 20 degrees all round
        sky->direct_count = 4;
        sky->reverse_count = 0;
        sidereal_time = 0;
        const QByteArray bytes = "# up now?\n"
                                 "00 00 00 : +30 00 00 ; 2000.0 # High\n"
                                 "12 00 00 : +00 00 00 ; 2000.0 # <b>Down</b>\n";
        put_file(path("up.lst"), bytes);
        QVERIFY(list->read_list_file(path("up.lst")));
        const auto dimmed = [this](int row) { return widget()->item(row)->data(Qt::ForegroundRole).isValid(); };
        QVERIFY(!dimmed(0) && !dimmed(1) && dimmed(2));
        QVERIFY(widget()->item(2)->foreground().color().alpha() < 255);
        sidereal_time = 43200; // half a day on: High is down, Down is up
        sky->state_updated();
        QVERIFY(!dimmed(0) && dimmed(1) && !dimmed(2));
        QCOMPARE(list->lines(), QString::fromUtf8(bytes).split('\n').mid(0, 3));
        for (int row = 0; row < 3; ++row)
            QCOMPARE(widget()->item(row)->text(), list->lines().at(row));
        QVERIFY(list->write_list_file(path("up_out.lst")));
        QCOMPARE(file_bytes(path("up_out.lst")), bytes);

        QVERIFY(list->visibility_tool_tip(0).isEmpty());
        const QPoint at = centre(2);
        QHelpEvent hover(QEvent::ToolTip, at, widget()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(widget()->viewport(), &hover);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), list->visibility_tool_tip(2));
        // Due south, 46.3 degrees up, setting below the 20 degrees of the
        // profile 4 h 6 min (clock time) later.
        QVERIFY2(QToolTip::text().contains(QStringLiteral("46.3°,")) && QToolTip::text().contains(QStringLiteral(" 180° "))
                     && QToolTip::text().contains(QStringLiteral(" 4 ")),
                 qPrintable(QToolTip::text()));
        QToolTip::hideText();

        sidereal_time = old_lst;
        sky->direct_count = old_direct;
        sky->reverse_count = old_reverse;
    }

    // Each line is decoded by itself and, unless edited, saved as it was read,
    // whatever the encodings of the lines around it.
    void lines_keep_their_encoding_data()
    {
        QTest::addColumn<QByteArray>("system");
        QTest::addColumn<QString>("latin1_line"); // as shown
        QTest::addColumn<QString>("cp1251_line");
        const QString pleiades = "10 11 12 : -13 14 15 ; 2000.0 # Плеяды";
        QTest::newRow("UTF-8 system") << QByteArray("UTF-8") << "# Cafй crиme" << pleiades;
        QTest::newRow("Cyrillic system") << QByteArray("Windows-1251") << "# Cafй crиme" << pleiades;
        QTest::newRow("Western system") << QByteArray("ISO-8859-1") << "# Café crème"
                                        << "10 11 12 : -13 14 15 ; 2000.0 # Ïëåÿäû";
    }

    void lines_keep_their_encoding()
    {
        QFETCH(QByteArray, system);
        QFETCH(QString, latin1_line);
        QFETCH(QString, cp1251_line);
        QTextCodec *const codec = QTextCodec::codecForName(system);
        QTextCodec::setCodecForLocale(codec);
        const QList<QByteArray> read = {
            "# Туманность Ориона", " 5 35 17.3   : -5 23 28    ; 2000.0 # Туманность Ориона",
            "# Caf\xe9 cr\xe8me", "10 11 12 : -13 14 15 ; 2000.0 # \xcf\xeb\xe5\xff\xe4\xfb",
            "# to be replaced", "# last: Звезда"};
        put_file(path("mixed.lst"), read.mid(0, 5).join("\r\r\n") + "\r\r\n" + read.last());
        QVERIFY(list->read_list_file(path("mixed.lst")));
        QCOMPARE(list->lines(), QStringList({"# Туманность Ориона", " 5 35 17.3   : -5 23 28    ; 2000.0 # Туманность Ориона",
                                             latin1_line, cp1251_line, "# to be replaced", "# last: Звезда"}));
        for (int row = 0; row < 6; ++row)
            QCOMPARE(widget()->item(row)->text(), list->lines().at(row));
        QCOMPARE(records().at(1)->name, QStringLiteral("Туманность Ориона"));

        list->remove_row(4);
        list->insert_object(4, "Орион", "05:35:17.3", "-05:23:28", "2000.0");
        QVERIFY(list->write_list_file(path("saved.lst")));
        const QByteArray edited = codec->fromUnicode(lst_object_line("05:35:17.3", "-05:23:28", "2000.0", "Орион"));
        QCOMPARE(file_bytes(path("saved.lst")), read.mid(0, 4).join('\n') + '\n' + edited + '\n' + read.last() + '\n');
    }

    // Only a regular file within the limits is read; the list and the last
    // file stay as they were.
    void refuses_what_is_no_list_file_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO") << "fifo" << "it is not a regular file";
        QTest::newRow("character device") << "/dev/zero" << "it is not a regular file";
        QTest::newRow("folder") << "folder" << "it is a folder";
        QTest::newRow("larger than the limit") << "large" << "it is larger than 256 MiB";
        QTest::newRow("more lines than the limit") << "many" << QString("it has more than %1 lines").arg(lst_max_lines);
    }

    void refuses_what_is_no_list_file()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QString file = kind.startsWith('/') ? kind : path(kind);
        if (kind == "fifo") {
            QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        } else if (kind == "folder") {
            QVERIFY(QDir(dir.path()).mkpath(kind));
        } else if (kind == "large") {
            QFile big(file); // sparse: nothing is written
            QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(lst_max_file_bytes + 1));
        } else if (kind == "many") {
            put_file(file, QByteArray(lst_max_lines + 1, '\n'));
        }
        list->append_lines({"# mine"});
        list->last_file = "before";
        bool read = true;
        {
            Fifo_writer_later writer(QFile::encodeName(file));
            read = list->read_list_file(file);
        }
        QVERIFY(!read);
        QCOMPARE(list->lines(), QStringList({"# mine"}));
        QCOMPARE(widget()->count(), 1);
        QCOMPARE(list->last_file, QStringLiteral("before"));
        QCOMPARE(err.last(), "Cannot read list file " + file + ": " + reason);
        QVERIFY(win->ui->statusbar->currentMessage().contains(QDir::toNativeSeparators(file)));
        if (kind == "fifo" || kind == "large")
            QFile::remove(file);
    }

    void form_actions_edit_the_list()
    {
        QAction *add = win->ui->actionAdd_Object, *insert = win->ui->actionInsert_Object;
        QAction *comment = win->ui->actionInsert_Comment, *remove = win->ui->actionRemove_Object;
        remove->trigger(); // empty list: nothing happens
        form_to(add, {"  M 31 ", "12  30 00", "+45 00   00", " 2000.0 "}); // inner blank runs collapse
        form_to(add, {" Vega  star ", "5", "+38:47:01", "2000.0"}); // no object: a comment
        set_row(1);
        form_to(insert, {"c", "03:00:00", "+03:00:00", "2000.0"});
        form_to(comment, {"   note  ", "12:00:00", "+10:00:00"}); // at the current row, 1
        set_row(-1); // without a current row both go first
        form_to(insert, {"d", "04:00:00", "+04:00:00", "2000.0"});
        form_to(comment, {"top"});
        QCOMPARE(list->lines(), QStringList({"# top", " 04 00 00    : +04 00 00   ; 2000.0 # d",
                                             " 12 30 00    : +45 00 00   ; 2000.0 # M 31", "# note",
                                             " 03 00 00    : +03 00 00   ; 2000.0 # c", "# Vega  star"}));
        QCOMPARE(records().at(5)->index, 5); // the records behind the new ones are renumbered

        set_row(1);
        remove->trigger();
        QCOMPARE(list->active_row, widget()->currentRow()); // a neighbour is chosen
        QCOMPARE(records().at(1)->name + '@' + QString::number(records().size()), QStringLiteral("M 31@5"));
        // Pasted control characters become blanks, so a saved line stays one line.
        form_to(add, {"a\nb", "12:30:00", "+45:00:00", "2000.0\x1b"});
        QCOMPARE(list->lines().last(), QStringLiteral(" 12 30 00    : +45 00 00   ; 2000.0  # a b"));
    }

    void long_lines_are_cut_for_display_and_refused_over_the_limit()
    {
        const QByteArray longest = "# " + QByteArray(lst_max_line_chars - 2, 'x') + '\n';
        put_file(path("long.lst"), longest);
        put_file(path("longer.lst"), "# first\n" + longest.chopped(1) + "x\n");
        QVERIFY(list->read_list_file(path("long.lst")));
        QCOMPARE(widget()->item(0)->text().size(), display_max_chars);
        QVERIFY(list->write_list_file(path("long.lst"))); // and saved whole
        QCOMPARE(file_bytes(path("long.lst")), longest);

        QVERIFY(!list->read_list_file(path("longer.lst")));
        QCOMPARE(list->lines().size(), 1); // nothing appended
        QCOMPARE(list->last_file, path("long.lst"));
        const QString reason = ": line 2 is longer than 1048576 characters";
        QVERIFY(win->ui->statusbar->currentMessage().endsWith(reason));
        QCOMPARE(err.last(), "Cannot read list file " + path("longer.lst") + reason);
    }

    // The old file is replaced only by a complete new one; where the folder
    // takes no new file, the file is written in place.
    void saving_keeps_the_old_file()
    {
        const QString old = path("old.lst");
        put_file(old, "x");
        list->last_file = "before";
        QVERIFY(!list->write_list_file(old + "/list.lst")); // under a plain file
        QVERIFY(err.last().startsWith("Cannot save list file " + old + "/list.lst: "));
        // A file size limit breaks the last write off part-way, like a full
        // disc, and binds root too.
        list->append_lines(QVector<QString>(120, "# a line with some words to take room").toList());
        struct rlimit saved {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        struct rlimit small = saved;
        small.rlim_cur = 4096;
        const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool done = list->write_list_file(old);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, old_handler);
        QVERIFY(!done);
        QCOMPARE(file_bytes(old), QByteArray("x"));
        QCOMPARE(QDir(dir.path()).entryList({"old.lst*"}, QDir::Files | QDir::Hidden), QStringList({"old.lst"}));
        QCOMPARE(list->last_file, QStringLiteral("before"));
        QVERIFY(win->ui->statusbar->currentMessage().contains(QDir::toNativeSeparators(old)));
        const QString head = "Cannot save list file " + old + ": "; // and the reason is named
        QVERIFY2(err.last().startsWith(head) && !err.last().endsWith(": Unknown error"), qPrintable(err.last()));
        QVERIFY(list->write_list_file(old)); // with room again it saves
        QCOMPARE(file_bytes(old).count('\n'), 120);

        list->insert_comment(0, "new");
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        const bool locked_for_us = set_dac_override(false) && !QFile(path("probe")).open(QIODevice::WriteOnly);
        const bool in_place = list->write_list_file(old);
        set_dac_override(true);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(locked_for_us && in_place);
        QVERIFY(file_bytes(old).startsWith("# new\n# a line"));
    }

    // Memory running out while a file is read costs the read, not the
    // program and its list.
    void a_read_out_of_memory_leaves_the_list()
    {
#if defined(__SANITIZE_ADDRESS__) || ORVEX_HAS_FEATURE(address_sanitizer)
        QSKIP("the address sanitizer's allocator does not report a failed allocation to its caller");
#endif
        QFile big(path("big.lst")); // sparse: nothing is written
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(lst_max_file_bytes));
        big.close();
        list->append_lines({"# mine"});
        struct rlimit saved {};
        QCOMPARE(getrlimit(RLIMIT_AS, &saved), 0);
        struct rlimit tight = saved;
        tight.rlim_cur = rlim_t(mapped_bytes() + (64 << 20)); // too little for the file
        QCOMPARE(setrlimit(RLIMIT_AS, &tight), 0);
        const bool read = list->read_list_file(big.fileName());
        setrlimit(RLIMIT_AS, &saved);
        QFile::remove(big.fileName());
        QVERIFY(!read);
        QCOMPARE(list->lines(), QStringList({"# mine"}));
        QCOMPARE(err.last(), "Cannot read list file " + big.fileName() + ": there is not enough memory to read it");
    }

    // An object added from the form is the object its saved line will be:
    // the same coordinates and texts in the record (and so the same place
    // in the sky and the same texts loaded into the form) before a save and
    // after reading the file back.
    void form_objects_read_as_their_saved_line_data()
    {
        QTest::addColumn<QStringList>("form"); // name, R.A., Decl., epoch
        QTest::addColumn<double>("ra");
        QTest::addColumn<double>("decl");
        QTest::newRow("blanks") << QStringList{"M 44", "08 40 24.0", "+19 40 00", "2000.0"} << 31224.0 << 70800.0;
        QTest::newRow("colons") << QStringList{"M 31", "00:42:44.3", "+41:16:09", "2000.0"} << 2564.3 << 148569.0;
        QTest::newRow("mixed, dated") << QStringList{"M42", "05 35:17.3", "-05:23 28", "15-Jan-2024"} << 20117.3
                                      << -19408.0;
        QTest::newRow("south of the equator by minutes") << QStringList{"s", "1 2 3", "-00 30 00", "1950"} << 3723.0
                                                         << -1800.0;
        QTest::newRow("blank runs in the name") << QStringList{"NGC  2  core", "23 59 59", "+89 00 00", ""}
                                                << 86399.0 << 320400.0;
    }
    void form_objects_read_as_their_saved_line()
    {
        QFETCH(QStringList, form);
        QFETCH(double, ra);
        QFETCH(double, decl);
        sidereal_time = 30000; // M 44 stands high
        form_to(win->ui->actionAdd_Object, form);
        win->sky_win->project_objects();
        const Orvex_object added = *records().last(); // the list is cleared below
        QVERIFY(!added.is_comment && added.ra == ra && added.decl == decl);
        const QPoint placed(added.screen_x, added.screen_y);
        click(0); // loaded into the form as the file would give it
        QVERIFY(list->write_list_file(path("form.lst")));
        win->ui->actionClear_list->trigger();
        QVERIFY(list->read_list_file(path("form.lst")));
        const Orvex_object *read = records().last();
        QCOMPARE(QStringList({added.name, added.ra_text, added.decl_text, added.epoch_text}),
                 QStringList({read->name, read->ra_text, read->decl_text, read->epoch_text}));
        QVERIFY(added.ra == read->ra && added.decl == read->decl && added.epoch == read->epoch);
        QCOMPARE(win->ui->orvex_ra_edt->text() + ' ' + win->ui->orvex_decl_edt->text(),
                 read->ra_text + ' ' + read->decl_text);
        win->sky_win->project_objects();
        QCOMPARE(placed, QPoint(read->screen_x, read->screen_y));
    }

    // An R.A. of two numbers writes a line that reads back as a comment; until
    // then the record reads its fields as the file reader reads them.
    void form_object_of_two_numbers_reads_its_fields_as_the_reader()
    {
        form_to(win->ui->actionAdd_Object, {"z", "12 30", "+45 00", "2000.0"});
        const Orvex_object *added = records().last();
        QVERIFY(!added->is_comment && added->ra == 45000 && added->decl == 162000);
        QCOMPARE(added->ra_text + ' ' + added->decl_text, QStringLiteral("12:30 +45:00"));
        QVERIFY(!lst_parse_line(list->lines().last()).is_object);
    }

private:
    static qint64 mapped_bytes()
    {
        QFile status("/proc/self/status");
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmSize:"))
                return line.mid(7).trimmed().split(' ').value(0).toLongLong() * 1024;
        return -1;
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    const Orvex_object_list &records() const { return *win->obj_list; }
    void form_to(QAction *action, const QStringList &fields)
    {
        const Orvex_Obj_List_form *ui = win->ui;
        const QList<QLineEdit *> form = {ui->orvex_obj_edt, ui->orvex_ra_edt, ui->orvex_decl_edt, ui->orvex_epoch_edt};
        for (int i = 0; i < form.size(); ++i)
            form[i]->setText(fields.value(i));
        action->trigger();
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