#ifndef ORVEX_SIM_SERVICE_H
#define ORVEX_SIM_SERVICE_H

#include "orvex_sim_telescope.h"
#include "orvex_sim_users.h"

#include <map>
#include <mutex>
#include <string>

namespace orvex_sim {

// Decoded query keys and values, as the HTTP layer hands them over.
using Query = std::multimap<std::string, std::string>;

struct Sim_reply {
    int status = 200;
    std::string body;
};

// Strict forms of the command keys: R.A. "hh:mm:ss[.ss]", Decl.
// "[+-]dd:mm:ss[.s]" within +-90 deg, plain decimal numbers. On failure
// the reason is left in why.
bool parse_ra(const std::string &text, double &seconds, std::string &why);
bool parse_dec(const std::string &text, double &arcsec, std::string &why);
bool parse_number(const std::string &text, double &value);

// The request target with the value of every key that decodes to "Pass"
// replaced by ***.
std::string mask_password(const std::string &target);

// Text that echoes request values, made safe for one reply line: control
// characters become blanks (a line feed in a name must not forge a
// "State=Ok" line) and the length is capped.
std::string one_line(const std::string &text, std::size_t limit = 200);

// First line of a body, for the request log.
std::string first_line(const std::string &body);

// The four scripts of the TCS web host without any sockets: each takes the
// decoded query and the current Unix time and returns the reply. Safe to
// call from several server threads.
class Orvex_sim_service
{
public:
    explicit Orvex_sim_service(double now);

    Orvex_sim_users &users() { return user_table; }

    Sim_reply users_list() const;
    Sim_reply get_state(const Query &query, double now);
    Sim_reply send_command(const Query &query, double now);
    Sim_reply horizon(const Query &query) const;
    // Inner state for the debug endpoint.
    std::string dump(double now);

private:
    const Sim_user *check_user(const Query &query, std::string &why) const;
    std::string send_or_slew(const std::string &cmd, const Query &query, double now, bool &ok);
    std::string correct(const Query &query, double now, bool &ok);

    std::mutex mutex;
    Orvex_sim_users user_table;
    Orvex_sim_telescope telescope;
};

} // namespace orvex_sim

#endif
