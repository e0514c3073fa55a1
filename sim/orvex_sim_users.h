#ifndef ORVEX_SIM_USERS_H
#define ORVEX_SIM_USERS_H

#include <string>
#include <vector>

namespace orvex_sim {

struct Sim_user {
    std::string name;
    std::string password;
    int level = 1;
    std::string info; // free text shown in the users list
};

// Users of the simulated TCS, in list order.
class Orvex_sim_users
{
public:
    // guest / kzmrp / 1, observer / starlight / 3, operator / telescope / 5.
    Orvex_sim_users();

    // Adds a user, or replaces the one of the same name in place.
    void add(const Sim_user &user);

    // Reads "name password level [free text]" lines; blank lines and lines
    // starting with "#" are skipped. Returns false with a reason in error
    // (file and line) for an unreadable file or a malformed line; nothing
    // is added then.
    bool load_file(const std::string &path, std::string &error);
    bool load_text(const std::string &text, std::string &error);

    // The user whose name and password both match, or null.
    const Sim_user *authenticate(const std::string &name, const std::string &password) const;

    // The users script body: "name free text" per line.
    std::string list_body() const;

    const std::vector<Sim_user> &all() const { return users; }

private:
    std::vector<Sim_user> users;
};

} // namespace orvex_sim

#endif
