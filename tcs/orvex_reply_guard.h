#ifndef ORVEX_REPLY_GUARD_H
#define ORVEX_REPLY_GUARD_H

#include <QNetworkReply>
#include <QObject>
#include <QString>
#include <QTimer>

// Limits on one reply from the TCS web host: a total time, a body size and a
// 2xx status. The toolkit itself gives up on none of these (it buffers any
// body and hands over a 3xx body as data), so a reply that breaks one is
// aborted as soon as that is noticed, while its body arrives, at the next
// turn of the event loop. It then reaches its owner's error handling like
// any failed transfer, and the owner asks the guard for the code and the
// text to report (and whether a reply that finished meanwhile failed).
class Orvex_reply_guard : public QObject
{
    Q_OBJECT

public:
    enum class Limit { none, time, size, status };

    // A real state reply is under 1 KiB.
    static constexpr qint64 max_reply_bytes = 1 << 20;
    // A request that has not finished after this long is given up.
    static constexpr int max_reply_ms = 30000;

    // Guards reply, as its child, until it is released.
    static void watch(QNetworkReply *reply, int timeout_ms,
                      qint64 max_bytes = max_reply_bytes);
    static Orvex_reply_guard *of(const QNetworkReply *reply);
    // The owner lets the reply go: the watch ends, a reply still running is
    // stopped, and the reply is deleted once the event loop is back.
    static void let_go(QNetworkReply *reply);

    // Which limit the reply broke, and its error code and text to report:
    // the broken limit's, or else the toolkit's own.
    static Limit broken(const QNetworkReply *reply);
    // A reply that finished without an error of its own after breaking a
    // limit (its abort was still waiting) is a failure all the same.
    static bool failed_late(const QNetworkReply *reply);
    static QNetworkReply::NetworkError error_code(const QNetworkReply *reply,
                                                  QNetworkReply::NetworkError code);
    static QString error_text(const QNetworkReply *reply);

    // Open so that tests can bring the time limit forward.
    QTimer timer;

private:
    Orvex_reply_guard(QNetworkReply *reply, int timeout_ms, qint64 max_bytes);
    void check_status();
    void check_size();
    void refuse(Limit limit, QNetworkReply::NetworkError code, const QString &text);

    QNetworkReply *reply;
    qint64 max_bytes;
    Limit limit = Limit::none;
    QNetworkReply::NetworkError code = QNetworkReply::NoError;
    QString text;
};

#endif
