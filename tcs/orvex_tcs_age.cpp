// The age of the last good state: shown while polling, and once it is too
// old the sky stops showing that state as the telescope's present place.
#include "orvex_obj_list.h"

#include "orvex_obj_list_form.h"
#include "orvex_sky.h"
#include "orvex_state_age.h"

#include <QTimer>

#include <climits>

bool Orvex_Obj_List::polling() const
{
    return get_timer->isActive() || (get_reply && from_timer);
}

void Orvex_Obj_List::follow_polling()
{
    if (polling()) {
        if (!age_timer->isActive())
            age_timer->start();
    } else {
        age_timer->stop();
    }
    show_state_age();
}

void Orvex_Obj_List::orvex_age_timer() { follow_polling(); }

void Orvex_Obj_List::show_state_age()
{
    const qint64 age = since_state.elapsed();
    // Nothing to count from before the first good state, and an age that
    // no timer moves on would itself be an old value shown as current.
    ui->show_state_age(good_state_seen && polling() ? age : -1);
    const bool old = state_ok && good_state_seen && state_is_old(age, get_interval, state_old_min_ms);
    if (old && !sky_win->state_old) {
        // The cross goes back to where the last reply put it, which is what
        // the age tells of; guessing further along a slew would not be.
        tel_object->azimuth = last_a;
        tel_object->zenith = last_z;
        view_timer->stop();
    }
    sky_win->set_state_old(old, int(qMin<qint64>(age / 1000, INT_MAX)));
}
