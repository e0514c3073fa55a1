// The sky window's state, the operations the other windows call on it, and
// the mouse.
#include "orvex_sky.h"

#include "orvex_list.h"
#include "orvex_sky_math.h"
#include "orvex_tcs_host.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QTimer>

Orvex_sky::Orvex_sky(QWidget *parent, Orvex_object_list *objects,
                     Orvex_object *telescope)
    : QFrame(parent), objects(objects), telescope(telescope)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("Orvex_sky"));
    resize(550, 550);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    retranslate();
    QMetaObject::connectSlotsByName(this);

    view_size = width();
    host = default_tcs_host();

    request_horizon(true);
    QTimer::singleShot(500, this, &Orvex_sky::get_horizon_line);
}

Orvex_sky::~Orvex_sky()
{
    // The manager goes before the QObject part of this view: a reply dying
    // with it must not call back into a half-destroyed view.
    if (horizon_reply)
        horizon_reply->disconnect(this);
}

void Orvex_sky::set_view_ksv(bool on)
{
    all_sky = !on;
    update();
}

void Orvex_sky::set_grid_az(bool on)
{
    hadec_grid = !on;
    update();
}

void Orvex_sky::set_night(bool on)
{
    night = on;
    update();
}

void Orvex_sky::set_list_window(Orvex_list *list) { list_window = list; }

// The cardinal letters are painted in the language too.
void Orvex_sky::retranslate()
{
    setWindowTitle(tr("Orvex Sky"));
    update();
}

void Orvex_sky::set_tel_flip(bool flip)
{
    tel_flip = flip;
    tel_flip_known = true;
}

// A cross that stops being current goes at once, also where the next
// state_updated would not repaint (an empty list).
void Orvex_sky::set_state_ok(bool ok)
{
    if (state_ok && !ok)
        update();
    state_ok = ok;
}

void Orvex_sky::set_position_known(bool known) { position_known = known; }

// Each second of an old state changes its text, and the change of style
// must show at once, whatever the list holds.
void Orvex_sky::set_state_old(bool old, int age_seconds)
{
    if (old != state_old || (old && age_seconds != state_age_seconds))
        update();
    state_old = old;
    state_age_seconds = age_seconds;
}

void Orvex_sky::state_updated()
{
    // A new sidereal time or pier side moves objects above or below the
    // horizon in the list too.
    if (list_window)
        list_window->sidereal_time_changed();
    if (sidereal_time < 0)
        return;
    if (objects->isEmpty()) {
        current_index = -1;
        if (!state_ok)
            return;
    }
    if (telescope->is_comment && !state_ok)
        return;
    update();
}

void Orvex_sky::list_changed()
{
    if (objects->isEmpty()) {
        current_index = -1;
        return;
    }
    if (current_index >= objects->size())
        current_index = objects->size() - 1;
    if (!telescope->is_comment && sidereal_time >= 0)
        update();
}

void Orvex_sky::set_current(int index)
{
    if (index < 0 || objects->isEmpty())
        current_index = -1;
    else
        current_index = qMin(index, objects->size() - 1);
    update();
}

bool Orvex_sky::project(double A, double Z, int &x, int &y) const
{
    return sky_project(view_size, all_sky, A, Z, x, y);
}

void Orvex_sky::project_objects()
{
    for (Orvex_object *o : qAsConst(*objects)) {
        if (o->is_comment) {
            o->screen_x = o->screen_y = -1;
            continue;
        }
        equ_to_horizontal(o->ra, o->decl, o->azimuth, o->zenith);
        if (o->zenith >= sky_object_zenith_limit)
            o->screen_x = o->screen_y = -1;
        else
            project(o->azimuth, o->zenith, o->screen_x, o->screen_y);
    }
}

void Orvex_sky::paintEvent(QPaintEvent *) { paint_sky(this); }

void Orvex_sky::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->pos();
    if (!objects->isEmpty() && !telescope->is_comment && sidereal_time >= 0) {
        const int hit = sky_hit_test(*objects, p.x(), p.y(), view_size);
        if (hit >= 0) {
            current_index = hit;
            if (list_window)
                list_window->select_from_sky(hit);
        }
    }
    update();
}

// The toolkit delivers a press before the double-click, so this is a second
// press on the same object, which the list window takes as "load it".
void Orvex_sky::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}
