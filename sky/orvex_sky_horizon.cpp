// The horizon profile: two requests to the TCS web host at start-up, one per
// side of the telescope, and the replies stored for painting.
#include "orvex_sky.h"

#include "orvex_list.h"
#include "orvex_log.h"
#include "orvex_reply_guard.h"
#include "orvex_reply_text.h"
#include "orvex_slew_guard.h"
#include "orvex_sky_math.h"
#include "orvex_tcs_host.h"

#include <QMessageBox>
#include <QNetworkRequest>
#include <QUrl>

#include <algorithm>

void Orvex_sky::request_horizon(bool direct)
{
    const QString tag = direct ? QStringLiteral("dir") : QStringLiteral("rev");
    if (horizon_reply) {
        log_err(QStringLiteral("orvex_horizon.") + tag
                + QStringLiteral(" read error "));
        // Sent once the one in flight is done, or a slow host would cost
        // the 'reverse' profile for the whole night.
        horizon_waiting = direct ? 1 : 2;
        return;
    }
    horizon_reply_reverse = !direct;
    horizon_reply = network_manager.get(QNetworkRequest(
        QUrl(QStringLiteral("http://") + host + QStringLiteral("/tcs/orvex_horizon.php?") + tag)));
    connect(horizon_reply, &QNetworkReply::finished, this,
            &Orvex_sky::get_horizon_finish);
    connect(horizon_reply, &QNetworkReply::errorOccurred, this,
            &Orvex_sky::get_horizon_error);
    // The same limits as the main window's requests: an endless or huge
    // reply must neither fill the memory nor hold the one request slot.
    Orvex_reply_guard::watch(horizon_reply, horizon_timeout_ms);
}

void Orvex_sky::get_horizon_line() { request_horizon(false); }

// Only the reply in flight is handled: a signal from a reply already
// released (or from an older one) must not touch a newer request.
void Orvex_sky::get_horizon_finish()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!horizon_reply || reply != horizon_reply)
        return;
    if (Orvex_reply_guard::failed_late(reply)) {
        get_horizon_error(Orvex_reply_guard::error_code(reply, QNetworkReply::NoError));
        return;
    }
    if (reply->error() == QNetworkReply::NoError)
        store_horizon(parse_horizon_reply(reply->readAll(), horizon_reply_reverse));
    release_horizon_reply();
    send_waiting_horizon();
}

void Orvex_sky::release_horizon_reply()
{
    QNetworkReply *reply = horizon_reply;
    horizon_reply = nullptr;
    Orvex_reply_guard::let_go(reply);
}

void Orvex_sky::send_waiting_horizon()
{
    const int waiting = horizon_waiting;
    horizon_waiting = 0;
    if (waiting)
        request_horizon(waiting == 1);
}

void Orvex_sky::store_horizon(const Horizon_reply &reply)
{
    HorizonPoint *set = reply.reverse ? horizon_reverse : horizon_direct;
    const int n = std::min(int(reply.points.size()), horizon_max_points);
    for (int i = 0; i < n; ++i) {
        HorizonPoint p = reply.points.at(i);
        // Points below the horizon are placed near the rim until the first
        // paint projects them for real.
        project(p.az * 3600.0, std::min(p.zd, 89.99) * 3600.0, p.x, p.y);
        set[i] = p;
    }
    (reply.reverse ? reverse_count : direct_count) = n;
    if (list_window)
        list_window->refresh_visibility();
    log_err(QStringLiteral("Loading %1 '%2' horizon points.")
                .arg(n)
                .arg(reply.reverse ? QStringLiteral("reverse")
                                   : QStringLiteral("direct")));
}

void Orvex_sky::get_horizon_error(QNetworkReply::NetworkError code)
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply || reply != horizon_reply)
        return;
    const QString text = Orvex_reply_guard::error_text(reply);
    code = Orvex_reply_guard::error_code(reply, code);
    log_err(QStringLiteral("Orvex horizon read error ")
            + QString::number(int(code)) + QLatin1Char(' ') + text);
    // Released before the box runs its own event loop: a reply given up by
    // its limits is still inside the toolkit's abort, whose finished signal
    // may come in that loop, and it must not be deleted there.
    release_horizon_reply();
    // The reason phrase is the host's own text.
    QMessageBox box(QMessageBox::Warning, default_tcs_host() + QStringLiteral(" HTTP error"),
                    text, QMessageBox::Ok, this);
    make_plain(&box);
    box.exec();
    send_waiting_horizon();
}

Orvex_horizon_sets Orvex_sky::horizon_sets() const
{
    Orvex_horizon_sets sets;
    const int nd = std::clamp(direct_count, 0, horizon_max_points);
    const int nr = std::clamp(reverse_count, 0, horizon_max_points);
    sets.direct = QVector<HorizonPoint>(horizon_direct, horizon_direct + nd);
    sets.reverse = QVector<HorizonPoint>(horizon_reverse, horizon_reverse + nr);
    sets.flip_known = tel_flip_known;
    sets.flip = tel_flip;
    return sets;
}
