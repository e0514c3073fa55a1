// The objects list window: its widgets, list editing, choosing lines with
// the mouse and from the sky, resizing and the language switch.
#include "list_test_support.h"
#include "orvex_list.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

namespace {

// Marks every text of the list window's context so a missed or wrongly
// placed translation shows.
class Marking_translator : public QTranslator
{
public:
    QString translate(const char *context, const char *source,
                      const char * = nullptr, int = -1) const override
    {
        if (QLatin1String(context) != QLatin1String("Orvex_list"))
            return QString();
        return QLatin1String("RU ") + QLatin1String(source);
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class Test_list_window : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void designed_widgets();
    void retranslate_sets_every_text();
    void insert_builds_lines_and_records();
    void insert_out_of_range_is_ignored();
    void remove_renumbers_and_picks_neighbour();
    void remove_last_line_and_out_of_range();
    void current_row_without_selection();
    void clear_empties_both();
    void click_selects_then_loads();
    void inserted_line_loads_at_first_click();
    void double_click_loads_at_once();
    void select_from_sky();
    void list_choice_loads_without_moving_active_row();
    void resize_stretches_after_first_show();

private:
    QListWidget *widget() const { return win->ui->orvex_obj_lst; }
    void click_row(int row);
    // What the toolkit delivers for a double click: a click, then the
    // double-click event (its release is left out, so only the double
    // click itself can load the line).
    void double_click_row(int row);
    // 0 "# head", 1 object A, 2 "# c", 3 object B, 4 "# d", 5 object C
    void fill_six_lines();

    Orvex_object_list list;
    Form_spy form;
    Orvex_list *win = nullptr;
};

void Test_list_window::init()
{
    win = new Orvex_list(nullptr, &list);
    win->set_form_object(&form);
    form.loads.clear();
}

void Test_list_window::cleanup()
{
    delete win;
    qDeleteAll(list);
    list.clear();
}

void Test_list_window::click_row(int row)
{
    QTest::mouseClick(widget()->viewport(), Qt::LeftButton, {},
                      widget()->visualItemRect(widget()->item(row)).center());
}

void Test_list_window::double_click_row(int row)
{
    const QPoint at = widget()->visualItemRect(widget()->item(row)).center();
    QTest::mouseClick(widget()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget()->viewport(), Qt::LeftButton, {}, at);
}

void Test_list_window::fill_six_lines()
{
    win->append_lines({"# head", "01 00 00 : +10 00 00 ; 2000.0 # A", "# c",
                       "03 00 00 : +30 00 00 ; 1950 # B", "# d",
                       "05 00 00 : -50 00 00 ; 2000.0 # C"});
    win->show();
    QVERIFY(QTest::qWaitForWindowExposed(win));
}

void Test_list_window::designed_widgets()
{
    QCOMPARE(win->objectName(), QStringLiteral("Orvex_list"));
    QCOMPARE(win->size(), QSize(550, 500));
    QCOMPARE(win->frameShape(), QFrame::StyledPanel);
    QCOMPARE(win->frameShadow(), QFrame::Raised);
    QCOMPARE(win->windowTitle(), QStringLiteral("Orvex List"));

    QGroupBox *box = win->findChild<QGroupBox *>("orvex_btn_box");
    QVERIFY(box);
    QCOMPARE(box->geometry(), QRect(0, 0, 569, 56));
    QCOMPARE(box->font().pointSize(), 12);
    QVERIFY(box->font().italic());
    QCOMPARE(box->title(), QStringLiteral("         LIst of observational objects."));

    auto *clear = box->findChild<QPushButton *>("orvex_clr_lst_btn");
    auto *read = box->findChild<QPushButton *>("orvex_get_lst_btn");
    QVERIFY(clear && read);
    QCOMPARE(clear->geometry(), QRect(5, 25, 131, 24));
    QCOMPARE(read->geometry(), QRect(145, 25, 141, 24));
    QCOMPARE(clear->text(), QStringLiteral("Clear list"));
    QCOMPARE(read->text(), QStringLiteral("Read .lst file"));
    for (QPushButton *b : {clear, read}) {
        QCOMPARE(b->font().pointSize(), 10);
        QCOMPARE(b->font().weight(), 75);
        QVERIFY(!b->font().italic());
    }

    QWidget *obj_box = win->findChild<QWidget *>("orvex_obj_box");
    QVERIFY(obj_box);
    QCOMPARE(obj_box->geometry(), QRect(0, 50, 1920, 1080));
    QCOMPARE(widget()->parentWidget(), obj_box);
    QCOMPARE(widget()->geometry(), QRect(5, 5, 541, 441));
    QCOMPARE(widget()->font().family(), QStringLiteral("Monospace"));
    QCOMPARE(widget()->font().pointSize(), 10);
}

void Test_list_window::retranslate_sets_every_text()
{
    Marking_translator translator;
    QCoreApplication::installTranslator(&translator);
    win->retranslate();
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(win->windowTitle(), QStringLiteral("RU Orvex List"));
    QCOMPARE(win->ui->orvex_btn_box->title(), QStringLiteral("RU          LIst of observational objects."));
    QCOMPARE(win->ui->orvex_clr_lst_btn->text(), QStringLiteral("RU Clear list"));
    QCOMPARE(win->ui->orvex_get_lst_btn->text(), QStringLiteral("RU Read .lst file"));
    QCOMPARE(win->ui->orvex_clr_lst_btn->toolTip(),
             QStringLiteral("RU <html><head/><body><p>Clear objects list</p></body></html>"));
    QCOMPARE(win->ui->orvex_get_lst_btn->toolTip(),
             QStringLiteral("RU <html><head/><body><p>Select .lst file, Read it and Add objects to list</p></body></html>"));
}

void Test_list_window::insert_builds_lines_and_records()
{
    win->insert_object(0, "M 31", "12:30:00", "+45:00:00", "2000.0");
    QCOMPARE(widget()->item(0)->text(),
             QStringLiteral(" 12 30 00    : +45 00 00   ; 2000.0 # M 31"));
    Orvex_object *m31 = list.at(0);
    QVERIFY(!m31->is_comment);
    QCOMPARE(m31->ra_text, QStringLiteral("12:30:00"));
    QCOMPARE(m31->decl_text, QStringLiteral("+45:00:00"));
    QCOMPARE(m31->ra, 45000.0);
    QCOMPARE(m31->decl, 162000.0);

    win->insert_comment(0, "top");
    QCOMPARE(widget()->item(0)->text(), QStringLiteral("# top"));
    QVERIFY(list.at(0)->is_comment);
    QVERIFY(list.at(0)->name.isEmpty());
    QCOMPARE(m31->index, 1);

    // A one-character coordinate makes a comment with the name as text.
    win->insert_object(2, "odd", "5", "+45:00:00", "2000.0");
    QCOMPARE(widget()->item(2)->text(), QStringLiteral("# odd"));
    QVERIFY(list.at(2)->is_comment);

    win->insert_object(1, "mid", "01:00:00", "-01:00:00", "2000.0");
    QCOMPARE(widget()->count(), 4);
    QCOMPARE(list.size(), 4);
    for (int i = 0; i < list.size(); ++i)
        QCOMPARE(list.at(i)->index, i);
    QCOMPARE(list.at(2), m31);
    QCOMPARE(widget()->currentRow(), 1);
    QCOMPARE(win->active_row, 1);
}

void Test_list_window::insert_out_of_range_is_ignored()
{
    win->insert_object(1, "x", "12:30:00", "+45:00:00", "2000.0");
    win->insert_object(-1, "x", "12:30:00", "+45:00:00", "2000.0");
    win->insert_comment(1, "x");
    QCOMPARE(widget()->count(), 0);
    QVERIFY(list.isEmpty());
    QCOMPARE(win->active_row, -1);

    win->insert_comment(0, "a");
    win->insert_comment(1, "b"); // one past the end appends
    QCOMPARE(win->lines(), QStringList({"# a", "# b"}));
}

void Test_list_window::remove_renumbers_and_picks_neighbour()
{
    for (int i = 0; i < 5; ++i)
        win->insert_comment(i, QString::number(i));
    Orvex_object *third = list.at(3), *fourth = list.at(4);
    widget()->setCurrentRow(2);
    win->remove_row(2);
    QCOMPARE(win->lines(), QStringList({"# 0", "# 1", "# 3", "# 4"}));
    QCOMPARE(list.size(), 4);
    QCOMPARE(third->index, 2);
    QCOMPARE(fourth->index, 3);
    QCOMPARE(win->active_row, widget()->currentRow());
    QVERIFY(win->active_row >= 0);
}

void Test_list_window::remove_last_line_and_out_of_range()
{
    win->insert_comment(0, "only");
    win->remove_row(1);
    win->remove_row(-1);
    QCOMPARE(list.size(), 1);
    win->remove_row(0);
    QVERIFY(list.isEmpty());
    QCOMPARE(widget()->count(), 0);
    QCOMPARE(win->active_row, 0);
    QCOMPARE(win->current_row(), 0);
    win->remove_row(0); // nothing left to remove
    QCOMPARE(win->active_row, 0);
}

void Test_list_window::current_row_without_selection()
{
    QCOMPARE(win->current_row(), 0);
    win->append_lines({"# a", "# b"});
    QCOMPARE(win->current_row(), -1); // reading selects nothing
    widget()->setCurrentRow(1);
    QCOMPARE(win->current_row(), 1);
}

void Test_list_window::clear_empties_both()
{
    fill_six_lines();
    click_row(3);
    win->on_orvex_clr_lst_btn_clicked();
    QCOMPARE(widget()->count(), 0);
    QVERIFY(list.isEmpty());
    QCOMPARE(win->active_row, 3);
    // The list works normally afterwards.
    win->insert_comment(0, "again");
    QCOMPARE(list.at(0)->index, 0);
}

void Test_list_window::click_selects_then_loads()
{
    fill_six_lines();
    click_row(3);
    click_row(5);
    QVERIFY(form.loads.isEmpty());
    QCOMPARE(win->active_row, 5);
    click_row(5);
    QCOMPARE(form.loads, QStringList({"C|05:00:00|-50:00:00|2000.0"}));

    // A comment line is chosen but never loaded, even when clicked twice.
    click_row(2);
    click_row(2);
    QCOMPARE(win->active_row, 2);
    QCOMPARE(form.loads.size(), 1);

    click_row(3);
    click_row(3);
    QCOMPARE(form.loads.last(), QStringLiteral("B|03:00:00|+30:00:00|1950"));
}

void Test_list_window::inserted_line_loads_at_first_click()
{
    fill_six_lines();
    win->insert_object(2, "New", "10:00:00", "+20:00:00", "2000.0");
    click_row(2);
    QCOMPARE(form.loads, QStringList({"New|10:00:00|+20:00:00|2000.0"}));
}

void Test_list_window::double_click_loads_at_once()
{
    fill_six_lines();
    click_row(1);
    double_click_row(3);
    QCOMPARE(form.loads, QStringList({"B|03:00:00|+30:00:00|1950"}));
    QCOMPARE(win->active_row, 3);

    const int loads = form.loads.size();
    double_click_row(4);
    QCOMPARE(form.loads.size(), loads);
    QCOMPARE(win->active_row, 4);
}

void Test_list_window::select_from_sky()
{
    fill_six_lines();
    win->select_from_sky(5);
    QCOMPARE(widget()->currentRow(), 5);
    QCOMPARE(win->active_row, 5);
    QVERIFY(form.loads.isEmpty());
    win->select_from_sky(5);
    QCOMPARE(form.loads, QStringList({"C|05:00:00|-50:00:00|2000.0"}));

    win->select_from_sky(4); // a comment: only the current row moves
    QCOMPARE(widget()->currentRow(), 4);
    QCOMPARE(win->active_row, 4);
    win->select_from_sky(4);
    QCOMPARE(form.loads.size(), 1);

    win->select_from_sky(6);
    win->select_from_sky(-1);
    QCOMPARE(widget()->currentRow(), 4);
    QCOMPARE(win->active_row, 4);

    // A sky pick followed by a click on the same line loads it.
    win->select_from_sky(1);
    click_row(1);
    QCOMPARE(form.loads.last(), QStringLiteral("A|01:00:00|+10:00:00|2000.0"));
}

void Test_list_window::list_choice_loads_without_moving_active_row()
{
    fill_six_lines();
    win->active_row = 2;
    QVERIFY(QMetaObject::invokeMethod(win, "orvex_list_choice", Q_ARG(int, 3)));
    QCOMPARE(form.loads, QStringList({"B|03:00:00|+30:00:00|1950"}));
    QVERIFY(QMetaObject::invokeMethod(win, "orvex_list_choice", Q_ARG(int, 4)));
    QVERIFY(QMetaObject::invokeMethod(win, "orvex_list_choice", Q_ARG(int, 6)));
    QVERIFY(QMetaObject::invokeMethod(win, "orvex_list_choice", Q_ARG(int, -1)));
    QCOMPARE(form.loads.size(), 1);
    QCOMPARE(win->active_row, 2);
}

void Test_list_window::resize_stretches_after_first_show()
{
    win->show();
    QVERIFY(QTest::qWaitForWindowExposed(win));
    QTRY_VERIFY(!win->first_resize);
    QCOMPARE(widget()->size(), QSize(541, 441));

    win->resize(650, 550);
    QTRY_COMPARE(widget()->size(), QSize(641, 491));
    QCOMPARE(win->ui->orvex_btn_box->size(), QSize(669, 56));
    QCOMPARE(widget()->pos(), QPoint(5, 5));

    win->resize(600, 520);
    QTRY_COMPARE(widget()->size(), QSize(591, 461));
    QCOMPARE(win->ui->orvex_btn_box->width(), 619);
}

QTEST_MAIN(Test_list_window)
#include "test_list_window.moc"
