// The horizon profile: two requests to the TCS web host at start-up, one per
// side of the telescope, and the replies stored for painting.
#include "orvex_sky.h"

#include "orvex_log.h"
#include "orvex_slew_guard.h"
#include "orvex_sky_math.h"
#include "orvex_tcs_host.h"

#include <QMessageBox>
#include <QNetworkRequest>
#include <QPointer>
#include <QUrl>

#include <algorithm>

namespace {
// A host that accepts the connection and then says nothing must not hold the
// one request slot (and with it the second profile) for ever.
constexpr int horizon_transfer_timeout_ms = 30000;
} // namespace

void Orvex_sky::request_horizon(bool direct)
{
    const QString tag = direct ? QStringLiteral("dir") : QStringLiteral("rev");
    if (horizon_reply) {
        log_err(QStringLiteral("orvex_horizon.") + tag
                + QStringLiteral(" read error "));
        return;
    }
    QNetworkRequest request(QUrl(QStringLiteral("http://") + host
                                 + QStringLiteral("/tcs/orvex_horizon.php?")
                                 + tag));
    request.setTransferTimeout(horizon_transfer_timeout_ms);
    horizon_reply = network_manager.get(request);
    connect(horizon_reply, &QNetworkReply::finished, this,
            &Orvex_sky::get_horizon_finish);
    connect(horizon_reply, &QNetworkReply::errorOccurred, this,
            &Orvex_sky::get_horizon_error);
}

void Orvex_sky::get_horizon_line() { request_horizon(false); }

// Only the reply in flight is handled: a signal from a reply already
// released (or from an older one) must not touch a newer request.
void Orvex_sky::get_horizon_finish()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!horizon_reply || reply != horizon_reply)
        return;
    horizon_reply = nullptr;
    if (reply->error() == QNetworkReply::NoError)
        store_horizon(parse_horizon_reply(reply->readAll()));
    reply->close();
    reply->deleteLater();
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
    log_err(QStringLiteral("Loading %1 '%2' horizon points.")
                .arg(n)
                .arg(reply.reverse ? QStringLiteral("reverse")
                                   : QStringLiteral("direct")));
}

void Orvex_sky::get_horizon_error(QNetworkReply::NetworkError code)
{
    QPointer<QNetworkReply> reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply || reply != horizon_reply)
        return;
    const QString text = reply->errorString();
    log_err(QStringLiteral("Orvex horizon read error ")
            + QString::number(int(code)) + QLatin1Char(' ') + text);
    QMessageBox::warning(this,
                         default_tcs_host() + QStringLiteral(" HTTP error"),
                         text, QMessageBox::Ok);
    // The box ran its own event loop: the finish slot may have released this
    // reply meanwhile and a new request may be in flight.
    if (reply && reply == horizon_reply) {
        horizon_reply = nullptr;
        reply->deleteLater();
    }
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
