// The simulator over real HTTP: the four scripts, the control paths, every
// fault kind, and the executable's command line and output.
#include "orvex_sim_faults.h"
#include "orvex_sim_server.h"
#include "orvex_sim_service.h"

#include <httplib.h>

#include <QtNetwork>
#include <QtTest>

#include <chrono>
#include <sstream>
#include <thread>

using namespace orvex_sim;

namespace {

// A simulator served from a thread of the test process, on a free port.
struct Running_sim {
    std::ostringstream log;
    Orvex_sim_faults faults;
    Orvex_sim_service service{unix_now()};
    Orvex_sim_server server{service, faults, log};
    std::thread thread;
    int port = -1;

    Running_sim()
    {
        port = server.bind("127.0.0.1", 0);
        thread = std::thread([this] { server.listen(); });
        for (int i = 0; i < 200 && !server.is_running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ~Running_sim()
    {
        server.stop();
        thread.join();
    }
    httplib::Result get(const std::string &target)
    {
        httplib::Client client("127.0.0.1", port);
        client.set_read_timeout(10, 0);
        return client.Get(target.c_str());
    }
};

const std::string get_observer = "/tcs/otcs_get.cgi?User=observer&Pass=starlight";

QByteArray fetch(QNetworkAccessManager &net, const QString &url, QNetworkReply::NetworkError &error)
{
    QNetworkReply *reply = net.get(QNetworkRequest(QUrl(url)));
    QSignalSpy done(reply, &QNetworkReply::finished);
    if (!done.wait(10000))
        error = QNetworkReply::TimeoutError;
    else
        error = reply->error();
    const QByteArray body = reply->readAll();
    reply->deleteLater();
    return body;
}

} // namespace

class Test_sim_http : public QObject
{
    Q_OBJECT

private slots:
    void scripts_answer_in_their_forms();
    void faults_by_control_path();
    void failed_requests_never_reach_the_telescope();
    void stopping_cuts_delays_short();
    void executable_prints_port_and_masked_log();
    void executable_refuses_bad_options();
};

void Test_sim_http::scripts_answer_in_their_forms()
{
    Running_sim sim;
    QVERIFY(sim.port > 0);
    auto users = sim.get("/tcs/orvex_users_all.cgi");
    QVERIFY(users);
    QCOMPARE(users->status, 200);
    QVERIFY(users->body.rfind("guest Guest account\n", 0) == 0);

    auto denied = sim.get("/tcs/otcs_get.cgi");
    QVERIFY(denied && denied->body.rfind("Permiss", 0) == 0);
    QVERIFY(denied->body.find("State=Ok") == std::string::npos);

    // The program's query: blanks in the name come percent-encoded.
    auto slew = sim.get("/tcs/otcs_send.cgi?User=operator&Pass=telescope&RA=12:30:00"
                        "&Dec=%2B45:00:00&Epoch=2000.0&Name=M%2051&Mess=from%20Orvex_Obj_List&Cmd=Slew");
    QVERIFY(slew);
    QCOMPARE(QString::fromStdString(slew->body).split('\n').value(1), QString("State=Ok"));
    auto state = sim.get(get_observer);
    QVERIFY(state && state->body.find("ObjName=M 51\n") != std::string::npos);
    QVERIFY(state->body.find("TelMode=Slew\n") != std::string::npos);
    QVERIFY(state->body.find("\nState=Ok\n") != std::string::npos);

    auto dir = sim.get("/tcs/orvex_horizon.php?dir");
    auto rev = sim.get("/tcs/orvex_horizon.php?rev");
    QVERIFY(dir && rev);
    QVERIFY(dir->body.rfind("# direct", 0) == 0 && rev->body.rfind("# reverse", 0) == 0);
    QCOMPARE(QString::fromStdString(dir->body).count('\n'), 361);
    QCOMPARE(sim.get("/tcs/orvex_horizon.php")->status, 400);
    QCOMPARE(sim.get("/tcs/nothing.cgi")->status, 404);

    // One log line per request, and no password in any of them.
    const std::string log = sim.log.str();
    QCOMPARE(QString::fromStdString(log).count('\n'), 8);
    QVERIFY(log.find("starlight") == std::string::npos);
    QVERIFY(log.find("telescope&") == std::string::npos);
    QVERIFY(log.find("/tcs/otcs_get.cgi?User=observer&Pass=*** -> 200") != std::string::npos);
}

void Test_sim_http::faults_by_control_path()
{
    Running_sim sim;
    const auto set = [&](const std::string &query) {
        auto r = sim.get("/sim/fault?" + query);
        return r ? r->status : -1;
    };
    const auto clean = sim.get(get_observer)->body;

    QCOMPARE(set("script=get&kind=status&arg=500"), 200);
    QCOMPARE(sim.get(get_observer)->status, 500);

    QCOMPARE(set("script=get&kind=delay&arg=400"), 200);
    const auto start = std::chrono::steady_clock::now();
    auto delayed = sim.get(get_observer);
    const auto waited = std::chrono::steady_clock::now() - start;
    QVERIFY(delayed && delayed->body.find("\nState=Ok\n") != std::string::npos);
    QVERIFY(waited >= std::chrono::milliseconds(400));

    QCOMPARE(set("script=get&kind=drop"), 200);
    auto dropped = sim.get(get_observer);
    QVERIFY(!dropped);
    QVERIFY(dropped.error() == httplib::Error::Read || dropped.error() == httplib::Error::Connection);

    QCOMPARE(set("script=users&kind=nolf"), 200);
    auto nolf = sim.get("/tcs/orvex_users_all.cgi");
    QVERIFY(nolf && !nolf->body.empty() && nolf->body.back() != '\n');
    QCOMPARE(nolf->body + "\n", sim.service.users_list().body);

    QCOMPARE(set("script=horizon&kind=garbage"), 200);
    auto garbage = sim.get("/tcs/orvex_horizon.php?dir");
    QVERIFY(garbage && garbage->status == 200 && garbage->body.size() >= 64);
    QVERIFY(garbage->body.rfind("# direct", 0) != 0);

    // The control paths never get faults, and clearing works per script
    // and for all.
    auto debug = sim.get("/sim/state");
    QVERIFY(debug && debug->body.find("faults=users:nolf get:drop horizon:garbage") != std::string::npos);
    QCOMPARE(set("script=get&kind=none"), 200);
    QCOMPARE(sim.get(get_observer)->body.substr(0, 20), clean.substr(0, 20));
    QCOMPARE(set("clear"), 200);
    QVERIFY(sim.get("/tcs/orvex_users_all.cgi")->body.back() == '\n');
    QCOMPARE(sim.faults.describe(), std::string("none"));

    QCOMPARE(set("script=get&kind=status&arg=200"), 400);
    QCOMPARE(set("script=nowhere&kind=drop"), 400);
    QCOMPARE(set("script=get&kind=melt"), 400);
}

void Test_sim_http::failed_requests_never_reach_the_telescope()
{
    Running_sim sim;
    sim.faults.set(Script::send, Fault{Fault_kind::status, 503});
    auto r = sim.get("/tcs/otcs_send.cgi?User=operator&Pass=telescope&RA=01:00:00&Dec=%2B80:00:00&Cmd=Send");
    QVERIFY(r && r->status == 503);
    sim.faults.set(Script::send, Fault{Fault_kind::drop, 0});
    QVERIFY(!sim.get("/tcs/otcs_send.cgi?User=operator&Pass=telescope&RA=01:00:00&Dec=%2B80:00:00&Cmd=Send"));
    QVERIFY(sim.get(get_observer)->body.find("ObjName=\n") != std::string::npos);
    // A slow answer still does what it was asked.
    sim.faults.set(Script::send, Fault{Fault_kind::delay, 50});
    r = sim.get("/tcs/otcs_send.cgi?User=operator&Pass=telescope&RA=01:00:00&Dec=%2B80:00:00&Name=Slow&Cmd=Send");
    QVERIFY(r && r->body.find("State=Ok") != std::string::npos);
    QVERIFY(sim.get(get_observer)->body.find("ObjName=Slow\n") != std::string::npos);
}

void Test_sim_http::stopping_cuts_delays_short()
{
    const auto start = std::chrono::steady_clock::now();
    {
        Running_sim sim;
        sim.faults.set(Script::get, Fault{Fault_kind::delay, 60000});
        std::thread client([&] { sim.get(get_observer); });
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        sim.server.stop();
        client.join();
    }
    QVERIFY(std::chrono::steady_clock::now() - start < std::chrono::seconds(10));
}

void Test_sim_http::executable_prints_port_and_masked_log()
{
    QTemporaryFile users;
    QVERIFY(users.open());
    users.write("# extra night crew\nann secret 4 Ann the astronomer\n");
    users.flush();

    QProcess sim;
    sim.start(ORVEX_SIM_EXE, {"--port", "0", "--users", users.fileName(), "--fault", "get:status:503",
                              "--fault", "horizon:nolf"});
    QVERIFY(sim.waitForStarted());
    QVERIFY(sim.waitForReadyRead(5000));
    const QByteArray first = sim.readLine().trimmed();
    bool number = false;
    const int port = first.toInt(&number);
    QVERIFY2(number && port > 0, first.constData());
    const QString base = QString("http://127.0.0.1:%1").arg(port);

    QNetworkAccessManager net;
    QNetworkReply::NetworkError error;
    const QByteArray list = fetch(net, base + "/tcs/orvex_users_all.cgi", error);
    QCOMPARE(error, QNetworkReply::NoError);
    QVERIFY(list.endsWith("ann Ann the astronomer\n"));
    fetch(net, base + "/tcs/otcs_get.cgi?User=ann&Pass=secret", error);
    QVERIFY(error != QNetworkReply::NoError); // an HTTP error status is a failure for the program
    const QByteArray horizon = fetch(net, base + "/tcs/orvex_horizon.php?rev", error);
    QCOMPARE(error, QNetworkReply::NoError);
    QVERIFY(horizon.startsWith("# reverse") && !horizon.endsWith('\n'));
    fetch(net, base + "/sim/fault?clear", error);
    const QByteArray state = fetch(net, base + "/tcs/otcs_get.cgi?User=ann&Pass=secret", error);
    QVERIFY(state.contains("\nUser=ann\nLevel=4\n"));

    QTRY_VERIFY_WITH_TIMEOUT(QString(sim.peek(1 << 16)).count('\n') >= 5, 5000);
    const QString log = sim.readAll();
    QVERIFY(!log.contains("secret"));
    QVERIFY(log.contains("GET /tcs/otcs_get.cgi?User=ann&Pass=*** -> 503 [fault status:503]"));
    sim.terminate();
    QVERIFY(sim.waitForFinished(5000));
}

void Test_sim_http::executable_refuses_bad_options()
{
    for (const QStringList &args : {QStringList{"--fault", "get:explode"}, QStringList{"--port", "x"},
                                    QStringList{"--users", "/nonexistent"}, QStringList{"--bogus", "1"},
                                    QStringList{"--port"}}) {
        QProcess sim;
        sim.start(ORVEX_SIM_EXE, args);
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(sim.exitCode(), 2);
        QVERIFY(sim.readAllStandardOutput().isEmpty());
        QVERIFY(sim.readAllStandardError().contains("usage"));
    }
}

QTEST_GUILESS_MAIN(Test_sim_http)
#include "test_sim_http.moc"
