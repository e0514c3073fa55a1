#include "orvex_state_age.h"

#include <QCoreApplication>

qint64 state_old_after_ms(int get_interval, int min_ms)
{
    return qMax<qint64>(2 * qint64(get_interval), min_ms);
}

bool state_is_old(qint64 age_ms, int get_interval, int min_ms)
{
    return age_ms > state_old_after_ms(get_interval, min_ms);
}

QString state_age_duration(qint64 age_ms)
{
    const qint64 s = qMax<qint64>(age_ms, 0) / 1000;
    // A night without answers must not grow into a number nobody reads.
    if (s < 120)
        return QCoreApplication::translate("Orvex_Obj_List", "%1 s").arg(s);
    if (s < 120 * 60)
        return QCoreApplication::translate("Orvex_Obj_List", "%1 min").arg(s / 60);
    return QCoreApplication::translate("Orvex_Obj_List", "%1 h").arg(s / 3600);
}

QString state_age_text(qint64 age_ms)
{
    return QCoreApplication::translate("Orvex_Obj_List", "last state %1 ago")
        .arg(state_age_duration(age_ms));
}
