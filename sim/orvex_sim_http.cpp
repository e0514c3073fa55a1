#include "orvex_sim_http.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace orvex_sim {

namespace {

using Kind = Request_frame::Kind;

Request_frame refused(int status, const std::string &reason)
{
    Request_frame f;
    f.kind = Kind::refused;
    f.status = status;
    f.reason = reason;
    return f;
}

std::string lower(std::string s)
{
    for (char &c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string trimmed(const std::string &s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    std::size_t from = 0, to = s.size();
    while (from < to && blank(s[from]))
        ++from;
    while (to > from && blank(s[to - 1]))
        --to;
    return s.substr(from, to - from);
}

// A decimal or hexadecimal count; false if it is not one (empty, a sign,
// another character). Anything above max reads as max + 1.
bool read_count(const std::string &text, int base, std::size_t max, std::size_t &value)
{
    if (text.empty())
        return false;
    std::size_t v = 0;
    for (const char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        v = v * std::size_t(base) + std::size_t(digit);
        if (v > max) {
            value = max + 1;
            return true;
        }
    }
    value = v;
    return true;
}

// What the head says about the body.
struct Head
{
    std::size_t end = 0; // just after the empty line
    bool has_length = false, chunked = false, expect_continue = false;
    std::size_t length = 0;
};

// The chunked body starting at `at`: its end, or why it cannot be taken.
Request_frame frame_chunked(const std::string &b, std::size_t at, const Request_limits &limits)
{
    const std::size_t body_start = at;
    const auto too_large = [&](std::size_t end) { return end - body_start > limits.body; };
    bool last_chunk = false;
    for (;;) {
        const std::size_t eol = b.find('\n', at);
        if (eol == std::string::npos) {
            if (too_large(b.size()))
                return refused(413, "body too large");
            if (b.size() - at > limits.header_line)
                return refused(400, "bad chunk line");
            return Request_frame{};
        }
        if (too_large(eol + 1))
            return refused(413, "body too large");
        const std::string line = b.substr(at, eol - at);
        at = eol + 1;
        if (last_chunk) {
            // Trailer lines up to an empty one.
            if (line == "\r") {
                Request_frame f;
                f.kind = Kind::complete;
                f.length = at;
                return f;
            }
            continue;
        }
        std::size_t size = 0;
        if (!read_count(trimmed(line.substr(0, line.find(';'))), 16, limits.body, size))
            return refused(400, "bad chunk size");
        if (size > limits.body || too_large(at + size))
            return refused(413, "body too large");
        if (size == 0) {
            last_chunk = true;
            continue;
        }
        if (b.size() < at + size + 2)
            return Request_frame{};
        if (b.compare(at + size, 2, "\r\n") != 0)
            return refused(400, "bad chunk end");
        at += size + 2;
    }
}

} // namespace

Request_frame frame_request(const std::string &b, const Request_limits &limits)
{
    const std::size_t first_eol = b.find('\n');
    if (first_eol == std::string::npos ? b.size() > limits.request_line
                                       : first_eol + 1 > limits.request_line)
        return refused(414, "request line too long");
    if (first_eol == std::string::npos)
        return Request_frame{};

    // Only a line of CR LF ends the head, as for the library.
    Head head;
    std::size_t at = first_eol + 1, count = 0;
    std::string length_text;
    int lengths = 0, encodings = 0;
    for (;;) {
        const std::size_t eol = b.find('\n', at);
        const std::size_t end = eol == std::string::npos ? b.size() : eol + 1;
        if (end - at > limits.header_line || end > limits.head)
            return refused(431, "headers too large");
        if (eol == std::string::npos)
            return Request_frame{};
        const std::string line = b.substr(at, eol - at);
        at = end;
        if (line == "\r")
            break;
        if (++count > limits.headers)
            return refused(431, "too many headers");
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        const std::string name = lower(line.substr(0, colon));
        const std::string value = trimmed(line.substr(colon + 1));
        if (name == "content-length") {
            if (lengths++ && value != length_text)
                return refused(400, "two body lengths");
            length_text = value;
        } else if (name == "transfer-encoding") {
            ++encodings;
            head.chunked = lower(value) == "chunked";
            if (!head.chunked)
                return refused(400, "unknown transfer encoding");
        } else if (name == "expect") {
            head.expect_continue = lower(value) == "100-continue";
        }
    }
    head.end = at;
    if (encodings > 1 || (encodings && lengths))
        return refused(400, "unclear body length");
    if (lengths) {
        if (!read_count(length_text, 10, limits.body, head.length))
            return refused(400, "bad body length");
        if (head.length > limits.body)
            return refused(413, "body too large");
    }

    Request_frame f;
    if (head.chunked) {
        f = frame_chunked(b, head.end, limits);
        if (f.kind == Kind::incomplete)
            f.waits_for_continue = head.expect_continue;
        return f;
    }
    if (b.size() < head.end + head.length) {
        f.waits_for_continue = head.expect_continue;
        return f;
    }
    f.kind = Kind::complete;
    f.length = head.end + head.length;
    return f;
}

namespace {

using Clock = std::chrono::steady_clock;

int milliseconds(time_t sec, time_t usec) { return int(sec * 1000 + usec / 1000); }

std::string numeric_address(const sockaddr_storage &a, socklen_t len, int &port)
{
    char host[NI_MAXHOST] = "", serv[NI_MAXSERV] = "";
    if (getnameinfo(reinterpret_cast<const sockaddr *>(&a), len, host, sizeof host, serv,
                    sizeof serv, NI_NUMERICHOST | NI_NUMERICSERV) != 0) {
        port = -1;
        return std::string();
    }
    port = std::atoi(serv);
    return host;
}

// One framed request as the library reads it, from memory; its answer goes
// straight to the connection.
class Framed_stream : public httplib::Stream
{
public:
    Framed_stream(socket_t sock, const char *data, std::size_t size, int write_ms)
        : sock(sock), data(data), size(size), write_ms(write_ms) {}

    bool is_readable() const override { return at < size; }
    // Ready to take bytes; a client that has only stopped sending still reads.
    bool is_writable() const override
    {
        pollfd p{sock, POLLOUT, 0};
        int r;
        do
            r = poll(&p, 1, write_ms);
        while (r < 0 && errno == EINTR);
        return r > 0 && (p.revents & POLLOUT);
    }
    ssize_t read(char *ptr, std::size_t n) override
    {
        n = std::min(n, size - at);
        std::memcpy(ptr, data + at, n);
        at += n;
        return ssize_t(n);
    }
    ssize_t write(const char *ptr, std::size_t n) override
    {
        if (!is_writable())
            return -1;
        ssize_t r;
        do
            r = send(sock, ptr, n, MSG_NOSIGNAL);
        while (r < 0 && errno == EINTR);
        return r;
    }
    void get_remote_ip_and_port(std::string &ip, int &port) const override
    {
        sockaddr_storage a{};
        socklen_t len = sizeof a;
        ip = getpeername(sock, reinterpret_cast<sockaddr *>(&a), &len) == 0
                 ? numeric_address(a, len, port) : std::string();
    }
    void get_local_ip_and_port(std::string &ip, int &port) const override
    {
        sockaddr_storage a{};
        socklen_t len = sizeof a;
        ip = getsockname(sock, reinterpret_cast<sockaddr *>(&a), &len) == 0
                 ? numeric_address(a, len, port) : std::string();
    }
    socket_t socket() const override { return sock; }

private:
    socket_t sock;
    const char *data;
    std::size_t size;
    std::size_t at = 0;
    int write_ms;
};

enum class Got { data, end, quiet, failed };

// Waits up to wait_ms for bytes (in short steps, so that stopping the
// server is seen) and appends what came.
template <typename Running>
Got receive(socket_t sock, std::string &into, int wait_ms, Running running)
{
    const auto until = Clock::now() + std::chrono::milliseconds(wait_ms);
    for (;;) {
        if (!running())
            return Got::failed;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
        if (left <= 0)
            return Got::quiet;
        pollfd p{sock, POLLIN, 0};
        const int r = poll(&p, 1, int(std::min<long long>(left, 100)));
        if (r < 0 && errno != EINTR)
            return Got::failed;
        if (r <= 0)
            continue;
        char buf[16384];
        const ssize_t n = recv(sock, buf, sizeof buf, 0);
        if (n > 0) {
            into.append(buf, std::size_t(n));
            return Got::data;
        }
        if (n == 0)
            return Got::end;
        if (errno != EINTR && errno != EAGAIN)
            return Got::failed;
    }
}

void send_all(socket_t sock, const std::string &text, int write_ms)
{
    std::size_t at = 0;
    while (at < text.size()) {
        pollfd p{sock, POLLOUT, 0};
        if (poll(&p, 1, write_ms) <= 0)
            return;
        const ssize_t n = send(sock, text.data() + at, text.size() - at, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        at += std::size_t(n);
    }
}

const char *status_text(int status)
{
    switch (status) {
    case 413: return "Payload Too Large";
    case 414: return "URI Too Long";
    case 431: return "Request Header Fields Too Large";
    default: return "Bad Request";
    }
}

// Stops sending, then reads what the client still sends for a short while
// before closing: closing with unread bytes would reset the connection and
// could take the last answer from the client before it read it.
void linger_and_close(socket_t sock)
{
    shutdown(sock, SHUT_WR);
    const auto until = Clock::now() + std::chrono::seconds(1);
    std::size_t drained = 0;
    char buf[16384];
    while (Clock::now() < until && drained < (std::size_t(16) << 20)) {
        pollfd p{sock, POLLIN, 0};
        if (poll(&p, 1, 100) < 0 && errno != EINTR)
            break;
        if (!(p.revents & (POLLIN | POLLHUP | POLLERR)))
            continue;
        const ssize_t n = recv(sock, buf, sizeof buf, 0);
        if (n <= 0 && !(n < 0 && errno == EINTR))
            break;
        if (n > 0)
            drained += std::size_t(n);
    }
    close(sock);
}

} // namespace

bool Orvex_http_server::running() const
{
    return svr_sock_ != INVALID_SOCKET;
}

bool Orvex_http_server::process_and_close_socket(socket_t sock)
{
    const int read_ms = milliseconds(read_timeout_sec_, read_timeout_usec_);
    const int write_ms = milliseconds(write_timeout_sec_, write_timeout_usec_);
    const int idle_ms = int(keep_alive_timeout_sec_ * 1000);
    const auto is_running = [this] { return running(); };
    std::string pending;
    bool client_done = false, ok = true, linger = false;
    for (std::size_t left = keep_alive_max_count_; left > 0 && running(); --left) {
        Request_frame f = frame_request(pending, limits);
        bool continue_sent = false;
        while (f.kind == Kind::incomplete && !client_done) {
            if (f.waits_for_continue && !continue_sent) {
                send_all(sock, "HTTP/1.1 100 Continue\r\n\r\n", write_ms);
                continue_sent = true;
            }
            // Between requests the connection may idle; within one, each
            // read must come soon.
            const Got got = receive(sock, pending, pending.empty() ? idle_ms : read_ms, is_running);
            if (got == Got::end)
                client_done = true;
            else if (got != Got::data)
                break;
            f = frame_request(pending, limits);
        }
        if (f.kind == Kind::refused) {
            const std::string body = f.reason + "\n";
            send_all(sock, "HTTP/1.1 " + std::to_string(f.status) + " " + status_text(f.status)
                               + "\r\nContent-Type: text/plain\r\nContent-Length: "
                               + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body,
                     write_ms);
            if (on_refused) {
                std::string peer;
                int port = 0;
                Framed_stream(sock, nullptr, 0, write_ms).get_remote_ip_and_port(peer, port);
                on_refused(peer, f.status, f.reason);
            }
            linger = true;
            break;
        }
        if (f.kind != Kind::complete) {
            linger = !pending.empty();
            break;
        }
        // The last answer on this connection says so.
        const bool last = left == 1 || (client_done && pending.size() == f.length);
        Framed_stream strm(sock, pending.data(), f.length, write_ms);
        bool closed = false;
        ok = process_request(strm, last, closed, nullptr);
        pending.erase(0, f.length);
        if (!ok || closed || last) {
            linger = !pending.empty() || left == 1;
            break;
        }
    }
    if (linger) {
        linger_and_close(sock);
    } else {
        shutdown(sock, SHUT_RDWR);
        close(sock);
    }
    return ok;
}

} // namespace orvex_sim
