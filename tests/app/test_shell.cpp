// The main window and the windows around it: the first visible state and
// start-up lines, the interface language (start-up translators, the "in
// Russian" switch under several system locales with and without the files,
// the fit of every fixed text), the menu actions, About, Help and Quit.
#include "orvex_about.h"
#include "orvex_help.h"
#include "orvex_language.h"
#include "orvex_list.h"
#include "orvex_log.h"
#include "orvex_obj_list.h"
#include "orvex_obj_list_form.h"
#include "orvex_qm_check.h"
#include "orvex_sky.h"
#include "orvex_startup.h"
#include "orvex_translator.h"

#include "common/orvex_test_http.h"

#include <QHostInfo>
#include <QtTest>
#include <QtWidgets>

namespace {
const QString ru_qm = QStringLiteral("Orvex_Obj_List_ru_RU.qm");
const QString ru_html = QStringLiteral("Orvex_Obj_List_ru_RU.html");
const QString en_manual = QStringLiteral("Orvex_Obj_List manual");
const QString ru_manual = QStringLiteral("Руководство Orvex_Obj_List");

// One text of each window, the level label last (its user name holds a
// placeholder of its own, which must stay as it is).
const QStringList english = {"Quit", "Send Object to Orvex", "Orvex List", "Orvex Sky",
                             "About Orvex_Obj_List", en_manual, "To the beginning",
                             "User=obs%2 Level=3 "};
const QStringList russian = {"Выход", "Объект в Orvex", "Список Orvex", "Небо Orvex",
                             "О программе Orvex_Obj_List", ru_manual, "В начало",
                             "Польз.=obs%2 Ур.=3 "};

// Why a label's, button's or group box title's text does not show whole (empty
// when it does): its ink and advance against the room the style and window give.
QString misfit(QWidget *wg)
{
    QString text;
    QRect room;
    if (auto *label = qobject_cast<QLabel *>(wg)) {
        text = label->text();
        const int m = label->margin();
        room = label->contentsRect().adjusted(m, m, -m, -m);
    } else if (auto *button = qobject_cast<QPushButton *>(wg)) {
        QStyleOptionButton opt;
        opt.initFrom(button);
        text = opt.text = button->text();
        // Keep clear of the bevel on either side.
        const int bevel = button->style()->pixelMetric(QStyle::PM_ButtonMargin) / 3;
        room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, button)
                   .adjusted(bevel, 0, -bevel, 0);
    } else if (auto *box = qobject_cast<QGroupBox *>(wg)) {
        QStyleOptionGroupBox opt;
        opt.initFrom(box);
        text = opt.text = box->title();
        opt.textAlignment = box->alignment();
        opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        room = box->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, box);
    }
    if (text.isEmpty())
        return QString();
    for (QWidget *p = wg->parentWidget(); p; p = p->isWindow() ? nullptr : p->parentWidget())
        room &= QRect(wg->mapFrom(p, QPoint(0, 0)), p->size());
    const QFontMetrics fm(wg->font());
    const QRect ink = fm.tightBoundingRect(text);
    const QSize need(qMax(fm.horizontalAdvance(text), ink.right() + 1), ink.height());
    if (need.width() <= room.width() && need.height() <= room.height())
        return QString();
    return QStringLiteral("%1 \"%2\" needs %3x%4 in %5x%6")
        .arg(wg->objectName(), text).arg(need.width()).arg(need.height())
        .arg(room.width()).arg(room.height());
}
} // namespace

class Test_shell : public QObject
{
    Q_OBJECT

    Orvex_test_http host; // answers the users list and the horizon: no warning box
    const QString data_dir = QCoreApplication::applicationDirPath();
    QTemporaryDir all_files; // Russian translation and both manuals
    QTemporaryDir no_files;  // nothing beside the program
    Orvex_Obj_List *w = nullptr;
    QStringList out, start_log;

    // The main window as if the system locale were `locale` and the program
    // lived in `dir`; the manual shown so far comes from the real one.
    void pretend(const QString &locale, const QString &dir)
    {
        w->sys_locale = locale;
        w->app_dir = dir;
        w->tr_file = w->app_name + '_' + locale;
        w->user = "obs%2";
        w->level = 3;
        w->level_user = "obs%2";
    }

