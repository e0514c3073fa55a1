// Night vision: every window of the program dark and dim red, the status
// labels still telling their states apart, and the day back exactly as it
// was; the option that starts in it and its key.
#include "orvex_about.h"
#include "orvex_help.h"
#include "orvex_list.h"
#include "orvex_log.h"
#include "orvex_night.h"
#include "orvex_obj_list.h"
#include "orvex_obj_list_form.h"
#include "orvex_sky.h"
#include "orvex_startup.h"

#include "common/orvex_test_http.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// The first pixel whose green or blue is above its red (empty when none),
// and the mean brightness, 0 to 1.
QString non_red_pixel(const QImage &image)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.green() > c.red() || c.blue() > c.red())
                return QStringLiteral("(%1, %2) is %3").arg(x).arg(y).arg(c.name());
        }
    return QString();
}

double brightness(const QImage &image)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            sum += qGray(img.pixel(x, y));
    return sum / (255.0 * img.width() * img.height());
}

// The red of the label's most frequent pixel: its background.
int background_red(const QImage &image)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    int count[256] = {};
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ++count[qRed(img.pixel(x, y))];
    return int(std::max_element(count, count + 256) - count);
}

} // namespace

class Test_night : public QObject
{
    Q_OBJECT

    Orvex_test_http host;
    Orvex_Obj_List *w = nullptr;
    QStringList out;

    // Every window of the program, each once drawn.
    QList<QWidget *> windows(QMessageBox *box) const
    {
        return {w, w->list_win, w->sky_win, w->about_win, w->help_win, box,
                w->ui->menuWindows};
    }

private slots:
    void initTestCase()
    {
        host.bodies["/tcs/orvex_horizon.php"] = "0 10\n90 5\n180 10\n270 5\n";
        host.serve_quiet_tcs();
        QCoreApplication::setApplicationName(QStringLiteral("Orvex_Obj_List"));
        set_log_capture(&out, nullptr);
    }
    void cleanupTestCase() { set_log_capture(nullptr, nullptr); }

    void init()
    {
        w = new Orvex_Obj_List;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void cleanup()
    {
        if (night_vision())
            w->ui->actionNight_vision->trigger();
        delete w;
    }

    // A telescope, a list with a selection and a tracking state: every
    // colour of the sky and of the labels is in use.
    void every_window_dark_red_and_back_exactly()
    {
        auto *o = new Orvex_object;
        o->set_form("M64", "12:56:43.7", "+21:40:58");
        w->obj_list->append(o);
        w->sky_win->list_changed();
        w->sky_win->set_current(0);
        w->sky_win->telescope->ra = 12 * 3600.0;
        w->sky_win->telescope->decl = 30 * 3600.0;
        w->sky_win->telescope->azimuth = 45 * 3600.0;
        w->sky_win->telescope->zenith = 30 * 3600.0;
        w->sky_win->set_state_ok(true);
        w->sky_win->state_updated();
        w->set_colors(w->ui->orvex_state_lab, "Blue", "LightGreen");
        w->set_colors(w->ui->otcs_connect_lab, "Blue", "LightGreen");
        w->set_colors(w->ui->orvex_tcs_lab, "White", "Pink");
        w->ui->orvex_send_btn->setEnabled(true);
        w->ui->orvex_send_btn->setStyleSheet(button_style(true));
        w->about_win->show();
        w->help_win->load_help(QCoreApplication::applicationDirPath()
                               + "/Orvex_Obj_List_en_US.html");
        w->help_win->show();
        // Where the manual shows the label colours.
        w->help_win->scrollToAnchor("state");
        QMessageBox box(QMessageBox::Warning, "hostHTTP error", "Connection refused",
                        QMessageBox::Ok);
        box.show();

        const QPalette day_tips = QToolTip::palette();
        QList<QImage> day;
        for (QWidget *window : windows(&box))
            day << window->grab().toImage();

        w->ui->actionNight_vision->trigger();
        QVERIFY(night_vision());
        QCOMPARE(w->ui->orvex_send_btn->styleSheet(), button_style(true));
        night_box(&box);
        QCOMPARE(QToolTip::palette().color(QPalette::ToolTipBase).green(), 0);
        for (QWidget *window : windows(&box)) {
            const QImage night = window->grab().toImage();
            QVERIFY2(non_red_pixel(night).isEmpty(),
                     qPrintable(window->objectName() + ": " + non_red_pixel(night)));
            QVERIFY2(brightness(night) < 0.2, qPrintable(window->objectName()));
        }

        w->ui->actionNight_vision->trigger();
        QVERIFY(!night_vision());
        box.setIcon(QMessageBox::Warning);
        const QList<QWidget *> all = windows(&box);
        for (int i = 0; i < all.size(); ++i)
            QVERIFY2(all[i]->grab().toImage() == day[i], qPrintable(all[i]->objectName()));
        QCOMPARE(QToolTip::palette(), day_tips);
        // The state logic still sees its day colours.
        QCOMPARE(w->ui->orvex_state_lab->palette().color(QPalette::Window), QColor("LightGreen"));
    }

    // Every state the day colours tell apart stays apart by night, by the
    // brightness of the label's background.
    void status_labels_tell_states_apart_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QStringList>("pairs");
        QTest::newRow("state") << "orvex_state_lab"
                               << QStringList{"Black", "Lightgray", "Blue", "Yellow", "White", "Blue",
                                              "Blue", "LightCyan", "Blue", "LightGreen", "Red", "Yellow"};
        QTest::newRow("TCS") << "orvex_tcs_lab"
                             << QStringList{"Black", "Lightgray", "White", "Pink", "Blue", "Cyan"};
        QTest::newRow("connect") << "otcs_connect_lab"
                                 << QStringList{"Black", "Lightgray", "Blue", "LightGreen"};
    }
    void status_labels_tell_states_apart()
    {
        QFETCH(QString, label);
        QFETCH(QStringList, pairs);
        auto *lab = w->findChild<QLabel *>(label);
        QVERIFY(lab);
        lab->setText("Tracking");
        w->ui->actionNight_vision->trigger();
        QList<int> seen;
        for (int i = 0; i < pairs.size(); i += 2) {
            Orvex_Obj_List::set_colors(lab, pairs[i], pairs[i + 1]);
            const QImage image = lab->grab().toImage();
            QVERIFY2(non_red_pixel(image).isEmpty(), qPrintable(pairs[i + 1]));
            const int b = background_red(image);
            for (int other : seen)
                QVERIFY2(qAbs(b - other) >= 15, qPrintable(pairs[i] + " on " + pairs[i + 1]));
            seen << b;
        }
    }

