#ifndef ORVEX_TEST_HTTP_H
#define ORVEX_TEST_HTTP_H

#include <QByteArray>
#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>

// A tiny HTTP/1.0 server on 127.0.0.1 for tests that only need fixed bodies:
// each path (without query) answers with its body and 200; any other path
// gets the body under "*" if there is one, else 404. It runs on the test's
// own event loop.
class Orvex_test_http : public QTcpServer
{
public:
    Orvex_test_http()
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, s, [this, s] { answer(s); });
        });
    }

    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(serverPort()); }

    QHash<QByteArray, QByteArray> bodies;
    QList<QByteArray> requests;

private:
    void answer(QTcpSocket *s)
    {
        const QByteArray head = s->readAll();
        const QByteArray target = head.split(' ').value(1);
        requests.append(target);
        const QByteArray path = target.split('?').value(0);
        const QByteArray key = bodies.contains(path) ? path : QByteArray("*");
        const bool known = bodies.contains(key);
        const QByteArray body = bodies.value(key);
        s->write(QByteArray(known ? "HTTP/1.0 200 OK\r\n" : "HTTP/1.0 404 Not Found\r\n")
                 + "Content-Type: text/plain\r\nContent-Length: "
                 + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        s->disconnectFromHost();
    }
};

#endif