    void expect(bool in_russian)
    {
        QCOMPARE(QStringList({w->ui->actionQuit->text(), w->ui->orvex_send_btn->text(),
                              w->list_win->windowTitle(), w->sky_win->windowTitle(),
                              w->about_win->windowTitle(), w->help_win->windowTitle(),
                              w->help_win->begin_btn->toolTip(), w->ui->orvex_level_lab->text()}),
                 in_russian ? russian : english);
        QVERIFY(w->about_win->document()->toPlainText().contains(
            in_russian ? "Программа предназначена" : "designed for observations"));
        QVERIFY(w->about_win->document()->toHtml().contains("Orvex_Obj_List_icon.png"));
    }

    QString help_text() const { return w->help_win->document()->toPlainText(); }

private slots:
    void initTestCase()
    {
        host.bodies["/tcs/orvex_horizon.php"] = "0 10\n90 5\n180 10\n270 5\n";
        host.serve_quiet_tcs();
        // The data files are named after the program, not after this test.
        QCoreApplication::setApplicationName(QStringLiteral("Orvex_Obj_List"));
        for (const QString &n : {ru_qm, ru_html, QStringLiteral("Orvex_Obj_List_en_US.html")})
            QVERIFY(QFile::copy(data_dir + '/' + n, all_files.path() + '/' + n));
        set_log_capture(&out, nullptr);
    }
    void cleanupTestCase() { set_log_capture(nullptr, nullptr); }

    void init()
    {
        out.clear();
        w = new Orvex_Obj_List;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        start_log = out;
        out.clear();
    }

    void cleanup()
    {
        delete w; // its translators leave with it: the next test starts in English
        for (QWidget *top : QApplication::topLevelWidgets())
            top->hide();
    }

