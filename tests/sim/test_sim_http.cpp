// The simulator over real HTTP, one for the whole program: every fault kind, slow clients, the executable.
#include "orvex_sim_server.h"

#include <httplib.h>

#include <QTcpSocket>
#include <QtTest>

#include <chrono>
#include <sstream>
#include <thread>

using namespace orvex_sim;
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

} // namespace

class Test_sim_http : public QObject
{
    Q_OBJECT

    Running_sim sim;

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
