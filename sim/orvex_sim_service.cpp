#include "orvex_sim_service.h"

#include "orvex_sim_c_numbers.h"
#include "orvex_sim_astro.h"
#include "orvex_sim_horizon.h"

#include <httplib.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <regex>

namespace orvex_sim {

namespace {

const char *const banner = "Orvex-1000 TCS simulator";

// The first value of a key, and whether the key came at all.
bool value_of(const Query &query, const std::string &key, std::string &value)
{
    const auto it = query.find(key);
    if (it == query.end())
        return false;
    value = it->second;
    return true;
}

std::string fixed(const char *format, double value)
{
    char buf[64];
    const C_numbers c_numbers;
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

// The command reply: a line for the observer, then the state verdict.
std::string command_body(const std::string &message, bool ok)
{
    return one_line(message) + "\n" + (ok ? "State=Ok\n" : "State=Err\n");
}

// Whether the server reads this query pair as a "Pass" key with a value.
// Decided on the pair as the HTTP layer decodes it, so "P%61ss=" or
// "Pass\t=" cannot carry a password past the log mask.
bool takes_password(const std::string &pair)
{
    if (pair.find('=') == std::string::npos)
        return false;
    httplib::Params decoded;
    httplib::detail::parse_query_text(pair, decoded);
    return decoded.count("Pass") > 0;
}

std::string status_text(const Telescope_state &s, const std::string &event)
{
    std::string text = std::string(banner) + ": " + s.mode_text;
    if (s.motion != Motion::stop && !s.object.name.empty())
        text += " " + s.object.name;
    if (s.motion == Motion::stop && !event.empty())
        text += " (" + event + ")";
    return text;
}

} // namespace

std::string one_line(const std::string &text, std::size_t limit)
{
    std::string out;
    for (char c : text) {
        if (out.size() >= limit)
            break;
        out += static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? ' ' : c;
    }
    return out;
}

bool parse_number(const std::string &text, double &value)
{
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0])))
        return false;
    char *end = nullptr;
    const C_numbers c_numbers;
    const double v = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool parse_ra(const std::string &text, double &seconds, std::string &why)
{
    static const std::regex form("^([0-9]{1,2}):([0-9]{1,2}):([0-9]{1,2}(\\.[0-9]*)?)$");
    std::smatch m;
    if (!std::regex_match(text, m, form)) {
        why = "Bad RA <" + text + ">: expected hh:mm:ss.ss";
        return false;
    }
    const int h = std::stoi(m[1]), min = std::stoi(m[2]);
    const C_numbers c_numbers;
    const double s = std::strtod(m[3].str().c_str(), nullptr);
    if (h > 23 || min > 59 || s >= 60.0) {
        why = "Bad RA <" + text + ">: out of range";
        return false;
    }
    seconds = h * 3600.0 + min * 60.0 + s;
    return true;
}

bool parse_dec(const std::string &text, double &arcsec, std::string &why)
{
    static const std::regex form("^([+-]?)([0-9]{1,2}):([0-9]{1,2}):([0-9]{1,2}(\\.[0-9]*)?)$");
    std::smatch m;
    if (!std::regex_match(text, m, form)) {
        why = "Bad Dec <" + text + ">: expected +dd:mm:ss.s";
        return false;
    }
    const int d = std::stoi(m[2]), min = std::stoi(m[3]);
    const C_numbers c_numbers;
    const double s = std::strtod(m[4].str().c_str(), nullptr);
    const double v = d * 3600.0 + min * 60.0 + s;
    if (min > 59 || s >= 60.0 || v > 324000.0) {
        why = "Bad Dec <" + text + ">: out of range";
        return false;
    }
    arcsec = m[1] == "-" ? -v : v;
    return true;
}

std::string mask_password(const std::string &target)
{
    const std::size_t q = target.find('?');
    if (q == std::string::npos)
        return target;
    std::string out = target.substr(0, q + 1);
    std::size_t start = q + 1;
    while (start <= target.size()) {
        std::size_t end = target.find('&', start);
        if (end == std::string::npos)
            end = target.size();
        const std::string pair = target.substr(start, end - start);
        out += takes_password(pair) ? pair.substr(0, pair.find('=')) + "=***" : pair;
        if (end < target.size())
            out += '&';
        start = end + 1;
    }
    return out;
}

