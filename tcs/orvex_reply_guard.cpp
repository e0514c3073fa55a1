#include "orvex_reply_guard.h"

#include "orvex_tcs_request.h"
#include "orvex_text.h"

#include <QNetworkRequest>

namespace {
// A reason phrase is the host's text: it is cut before it reaches a box.
constexpr int max_reason_chars = 80;
} // namespace

Orvex_reply_guard::Orvex_reply_guard(QNetworkReply *reply, int timeout_ms, qint64 max_bytes)
    : QObject(reply), reply(reply), max_bytes(max_bytes)
{
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, [this, timeout_ms] {
        refuse(Limit::time, QNetworkReply::TimeoutError,
               timeout_error_text(this->reply->url(), timeout_ms));
    });
    connect(reply, &QNetworkReply::metaDataChanged, this, &Orvex_reply_guard::check_status);
    connect(reply, &QNetworkReply::readyRead, this, &Orvex_reply_guard::check_size);
    connect(reply, &QNetworkReply::downloadProgress, this, &Orvex_reply_guard::check_size);
    timer.start(timeout_ms);
}

void Orvex_reply_guard::watch(QNetworkReply *reply, int timeout_ms, qint64 max_bytes)
{
    new Orvex_reply_guard(reply, timeout_ms, max_bytes);
}

Orvex_reply_guard *Orvex_reply_guard::of(const QNetworkReply *reply)
{
    return reply ? reply->findChild<Orvex_reply_guard *>(QString(), Qt::FindDirectChildrenOnly)
                 : nullptr;
}

void Orvex_reply_guard::let_go(QNetworkReply *reply)
{
    if (Orvex_reply_guard *guard = of(reply)) {
        guard->timer.stop();
        disconnect(reply, nullptr, guard, nullptr);
    }
    // One that failed on its own is being finished by the toolkit already,
    // and closing it then would report its failure a second time.
    if (!reply->isRunning())
        reply->close();
    else if (reply->error() == QNetworkReply::NoError)
        reply->abort();
    reply->deleteLater();
}

// The toolkit reports a status of 400 and above as an error itself, but
// hands over the body of any other status as if it were the answer.
void Orvex_reply_guard::check_status()
{
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const int n = status.toInt();
    if (status.isValid() && (n < 200 || (n >= 300 && n < 400))) {
        const QString reason = clip_for_display(
            reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString(),
            max_reason_chars);
        refuse(Limit::status, QNetworkReply::UnknownServerError,
               QStringLiteral("Error transferring %1 - server replied: %2 %3")
                   .arg(masked_url(reply->url()).toString(), QString::number(n), reason));
        return;
    }
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > max_bytes)
        refuse(Limit::size, QNetworkReply::UnknownContentError,
               QStringLiteral("Error transferring %1 - reply larger than %2 bytes")
                   .arg(masked_url(reply->url()).toString(), QString::number(max_bytes)));
}

// Nobody reads the body before it is complete, so what is waiting is all
// that has come.
void Orvex_reply_guard::check_size()
{
    if (reply->bytesAvailable() > max_bytes)
        refuse(Limit::size, QNetworkReply::UnknownContentError,
               QStringLiteral("Error transferring %1 - reply larger than %2 bytes")
                   .arg(masked_url(reply->url()).toString(), QString::number(max_bytes)));
}

// abort() reports the failure at once (error, then finished) to whoever is
// connected, and an error box then runs its own event loop. Inside the
// reply's own signals that would pull the toolkit's reply apart under its
// feet, so the abort waits for the event loop; a reply that finishes in
// between counts as failed all the same (broken() says so). A reply that has
// finished or failed already is left as it is.
void Orvex_reply_guard::refuse(Limit broken_limit, QNetworkReply::NetworkError error_code,
                               const QString &error_text)
{
    if (limit != Limit::none || !reply->isRunning() || reply->error() != QNetworkReply::NoError)
        return;
    timer.stop();
    disconnect(reply, nullptr, this, nullptr);
    limit = broken_limit;
    code = error_code;
    text = error_text;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (reply->isRunning() && reply->error() == QNetworkReply::NoError)
                reply->abort();
        },
        Qt::QueuedConnection);
}

Orvex_reply_guard::Limit Orvex_reply_guard::broken(const QNetworkReply *reply)
{
    const Orvex_reply_guard *guard = of(reply);
    return guard ? guard->limit : Limit::none;
}

bool Orvex_reply_guard::failed_late(const QNetworkReply *reply)
{
    return reply->error() == QNetworkReply::NoError && broken(reply) != Limit::none;
}

QNetworkReply::NetworkError Orvex_reply_guard::error_code(const QNetworkReply *reply,
                                                          QNetworkReply::NetworkError code)
{
    const Orvex_reply_guard *guard = of(reply);
    return guard && guard->limit != Limit::none ? guard->code : code;
}

QString Orvex_reply_guard::error_text(const QNetworkReply *reply)
{
    if (!reply)
        return QString();
    const Orvex_reply_guard *guard = of(reply);
    return guard && guard->limit != Limit::none ? guard->text : reply->errorString();
}
