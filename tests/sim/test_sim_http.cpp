// The simulator over real HTTP, one for the whole program: every fault kind, slow clients, the executable.
#include "orvex_sim_http.h"
#include "orvex_sim_server.h"

#include <httplib.h>

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QTcpSocket>
#include <QtTest>

#include <chrono>
#include <sstream>
#include <thread>

using namespace orvex_sim;
Q_DECLARE_METATYPE(std::string)
using std::chrono::milliseconds;
using std::chrono::steady_clock;

namespace {

// A simulator served from a thread of the test process, on a free port.
struct Running_sim {
    std::ostringstream log;
    Orvex_sim_faults faults;
    Orvex_sim_service service{unix_now()};
    Orvex_sim_server server{service, faults, log};
    int port = server.bind("127.0.0.1", 0);
    std::thread thread{[this] { server.listen(); }};

    Running_sim() { QTRY_VERIFY(server.is_running()); }
    ~Running_sim() { server.stop(); thread.join(); }
};

httplib::Result get(int port, const std::string &target) { return httplib::Client("127.0.0.1", port).Get(target); }

// Whether some line of the reply starts with text.
bool has(const httplib::Result &r, const std::string &text) { return r && ("\n" + r->body).find("\n" + text) != std::string::npos; }

const std::string get_observer = "/tcs/otcs_get.cgi?User=observer&Pass=starlight";
const std::string users = "/tcs/orvex_users_all.cgi";

// Sends bytes on a fresh connection, stops sending if told, and returns what
// comes back until the server closes or `until` has come.
std::string exchange(int port, const std::string &bytes, bool half_close, const std::string &until = std::string())
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(quint16(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const timeval patience{10, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
    std::string reply;
    if (connect(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0) {
        // The server may stop reading early: a refused write is part of the test.
        for (std::size_t at = 0; at < bytes.size();) {
            const ssize_t n = send(fd, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
            if (n <= 0)
                break;
            at += std::size_t(n);
        }
        if (half_close)
            shutdown(fd, SHUT_WR);
        char buf[65536];
        ssize_t n;
        while ((until.empty() || reply.find(until) == std::string::npos) && (n = recv(fd, buf, sizeof buf, 0)) > 0)
            reply.append(buf, std::size_t(n));
    }
    close(fd);
    return reply;
}

const std::string users_request = "GET /tcs/orvex_users_all.cgi HTTP/1.1\r\nHost: sim\r\n\r\n";

} // namespace

class Test_sim_http : public QObject
{
    Q_OBJECT

    Running_sim sim;
    Running_sim limited; // for the requests below, apart from the log counted above

private slots:
    void scripts_faults_and_masked_log()
    {
        QVERIFY(get(sim.port, "/tcs/orvex_horizon.php")->status == 400 && get(sim.port, "/x.cgi")->status == 404);
        const auto set = [&](const std::string &query) { return get(sim.port, "/sim/fault?" + query)->status; };
        // A failed send never reaches the telescope; a slow one still does.
        const std::string send = "/tcs/otcs_send.cgi?User=operator&Pass=telescope&RA=01:00:00&Dec=%2B80:00:00&Cmd=Send";
        QVERIFY(set("script=send&kind=status&arg=503") == 200 && get(sim.port, send + "&Name=Lost")->status == 503);
        QVERIFY(set("script=send&kind=drop") == 200 && !get(sim.port, send + "&Name=Lost"));
        QCOMPARE(set("script=send&kind=delay&arg=400"), 200);
        const auto start = steady_clock::now();
        QVERIFY(has(get(sim.port, send + "&Name=M%2051"), "State=Ok") && steady_clock::now() - start >= milliseconds(400)
                && has(get(sim.port, get_observer), "ObjName=M 51\n"));
        QVERIFY(set("script=users&kind=nolf") == 200 && get(sim.port, users)->body + '\n' == sim.service.users_list().body);
        QVERIFY(set("script=horizon&kind=garbage") == 200 && set("script=get&kind=drop") == 200);
        auto garbage = get(sim.port, "/tcs/orvex_horizon.php?dir");
        QVERIFY(garbage->status == 200 && garbage->body.size() >= 64 && garbage->body.rfind("# direct", 0));
        QVERIFY(!get(sim.port, get_observer));
        // The control paths never get faults; clearing works per script and for all.
        QVERIFY(has(get(sim.port, "/sim/state"), "faults=users:nolf get:drop send:delay:400 horizon:garbage"));
        QVERIFY(set("script=get&kind=none") == 200 && has(get(sim.port, get_observer), "State=Ok\n"));
        QVERIFY(set("clear") == 200 && get(sim.port, users)->body.back() == '\n');
        QVERIFY(sim.faults.describe() == "none" && set("script=get&kind=status&arg=200") == 400);
        // One log line per request (21 above), and no password in any of them.
        const std::string log = sim.log.str();
        QCOMPARE(QString::fromStdString(log).count('\n'), 21);
        QVERIFY(log.find("telescope") == std::string::npos && log.find("starlight") == std::string::npos);
        QVERIFY(log.find("/tcs/otcs_get.cgi?User=observer&Pass=*** -> 200") != std::string::npos);
    }

    void framing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("length"); // 0: not whole yet; < 0: refused with that status
        const QByteArray post = "POST / HTTP/1.1\r\n";
        QTest::newRow("head, then the next") << QByteArray("GET / HTTP/1.1\r\nHost: a\r\n\r\nGET") << 27;
        QTest::newRow("head not ended") << QByteArray("GET / HTTP/1.1\r\nHost: a\r\n") << 0;
        QTest::newRow("a bare LF does not end it") << QByteArray("GET / HTTP/1.1\n\n") << 0;
        QTest::newRow("with its body") << post + "Content-Length: 3\r\n\r\nabcGET" << 41;
        QTest::newRow("body to come") << post + "Content-Length: 3\r\n\r\nab" << 0;
        QTest::newRow("chunked") << post + "Transfer-Encoding: Chunked\r\n\r\n5;x=1\r\nhello\r\n0\r\n\r\nGET" << 66;
        QTest::newRow("chunk not ended") << post + "Transfer-Encoding: chunked\r\n\r\n5\r\nhelloXY0\r\n\r\n" << -400;
        QTest::newRow("chunk size not hex") << post + "Transfer-Encoding: chunked\r\n\r\nzz\r\n" << -400;
        QTest::newRow("chunk over the limit") << post + "Transfer-Encoding: chunked\r\n\r\n10001\r\n" << -413;
        QTest::newRow("negative length") << post + "Content-Length: -1\r\n\r\n" << -400;
        QTest::newRow("two lengths") << post + "Content-Length: 1\r\nContent-Length: 2\r\n\r\nab" << -400;
        QTest::newRow("length and chunked") << post + "Content-Length: 1\r\nTransfer-Encoding: chunked\r\n\r\n" << -400;
        QTest::newRow("other encoding") << post + "Transfer-Encoding: gzip\r\n\r\n" << -400;
        QTest::newRow("huge length") << post + "Content-Length: 99999999999999999999999\r\n" + "\r\n" << -413;
        QTest::newRow("line not ended, too long") << "GET /" + QByteArray(8200, 'a') << -414;
        QTest::newRow("header not ended, too long") << "GET / HTTP/1.1\r\nX: " + QByteArray(8200, 'a') << -431;
        QTest::newRow("101 headers") << "GET / HTTP/1.1\r\n" + QByteArray("X: 1\r\n").repeated(101) << -431;
    }
    void framing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, length);
        const Request_frame f = frame_request(bytes.toStdString(), Request_limits());
        QCOMPARE(f.kind == Request_frame::Kind::complete ? int(f.length)
                 : f.kind == Request_frame::Kind::refused ? -f.status : 0, length);
    }

    // Requests beyond the limits are refused as soon as that shows, while
    // the client goes on sending; the server answers the next one.
    void oversized_requests_data()
    {
        QTest::addColumn<std::string>("bytes");
        QTest::addColumn<int>("status");
        const std::string post = "POST /tcs/otcs_get.cgi HTTP/1.1\r\nHost: sim\r\n";
        const std::string chunk = "1000\r\n" + std::string(0x1000, 'y') + "\r\n";
        std::string many_chunks, many_headers;
        for (int i = 0; i < 100; ++i)
            many_chunks += chunk;
        for (int i = 0; i < 2000; ++i)
            many_headers += "X-Filler: " + std::string(100, 'f') + "\r\n";
        QTest::newRow("body of 3 GB") << post + "Content-Length: 3000000000\r\n\r\n" + std::string(1 << 16, 'x') << 413;
        QTest::newRow("endless chunked body") << post + "Transfer-Encoding: chunked\r\n\r\n" + many_chunks << 413;
        QTest::newRow("header block without end") << "GET / HTTP/1.1\r\n" + many_headers << 431;
        QTest::newRow("endless header line") << "GET / HTTP/1.1\r\nX: " + std::string(1 << 17, 'h') << 431;
        QTest::newRow("long request line") << "GET /" + std::string(20000, 'a') + " HTTP/1.1\r\n\r\n" << 414;
    }
    void oversized_requests()
    {
        QFETCH(std::string, bytes);
        QFETCH(int, status);
        const std::string reply = exchange(limited.port, bytes, true);
        QVERIFY2(reply.rfind("HTTP/1.1 " + std::to_string(status) + " ", 0) == 0, reply.substr(0, 80).c_str());
        QVERIFY(has(get(limited.port, users), "guest"));
        QVERIFY(limited.log.str().find("(refused) -> " + std::to_string(status)) != std::string::npos);
    }

    // Each request on a connection gets its answer, in order: sent before
    // the previous answer, after the client stopped sending, or behind a body.
    void pipelined_and_half_closed()
    {
        const std::string missing = "GET /x.cgi HTTP/1.1\r\nHost: sim\r\n\r\n";
        const std::string two = exchange(limited.port, users_request + missing, false, "No such script: /x.cgi\n");
        const std::size_t second = two.find("HTTP/1.1 404 ");
        QVERIFY2(two.rfind("HTTP/1.1 200 ", 0) == 0 && second != std::string::npos
                     && two.find("guest Guest account") < second, two.c_str());
        const std::string half = exchange(limited.port, users_request, true);
        QVERIFY2(half.rfind("HTTP/1.1 200 ", 0) == 0 && half.find("guest Guest account") != std::string::npos, half.c_str());
        const std::string body = "GET /evil HTTP/1.1\r\n\r\n";
        const std::string behind = exchange(limited.port, "POST /x.cgi HTTP/1.1\r\nContent-Length: " + std::to_string(body.size())
                                                       + "\r\n\r\n" + body + users_request, true);
        QVERIFY2(behind.rfind("HTTP/1.1 404 ", 0) == 0 && behind.find("HTTP/1.1 200 ") != std::string::npos
                     && limited.log.str().find("/evil") == std::string::npos, behind.c_str());
    }

    // 64 clients sending a byte every 2 s, more than there are workers, must not starve a plain request.
    void slow_clients_and_stopping()
    {
        QTcpSocket slow[64], plain;
        const auto send_a_byte = [&] { for (auto &s : slow) s.write("G"); };
        for (auto &s : slow)
            s.connectToHost(QHostAddress::LocalHost, quint16(sim.port));
        send_a_byte();
        QTimer trickle;
        connect(&trickle, &QTimer::timeout, send_a_byte);
        trickle.start(2000);
        QTRY_VERIFY(std::all_of(std::begin(slow), std::end(slow), [](auto &s) { return s.bytesToWrite() == 0; }));
        plain.connectToHost(QHostAddress::LocalHost, quint16(sim.port));
        plain.write("GET /tcs/orvex_users_all.cgi HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
        QTRY_VERIFY_WITH_TIMEOUT(plain.bytesAvailable() > 0, 15000);
        QVERIFY(plain.readAll().startsWith("HTTP/1.1 200"));
        // Stopping cuts a long delay short.
        sim.faults.set(Script::get, Fault{Fault_kind::delay, 60000});
        std::thread client([&] { get(sim.port, get_observer); });
        std::this_thread::sleep_for(milliseconds(200));
        const auto stopping = steady_clock::now();
        sim.server.stop();
        client.join();
        QVERIFY(steady_clock::now() - stopping < std::chrono::seconds(10));
    }

    void executable_options()
    {
        for (const char *bad : {"--fault=get:explode", "--port=x", "--users=/nonexistent", "--bogus=1"}) {
            QProcess p;
            p.start(ORVEX_SIM_EXE, QString(bad).split('='));
            QVERIFY(p.waitForFinished(5000) && p.exitCode() == 2 && p.readAllStandardOutput().isEmpty()
                    && p.readAllStandardError().contains("usage"));
        }
        QTemporaryFile crew;
        QVERIFY(crew.open() && crew.write("ann secret 4 Ann the astronomer\n") > 0 && crew.flush());
        QProcess exe;
        exe.start(ORVEX_SIM_EXE, {"--port", "0", "--users", crew.fileName(), "--fault", "get:status:503"});
        QVERIFY(exe.waitForStarted() && exe.waitForReadyRead(5000));
        const int port = exe.readLine().trimmed().toInt(); // the port comes first
        QVERIFY(has(get(port, users), "ann Ann the astronomer\n") && get(port, get_observer)->status == 503);
        exe.kill();
        exe.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(Test_sim_http)
#include "test_sim_http.moc"
