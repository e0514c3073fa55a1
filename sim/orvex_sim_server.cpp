#include "orvex_sim_server.h"

#include "orvex_sim_astro.h"
#include "orvex_sim_http.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <random>

namespace orvex_sim {

namespace {

const char *const text_type = "text/plain; charset=utf-8";
constexpr int worker_threads = 32;
constexpr int request_read_timeout_s = 1;

int port_of(const sockaddr_storage &a)
{
    if (a.ss_family == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in &>(a).sin_port);
    if (a.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6 &>(a).sin6_port);
    return -1;
}

// The HTTP library has no way to hang up from a handler, so the server's
// end of the connection is found among the process's sockets by its two
// ports and shut down: the client sees the connection close with no reply.
bool hang_up(int local_port, int remote_port)
{
    DIR *dir = opendir("/proc/self/fd");
    if (!dir)
        return false;
    bool done = false;
    while (dirent *entry = readdir(dir)) {
        const int fd = std::atoi(entry->d_name);
        if (fd <= 2)
            continue;
        sockaddr_storage here{}, there{};
        socklen_t here_len = sizeof here, there_len = sizeof there;
        if (getsockname(fd, reinterpret_cast<sockaddr *>(&here), &here_len) != 0
            || getpeername(fd, reinterpret_cast<sockaddr *>(&there), &there_len) != 0)
            continue;
        if (port_of(here) == local_port && port_of(there) == remote_port) {
            shutdown(fd, SHUT_RDWR);
            done = true;
            break;
        }
    }
    closedir(dir);
    return done;
}

std::string garbage_bytes()
{
    static std::mutex mutex;
    static std::mt19937 random{std::random_device{}()};
    std::lock_guard<std::mutex> lock(mutex);
    std::string bytes(64 + random() % 448, '\0');
    for (char &c : bytes)
        c = char(random() & 0xff);
    return bytes;
}

Query query_of(const httplib::Request &req)
{
    return Query(req.params.begin(), req.params.end());
}

} // namespace

double unix_now()
{
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}

Orvex_sim_server::Orvex_sim_server(Orvex_sim_service &s, Orvex_sim_faults &f, std::ostream &l)
    : service(s), faults(f), log(l), http(std::make_unique<Orvex_http_server>())
{
    // Writing to a connection that a client (or a drop fault) has closed
    // must not kill the process.
    std::signal(SIGPIPE, SIG_IGN);
    // Delay faults park a worker each; keep enough for both of the
    // program's network managers and a test client besides.
    http->new_task_queue = [] { return new httplib::ThreadPool(worker_threads); };
    // Each connection holds a worker while its request comes in, and the
    // read limit applies per read: a client sending a byte every few
    // seconds would hold one for good, and a few dozen would block all.
    // Real clients send a request at once, so a second of silence ends it.
    http->set_read_timeout(std::chrono::seconds(request_read_timeout_s));
    // No request of the TCS scripts has a body; a client sending an
    // endless one, or endless headers, is cut off within the limits.
    http->set_payload_max_length(http->limits.body);
    http->on_refused = [this](const std::string &peer, int status, const std::string &reason) {
        std::string line = log_time_text(unix_now()) + " " + peer + " (refused) -> "
                           + std::to_string(status) + " " + reason + "\n";
        std::lock_guard<std::mutex> lock(log_mutex);
        log << line << std::flush;
    };

    const std::pair<const char *, Script> scripts[] = {
        {"/tcs/orvex_users_all.cgi", Script::users},
        {"/tcs/otcs_get.cgi", Script::get},
        {"/tcs/otcs_send.cgi", Script::send},
        {"/tcs/orvex_horizon.php", Script::horizon},
    };
    for (const auto &[path, script] : scripts) {
        const Script which = script;
        http->Get(path, [this, which](const httplib::Request &req, httplib::Response &res) {
            serve_script(which, req, res);
        });
    }
    http->Get("/sim/fault", [this](const httplib::Request &req, httplib::Response &res) {
        serve_fault(req, res);
    });
    http->Get("/sim/state", [this](const httplib::Request &req, httplib::Response &res) {
        serve_state(req, res);
    });
    http->Get(".*", [this](const httplib::Request &req, httplib::Response &res) {
        serve_unknown(req, res);
    });
}

Orvex_sim_server::~Orvex_sim_server()
{
    stop();
}

int Orvex_sim_server::bind(const std::string &host, int port)
{
    if (port == 0)
        return http->bind_to_any_port(host);
    return http->bind_to_port(host, port) ? port : -1;
}

bool Orvex_sim_server::listen()
{
    return http->listen_after_bind();
}

void Orvex_sim_server::stop()
{
    {
        std::lock_guard<std::mutex> lock(wait_mutex);
        stopping = true;
    }
    wake.notify_all();
    http->stop();
}

bool Orvex_sim_server::is_running() const
{
    return http->is_running();
}

bool Orvex_sim_server::wait(int milliseconds)
{
    std::unique_lock<std::mutex> lock(wait_mutex);
    return !wake.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return stopping; });
}

