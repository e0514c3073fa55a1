#include "orvex_sim_users.h"

#include <fstream>
#include <sstream>

namespace orvex_sim {

Orvex_sim_users::Orvex_sim_users()
{
    // The guest's password is the one the program starts with.
    users = {
        {"guest", "kzmrp", 1, "Guest account"},
        {"observer", "starlight", 3, "Night observer"},
        {"operator", "telescope", 5, "Telescope operator"},
    };
}

void Orvex_sim_users::add(const Sim_user &user)
{
    for (Sim_user &u : users) {
        if (u.name == user.name) {
            u = user;
            return;
        }
    }
    users.push_back(user);
}

bool Orvex_sim_users::load_text(const std::string &text, std::string &error)
{
    std::vector<Sim_user> loaded;
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::istringstream fields(line);
        Sim_user u;
        if (!(fields >> u.name) || u.name[0] == '#')
            continue;
        std::string level;
        fields >> u.password >> level;
        std::size_t used = 0;
        try {
            u.level = std::stoi(level, &used);
        } catch (...) {
            used = 0;
        }
        if (u.password.empty() || used == 0 || used != level.size() || u.level < 1 || u.level > 5) {
            error = "line " + std::to_string(number) + ": expected \"name password level(1-5) [free text]\"";
            return false;
        }
        std::getline(fields >> std::ws, u.info);
        while (!u.info.empty() && u.info.back() == ' ')
            u.info.pop_back();
        loaded.push_back(u);
    }
    for (const Sim_user &u : loaded)
        add(u);
    return true;
}

bool Orvex_sim_users::load_file(const std::string &path, std::string &error)
{
    std::ifstream in(path);
    if (!in) {
        error = path + ": cannot be read";
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (!load_text(text.str(), error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

const Sim_user *Orvex_sim_users::authenticate(const std::string &name,
                                              const std::string &password) const
{
    for (const Sim_user &u : users)
        if (u.name == name)
            return u.password == password ? &u : nullptr;
    return nullptr;
}

std::string Orvex_sim_users::list_body() const
{
    std::string body;
    for (const Sim_user &u : users)
        body += u.info.empty() ? u.name + "\n" : u.name + " " + u.info + "\n";
    return body;
}

} // namespace orvex_sim
