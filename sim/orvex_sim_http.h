#ifndef ORVEX_SIM_HTTP_H
#define ORVEX_SIM_HTTP_H

#include <httplib.h>

#include <cstddef>
#include <functional>
#include <string>

namespace orvex_sim {

// How much of one request the simulator takes in before it refuses it.
struct Request_limits
{
    std::size_t request_line = 8192; // with its line end
    std::size_t header_line = 8192;
    std::size_t head = 16384;        // request line and all headers
    std::size_t headers = 100;
    std::size_t body = 65536;        // as sent, chunk sizes included
};

// Where the first request among the bytes received so far ends.
struct Request_frame
{
    enum class Kind { incomplete, complete, refused };
    Kind kind = Kind::incomplete;
    std::size_t length = 0;        // complete: head and body
    int status = 0;                // refused: 400, 413, 414 or 431
    std::string reason;            // refused: for the log and the reply
    bool waits_for_continue = false; // head read, body to come, "Expect: 100-continue"
};

// Finds the first request's end, or why it cannot be taken, without
// holding more than the limits allow: a request that breaks one is refused
// as soon as that shows.
Request_frame frame_request(const std::string &bytes, const Request_limits &limits);

// The HTTP library's server with its own reading of each connection. The
// library reads a request line and headers of any length into memory, a
// chunked body without limit, loses the requests a client sends before the
// previous answer, and takes a client that has finished sending for one
// that has gone. Here each request is framed within the limits first, then
// handed to the library's request handling from memory; requests on one
// connection are answered in order, also after the client's half-close.
class Orvex_http_server : public httplib::Server
{
public:
    Request_limits limits;
    // A refused request: the client's address, the status sent and why.
    std::function<void(const std::string &peer, int status, const std::string &reason)> on_refused;

private:
    bool process_and_close_socket(socket_t sock) override;
    bool running() const;
};

} // namespace orvex_sim

#endif
