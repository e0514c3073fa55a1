#ifndef SKY_TEST_VIEW_H
#define SKY_TEST_VIEW_H

// A sky view for the tests, talking to an in-process horizon host, with a
// counter of the paints it receives.

#include "orvex_sky.h"
#include "sky_test_server.h"

#include <QEvent>
#include <QtTest>

#include <memory>

class Paint_counter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

struct Sky_test_view
{
    Sky_test_server server;
    Orvex_object_list list;
    Orvex_object telescope;
    std::unique_ptr<Orvex_sky> view;
    Paint_counter counter;

    // Builds the view and waits until both start-up requests are answered.
    void build(bool show = false)
    {
        qputenv("ORVEX_TCS_HOST", server.host());
        telescope.is_comment = false;
        view.reset(new Orvex_sky(nullptr, &list, &telescope));
        view->installEventFilter(&counter);
        QTRY_COMPARE(int(server.asked().size()), 2);
        QTRY_VERIFY(view->horizon_reply == nullptr);
        if (show) {
            view->show();
            QVERIFY(QTest::qWaitForWindowExposed(view.get()));
            settle();
        }
    }

    // Lets pending paints through and clears the counter.
    void settle()
    {
        QTest::qWait(30);
        counter.paints = 0;
    }

    // Whether the view was repainted since the last settle(). A scheduled
    // repaint is a posted event: waiting long is needed only on a busy
    // machine, and only when it comes.
    bool repainted()
    {
        QElapsedTimer clock;
        clock.start();
        while (counter.paints == 0 && clock.elapsed() < 2000)
            QTest::qWait(10);
        return counter.paints > 0;
    }

    bool not_repainted()
    {
        QTest::qWait(100);
        return counter.paints == 0;
    }

    Orvex_object *add(double ra, double decl, const QString &name = {})
    {
        auto *o = new Orvex_object;
        o->is_comment = false;
        o->ra = ra;
        o->decl = decl;
        o->name = name;
        o->index = list.size();
        list.append(o);
        return o;
    }

    Orvex_object *add_comment()
    {
        auto *o = new Orvex_object;
        o->index = list.size();
        list.append(o);
        return o;
    }

    ~Sky_test_view()
    {
        view.reset();
        qDeleteAll(list);
    }
};

#endif
