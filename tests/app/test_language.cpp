// The interface language: start-up translators, the "in Russian" switch
// under several system locales with and without the files, and what every
// window shows afterwards.
#include "orvex_about.h"
#include "orvex_help.h"
#include "orvex_language.h"
#include "orvex_list.h"
#include "orvex_log.h"
#include "orvex_obj_list.h"
#include "orvex_obj_list_form.h"
#include "orvex_sky.h"
#include "shell_test_host.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTranslator>
#include <QtTest>

namespace {
const QString ru_qm = QStringLiteral("Orvex_Obj_List_ru_RU.qm");
const QString ru_html = QStringLiteral("Orvex_Obj_List_ru_RU.html");
const QString en_html = QStringLiteral("Orvex_Obj_List_en_US.html");
} // namespace

class Test_language : public QObject
{
    Q_OBJECT

    Shell_test_host *host = nullptr;
    QString data_dir;
    QTemporaryDir all_files;   // Russian translation and both manuals
    QTemporaryDir no_files;    // nothing beside the program
    QTemporaryDir no_manuals;  // the Russian translation only
    Orvex_Obj_List *w = nullptr;
    QStringList out, err;

    // A main window as if the system locale were `locale` and the program
    // lived in `dir`.
    void make(const QString &locale, const QString &dir)
    {
        w = new Orvex_Obj_List;
        w->sys_locale = locale;
        w->app_dir = dir;
        w->tr_file = w->app_name + QLatin1Char('_') + locale;
        out.clear();
        err.clear();
    }

    void toggle_language() { w->ui->actionNatLang->trigger(); }

    QString help_text() const { return w->help_win->document()->toPlainText(); }
    QString about_text() const { return w->about_win->document()->toPlainText(); }

    void expect_english()
    {
        QCOMPARE(w->ui->actionQuit->text(), QStringLiteral("Quit"));
        QCOMPARE(w->ui->menuHelp->title(), QStringLiteral("Help"));
        QCOMPARE(w->ui->orvex_send_btn->text(), QStringLiteral("Send Object to Orvex"));
        QCOMPARE(w->ui->orvex_passwd_lab->text(), QStringLiteral("Password:"));
        QCOMPARE(w->list_win->windowTitle(), QStringLiteral("Orvex List"));
        QCOMPARE(w->sky_win->windowTitle(), QStringLiteral("Orvex Sky"));
        QCOMPARE(w->about_win->windowTitle(), QStringLiteral("About Orvex_Obj_List"));
        QCOMPARE(w->about_win->close_btn->text(), QStringLiteral("Close"));
        QVERIFY(about_text().contains(QStringLiteral("designed for observations")));
        QCOMPARE(w->help_win->windowTitle(), QStringLiteral("Orvex_Obj_List manual"));
        QCOMPARE(w->help_win->begin_btn->toolTip(), QStringLiteral("To the beginning"));
    }

    void expect_russian()
    {
        QCOMPARE(w->ui->actionQuit->text(), QStringLiteral("Выход"));
        QCOMPARE(w->ui->menuHelp->title(), QStringLiteral("Справка"));
        QCOMPARE(w->ui->orvex_send_btn->text(), QStringLiteral("Объект в Orvex"));
        QCOMPARE(w->ui->orvex_passwd_lab->text(), QStringLiteral("Пароль:"));
        QCOMPARE(w->list_win->windowTitle(), QStringLiteral("Список Orvex"));
        QCOMPARE(w->sky_win->windowTitle(), QStringLiteral("Небо Orvex"));
        QCOMPARE(w->about_win->windowTitle(), QStringLiteral("О программе Orvex_Obj_List"));
        QCOMPARE(w->about_win->close_btn->text(), QStringLiteral("Закрыть"));
        QVERIFY(about_text().contains(QStringLiteral("Программа предназначена")));
        QCOMPARE(w->help_win->windowTitle(), QStringLiteral("Руководство Orvex_Obj_List"));
        QCOMPARE(w->help_win->begin_btn->toolTip(), QStringLiteral("В начало"));
    }

private slots:
    void initTestCase()
    {
        // The data files are named after the program, not after this test.
        QCoreApplication::setApplicationName(QStringLiteral("Orvex_Obj_List"));
        host = new Shell_test_host;
        data_dir = QCoreApplication::applicationDirPath();
        QVERIFY(copy_data(data_dir, all_files.path(), {ru_qm, ru_html, en_html}));
        QVERIFY(copy_data(data_dir, no_manuals.path(), {ru_qm}));
        set_log_capture(&out, &err);
    }

    void cleanupTestCase()
    {
        set_log_capture(nullptr, nullptr);
        delete host;
    }

    void cleanup()
    {
        // The main window's translators leave the application with it, so
        // the next test starts in English.
        delete w;
        w = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            top->hide();
    }

    void start_up_loads_qtbase_by_system_language()
    {
        QTemporaryDir tr_dir;
        // Any valid translation file will do as the toolkit's own.
        QVERIFY(QFile::copy(data_dir + '/' + ru_qm, tr_dir.path() + "/qtbase_ru.qm"));
        QTranslator app_tr, qt_tr;
        out.clear();
        Orvex_language_start ru = start_language(app_tr, qt_tr, "ru_RU",
                                                 "Orvex_Obj_List", tr_dir.path());
        QVERIFY(ru.qt_loaded);
        QCOMPARE(ru.tr_file, QStringLiteral("Orvex_Obj_List_ru_RU"));
        // The application translator starts empty: the source texts show.
        QVERIFY(app_tr.isEmpty());

        Orvex_language_start de = start_language(app_tr, qt_tr, "de_DE",
                                                 "Orvex_Obj_List", tr_dir.path());
        QVERIFY(!de.qt_loaded);
        QCOMPARE(out, QStringList({tr_dir.path() + "/qtbase_ru Ok!",
                                   tr_dir.path() + "/qtbase_de Fail..."}));
    }