std::string first_line(const std::string &body)
{
    return body.substr(0, body.find('\n'));
}

Orvex_sim_service::Orvex_sim_service(double now) : telescope(now) {}

const Sim_user *Orvex_sim_service::check_user(const Query &query, std::string &why) const
{
    std::string name, pass;
    if (!value_of(query, "User", name) || !value_of(query, "Pass", pass)) {
        why = "Permission denied: User and Pass are needed";
        return nullptr;
    }
    const Sim_user *u = user_table.authenticate(name, pass);
    if (!u)
        why = "Permission denied for user " + name;
    return u;
}

Sim_reply Orvex_sim_service::users_list() const
{
    return {200, user_table.list_body()};
}

Sim_reply Orvex_sim_service::get_state(const Query &query, double now)
{
    std::lock_guard<std::mutex> lock(mutex);
    std::string why;
    const Sim_user *u = check_user(query, why);
    if (!u)
        return {200, one_line(why) + "\nState=Err\n"};
    const Telescope_state s = telescope.state(now);
    // J2000 place of the held object; before any object, where the
    // telescope points.
    double ra2000 = s.object.ra2000, dec2000 = s.object.dec2000;
    if (!s.has_object)
        precess(s.ra, s.dec, epoch_at(now), 2000.0, ra2000, dec2000);
    std::string b = status_text(s, telescope.last_event()) + "\n";
    b += "User=" + u->name + "\n";
    b += "Level=" + std::to_string(u->level) + "\n";
    b += "Stime=" + fixed("%.7f", s.sidereal / 3600.0) + "\n";
    b += "RA=" + fixed("%.7f", s.ra / 3600.0) + "\n";
    b += "Dec=" + fixed("%.6f", s.dec / 3600.0) + "\n";
    b += "HA=" + fixed("%.7f", s.hour_angle / 3600.0) + "\n";
    b += "A=" + fixed("%.6f", s.azimuth / 3600.0) + "\n";
    b += "Z=" + fixed("%.6f", s.zenith / 3600.0) + "\n";
    b += "VHA=" + fixed("%.5f", s.vha) + "\n";
    b += "VDec=" + fixed("%.3f", s.vdec) + "\n";
    b += "offHA=" + fixed("%.2f", s.off_ha) + "\n";
    b += "offDec=" + fixed("%.2f", s.off_dec) + "\n";
    b += "ObjName=" + s.object.name + "\n";
    b += "ra2000=" + hms_text(ra2000) + "\n";
    b += "dec2000=" + dms_text(dec2000) + "\n";
    b += "PA=" + fixed("%.3f", s.pa) + "\n";
    b += "TCSmode=Simul\n";
    b += std::string("TelFlip=") + (s.flip ? "Yes" : "No") + "\n";
    b += "TelMode=" + s.mode_text + "\n";
    b += "State=Ok\n";
    return {200, b};
}

std::string Orvex_sim_service::send_or_slew(const std::string &cmd, const Query &query,
                                            double now, bool &ok)
{
    ok = false;
    std::string ra_text, dec_text, why;
    const bool has_ra = value_of(query, "RA", ra_text);
    const bool has_dec = value_of(query, "Dec", dec_text);
    if (has_ra || has_dec || cmd == "Send") {
        if (!has_ra || !has_dec)
            return cmd + " needs both RA and Dec";
        double ra, dec, epoch = 2000.0;
        if (!parse_ra(ra_text, ra, why) || !parse_dec(dec_text, dec, why))
            return why;
        std::string epoch_text;
        if (value_of(query, "Epoch", epoch_text)
            && (!parse_number(epoch_text, epoch) || epoch < 1900.0 || epoch > 2100.0))
            return "Bad Epoch <" + epoch_text + ">: expected a year 1900..2100";
        Sky_object object;
        value_of(query, "Name", object.name);
        object.name = one_line(object.name, 64);
        precess(ra, dec, epoch, 2000.0, object.ra2000, object.dec2000);
        telescope.store_object(object, now);
        if (cmd == "Send") {
            ok = true;
            return "Object " + (object.name.empty() ? std::string("(no name)") : object.name)
                   + " stored: RA " + ra_text + " Dec " + dec_text + " epoch " + fixed("%.1f", epoch);
        }
    }
    why = telescope.slew(now);
    if (!why.empty())
        return why;
    ok = true;
    const Telescope_state s = telescope.state(now);
    return "Slewing to " + (s.object.name.empty() ? std::string("object") : s.object.name)
           + " (J2000 " + hms_text(s.object.ra2000) + " " + dms_text(s.object.dec2000) + ")";
}

