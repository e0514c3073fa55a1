// The windows around the main one: Windows, Help and File menu actions, the
// About document and its rebuild, the manual loader, the button placement
// on resize, and Quit ending the program whichever windows are open.
#include "orvex_about.h"
#include "orvex_help.h"
#include "orvex_list.h"
#include "orvex_log.h"
#include "orvex_obj_list.h"
#include "orvex_obj_list_form.h"
#include "orvex_sky.h"
#include "shell_test_host.h"

#include <QtTest>
#include <QtWidgets>

class Test_windows : public QObject
{
    Q_OBJECT

    Shell_test_host host;
    Orvex_Obj_List *w = nullptr;
    QStringList out;

private slots:
    void init()
    {
        // The manual and the About picture are named after the program.
        QCoreApplication::setApplicationName(QStringLiteral("Orvex_Obj_List"));
        w = new Orvex_Obj_List;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        out.clear();
        set_log_capture(&out, nullptr);
    }

    void cleanup()
    {
        set_log_capture(nullptr, nullptr);
        delete w;
        for (QWidget *top : QApplication::topLevelWidgets())
            top->hide();
    }

    void menu_actions_show_hide_and_set_the_view()
    {
        w->ui->actionHelp->trigger();
        w->ui->actionAbout->trigger();
        QVERIFY(w->help_win->isVisible() && w->about_win->isVisible());
        QCOMPARE(w->help_win->windowModality(), Qt::NonModal);
        QCOMPARE(w->about_win->windowModality(), Qt::ApplicationModal);

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
        w->ui->actionViewOrvex->trigger();
        w->ui->actionAZGrid->trigger();
        QVERIFY(w->sky_win->all_sky && w->sky_win->hadec_grid);

        // A minimised window still counts as open.
        w->list_win->showMinimized();
        w->ui->actionOrvex_List->trigger();
        QVERIFY(!w->list_win->isVisible());
        w->ui->actionOrvex_List->trigger();
        QVERIFY(w->list_win->isVisible());
    }

    void about_is_one_table_and_a_rebuild_leaves_one_document()
    {
        Orvex_about *about = w->about_win;
        QPointer<QTextDocument> first = about->about_doc;
        QTextTable *table = nullptr;
        for (QTextFrame *f : first->rootFrame()->childFrames())
            if ((table = qobject_cast<QTextTable *>(f)))
                break;
        QVERIFY(table);
        QCOMPARE(QSize(table->columns(), table->rows()), QSize(2, 1));
        const QString text = first->toPlainText();
        QVERIFY(text.contains("designed for observations on the Orvex-1000 telescope."));
        QVERIFY(text.indexOf("Orvex_Obj_List") < text.indexOf("Author: The Orvex-1000"));
        QVERIFY(first->toHtml().contains("Orvex_Obj_List_icon.png"));
        // "Close" follows the window; the table keeps the width it was built
        // with, so a narrow window scrolls sideways: "Close" goes above that
        // bar, whole and clickable.
        about->show();
        about->resize(700, 300);
        QTRY_COMPARE(about->close_btn->geometry(), QRect((700 - 61) / 2, 300 - 26 - 2, 61, 26));
        QVERIFY(!about->viewport()->geometry().intersects(about->close_btn->geometry()));
        about->resize(400, 300);
        QTRY_VERIFY(about->horizontalScrollBar()->isVisible());
        QCOMPARE(about->close_btn->x(), (400 - 61) / 2);
        const QRect close = about->close_btn->geometry();
        for (const QPoint &corner : {close.topLeft(), close.bottomRight()})
            QTRY_COMPARE(about->childAt(corner), about->close_btn);
        QVERIFY(!about->viewport()->geometry().intersects(close));
        QCOMPARE(table->format().width().rawValue(), 515.0);
        QTest::mouseClick(about->close_btn, Qt::LeftButton);
        QVERIFY(!about->isVisible());

        about->build_text();
        about->build_text();
        // The old documents go only once the event loop runs.
        QVERIFY(first);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!first);
        QCOMPARE(about->findChildren<QTextDocument *>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
        QCOMPARE(about->document(), about->about_doc);
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
        QVERIFY(help->document()->toPlainText().contains("Orvex_Obj_List manual"));
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

    void quit_ends_the_loop_data()
    {
        QTest::addColumn<bool>("others_hidden");
        QTest::newRow("help, list and sky open") << false;
        QTest::newRow("list and sky hidden") << true;
    }

    void quit_ends_the_loop()
    {
        QFETCH(bool, others_hidden);
        if (others_hidden) {
            w->ui->actionOrvex_List->trigger();
            w->ui->actionOrvex_Sky->trigger();
        } else {
            w->help_win->show();
        }
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
        QCOMPARE(out.size(), 1);
        QVERIFY(out.first().startsWith("Orvex_Obj_List stop "));
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

QTEST_MAIN(Test_windows)
#include "test_windows.moc"
