// The Windows and File menu actions: showing and hiding the list and sky
// windows, the two view settings, and Quit ending the program whichever
// windows are open.
#include "orvex_about.h"
#include "orvex_help.h"
#include "orvex_list.h"
#include "orvex_log.h"
#include "orvex_obj_list.h"
#include "orvex_obj_list_form.h"
#include "orvex_sky.h"
#include "shell_test_host.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QtTest>

class Test_window_actions : public QObject
{
    Q_OBJECT

    Shell_test_host *host = nullptr;
    Orvex_Obj_List *w = nullptr;
    QStringList out;

    QList<QWidget *> five() const
    {
        return {w, w->about_win, w->help_win, w->list_win, w->sky_win};
    }

    // Runs the event loop with Quit chosen from it; returns the loop's exit
    // code, or -1 when the loop did not end by itself.
    int quit_from_event_loop()
    {
        QTimer::singleShot(0, w->ui->actionQuit, &QAction::trigger);
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
        guard.start(5000);
        return QApplication::exec();
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::setApplicationName(QStringLiteral("Orvex_Obj_List"));
        host = new Shell_test_host;
    }

    void cleanupTestCase() { delete host; }

    void init()
    {
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
        w = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            top->hide();
    }

    void start_state_of_the_windows()
    {
        QVERIFY(w->list_win->isVisible());
        QVERIFY(w->sky_win->isVisible());
        QVERIFY(!w->about_win->isVisible());
        QVERIFY(!w->help_win->isVisible());
        QCOMPARE(w->about_win->windowModality(), Qt::ApplicationModal);
        QVERIFY(w->about_win->windowFlags() & Qt::Dialog);
        QCOMPARE(w->help_win->windowModality(), Qt::NonModal);
        QCOMPARE(w->list_win->pos(), QPoint(100, 10));
        QCOMPARE(w->sky_win->pos(), QPoint(300, 100));
    }

    void about_and_help_actions_show_their_windows()
    {
        w->ui->actionHelp->trigger();
        QVERIFY(w->help_win->isVisible());
        w->ui->actionAbout->trigger();
        QVERIFY(w->about_win->isVisible());
        QVERIFY(w->about_win->isModal());
    }

    void toggles_hide_and_show_at_the_same_place()
    {
        const QRect sky_at = w->sky_win->geometry();
        w->ui->actionOrvex_Sky->trigger();
        QVERIFY(!w->sky_win->isVisible());
        w->ui->actionOrvex_Sky->trigger();
        QVERIFY(w->sky_win->isVisible());
        QCOMPARE(w->sky_win->geometry(), sky_at);

        // A minimised window still counts as open.
        w->list_win->showMinimized();
        w->ui->actionOrvex_List->trigger();
        QVERIFY(!w->list_win->isVisible());
        w->ui->actionOrvex_List->trigger();
        QVERIFY(w->list_win->isVisible());
    }

    void view_settings_reach_the_sky_window_and_survive_hiding()
    {
        QVERIFY(w->sky_win->all_sky);
        QVERIFY(w->sky_win->hadec_grid);
        w->ui->actionViewOrvex->trigger();
        w->ui->actionAZGrid->trigger();
        QVERIFY(!w->sky_win->all_sky);
        QVERIFY(!w->sky_win->hadec_grid);
        w->ui->actionOrvex_Sky->trigger();
        w->ui->actionOrvex_Sky->trigger();
        QVERIFY(!w->sky_win->all_sky);
        QVERIFY(!w->sky_win->hadec_grid);
        w->ui->actionViewOrvex->trigger();
        w->ui->actionAZGrid->trigger();
        QVERIFY(w->sky_win->all_sky);
        QVERIFY(w->sky_win->hadec_grid);
    }

    void quit_with_every_window_open_ends_the_loop()
    {
        w->help_win->show();
        QCOMPARE(quit_from_event_loop(), 0);
        for (QWidget *win : five())
            QVERIFY2(!win->isVisible(), qPrintable(win->objectName()));
        delete w;
        w = nullptr;
        QCOMPARE(out.size(), 1);
        QVERIFY(out.first().startsWith("Orvex_Obj_List stop "));
    }

    void quit_with_list_and_sky_hidden_ends_the_loop()
    {
        w->ui->actionOrvex_List->trigger();
        w->ui->actionOrvex_Sky->trigger();
        QCOMPARE(quit_from_event_loop(), 0);
        for (QWidget *win : five())
            QVERIFY(!win->isVisible());
    }

    void closing_main_window_alone_keeps_the_program_running()
    {
        QTimer::singleShot(0, w, &QWidget::close);
        QTimer::singleShot(300, [] { QCoreApplication::exit(7); });
        QCOMPARE(QApplication::exec(), 7);
        QVERIFY(w->list_win->isVisible());
        QVERIFY(w->sky_win->isVisible());
        QVERIFY(!out.join('\n').contains("stop"));
    }
};

QTEST_MAIN(Test_window_actions)
#include "test_window_actions.moc"