std::string Orvex_sim_service::correct(const Query &query, double now, bool &ok)
{
    ok = false;
    std::string h_text, d_text;
    double h, d;
    if (!value_of(query, "offHA", h_text) || !value_of(query, "offDec", d_text))
        return "Corr needs both offHA and offDec (arcsec)";
    if (!parse_number(h_text, h) || !parse_number(d_text, d))
        return "Bad offsets <" + h_text + "> <" + d_text + ">: expected numbers (arcsec)";
    const std::string why = telescope.correct(h, d, now);
    if (!why.empty())
        return why;
    ok = true;
    return "Offsets set: offHA=" + fixed("%.2f", h) + " offDec=" + fixed("%.2f", d) + " arcsec";
}

Sim_reply Orvex_sim_service::send_command(const Query &query, double now)
{
    std::lock_guard<std::mutex> lock(mutex);
    std::string why;
    const Sim_user *u = check_user(query, why);
    if (!u)
        return {200, command_body(why, false)};
    std::string cmd;
    if (!value_of(query, "Cmd", cmd))
        return {200, command_body("No command: Cmd is missing", false)};
    int needed;
    if (cmd == "Send")
        needed = 2;
    else if (cmd == "Slew" || cmd == "Stop" || cmd == "Corr")
        needed = 3;
    else
        return {200, command_body("Unknown command <" + cmd + ">: use Send, Slew, Stop or Corr", false)};
    if (u->level < needed)
        return {200, command_body("Permission denied: " + cmd + " needs level " + std::to_string(needed)
                                      + ", user " + u->name + " has level " + std::to_string(u->level),
                                  false)};
    bool ok = true;
    std::string message;
    if (cmd == "Stop") {
        telescope.stop(now);
        message = "Telescope stopped";
    } else if (cmd == "Corr") {
        message = correct(query, now, ok);
    } else {
        message = send_or_slew(cmd, query, now, ok);
    }
    return {200, command_body(message, ok)};
}

Sim_reply Orvex_sim_service::horizon(const Query &query) const
{
    if (query.count("dir"))
        return {200, horizon_body(true)};
    if (query.count("rev"))
        return {200, horizon_body(false)};
    return {400, "Unknown horizon: ask ?dir or ?rev\n"};
}

std::string Orvex_sim_service::dump(double now)
{
    std::lock_guard<std::mutex> lock(mutex);
    const Telescope_state s = telescope.state(now);
    std::string b;
    b += "time=" + log_time_text(now) + "\n";
    b += "sidereal=" + hms_text(s.sidereal) + "\n";
    b += "mode=" + s.mode_text + "\n";
    b += "event=" + telescope.last_event() + "\n";
    b += "ra=" + hms_text(s.ra) + " dec=" + dms_text(s.dec) + " (of date)\n";
    b += "ha=" + fixed("%.2f", s.hour_angle) + " s\n";
    b += "azimuth=" + fixed("%.1f", s.azimuth) + " zenith=" + fixed("%.1f", s.zenith) + " arcsec\n";
    b += "rate_ha=" + fixed("%.4f", s.vha) + " s/s rate_dec=" + fixed("%.2f", s.vdec) + " arcsec/s\n";
    b += "offsets=" + fixed("%.2f", s.off_ha) + " " + fixed("%.2f", s.off_dec) + " arcsec\n";
    b += std::string("flip=") + (s.flip ? "Yes" : "No") + "\n";
    b += "object=" + (s.has_object ? s.object.name + " " + hms_text(s.object.ra2000) + " "
                                         + dms_text(s.object.dec2000)
                                   : std::string("none"))
         + "\n";
    return b;
}

} // namespace orvex_sim
