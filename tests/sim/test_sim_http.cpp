// The simulator over real HTTP: the four scripts, the level rules, every
// fault kind, and the executable's command line and output.
#include "orvex_sim_faults.h"
#include "orvex_sim_server.h"
#include "orvex_sim_service.h"

#include <httplib.h>

#include <QTcpSocket>
#include <QtTest>

#include <algorithm>
#include <chrono>
#include <memory>
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

    Running_sim()
    {
        for (int i = 0; i < 200 && !server.is_running(); ++i)
            std::this_thread::sleep_for(milliseconds(5));
    }
    ~Running_sim()
    {
        server.stop();
        thread.join();
    }
};

httplib::Result get(int port, const std::string &target)
{
    httplib::Client client("127.0.0.1", port);
    client.set_read_timeout(10, 0);
    return client.Get(target.c_str());
}

// Whether some line of the reply starts with text.
bool has(const httplib::Result &r, const std::string &text)
{
    return r && ("\n" + r->body).find("\n" + text) != std::string::npos;
}

const std::string get_observer = "/tcs/otcs_get.cgi?User=observer&Pass=starlight";
const std::string users = "/tcs/orvex_users_all.cgi";

} // namespace

class Test_sim_http : public QObject
{
    Q_OBJECT

private slots:
    void scripts_forms_and_levels()
    {
        Running_sim sim;
        sim.service.users().add({"helper", "pw", 2, ""});
        QVERIFY(has(get(sim.port, users), "guest Guest account\nobserver"));
        QVERIFY(has(get(sim.port, "/tcs/orvex_horizon.php?dir"), "# direct"));
        QVERIFY(has(get(sim.port, "/tcs/orvex_horizon.php?rev"), "# reverse"));
        QVERIFY(get(sim.port, "/tcs/orvex_horizon.php")->status == 400 && get(sim.port, "/x.cgi")->status == 404);

        // A circumpolar object, so a slew is allowed at any hour.
        const std::string obj = "&RA=12:30:00&Dec=%2B80:00:00&Name=M%2051&Cmd=", send = "/tcs/otcs_send.cgi?User=";
        // Target, the start of some line of the reply, and whether State=Ok.
        const struct {
            std::string target, line;
            bool ok;
        } cases[] = {
            {"/tcs/otcs_get.cgi?User=observer", "Permiss", false},
            {"/tcs/otcs_get.cgi?User=nobody&Pass=x", "Permiss", false},
            {send + "observer&Pass=wrong" + obj + "Send", "Permiss", false},
            {send + "guest&Pass=kzmrp" + obj + "Send", "Permission denied: Send needs level 2", false},
            {send + "guest&Pass=kzmrp&Cmd=Stop", "Permission denied: Stop needs level 3", false},
            {send + "helper&Pass=pw" + obj + "Send", "Object M 51 stored", true},
            {send + "helper&Pass=pw" + obj + "Slew", "Permission denied: Slew needs level 3", false},
            {send + "observer&Pass=starlight&Cmd=Slew", "Slewing to M 51", true},
            {send + "operator&Pass=telescope&Cmd=Stop", "Telescope stopped", true},
            // The program's own query: blanks percent-encoded, an epoch and a message.
            {send + "operator&Pass=telescope" + obj + "Slew&Epoch=2000.0&Mess=from%20Orvex_Obj_List", "Slewing", true},
            {"/tcs/otcs_get.cgi?User=guest&Pass=kzmrp", "ObjName=M 51\nra2000=12:30:00.00\ndec2000=+80:00:00.0\n",
             true},
            {get_observer, "TelMode=Slew\n", true},
        };
        for (const auto &c : cases) {
            auto r = get(sim.port, c.target);
            QVERIFY2(r && r->status == 200 && has(r, c.line), c.target.c_str());
            QVERIFY2(has(r, c.ok ? "State=Ok\n" : "State=Err\n") && !has(r, c.ok ? "State=Err" : "State=Ok"),
                     c.target.c_str());
            QCOMPARE(has(r, "User="), c.ok && c.target.find("get") != std::string::npos);
        }
        // One log line per request, and no password in any of them.
        const std::string log = sim.log.str();
        QCOMPARE(QString::fromStdString(log).count('\n'), 5 + int(std::size(cases)));
        QVERIFY(log.find("starlight") == std::string::npos && log.find("kzmrp") == std::string::npos);
        QVERIFY(log.find("/tcs/otcs_get.cgi?User=observer&Pass=*** -> 200") != std::string::npos);
    }

