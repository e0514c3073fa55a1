#ifndef ORVEX_SIM_SERVER_H
#define ORVEX_SIM_SERVER_H

#include "orvex_sim_faults.h"
#include "orvex_sim_service.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>

namespace httplib {
struct Request;
struct Response;
}

namespace orvex_sim {

class Orvex_http_server;

// The HTTP face of the simulator: routes the four TCS scripts to the
// service, puts the faults on them, answers the control paths
// "/sim/fault" and "/sim/state" (never faulted), and writes one log line
// per request with the password masked (and one per request refused for
// its size or form).
class Orvex_sim_server
{
public:
    Orvex_sim_server(Orvex_sim_service &service, Orvex_sim_faults &faults, std::ostream &log);
    ~Orvex_sim_server();

    // Binds host:port (0 picks a free port); the bound port, or -1.
    int bind(const std::string &host, int port);
    // Serves until stop(); false if it could not.
    bool listen();
    // Ends listen() and cuts every pending delay short.
    void stop();
    bool is_running() const;

private:
    void serve_script(Script script, const httplib::Request &req, httplib::Response &res);
    void serve_fault(const httplib::Request &req, httplib::Response &res);
    void serve_state(const httplib::Request &req, httplib::Response &res);
    void serve_unknown(const httplib::Request &req, httplib::Response &res);
    Sim_reply answer(Script script, const httplib::Request &req);
    // False when the server stopped during the wait.
    bool wait(int milliseconds);
    void log_line(const httplib::Request &req, const std::string &outcome);

    Orvex_sim_service &service;
    Orvex_sim_faults &faults;
    std::ostream &log;
    std::unique_ptr<Orvex_http_server> http;
    std::mutex log_mutex;
    std::mutex wait_mutex;
    std::condition_variable wake;
    bool stopping = false;
};

// Unix time now, with fractions.
double unix_now();

} // namespace orvex_sim

#endif