    void constructor_prints_qtbase_line_and_help_line()
    {
        const QString tr_dir = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
        const QString prefix = tr_dir + "/qtbase_" + QLocale::system().name().left(2);
        out.clear();
        w = new Orvex_Obj_List;
        QVERIFY(out.size() >= 1);
        QVERIFY2(out.first() == prefix + " Ok!" || out.first() == prefix + " Fail...",
                 qPrintable(out.first()));
        // The build puts the English manual beside the program: no complaint.
        QVERIFY(!out.join('\n').contains("Can't find"));
        QVERIFY(help_text().contains("Orvex_Obj_List manual"));
    }

    void russian_system_switches_every_window_and_back()
    {
        make("ru_RU", all_files.path());
        expect_english();
        QCOMPARE(w->ui->orvex_level_lab->text(), QStringLiteral("User=? Level = ? "));

        toggle_language();
        QVERIFY(w->ui->actionNatLang->isChecked());
        QCOMPARE(out, QStringList(all_files.path() + '/' + ru_qm + " Ok!"));
        expect_russian();
        QCOMPARE(w->ui->orvex_level_lab->text(), QStringLiteral("Польз.=guest Уровень=0 "));
        QVERIFY(help_text().contains(QStringLiteral("Руководство Orvex_Obj_List")));

        out.clear();
        w->user = "observer";
        w->level = 3;
        toggle_language();
        QVERIFY(!w->ui->actionNatLang->isChecked());
        QCOMPARE(out, QStringList());
        expect_english();
        QCOMPARE(w->ui->orvex_level_lab->text(), QStringLiteral("User=observer Level=3 "));
        QVERIFY(help_text().contains("Orvex_Obj_List manual"));
    }

    void english_system_tries_russian_with_russian_manual()
    {
        make("en_US", all_files.path());
        toggle_language();
        QCOMPARE(out, QStringList({"System locale is en_US... But anyway trying Russian ...",
                                   all_files.path() + '/' + ru_qm + " Ok!"}));
        QCOMPARE(w->tr_file, QStringLiteral("Orvex_Obj_List_ru_RU"));
        expect_russian();
        // The English manual exists, yet the Russian one is shown.
        QVERIFY(help_text().contains(QStringLiteral("Руководство Orvex_Obj_List")));
    }

    void other_system_falls_back_to_russian_for_the_run()
    {
        make("de_DE", all_files.path());
        const QString dir = all_files.path();
        toggle_language();
        QCOMPARE(out, QStringList({dir + "/Orvex_Obj_List_de_DE.qm Fail...",
                                   "Trying Russian... ",
                                   dir + '/' + ru_qm + " Ok!",
                                   "No Help-file for System locale de_DE... Trying Russian one..."}));
        expect_russian();
        QVERIFY(help_text().contains(QStringLiteral("Руководство Orvex_Obj_List")));

        toggle_language();
        expect_english();
        out.clear();
        toggle_language();
        // The fallback sticks: Russian is tried first, without the detour.
        QCOMPARE(out, QStringList({dir + '/' + ru_qm + " Ok!",
                                   "No Help-file for System locale de_DE... Trying Russian one..."}));
        expect_russian();
    }

    void russian_system_without_translation_stays_english()
    {
        make("ru_RU", no_files.path());
        const QString help_before = help_text();
        const QString fail = no_files.path() + '/' + ru_qm + " Fail...";
        toggle_language();
        QCOMPARE(out, QStringList({fail, "Trying Russian... ", fail,
                                   "Can't find " + no_files.path() + '/' + ru_html
                                       + "! Does not exist?"}));
        QVERIFY(w->ui->actionNatLang->isChecked());
        expect_english();
        // The manual shown before stays.
        QCOMPARE(help_text(), help_before);
    }

    void russian_system_without_manual_lets_help_report_it()
    {
        make("ru_RU", no_manuals.path());
        toggle_language();
        QCOMPARE(out, QStringList({no_manuals.path() + '/' + ru_qm + " Ok!",
                                   "Can't find " + no_manuals.path() + '/' + ru_html
                                       + "! Does not exist?"}));
        QCOMPARE(w->ui->actionQuit->text(), QStringLiteral("Выход"));
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
        int messages = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
                contexts.insert(context);
            } else if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                const QString text = xml.readElementText();
                ++messages;
                QVERIFY2(!text.isEmpty(), qPrintable(source));
                // Placeholders and the rich-text wrapper must survive.
                for (const char *mark : {"%1", "%2", "<html>", "<ul>", "</ul>", "<br>"})
                    QVERIFY2(source.count(mark) == text.count(mark), qPrintable(source));
                QCOMPARE(tr.translate(context.toUtf8(), source.toUtf8()), text);
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(contexts, QSet<QString>({"Orvex_Obj_List", "Orvex_list", "Orvex_sky",
                                          "Orvex_about", "Orvex_help"}));
        QVERIFY(messages > 90);

        QCOMPARE(tr.translate("Orvex_Obj_List", "Wrong or Empty R.A.!"),
                 QStringLiteral("Неверное или пустое П.в.!"));
        QCOMPARE(tr.translate("Orvex_list", "All files(*.*)"), QStringLiteral("Все файлы(*.*)"));
        QCOMPARE(tr.translate("Orvex_sky", "Orvex Sky"), QStringLiteral("Небо Orvex"));
        QCOMPARE(tr.translate("Orvex_about", "Author"), QStringLiteral("Автор"));
        QCOMPARE(tr.translate("Orvex_help", "^"), QStringLiteral("^"));
    }
};

QTEST_MAIN(Test_language)
#include "test_language.moc"