    void faults_by_control_path()
    {
        Running_sim sim;
        const auto set = [&](const std::string &query) {
            auto r = get(sim.port, "/sim/fault?" + query);
            return r ? r->status : -1;
        };
        // A failed send never reaches the telescope; a slow one still does.
        const std::string send = "/tcs/otcs_send.cgi?User=operator&Pass=telescope&RA=01:00:00&Dec=%2B80:00:00&Cmd=Send";
        QVERIFY(set("script=send&kind=status&arg=503") == 200 && get(sim.port, send + "&Name=Lost")->status == 503);
        QVERIFY(set("script=send&kind=drop") == 200 && !get(sim.port, send + "&Name=Lost"));
        QVERIFY(has(get(sim.port, get_observer), "ObjName=\n"));
        QVERIFY(set("script=send&kind=delay&arg=50") == 200 && has(get(sim.port, send + "&Name=Slow"), "State=Ok"));
        QVERIFY(has(get(sim.port, get_observer), "ObjName=Slow\n"));

        QCOMPARE(set("script=get&kind=delay&arg=400"), 200);
        const auto start = steady_clock::now();
        QVERIFY(has(get(sim.port, get_observer), "State=Ok\n") && steady_clock::now() - start >= milliseconds(400));
        QCOMPARE(set("script=get&kind=drop"), 200);
        auto dropped = get(sim.port, get_observer);
        QVERIFY(dropped.error() == httplib::Error::Read || dropped.error() == httplib::Error::Connection);
        QCOMPARE(set("script=users&kind=nolf"), 200);
        auto nolf = get(sim.port, users);
        QVERIFY(nolf && !nolf->body.empty() && nolf->body + "\n" == sim.service.users_list().body);
        QCOMPARE(set("script=horizon&kind=garbage"), 200);
        auto garbage = get(sim.port, "/tcs/orvex_horizon.php?dir");
        QVERIFY(garbage && garbage->status == 200 && garbage->body.size() >= 64 && garbage->body.rfind("# direct", 0));

        // The control paths never get faults; clearing works per script and for all.
        QVERIFY(has(get(sim.port, "/sim/state"), "faults=users:nolf get:drop send:delay:50 horizon:garbage"));
        QVERIFY(set("script=get&kind=none") == 200 && has(get(sim.port, get_observer), "State=Ok\n"));
        QVERIFY(set("clear") == 200 && get(sim.port, users)->body.back() == '\n');
        QVERIFY(sim.faults.describe() == "none" && set("script=get&kind=status&arg=200") == 400);

        // Stopping cuts a long delay short.
        sim.faults.set(Script::get, Fault{Fault_kind::delay, 60000});
        std::thread client([&] { get(sim.port, get_observer); });
        std::this_thread::sleep_for(milliseconds(200));
        const auto stopping = steady_clock::now();
        sim.server.stop();
        client.join();
        QVERIFY(steady_clock::now() - stopping < std::chrono::seconds(10));
    }

    // 64 clients that send a byte every 2 s, more than there are workers,
    // must not keep a plain request from its answer.
    void slow_clients_do_not_starve_the_others()
    {
        Running_sim sim;
        std::vector<std::unique_ptr<QTcpSocket>> slow;
        for (int i = 0; i < 64; ++i) {
            slow.emplace_back(new QTcpSocket);
            slow.back()->connectToHost(QHostAddress::LocalHost, quint16(sim.port));
        }
        const auto send_a_byte = [&] {
            for (auto &s : slow)
                s->write("G");
        };
        QTimer trickle;
        connect(&trickle, &QTimer::timeout, send_a_byte);
        trickle.start(2000);
        send_a_byte();
        QTRY_VERIFY(std::all_of(slow.begin(), slow.end(), [](auto &s) { return s->bytesToWrite() == 0; }));
        QTcpSocket plain;
        plain.connectToHost(QHostAddress::LocalHost, quint16(sim.port));
        plain.write("GET /tcs/orvex_users_all.cgi HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
        QTRY_VERIFY_WITH_TIMEOUT(plain.bytesAvailable() > 0, 15000);
        QVERIFY(plain.readAll().startsWith("HTTP/1.1 200"));
    }

    void executable_options_and_masked_log()
    {
        for (const QStringList &args : {QStringList{"--fault", "get:explode"}, QStringList{"--port", "x"},
                                        QStringList{"--users", "/nonexistent"}, QStringList{"--bogus", "1"}}) {
            QProcess bad;
            bad.start(ORVEX_SIM_EXE, args);
            QVERIFY(bad.waitForFinished(5000) && bad.exitCode() == 2 && bad.readAllStandardOutput().isEmpty());
            QVERIFY(bad.readAllStandardError().contains("usage"));
        }
        QTemporaryFile crew;
        QVERIFY(crew.open() && crew.write("# extra night crew\nann secret 4 Ann the astronomer\n") > 0 && crew.flush());
        QProcess sim;
        sim.start(ORVEX_SIM_EXE, {"--port", "0", "--users", crew.fileName(), "--fault", "get:status:503"});
        QVERIFY(sim.waitForStarted() && sim.waitForReadyRead(5000));
        const int port = sim.readLine().trimmed().toInt(); // the port comes first
        QVERIFY(port > 0 && has(get(port, users), "ann Ann the astronomer\n"));
        QCOMPARE(get(port, "/tcs/otcs_get.cgi?User=ann&Pass=secret")->status, 503);
        get(port, "/sim/fault?clear");
        QVERIFY(has(get(port, "/tcs/otcs_get.cgi?User=ann&Pass=secret"), "User=ann\nLevel=4\n"));
        QTRY_VERIFY_WITH_TIMEOUT(QString(sim.peek(1 << 16)).count('\n') >= 4, 5000);
        const QString log = sim.readAll();
        QVERIFY(!log.contains("secret"));
        QVERIFY(log.contains("GET /tcs/otcs_get.cgi?User=ann&Pass=*** -> 503 [fault status:503]"));
        sim.kill();
        sim.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(Test_sim_http)
#include "test_sim_http.moc"
