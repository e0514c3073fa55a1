// The sky view's state: construction, the operations the other windows
// call and their repaint rules, object placement, and the mouse.
#include "orvex_list.h"
#include "sky_test_view.h"

#include <QtTest>

#include <cmath>

namespace {
const double latitude = std::atan2(orvex::sin_lat, orvex::cos_lat) * 180 / orvex::pi;

// An object on the meridian, south of the zenith, at zenith distance z.
double decl_at_zenith(double z_degrees) { return (latitude - z_degrees) * 3600; }

// Records what the list window hands to the form.
struct Form_record : Orvex_object
{
    QStringList loaded;
    void set_form(QString name, QString, QString, QString) override
    {
        loaded.append(name);
    }
};
} // namespace

class Test_sky_view : public QObject
{
    Q_OBJECT

    Sky_test_view *t = nullptr;

private slots:
    void initTestCase()
    {
        t = new Sky_test_view;
        t->build(true);
    }
    void cleanupTestCase() { delete t; }

    void init()
    {
        sidereal_time = 43200;
        qDeleteAll(t->list);
        t->list.clear();
        t->view->current_index = -1;
        t->view->state_ok = false;
        t->telescope.is_comment = false;
        t->settle();
    }

    void construction()
    {
        Orvex_sky &v = *t->view;
        QCOMPARE(v.objectName(), QStringLiteral("Orvex_sky"));
        QCOMPARE(v.size(), QSize(550, 550));
        QCOMPARE(v.frameShape(), QFrame::StyledPanel);
        QCOMPARE(v.frameShadow(), QFrame::Raised);
        QCOMPARE(v.windowTitle(), QStringLiteral("Orvex Sky"));
        QVERIFY(v.all_sky && v.hadec_grid && !v.tel_flip);
        QCOMPARE(v.host, QString::fromLatin1(t->server.host()));
    }

    void start_up_requests_direct_then_reverse_half_a_second_later()
    {
        Sky_test_view fresh;
        fresh.server.answer("dir", "0 5\n");
        fresh.server.answer("rev", "# reverse\n");
        fresh.build();
        const auto asked = fresh.server.asked();
        const auto at = fresh.server.asked_at();
        QCOMPARE(asked[0], std::string("dir"));
        QCOMPARE(asked[1], std::string("rev"));
        QVERIFY2(at[1] - at[0] >= 450, qPrintable(QString::number(at[1] - at[0])));
        QCOMPARE(fresh.view->direct_count, 1);
    }

    void view_settings_repaint()
    {
        t->view->set_view_ksv(true);
        QVERIFY(!t->view->all_sky);
        QVERIFY(t->repainted());
        t->settle();
        t->view->set_grid_az(true);
        QVERIFY(!t->view->hadec_grid);
        QVERIFY(t->repainted());
        t->view->set_view_ksv(false);
        t->view->set_grid_az(false);
        QVERIFY(t->view->all_sky && t->view->hadec_grid);
        t->settle();
        // The state parser's setters store without a repaint.
        t->view->set_tel_flip(true);
        t->view->set_state_ok(true);
        QVERIFY(t->view->tel_flip && t->view->state_ok);
        QVERIFY(t->not_repainted());
        t->view->set_tel_flip(false);
    }

    void set_current_clamps_and_always_repaints()
    {
        t->view->set_current(0);
        QCOMPARE(t->view->current_index, -1);
        QVERIFY(t->repainted());
        for (int i = 0; i < 3; ++i)
            t->add(0, 0);
        t->settle();
        t->view->set_current(5);
        QCOMPARE(t->view->current_index, 2);
        QVERIFY(t->repainted());
        t->settle();
        t->view->set_current(-3);
        QCOMPARE(t->view->current_index, -1);
        QVERIFY(t->repainted());
    }

    void list_changed_rules()
    {
        t->view->current_index = 4;
        t->view->list_changed();
        QCOMPARE(t->view->current_index, -1);
        QVERIFY(t->not_repainted());

        t->add(0, 0);
        t->add(0, 0);
        t->view->current_index = 7;
        t->view->list_changed();
        QCOMPARE(t->view->current_index, 1);
        QVERIFY(t->repainted());

        t->settle();
        sidereal_time = -1;
        t->view->list_changed();
        QVERIFY(t->not_repainted());
    }

    void state_updated_rules()
    {
        t->view->current_index = 3;
        sidereal_time = -1;
        t->view->state_updated();
        QCOMPARE(t->view->current_index, 3); // not even the selection
        QVERIFY(t->not_repainted());

        sidereal_time = 43200;
        t->view->state_updated(); // empty list, state not good
        QCOMPARE(t->view->current_index, -1);
        QVERIFY(t->not_repainted());

        t->view->state_ok = true;
        t->view->state_updated();
        QVERIFY(t->repainted());

        t->settle();
        t->add(0, 0);
        t->view->state_ok = false;
        t->telescope.is_comment = true;
        t->view->state_updated();
        QVERIFY(t->not_repainted());
        t->telescope.is_comment = false;
        t->view->state_updated();
        QVERIFY(t->repainted());
    }

