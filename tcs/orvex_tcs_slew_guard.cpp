// The question before a slew to an object below the horizon.
#include "orvex_obj_list.h"

#include "orvex_log.h"
#include "orvex_night.h"
#include "orvex_obj_list_form.h"
#include "orvex_object.h"
#include "orvex_reply_text.h"
#include "orvex_sky.h"
#include "orvex_slew_guard.h"
#include "orvex_tcs_command.h"
#include "orvex_tcs_state.h"
#include "orvex_text.h"

#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

QString slew_question_text(const QString &name, const Orvex_slew_check &c)
{
    if (!c.position_known)
        return Orvex_Obj_List::tr("The sidereal time is not known, so whether %1 is above the "
                                  "horizon cannot be checked. Slew anyway?")
            .arg(name);
    // Observers read azimuths from the north through the east, with a
    // compass point; the point is that of the whole degree shown.
    int azimuth = qRound(azimuth_from_north(c.azimuth));
    if (azimuth >= 360)
        azimuth -= 360;
    return Orvex_Obj_List::tr("%1 is below the horizon: altitude %2°, horizon %3° at azimuth %4° %5. "
                              "Slew anyway?")
        .arg(name, QString::number(c.altitude, 'f', 1), QString::number(c.horizon, 'f', 1),
             QString::number(azimuth), Orvex_Obj_List::tr(compass_point(azimuth)));
}

// The box runs its own event loop: a bad state, a lower level or another
// command may have come in while it was open.
bool Orvex_Obj_List::slew_still_allowed() const
{
    return !tcs_host.isEmpty() && !send_reply && ui->orvex_slew_btn->isEnabled()
           && level_buttons(level, on_tcs_host, not_local).slew_stop;
}

bool Orvex_Obj_List::slew_guard_allows(const Orvex_command_form &form)
{
    const QString ra = form.ra.simplified(), decl = form.decl.simplified();
    const Orvex_slew_check c =
        check_slew(ra_text_to_sec(ra), decl_text_to_arcsec(decl), sky_win->horizon_sets());
    // A check that cannot be made asks rather than passes.
    if (c.position_known && !c.below)
        return true;

    // The name may come from a list file or the TCS: one clipped line.
    QString name = clip_for_display(blank_controls(form.name.simplified()));
    if (name.isEmpty())
        name = ra + QLatin1Char(' ') + decl;
    QMessageBox box(QMessageBox::Question, tr("Send and Slew Orvex"), slew_question_text(name, c),
                    QMessageBox::Yes | QMessageBox::No, this);
    make_plain(&box);
    night_box(&box);
    // Our own words: the toolkit's translations may be missing on the machine.
    box.button(QMessageBox::Yes)->setText(tr("Yes"));
    box.button(QMessageBox::No)->setText(tr("No"));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);

    const bool was_polling = get_timer->isActive();
    get_timer->stop();
    box.exec();
    // A state reply that came in meanwhile may have restarted polling.
    if (was_polling && !get_timer->isActive())
        get_timer->start();
    if (box.clickedButton() == box.button(QMessageBox::Yes)) {
        if (slew_still_allowed())
            return true;
        statusBar()->showMessage(tr("Slew to %1 not sent: slewing is no longer allowed").arg(name));
        log_err(QStringLiteral("Slew to %1 not sent: slewing is no longer allowed").arg(name));
        return false;
    }

    if (c.position_known) {
        statusBar()->showMessage(tr("Slew to %1 not sent: it is below the horizon").arg(name));
        log_err(QStringLiteral("Slew to %1 not sent: it is below the horizon").arg(name));
    } else {
        statusBar()->showMessage(tr("Slew to %1 not sent: its position cannot be checked").arg(name));
        log_err(QStringLiteral("Slew to %1 not sent: its position cannot be checked").arg(name));
    }
    return false;
}
