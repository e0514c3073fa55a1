#ifndef ORVEX_SIM_FAULTS_H
#define ORVEX_SIM_FAULTS_H

#include <array>
#include <mutex>
#include <string>

namespace orvex_sim {

// The scripts that faults can be put on.
enum class Script { users, get, send, horizon };
constexpr int script_count = 4;

enum class Fault_kind {
    none,
    status,  // answer with the HTTP status arg
    delay,   // answer after arg milliseconds
    drop,    // close the connection without an answer
    nolf,    // the body loses its final line feed
    garbage, // random bytes instead of the body
};

struct Fault {
    Fault_kind kind = Fault_kind::none;
    int arg = 0;
};

bool script_from_name(const std::string &name, Script &script);
const char *script_name(Script script);
const char *fault_kind_name(Fault_kind kind);

// Checks kind and argument: status needs a code 400..599, delay a number
// of milliseconds 0..3600000, the others no argument (an empty one is fine).
bool make_fault(const std::string &kind, const std::string &arg, Fault &fault,
                std::string &error);

// One fault per script, set from the command line and switched at run time
// by the control endpoint while server threads read it.
class Orvex_sim_faults
{
public:
    // "SCRIPT:KIND[:ARG]", the form of the --fault option.
    bool set_from_option(const std::string &option, std::string &error);
    bool set(const std::string &script, const std::string &kind, const std::string &arg,
             std::string &error);
    void set(Script script, const Fault &fault);
    void clear_all();
    Fault get(Script script) const;
    // "get:delay:40000 send:drop", or "none".
    std::string describe() const;

private:
    mutable std::mutex mutex;
    std::array<Fault, script_count> faults{};
};

} // namespace orvex_sim

#endif
