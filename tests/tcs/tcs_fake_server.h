#ifndef TCS_FAKE_SERVER_H
#define TCS_FAKE_SERVER_H

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// A TCS web host on 127.0.0.1 that runs on the test's own event loop. Each
// script path answers with the status and body set for it (200 and an empty
// body otherwise, so the sky window's horizon requests succeed quietly), or
// holds the connection open without a word.
class Tcs_fake_server : public QTcpServer
{
public:
    struct Answer
    {
        int status = 200;
        QByteArray body;
        bool hang = false;
    };

    Tcs_fake_server()
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, s, [this, s] { read(s); });
        });
    }

    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(serverPort()); }

    void set(const QByteArray &path, const QByteArray &body, int status = 200)
    {
        answers[path] = Answer{status, body, false};
    }
    void hang(const QByteArray &path) { answers[path] = Answer{200, QByteArray(), true}; }

    // Request targets (path and query exactly as received) for one path.
    QList<QByteArray> targets(const QByteArray &path) const
    {
        QList<QByteArray> out;
        for (const QByteArray &t : all_targets)
            if (t.split('?').value(0) == path)
                out.append(t);
        return out;
    }

    QHash<QByteArray, Answer> answers;
    QList<QByteArray> all_targets;
    QList<QPointer<QTcpSocket>> held;

private:
    void read(QTcpSocket *s)
    {
        QByteArray head = s->property("head").toByteArray() + s->readAll();
        s->setProperty("head", head);
        if (!head.contains("\r\n\r\n"))
            return;
        s->setProperty("head", QByteArray());
        const QByteArray target = head.split(' ').value(1);
        all_targets.append(target);
        const Answer a = answers.value(target.split('?').value(0));
        if (a.hang) {
            held.append(s);
            return;
        }
        const QByteArray reason = a.status == 200 ? "OK" : "Internal Server Error";
        s->write("HTTP/1.1 " + QByteArray::number(a.status) + ' ' + reason + "\r\n"
                 "Content-Type: text/plain\r\nContent-Length: "
                 + QByteArray::number(a.body.size()) + "\r\nConnection: close\r\n\r\n" + a.body);
        s->disconnectFromHost();
    }
};

#endif