    void objects_below_86_degrees_are_placed()
    {
        Orvex_object *high = t->add(43200, decl_at_zenith(30));
        Orvex_object *low = t->add(43200, decl_at_zenith(86.001));
        Orvex_object *just = t->add(43200, decl_at_zenith(85.999));
        Orvex_object *comment = t->add_comment();
        t->view->project_objects();
        QCOMPARE(high->screen_x, 275);
        QCOMPARE(high->screen_y, 275 + 92); // 275 * 30 / 90 + 0.5
        QVERIFY(std::abs(high->zenith - 30 * 3600) < 0.01);
        QCOMPARE(low->screen_x, -1);
        QCOMPARE(low->screen_y, -1);
        QVERIFY(just->screen_x > 0 && just->screen_y > 500);
        QCOMPARE(comment->screen_x, -1);

        sidereal_time = -1; // all at the zenith
        t->view->project_objects();
        QCOMPARE(low->screen_x, 275);
        QCOMPARE(low->zenith, 0.0);
    }

    void mouse_selects_the_nearest_object()
    {
        Orvex_list list_window(nullptr, &t->list);
        t->view->set_list_window(&list_window);
        Orvex_object *a = t->add(43200, decl_at_zenith(30));
        t->add(43200 - 3600, decl_at_zenith(40));
        t->view->project_objects();
        const QPoint pa(a->screen_x, a->screen_y);
        t->settle();

        QTest::mouseClick(t->view.get(), Qt::RightButton, {}, pa);
        QTest::mouseClick(t->view.get(), Qt::MiddleButton, {}, pa);
        QCOMPARE(t->view->current_index, -1);
        QVERIFY(t->not_repainted());

        QTest::mouseClick(t->view.get(), Qt::LeftButton, {}, pa + QPoint(9, 0));
        QCOMPARE(t->view->current_index, 0);
        QVERIFY(t->repainted());

        // Empty sky: a repaint, the selection stays.
        t->settle();
        QTest::mouseClick(t->view.get(), Qt::LeftButton, {}, pa + QPoint(10, 0));
        QCOMPARE(t->view->current_index, 0);
        QVERIFY(t->repainted());

        // Nothing can be hit while the telescope record is a comment or
        // there is no sidereal time.
        t->telescope.is_comment = true;
        QTest::mouseClick(t->view.get(), Qt::LeftButton, {}, pa);
        t->view->current_index = -1;
        QTest::mouseClick(t->view.get(), Qt::LeftButton, {}, pa);
        QCOMPARE(t->view->current_index, -1);
        t->telescope.is_comment = false;
        t->view->set_list_window(nullptr);
    }

    void second_click_and_double_click_load_the_form()
    {
        Form_record form;
        Orvex_list list_window(nullptr, &t->list);
        list_window.set_partner(t->view.get());
        list_window.set_form_object(&form);
        t->view->set_list_window(&list_window);
        list_window.insert_object(0, "Vega", "18:36:56", "+38:47:01", "2000.0");
        list_window.insert_object(1, "Deneb", "20:41:26", "+45:16:49", "2000.0");
        if (t->list.size() != 2)
            QSKIP("the list window does not hold objects yet");
        sidereal_time = 18 * 3600 + 1800; // both high in the sky
        t->view->project_objects();
        const QPoint deneb(t->list[1]->screen_x, t->list[1]->screen_y);
        const QPoint vega(t->list[0]->screen_x, t->list[0]->screen_y);
        QVERIFY(deneb.x() > 0 && vega.x() > 0);

        // An inserted line is the active one; pick the other first.
        QTest::mouseClick(t->view.get(), Qt::LeftButton, {}, vega);
        QCOMPARE(t->view->current_index, 0);
        QCOMPARE(list_window.current_row(), 0);
        QVERIFY(form.loaded.isEmpty());
        QTest::mouseClick(t->view.get(), Qt::LeftButton, {}, vega);
        QCOMPARE(form.loaded, QStringList{"Vega"});

        // A real double-click arrives as a press, a release, then the
        // double-click event (QTest sends only the last on its own).
        QTest::mouseClick(t->view.get(), Qt::LeftButton, {}, deneb);
        QCOMPARE(form.loaded.size(), 1);
        QTest::mouseDClick(t->view.get(), Qt::LeftButton, {}, deneb);
        QCOMPARE(t->view->current_index, 1);
        QCOMPARE(list_window.current_row(), 1);
        QCOMPARE(form.loaded.last(), QStringLiteral("Deneb"));
        t->view->set_list_window(nullptr);
    }
};

QTEST_MAIN(Test_sky_view)
#include "test_sky_view.moc"
