#ifndef SHELL_TEST_HOST_H
#define SHELL_TEST_HOST_H

// A quiet TCS web host on 127.0.0.1: it answers the users list and the
// horizon so that building a main window opens no warning box, and every
// other script with an empty page.
#include <httplib.h>

#include <QByteArray>

#include <chrono>
#include <thread>

class Shell_test_host
{
public:
    Shell_test_host()
    {
        answer("/tcs/orvex_users_all.cgi", "observer Night observer\nguest Guest account\n");
        answer("/tcs/orvex_horizon.php", "0 10\n90 5\n180 10\n270 5\n");
        answer(".*", "");
        const int port = server.bind_to_any_port("127.0.0.1");
        thread = std::thread([this] { server.listen_after_bind(); });
        while (!server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        qputenv("ORVEX_TCS_HOST", "127.0.0.1:" + QByteArray::number(port));
    }
    ~Shell_test_host() { server.stop(); thread.join(); }

private:
    void answer(const char *path, const char *body)
    {
        server.Get(path, [body](const httplib::Request &, httplib::Response &res) {
            res.set_content(body, "text/plain");
        });
    }

    httplib::Server server;
    std::thread thread;
};

#endif