Sim_reply Orvex_sim_server::answer(Script script, const httplib::Request &req)
{
    const double now = unix_now();
    switch (script) {
    case Script::users: return service.users_list();
    case Script::get: return service.get_state(query_of(req), now);
    case Script::send: return service.send_command(query_of(req), now);
    case Script::horizon: return service.horizon(query_of(req));
    }
    return {500, "unknown script\n"};
}

void Orvex_sim_server::serve_script(Script script, const httplib::Request &req,
                                    httplib::Response &res)
{
    const Fault fault = faults.get(script);
    std::string tag;
    if (fault.kind != Fault_kind::none) {
        tag = std::string(" [fault ") + fault_kind_name(fault.kind);
        if (fault.kind == Fault_kind::status || fault.kind == Fault_kind::delay)
            tag += ":" + std::to_string(fault.arg);
        tag += "]";
    }
    if (fault.kind == Fault_kind::delay && !wait(fault.arg)) {
        res.status = 503;
        res.set_content("The simulator is stopping\n", text_type);
        log_line(req, "503 stopping" + tag);
        return;
    }
    // A failed or dropped request never reaches the telescope.
    if (fault.kind == Fault_kind::drop) {
        const bool cut = hang_up(req.local_port, req.remote_port);
        log_line(req, std::string(cut ? "dropped" : "drop failed") + tag);
        return;
    }
    if (fault.kind == Fault_kind::status) {
        res.status = fault.arg;
        res.set_content("Simulated HTTP error " + std::to_string(fault.arg) + "\n", text_type);
        log_line(req, std::to_string(fault.arg) + tag);
        return;
    }
    Sim_reply reply = answer(script, req);
    const std::string summary = first_line(reply.body);
    if (fault.kind == Fault_kind::nolf && !reply.body.empty() && reply.body.back() == '\n')
        reply.body.pop_back();
    if (fault.kind == Fault_kind::garbage)
        reply.body = garbage_bytes();
    res.status = reply.status;
    res.set_content(reply.body, fault.kind == Fault_kind::garbage ? "application/octet-stream" : text_type);
    log_line(req, std::to_string(reply.status) + " " + summary + tag);
}

void Orvex_sim_server::serve_fault(const httplib::Request &req, httplib::Response &res)
{
    std::string error;
    bool ok = true;
    if (req.has_param("clear")) {
        faults.clear_all();
    } else {
        ok = faults.set(req.get_param_value("script"), req.get_param_value("kind"),
                        req.get_param_value("arg"), error);
    }
    res.status = ok ? 200 : 400;
    res.set_content(ok ? "Faults: " + faults.describe() + "\n" : "Bad fault request: " + error + "\n",
                    text_type);
    log_line(req, std::to_string(res.status) + " " + first_line(res.body));
}

void Orvex_sim_server::serve_state(const httplib::Request &req, httplib::Response &res)
{
    res.set_content(service.dump(unix_now()) + "faults=" + faults.describe() + "\n", text_type);
    log_line(req, "200 debug state");
}

void Orvex_sim_server::serve_unknown(const httplib::Request &req, httplib::Response &res)
{
    res.status = 404;
    res.set_content("No such script: " + req.path + "\n", text_type);
    log_line(req, "404");
}

void Orvex_sim_server::log_line(const httplib::Request &req, const std::string &outcome)
{
    std::string line = log_time_text(unix_now()) + " " + req.remote_addr + " " + req.method
                       + " " + mask_password(req.target) + " -> " + outcome;
    // A request target can carry escape sequences meant for the terminal.
    for (char &c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = ' ';
    line += "\n";
    std::lock_guard<std::mutex> lock(log_mutex);
    log << line << std::flush;
}

} // namespace orvex_sim
