// The question before a slew to an object below the horizon.
#include "orvex_obj_list.h"

#include "orvex_log.h"
#include "orvex_object.h"
#include "orvex_reply_text.h"
#include "orvex_sky.h"
#include "orvex_slew_guard.h"
#include "orvex_tcs_command.h"
#include "orvex_text.h"

#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

bool Orvex_Obj_List::slew_guard_allows(const Orvex_command_form &form)
{
    const QString ra = form.ra.simplified(), decl = form.decl.simplified();
    const Orvex_slew_check c =
        check_slew(ra_text_to_sec(ra), decl_text_to_arcsec(decl), sky_win->horizon_sets());
    if (!c.below)
        return true;

    // The name may come from a list file or the TCS: one clipped line.
    QString name = clip_for_display(blank_controls(form.name.simplified()));
    if (name.isEmpty())
        name = ra + QLatin1Char(' ') + decl;
    QMessageBox box(QMessageBox::Question, tr("Send and Slew Orvex"),
                    tr("%1 is below the horizon: altitude %2°, horizon %3° at azimuth %4°. "
                       "Slew anyway?")
                        .arg(name, QString::number(c.altitude, 'f', 1),
                             QString::number(c.horizon, 'f', 1), QString::number(qRound(c.azimuth))),
                    QMessageBox::Yes | QMessageBox::No, this);
    make_plain(&box);
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
    if (box.clickedButton() == box.button(QMessageBox::Yes))
        return true;

    statusBar()->showMessage(tr("Slew to %1 not sent: it is below the horizon").arg(name));
    log_err(QStringLiteral("Slew to %1 not sent: it is below the horizon").arg(name));
    return false;
}
