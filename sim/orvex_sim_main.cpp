// orvex_tcs_sim: a stand-in for the Orvex-1000 TCS web host on loopback.
// The first line of standard output is the bound port alone, so that
// scripts and tests can start it with --port 0 and read where it listens.
#include "orvex_sim_faults.h"
#include "orvex_sim_server.h"
#include "orvex_sim_service.h"

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {

const char *const usage =
    "usage: orvex_tcs_sim [--host 127.0.0.1] [--port N] [--users FILE] [--fault SCRIPT:KIND[:ARG]]...\n"
    "  --port 0 picks a free port; the first output line is the port.\n"
    "  --users FILE adds users, one per line: name password level(1-5) [free text].\n"
    "  --fault SCRIPT:KIND[:ARG], SCRIPT users|get|send|horizon,\n"
    "          KIND status:CODE | delay:MS | drop | nolf | garbage (repeatable).\n"
    "  At run time: GET /sim/fault?script=get&kind=delay&arg=40000, ...&kind=none,\n"
    "  /sim/fault?clear, and /sim/state for a debug dump.\n";

int fail(const std::string &message)
{
    std::cerr << "orvex_tcs_sim: " << message << "\n" << usage << std::flush;
    return 2;
}

bool read_port(const char *text, int &port)
{
    char *end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || v < 0 || v > 65535)
        return false;
    port = int(v);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    using namespace orvex_sim;
    std::string host = "127.0.0.1";
    int port = 0;
    Orvex_sim_service service(unix_now());
    Orvex_sim_faults faults;

    for (int i = 1; i < argc; ++i) {
        const std::string opt = argv[i];
        if (opt == "--help" || opt == "-h") {
            std::cout << usage;
            return 0;
        }
        if (i + 1 >= argc)
            return fail(opt == "--host" || opt == "--port" || opt == "--users" || opt == "--fault"
                            ? opt + " needs a value"
                            : "unknown option " + opt);
        const char *value = argv[++i];
        std::string error;
        if (opt == "--host") {
            host = value;
        } else if (opt == "--port") {
            if (!read_port(value, port))
                return fail("bad port " + std::string(value));
        } else if (opt == "--users") {
            if (!service.users().load_file(value, error))
                return fail(error);
        } else if (opt == "--fault") {
            if (!faults.set_from_option(value, error))
                return fail(error);
        } else {
            return fail("unknown option " + opt);
        }
    }

    Orvex_sim_server server(service, faults, std::cout);
    const int bound = server.bind(host, port);
    if (bound < 0) {
        std::cerr << "orvex_tcs_sim: cannot listen on " << host << ":" << port << std::endl;
        return 1;
    }
    std::cout << bound << std::endl;
    std::cerr << "orvex_tcs_sim: listening on http://" << host << ":" << bound
              << " (faults: " << faults.describe() << ")" << std::endl;
    return server.listen() ? 0 : 1;
}
