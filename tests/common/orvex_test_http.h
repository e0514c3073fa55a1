#ifndef ORVEX_TEST_HTTP_H
#define ORVEX_TEST_HTTP_H

#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>

// A tiny HTTP server on 127.0.0.1, on the test's own event loop. A path (without
// query) in `answers` gets its status (with its reason phrase, when one is given)
// and body, no answer at all (hang), or its body again and again without a length
// until the client goes (endless). A path in `bodies` gets its body and 200; any
// other the body under "*" if any, else 404.
class Orvex_test_http : public QTcpServer
{
public:
    // `reason` replaces the reason phrase ("OK", "Failed") when given.
    struct Answer { int status = 200; QByteArray body; bool hang = false; bool endless = false; QByteArray reason = {}; };
    QHash<QByteArray, Answer> answers;
    QHash<QByteArray, QByteArray> bodies;
    QList<QByteArray> requests; // path and query as received

    Orvex_test_http()
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, s, [this, s] { answer(s); });
        });
    }
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(serverPort()); }
    // The web host of a program under test that nobody logs into: the guest
    // in the users list, an empty answer to anything else, and the program
    // pointed here.
    void serve_quiet_tcs()
    {
        bodies["/tcs/orvex_users_all.cgi"] = "guest Guest account\n";
        bodies["*"] = "";
        qputenv("ORVEX_TCS_HOST", host().toLatin1());
    }

private:
    void answer(QTcpSocket *s)
    {
        const QByteArray head = s->property("head").toByteArray() + s->readAll();
        s->setProperty("head", head);
        if (!head.contains("\r\n\r\n"))
            return;
        const QByteArray target = head.split(' ').value(1), path = target.split('?').value(0);
        requests.append(target);
        const QByteArray key = bodies.contains(path) ? path : QByteArray("*");
        const Answer a = answers.value(path, {bodies.contains(key) ? 200 : 404, bodies.value(key)});
        if (a.hang)
            return;
        if (a.endless) {
            s->write("HTTP/1.0 200 OK\r\n\r\n");
            // A client that gave up must not keep this loop busy writing.
            connect(s, &QAbstractSocket::disconnected, s, &QObject::deleteLater);
            const QByteArray chunk = a.body.repeated(65536 / a.body.size() + 1);
            connect(s, &QTcpSocket::bytesWritten, s, [s, chunk] {
                if (s->bytesToWrite() == 0)
                    s->write(chunk);
            });
            return;
        }
        const QByteArray reason = !a.reason.isEmpty() ? a.reason : QByteArray(a.status == 200 ? "OK" : "Failed");
        s->write("HTTP/1.0 " + QByteArray::number(a.status) + ' ' + reason
                 + "\r\nContent-Length: " + QByteArray::number(a.body.size()) + "\r\n\r\n" + a.body);
        s->disconnectFromHost();
    }
};

#endif
