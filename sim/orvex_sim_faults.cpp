#include "orvex_sim_faults.h"

#include <cstdlib>

namespace orvex_sim {

namespace {

constexpr const char *script_names[script_count] = {"users", "get", "send", "horizon"};
constexpr const char *kind_names[] = {"none", "status", "delay", "drop", "nolf", "garbage"};

bool read_int(const std::string &text, int low, int high, int &value)
{
    if (text.empty() || text.size() > 9)
        return false;
    char *end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || v < low || v > high)
        return false;
    value = int(v);
    return true;
}

} // namespace

bool script_from_name(const std::string &name, Script &script)
{
    for (int i = 0; i < script_count; ++i) {
        if (name == script_names[i]) {
            script = Script(i);
            return true;
        }
    }
    return false;
}

const char *script_name(Script script)
{
    return script_names[int(script)];
}

const char *fault_kind_name(Fault_kind kind)
{
    return kind_names[int(kind)];
}

bool make_fault(const std::string &kind, const std::string &arg, Fault &fault,
                std::string &error)
{
    Fault f;
    if (kind == "status") {
        f.kind = Fault_kind::status;
        if (!read_int(arg, 400, 599, f.arg)) {
            error = "status needs an HTTP error code 400..599, not <" + arg + ">";
            return false;
        }
    } else if (kind == "delay") {
        f.kind = Fault_kind::delay;
        if (!read_int(arg, 0, 3600000, f.arg)) {
            error = "delay needs milliseconds 0..3600000, not <" + arg + ">";
            return false;
        }
    } else {
        bool known = false;
        for (Fault_kind k : {Fault_kind::none, Fault_kind::drop, Fault_kind::nolf, Fault_kind::garbage}) {
            if (kind == fault_kind_name(k)) {
                f.kind = k;
                known = true;
            }
        }
        if (!known) {
            error = "unknown fault kind <" + kind + ">; use status, delay, drop, nolf, garbage or none";
            return false;
        }
        if (!arg.empty()) {
            error = kind + " takes no argument";
            return false;
        }
    }
    fault = f;
    return true;
}

bool Orvex_sim_faults::set(const std::string &script_text, const std::string &kind,
                           const std::string &arg, std::string &error)
{
    Script script;
    if (!script_from_name(script_text, script)) {
        error = "unknown script <" + script_text + ">; use users, get, send or horizon";
        return false;
    }
    Fault f;
    if (!make_fault(kind, arg, f, error))
        return false;
    set(script, f);
    return true;
}

bool Orvex_sim_faults::set_from_option(const std::string &option, std::string &error)
{
    const std::size_t first = option.find(':');
    if (first == std::string::npos) {
        error = "a fault is SCRIPT:KIND[:ARG], not <" + option + ">";
        return false;
    }
    const std::size_t second = option.find(':', first + 1);
    const std::string kind = option.substr(first + 1, second == std::string::npos
                                                          ? std::string::npos
                                                          : second - first - 1);
    const std::string arg = second == std::string::npos ? "" : option.substr(second + 1);
    return set(option.substr(0, first), kind, arg, error);
}

void Orvex_sim_faults::set(Script script, const Fault &fault)
{
    std::lock_guard<std::mutex> lock(mutex);
    faults[int(script)] = fault;
}

void Orvex_sim_faults::clear_all()
{
    std::lock_guard<std::mutex> lock(mutex);
    faults.fill(Fault{});
}

Fault Orvex_sim_faults::get(Script script) const
{
    std::lock_guard<std::mutex> lock(mutex);
    return faults[int(script)];
}

std::string Orvex_sim_faults::describe() const
{
    std::lock_guard<std::mutex> lock(mutex);
    std::string text;
    for (int i = 0; i < script_count; ++i) {
        const Fault &f = faults[i];
        if (f.kind == Fault_kind::none)
            continue;
        if (!text.empty())
            text += ' ';
        text += std::string(script_names[i]) + ":" + fault_kind_name(f.kind);
        if (f.kind == Fault_kind::status || f.kind == Fault_kind::delay)
            text += ":" + std::to_string(f.arg);
    }
    return text.empty() ? "none" : text;
}

} // namespace orvex_sim