    void first_visible_state()
    {
        auto *ui = w->ui;
        QCOMPARE(QStringList({ui->orvex_obj_edt->text(), ui->orvex_ra_edt->text(), ui->orvex_decl_edt->text(),
                              ui->orvex_epoch_edt->text(), ui->orvex_offha_edt->text(),
                              ui->orvex_offdec_edt->text(), ui->orvex_state_lab->text(),
                              ui->orvex_level_lab->text(), ui->orvex_tcs_lab->text(),
                              ui->otcs_connect_lab->text(), ui->orvex_passwd_edt->text(), w->windowTitle(),
                              w->passwd, w->user, w->user_choice, w->Orvex_object::name, w->tel_object->name}),
                 QStringList({"", "00:00:00.00", "+00:00:00.0", "2000.0", "0.0", "0.0", "Unknown",
                              "User=? Level = ? ", "Unknown", "Off", "", "Orvex_Obj_List", "kzmrp", "guest",
                              "guest", "Unknown", "Telescope"}));
        QCOMPARE(ui->orvex_passwd_edt->echoMode(), QLineEdit::Password);
        // The port does not fit beside the host.
        QCOMPARE(ui->orvex_host_lab->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(ui->orvex_host_lab->toolTip(), host.host());
        // A long user name is cut, never the level.
        ui->show_level("User=%1 Level=%2 ", "night-observer-of-the-week", 3);
        QVERIFY2(ui->orvex_level_lab->text().endsWith(QString(QChar(0x2026)) + " Level=3 "),
                 qPrintable(ui->orvex_level_lab->text()));
        QCOMPARE(ui->orvex_level_lab->toolTip(), "User=night-observer-of-the-week Level=3 ");
        // The TCS commands wait for a state, in grey.
        const QList<QPushButton *> off = {ui->orvex_send_btn, ui->orvex_stop_btn, ui->orvex_slew_btn,
                                          ui->orvex_set_offset_btn};
        for (QPushButton *b : w->findChildren<QPushButton *>())
            QCOMPARE(b->isEnabled(), !off.contains(b));
        for (QPushButton *b : off.mid(0, 3))
            QCOMPARE(b->styleSheet(), QStringLiteral("color: gray;"));
    }

    // The toolkit's translation by the system language, then the start lines.
    void start_up()
    {
        QCOMPARE(start_log.size(), 4);
        QVERIFY(QRegularExpression("^Orvex_Obj_List start \\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d$")
                    .match(start_log[1]).hasMatch());
        QVERIFY(QRegularExpression("^stime=\\d\\d:\\d\\d:\\d\\d\\.\\d\\d$").match(start_log[2]).hasMatch());
        QCOMPARE(start_log[3], QHostInfo::localHostName() + "(" + QSysInfo::productType() + ")");
        QVERIFY(!w->on_tcs_host && !w->not_local);
        QTemporaryDir tr_dir;
        // Any valid translation file will do as the toolkit's own.
        QVERIFY(QFile::copy(data_dir + '/' + ru_qm, tr_dir.path() + "/qtbase_ru.qm"));
        Orvex_translator app_tr;
        QTranslator qt_tr;
        QVERIFY(start_language(app_tr, qt_tr, "ru_RU", "Orvex_Obj_List", no_files.path(), tr_dir.path()).qt_loaded);
        QVERIFY(!start_language(app_tr, qt_tr, "de_DE", "Orvex_Obj_List", no_files.path(), tr_dir.path()).qt_loaded);
        QCOMPARE(out, QStringList({tr_dir.path() + "/qtbase_ru Ok!", tr_dir.path() + "/qtbase_de Fail..."}));
        QVERIFY(app_tr.isEmpty()); // the source texts show
    }

    // A translation in the folder the program is started from changes no
    // text (it once rewrote the question before a slew); beside the program
    // the same file is taken.
    void start_up_translation_only_from_beside_the_program()
    {
        QTemporaryDir cwd, beside;
        for (const char *name : {"Orvex_Obj_ListC.qm", "Orvex_Obj_List.qm"})
            QVERIFY(QFile::copy(data_dir + '/' + ru_qm, cwd.path() + '/' + name));
        const QString started_in = QDir::currentPath();
        delete w;
        QDir::setCurrent(cwd.path());
        w = new Orvex_Obj_List;
        QDir::setCurrent(started_in);
        QVERIFY(w->app_translator.isEmpty());
        QCOMPARE(QCoreApplication::translate("Orvex_Obj_List", "Quit"), QStringLiteral("Quit"));

        QVERIFY(QFile::copy(data_dir + '/' + ru_qm, beside.path() + "/Orvex_Obj_List.qm"));
        Orvex_translator app_tr;
        QTranslator qt_tr;
        start_language(app_tr, qt_tr, "ru_RU", "Orvex_Obj_List", beside.path(), no_files.path());
        QCOMPARE(app_tr.translate("Orvex_Obj_List", "Quit"), QStringLiteral("Выход"));
        // A damaged one there is refused, and said so.
        QFile::resize(beside.path() + "/Orvex_Obj_List.qm", 100);
        out.clear();
        start_language(app_tr, qt_tr, "ru_RU", "Orvex_Obj_List", beside.path(), no_files.path());
        QVERIFY(app_tr.isEmpty() && out.contains(beside.path() + "/Orvex_Obj_List.qm Fail..."));
    }

    // "in Russian" with a damaged translation, or one of another program:
    // refused with the usual line, the texts stay English, nothing crashes.
    void damaged_translations_are_refused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QFile file(data_dir + '/' + ru_qm);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray good = file.readAll(), magic = good.left(16);
        // Where the hash and message blocks of the real file start.
        int hashes = -1, messages = -1;
        for (int at = 16; at + 5 <= good.size(); at += 5 + qFromBigEndian<quint32>(good.constData() + at + 1)) {
            if (good[at] == char(0x42))
                hashes = at + 5;
            if (good[at] == char(0x69))
                messages = at + 5;
        }
        QVERIFY(hashes > 0 && messages > 0 && good[messages] == char(3)); // a translation comes first
        // The translation of "in Russian", which the switch looks up at once, comes before its
        // source, with an empty comment between them.
        const int source = good.indexOf(QByteArray::fromHex("0800000000060000000a") + "in Russian");
        int own = source - 5;
        while (own > messages && !(good[own] == char(3) && qFromBigEndian<quint32>(good.constData() + own + 1) == quint32(source - own - 5)))
            --own;
        QVERIFY(source > 0 && own > messages);
        const auto patched = [&](int at, quint32 value) {
            QByteArray b = good;
            qToBigEndian(value, b.data() + at);
            return b;
        };
        QRandomGenerator random(42);
        QByteArray noise(4096, '\0');
        for (char &c : noise)
            c = char(random.bounded(256));
        QByteArray flipped = good;
        flipped[0] = char(~flipped[0]);
        const QByteArray no_buckets = QByteArray::fromHex("2f000000020000");
        QTest::newRow("zero length") << QByteArray();
        QTest::newRow("truncated") << good.left(good.size() / 2);
        QTest::newRow("bad magic") << flipped;
        QTest::newRow("random bytes") << noise;
        QTest::newRow("header, then garbage") << magic + noise;
        QTest::newRow("translation longer than the file") << patched(messages + 1, 0x7ffffff0);
        QTest::newRow("its own translation too long") << patched(own + 1, 0x7ffffff0);
        QTest::newRow("negative translation length") << patched(messages + 1, 0xfffffffe);
        QTest::newRow("message offset past the end") << patched(hashes + 4, 0x00fffff0);
        QTest::newRow("context table without buckets") << good + no_buckets;
        QTest::newRow("not this program's") << magic + QByteArray::fromHex("a7000000026465");
        QTest::newRow("too large") << good + QByteArray(int(qm_max_bytes), '\0');
    }
    void damaged_translations_are_refused()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        QFile file(dir.path() + '/' + ru_qm);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        pretend("ru_RU", dir.path());
        w->ui->actionNatLang->trigger();
        const QString fail = dir.path() + '/' + ru_qm + " Fail...";
        QCOMPARE(out.mid(0, 3), QStringList({fail, "Trying Russian... ", fail}));
        QVERIFY(w->app_translator.isEmpty());
        QCOMPARE(w->ui->actionNatLang->text(), QStringLiteral("in Russian"));
        QCOMPARE(w->ui->orvex_send_btn->text(), QStringLiteral("Send Object to Orvex"));
    }

    // The message of a users list that keeps silent shows whole on the status
    // bar in both languages, the size grip beside it.
    void users_retry_message_fits_the_status_bar()
    {
        pretend("ru_RU", all_files.path());
        QStatusBar *bar = w->statusBar();
        for (int language = 0; language < 2; ++language) {
            w->ui->actionNatLang->trigger();
            const QString text = QCoreApplication::translate("Orvex_Obj_List", "No users list in %1 s; retry in %2 s")
                                     .arg(30).arg(60);
            const int room = bar->width() - bar->findChild<QSizeGrip *>()->width() - 12;
            const int need = bar->fontMetrics().horizontalAdvance(text);
            QVERIFY2(need <= room, qPrintable(QStringLiteral("%1: %2 in %3").arg(text).arg(need).arg(room)));
        }
    }

    void host_flags_data()
    {
        QTest::addColumn<QString>("machine");
        QTest::addColumn<QString>("arg");
        QTest::addColumn<bool>("not_local");
        QTest::addColumn<QString>("line");
        QTest::newRow("other machine") << "pc" << "local" << false << "pc(debian)";
        QTest::newRow("tcs host") << "otcs" << "" << true << "otcs(@OrvexTCS;debian)";
        QTest::newRow("local") << "otcs" << "local" << false << "otcs(@OrvexTCS;local;debian)";
        QTest::newRow("localhost") << "otcs" << "localhost" << false << "otcs(@OrvexTCS;localhost;debian)";
        QTest::newRow("Local") << "otcs" << "Local" << true << "otcs(@OrvexTCS;Local;debian)";
        QTest::newRow("case-sensitive host") << "OTCS" << "" << false << "OTCS(debian)";
    }
    void host_flags()
    {
        QFETCH(QString, machine);
        QFETCH(QString, arg);
        QFETCH(bool, not_local);
        QFETCH(QString, line);
        const QStringList args = arg.isEmpty() ? QStringList("prog") : QStringList({"prog", arg});
        const Orvex_host_flags f = ::host_flags(machine, "otcs", args);
        QCOMPARE(f.not_local, not_local);
        QCOMPARE(host_line(machine, "debian", f, args), line);
    }

    void menus_in_order()
    {
        QStringList entries;
        for (QAction *m : w->ui->menubar->actions()) {
            entries << m->text() + ':';
            for (QAction *a : m->menu()->actions())
                entries << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        }
        QCOMPARE(entries.join(' '),
                 QStringLiteral("File: actionRead_and_Add_list actionClear_list - actionSave_list - actionQuit "
                                "Windows: actionOrvex_List actionOrvex_Sky actionViewOrvex actionAZGrid actionSky_names actionNight_vision "
                                "ObjList: actionAdd_Object actionInsert_Object actionInsert_Comment - "
                                "actionRemove_Object Help: actionNatLang actionHelp actionAbout actionAbout_Qt"));
    }

    void overrides_fill_the_form()
    {
        auto *ui = w->ui;
        Orvex_object &record = *w;
        auto form = [ui] {
            return QStringList({ui->orvex_obj_edt->text(), ui->orvex_ra_edt->text(), ui->orvex_decl_edt->text(),
                                ui->orvex_epoch_edt->text()});
        };
        ui->orvex_obj_edt->setText("old");
        record.set_form("", "05:35:17.3", "-05:23:28", "");
        QCOMPARE(form(), QStringList({"", "05:35:17.3", "-05:23:28", ""}));
        // The three-text form does not go on to the epoch.
        ui->orvex_epoch_edt->setText("2000.0");
        record.set_form("M42", "05:35:17.3", "-05:23:28");
        QCOMPARE(form(), QStringList({"M42", "05:35:17.3", "-05:23:28", ""}));
        // The record's own fields stay as they were.
        QCOMPARE(w->Orvex_object::name, QStringLiteral("Unknown"));
        QCOMPARE(w->ra, 0.0);
        w->hide();
        record.set_form("12:00:00", "+10:00:00");
        QVERIFY(w->isVisible());
        QCOMPARE(form(), QStringList({"", "12:00:00", "+10:00:00", ""}));
    }

    void switch_and_back_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QStringList>("first"); // log of the first switch
        QTest::addColumn<QStringList>("again"); // log of a later switch
        const QString all = all_files.path(), none = no_files.path();
        const QStringList ok = {all + '/' + ru_qm + " Ok!"};
        const QStringList en = QStringList("System locale is en_US... But anyway trying Russian ...") + ok;
        const QString de_help = "No Help-file for System locale de_DE... Trying Russian one...";
        const QString fail = none + '/' + ru_qm + " Fail...";
        const QStringList lost = {fail, "Trying Russian... ", fail,
                                  "Can't find " + none + '/' + ru_html + "! Does not exist?"};
        QTest::newRow("ru_RU") << "ru_RU" << all << ok << ok;
        // The English manual exists, yet the Russian one is shown.
        QTest::newRow("en_US") << "en_US" << all << en << en;
        // The Russian fallback sticks for the run: no detour the next time.
        QTest::newRow("de_DE") << "de_DE" << all
                               << QStringList({all + "/Orvex_Obj_List_de_DE.qm Fail...", "Trying Russian... "})
                                      + ok + QStringList(de_help)
                               << ok + QStringList(de_help);
        // Without a translation the texts stay English, the manual shown before stays.
        QTest::newRow("ru_RU without files") << "ru_RU" << none << lost << lost;
    }
    void switch_and_back()
    {
        QFETCH(QString, locale);
        QFETCH(QString, dir);
        QFETCH(QStringList, first);
        QFETCH(QStringList, again);
        pretend(locale, dir);
        QVERIFY(help_text().contains(en_manual));
        const bool files = dir == all_files.path();
        QPointer<QTextDocument> about_doc = w->about_win->about_doc;
        for (const QStringList &log : {first, again}) {
            out.clear();
            w->ui->actionNatLang->trigger();
            QVERIFY(w->ui->actionNatLang->isChecked());
            QCOMPARE(out, log);
            expect(files);
            QVERIFY(help_text().contains(files ? ru_manual : en_manual));
            w->ui->actionNatLang->trigger();
            expect(false);
            QVERIFY(help_text().contains(en_manual));
        }
        // The About documents replaced go once the event loop runs, not before.
        QVERIFY(about_doc);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!about_doc);
        QCOMPARE(w->about_win->findChildren<QTextDocument *>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
    }

    // The windows have fixed geometry: every label, button and group title,
    // with realistic texts where they come at run time, shows whole; About's
    // "Close" too, whole and clickable at any window size.
    void every_fixed_text_fits()
    {
        pretend("ru_RU", all_files.path());
        w->user = "operator";
        w->level = 5;
        w->ui->show_state_age(7199999); // the longest age text: "last state 119 min ago"
        Orvex_about *about = w->about_win;
        QHash<QWidget *, QPair<QRect, QFont>> before; // the switch changes texts only
        for (QWidget *wg : w->findChildren<QWidget *>())
            before.insert(wg, {wg->geometry(), wg->font()});
        for (const char *language : {"Russian", "English"}) {
            w->ui->actionNatLang->trigger();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QStringList misfits;
            for (QWidget *win : QList<QWidget *>{w, w->list_win, w->sky_win, about, w->help_win})
                for (QWidget *wg : win->findChildren<QWidget *>())
                    if (wg->isVisibleTo(win))
                        misfits << misfit(wg);
            misfits.removeAll(QString());
            QVERIFY2(misfits.isEmpty(), qPrintable(language + ('\n' + misfits.join('\n'))));
            w->ui->actionAbout->trigger();
            QVERIFY(QTest::qWaitForWindowExposed(about));
            QCOMPARE(about->windowModality(), Qt::ApplicationModal);
            about->resize(700, 300);
            QTRY_COMPARE(about->close_btn->geometry(), QRect((700 - 61) / 2, 300 - 26 - 2, 61, 26));
            // The page keeps its width: a narrow window scrolls, "Close" goes above the bar.
            about->resize(400, 300);
            QTRY_VERIFY(about->horizontalScrollBar()->isVisible());
            QCOMPARE(about->close_btn->x(), (400 - 61) / 2);
            const QRect close = about->close_btn->geometry();
            for (const QPoint &corner : {close.topLeft(), close.bottomRight()})
                QTRY_COMPARE(about->childAt(corner), about->close_btn);
            QVERIFY(!about->viewport()->geometry().intersects(close));
            QTest::mouseClick(about->close_btn, Qt::LeftButton);
            QVERIFY(!about->isVisible());
            about->resize(565, 587); // the next page is built as wide as the first
        }
        for (QWidget *wg : w->findChildren<QWidget *>()) // back in English as before
            QCOMPARE(qMakePair(wg->geometry(), wg->font()), before.value(wg));
    }

    void every_message_of_the_translation_is_complete()
    {
        QTranslator tr;
        QVERIFY(tr.load(data_dir + '/' + ru_qm));
        QFile ts(QStringLiteral(ORVEX_SOURCE_DIR "/share/Orvex_Obj_List_ru_RU.ts"));
        QVERIFY(ts.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&ts);
        QString context, source;
        QSet<QString> contexts;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name")) {
                contexts.insert(context = xml.readElementText());
            } else if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                const QString text = xml.readElementText();
                QVERIFY2(!text.isEmpty(), qPrintable(source));
                // Placeholders and the rich-text wrapper must survive.
                for (const char *mark : {"%1", "%2", "<html>", "<ul>", "</ul>", "<br>"})
                    QVERIFY2(source.count(mark) == text.count(mark), qPrintable(source));
                QCOMPARE(tr.translate(context.toUtf8(), source.toUtf8()), text);
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(contexts, QSet<QString>({"Orvex_Obj_List", "Orvex_list", "Orvex_sky", "Orvex_about", "Orvex_help"}));
    }

    void window_actions_show_hide_and_set_the_view()
    {
        // The sky window comes back at its place with the settings made
        // while it was hidden.
        const QRect sky_at = w->sky_win->geometry();
        QVERIFY(w->sky_win->all_sky && w->sky_win->hadec_grid);
        w->ui->actionOrvex_Sky->trigger();
        QVERIFY(!w->sky_win->isVisible());
        w->ui->actionViewOrvex->trigger();
        w->ui->actionAZGrid->trigger();
        w->ui->actionOrvex_Sky->trigger();
        QVERIFY(w->sky_win->isVisible());
        QCOMPARE(w->sky_win->geometry(), sky_at);
        QVERIFY(!w->sky_win->all_sky && !w->sky_win->hadec_grid);
        // A minimised window still counts as open.
        w->list_win->showMinimized();
        w->ui->actionOrvex_List->trigger();
        QVERIFY(!w->list_win->isVisible());
        w->ui->actionOrvex_List->trigger();
        QVERIFY(w->list_win->isVisible());
    }

    // Names in the sky start off and follow the action; the cardinal letters
    // and the action follow the language, and the view shows the new letters.
    void sky_names_action_and_letters_in_both_languages()
    {
        QVERIFY(!w->ui->actionSky_names->isChecked() && !w->sky_win->show_names);
        w->ui->actionSky_names->trigger();
        QVERIFY(w->sky_win->show_names);
        pretend("ru_RU", all_files.path());
        const auto paint = [this] {
            QImage img(550, 550, QImage::Format_RGB32);
            img.fill(Qt::gray);
            w->sky_win->paint_sky(&img);
            return img;
        };
        const QImage english_sky = paint();
        const QRect north = w->sky_win->cardinal_rects.value(0);
        QCOMPARE(w->sky_win->cardinal_letters(), QStringList({"N", "E", "S", "W"}));
        w->ui->actionNatLang->trigger();
        QCOMPARE(w->sky_win->cardinal_letters(), QStringList({"С", "В", "Ю", "З"}));
        QCOMPARE(w->ui->actionSky_names->text(), QStringLiteral("Имена на небе"));
        QVERIFY(paint().copy(north) != english_sky.copy(north));
        w->ui->actionNatLang->trigger();
        QCOMPARE(w->sky_win->cardinal_letters(), QStringList({"N", "E", "S", "W"}));
        QCOMPARE(paint(), english_sky);
        w->ui->actionSky_names->trigger();
        QVERIFY(!w->sky_win->show_names);
    }

    void help_keeps_its_manual_on_failure_and_follows_its_buttons()
    {
        Orvex_help *help = w->help_win;
        QTextDocument *doc = help->document();
        QTemporaryDir dir;
        const QString missing = dir.path() + "/none.html";
        help->load_help(missing);
        help->load_help(dir.path()); // exists, but cannot be read as a file
        QCOMPARE(out, QStringList({"Can't find " + missing + "! Does not exist?",
                                   "Can't read " + dir.path() + "! Unreadable?"}));
        QVERIFY(help_text().contains(en_manual));
        QCOMPARE(help->document(), doc);
        w->ui->actionHelp->trigger();
        help->resize(501, 350);
        const QRect close_at((501 - 61) / 2, 350 - 26 - 2, 61, 26);
        QTRY_COMPARE(help->close_btn->geometry(), close_at);
        QCOMPARE(help->begin_btn->geometry(), QRect(close_at.x() - 31, close_at.y(), 31, 26));
        // The manual's "begin" anchor is in its heading.
        QScrollBar *bar = help->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 100);
        bar->setValue(bar->maximum());
        QTest::mouseClick(help->begin_btn, Qt::LeftButton);
        QVERIFY2(bar->value() < bar->maximum() / 10, qPrintable(QString::number(bar->value())));
        QTest::mouseClick(help->close_btn, Qt::LeftButton);
        QVERIFY(!help->isVisible());
    }

    void quit_ends_the_loop_with_every_window_open()
    {
        w->help_win->show();
        w->about_win->show();
        QTimer::singleShot(0, w->ui->actionQuit, &QAction::trigger);
        QObject guard; // ends a loop that Quit failed to end
        QTimer::singleShot(5000, &guard, [] { QCoreApplication::exit(-1); });
        QCOMPARE(QApplication::exec(), 0);
        for (QWidget *win : QList<QWidget *>{w, w->about_win, w->help_win, w->list_win, w->sky_win})
            QVERIFY2(!win->isVisible(), qPrintable(win->objectName()));
        // The stop line comes from the destructor, after the loop.
        QCOMPARE(out, QStringList());
        delete w;
        w = nullptr;
        QVERIFY(out.size() == 1 && out[0].startsWith("Orvex_Obj_List stop "));
    }

    void closing_main_window_alone_keeps_the_program_running()
    {
        QTimer::singleShot(0, w, &QWidget::close);
        QTimer::singleShot(300, [] { QCoreApplication::exit(7); });
        QCOMPARE(QApplication::exec(), 7);
        QVERIFY(w->list_win->isVisible() && w->sky_win->isVisible());
        QVERIFY(!out.join('\n').contains("stop"));
    }
};

QTEST_MAIN(Test_shell)
#include "test_shell.moc"