    void night_option_leaves_the_first_argument_rule_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("night");
        QTest::addColumn<bool>("not_local");
        QTest::newRow("none") << QStringList{"prog"} << false << true;
        QTest::newRow("night alone") << QStringList{"prog", "--night"} << true << true;
        QTest::newRow("night then local") << QStringList{"prog", "--night", "local"} << true << false;
        QTest::newRow("local then night") << QStringList{"prog", "local", "--night"} << true << false;
        QTest::newRow("other first") << QStringList{"prog", "remote", "--night"} << true << true;
        QTest::newRow("program named so") << QStringList{"--night"} << false << true;
    }
    void night_option_leaves_the_first_argument_rule()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, night);
        QFETCH(bool, not_local);
        bool seen = !night;
        const QStringList rest = without_night_option(args, &seen);
        QCOMPARE(seen, night);
        QCOMPARE(host_flags("otcs", "otcs", rest).not_local, not_local);
        QVERIFY(!rest.mid(1).contains("--night"));
    }

    // The TCS client's own warning, opened by night and then by day.
    void error_box_follows_night_vision()
    {
        w->ui->actionNight_vision->trigger();
        w->tcs_host = "127.0.0.1:1";
        QVERIFY(QMetaObject::invokeMethod(w, "on_orvex_get_btn_clicked"));
        QTRY_VERIFY(w->error_box && w->error_box->isVisible());
        QImage image = w->error_box->grab().toImage();
        QVERIFY2(non_red_pixel(image).isEmpty(), qPrintable(non_red_pixel(image)));
        QVERIFY(brightness(image) < 0.2);
        // The style's warning icon is yellow and black: nothing red-only
        // about it unless it is shaded.
        const QImage icon = w->error_box->iconPixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x)
                QVERIFY(qGreen(icon.pixel(x, y)) == 0 && qBlue(icon.pixel(x, y)) == 0);
        w->ui->actionNight_vision->trigger();
        QMessageBox day(QMessageBox::Warning, "", "", QMessageBox::Ok);
        QCOMPARE(w->error_box->iconPixmap().toImage(), day.iconPixmap().toImage());
    }

    // The toolkit's own box, whose logo is green.
    void about_qt_by_night()
    {
        w->ui->actionNight_vision->trigger();
        QString bad = "no box";
        QTimer::singleShot(200, this, [&bad] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                bad = non_red_pixel(box->grab().toImage());
                box->close();
            }
        });
        w->ui->actionAbout_Qt->trigger();
        QVERIFY2(bad.isEmpty(), qPrintable(bad));
    }

    // The manual's own colours by night: a label's pair as the label shows
    // it, every other named colour in its shade, the rest of the page kept.
    void manual_colours_by_night()
    {
        const Night_label_colors pair = night_label_colors(QColor("white"), QColor("pink"));
        QCOMPARE(night_shade_html("<p style=\"color: blue\">a</p><td bgcolor=\"yellow\">b</td>"
                                  "<span style=\"color:white;background-color:pink\">c</span><i>nocolor</i>"),
                 "<p style=\"color: " + night_shade(QColor("blue")).name() + "\">a</p><td bgcolor=\""
                     + night_shade(QColor("yellow")).name() + "\">b</td><span style=\"color:" + pair.text.name()
                     + ";background-color:" + pair.back.name() + "\">c</span><i>nocolor</i>");
    }

    void night_option_starts_in_night_vision()
    {
        w->start_night_if_asked({"prog", "local"});
        QVERIFY(!night_vision());
        w->start_night_if_asked({"prog", "local", "--night"});
        QVERIFY(night_vision());
        QVERIFY(w->ui->actionNight_vision->isChecked());
        QVERIFY(w->sky_win->night);
        QVERIFY(non_red_pixel(w->about_win->grab().toImage()).isEmpty());
    }

    void ctrl_n_toggles_from_every_window()
    {
        for (QWidget *window : {static_cast<QWidget *>(w), static_cast<QWidget *>(w->list_win),
                                static_cast<QWidget *>(w->sky_win)}) {
            window->show();
            window->activateWindow();
            QApplication::setActiveWindow(window);
            QTest::keyClick(window, Qt::Key_N, Qt::ControlModifier);
            QVERIFY(night_vision());
            QVERIFY(w->ui->actionNight_vision->isChecked());
            QVERIFY(w->sky_win->night);
            QTest::keyClick(window, Qt::Key_N, Qt::ControlModifier);
            QVERIFY(!night_vision());
        }
    }
};

QTEST_MAIN(Test_night)
#include "test_night.moc"
