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

// Why the text of a label, button or group box title does not show whole in
// its widget (empty when it does): the text's ink and advance in the
// widget's font against the room the style gives it, cut to what the
// window shows.
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

class Test_language : public QObject
{
    Q_OBJECT

    Shell_test_host host;
    const QString data_dir = QCoreApplication::applicationDirPath();
    QTemporaryDir all_files;  // Russian translation and both manuals
    QTemporaryDir no_files;   // nothing beside the program
    Orvex_Obj_List *w = nullptr;
    QStringList out;

    QStringList texts() const
    {
        return {w->ui->actionQuit->text(), w->ui->orvex_send_btn->text(),
                w->list_win->windowTitle(), w->sky_win->windowTitle(),
                w->about_win->windowTitle(), w->help_win->windowTitle(),
                w->help_win->begin_btn->toolTip(), w->ui->orvex_level_lab->text()};
    }

    QString help_text() const { return w->help_win->document()->toPlainText(); }

    void expect(bool in_russian)
    {
        QCOMPARE(texts(), in_russian ? russian : english);
        QVERIFY(w->about_win->document()->toPlainText().contains(
            in_russian ? "Программа предназначена" : "designed for observations"));
    }

private slots:
    void initTestCase()
    {
        // The data files are named after the program, not after this test.
        QCoreApplication::setApplicationName(QStringLiteral("Orvex_Obj_List"));
        for (const QString &n : {ru_qm, ru_html, QStringLiteral("Orvex_Obj_List_en_US.html")})
            QVERIFY(QFile::copy(data_dir + '/' + n, all_files.path() + '/' + n));
        set_log_capture(&out, nullptr);
    }
    void cleanupTestCase() { set_log_capture(nullptr, nullptr); }

    void start_up_loads_qtbase_by_system_language()
    {
        QTemporaryDir tr_dir;
        // Any valid translation file will do as the toolkit's own.
        QVERIFY(QFile::copy(data_dir + '/' + ru_qm, tr_dir.path() + "/qtbase_ru.qm"));
        QTranslator app_tr, qt_tr;
        out.clear();
        QVERIFY(start_language(app_tr, qt_tr, "ru_RU", "Orvex_Obj_List", tr_dir.path()).qt_loaded);
        QVERIFY(!start_language(app_tr, qt_tr, "de_DE", "Orvex_Obj_List", tr_dir.path()).qt_loaded);
        QCOMPARE(out, QStringList({tr_dir.path() + "/qtbase_ru Ok!",
                                   tr_dir.path() + "/qtbase_de Fail..."}));
        // The application translator starts empty: the source texts show.
        QVERIFY(app_tr.isEmpty());
    }

    void switch_and_back_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QStringList>("first");  // log of the first switch
        QTest::addColumn<QStringList>("again");  // log of a later switch

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
                               << QStringList({all + "/Orvex_Obj_List_de_DE.qm Fail...",
                                               "Trying Russian... "}) + ok + QStringList(de_help)
                               << ok + QStringList(de_help);
        // Without a translation the texts stay English, the manual shown
        // before stays.
        QTest::newRow("ru_RU without files") << "ru_RU" << none << lost << lost;
    }

    void switch_and_back()
    {
        QFETCH(QString, locale);
        QFETCH(QString, dir);
        QFETCH(QStringList, first);
        QFETCH(QStringList, again);

        // A main window as if the system locale were `locale` and the
        // program lived in `dir`; the manual comes from the real one. Its
        // translators leave the application with it, so the next row
        // starts in English.
        const QScopedPointer<Orvex_Obj_List> owner(w = new Orvex_Obj_List);
        w->sys_locale = locale;
        w->app_dir = dir;
        w->tr_file = w->app_name + '_' + locale;
        w->user = "obs%2";
        w->level = 3;
        QVERIFY(help_text().contains(en_manual));
        const bool files = dir == all_files.path();

        for (const QStringList &log : {first, again}) {
            out.clear();
            w->ui->actionNatLang->trigger();
            QVERIFY(w->ui->actionNatLang->isChecked());
            QCOMPARE(out, log);
            expect(files);
            QVERIFY(help_text().contains(files ? ru_manual : en_manual));

            w->ui->actionNatLang->trigger();
            QVERIFY(!w->ui->actionNatLang->isChecked());
            expect(false);
            QVERIFY(help_text().contains(en_manual));
        }
    }

    void every_fixed_text_fits_data()
    {
        QTest::addColumn<bool>("russian");
        QTest::newRow("English") << false;
        QTest::newRow("Russian") << true;
    }

    // The windows have fixed geometry: every label, button and group title,
    // with realistic texts where they come at run time, shows whole.
    void every_fixed_text_fits()
    {
        QFETCH(bool, russian);
        const QScopedPointer<Orvex_Obj_List> owner(w = new Orvex_Obj_List);
        w->app_dir = all_files.path();
        w->sys_locale = "ru_RU";
        w->tr_file = w->app_name + "_ru_RU";
        w->user = "operator";
        w->level = 5;
        w->ui->actionNatLang->trigger();
        if (!russian)
            w->ui->actionNatLang->trigger();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QStringList misfits;
        for (QWidget *win : QList<QWidget *>{w, w->list_win, w->sky_win, w->about_win, w->help_win})
            for (QWidget *wg : win->findChildren<QWidget *>())
                if (wg->isVisibleTo(win))
                    misfits << misfit(wg);
        misfits.removeAll(QString());
        QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join('\n')));

        // Nothing covers the About window's "Close" button.
        w->ui->actionAbout->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(w->about_win));
        const QRect close = w->about_win->close_btn->geometry();
        for (const QPoint &corner : {close.topLeft(), close.bottomRight()})
            QTRY_COMPARE(w->about_win->childAt(corner), w->about_win->close_btn);
        w->about_win->hide();
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
                contexts.insert(context = xml.readElementText());
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
    }
};

QTEST_MAIN(Test_language)
#include "test_language.moc"
