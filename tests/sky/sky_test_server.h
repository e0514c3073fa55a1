#ifndef SKY_TEST_SERVER_H
#define SKY_TEST_SERVER_H

// A horizon host on 127.0.0.1 for the sky tests: answers
// /tcs/orvex_horizon.php?dir and ?rev with the body, status and delay set
// for each tag, on a thread of its own, and records what was asked.

#include <httplib.h>

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QtGlobal>

#include <chrono>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

class Sky_test_server
{
public:
    struct Answer
    {
        std::string body;
        int status = 200;
        int delay_ms = 0;
    };

    Sky_test_server()
    {
        clock.start();
        server.Get("/tcs/orvex_horizon.php",
                   [this](const httplib::Request &req, httplib::Response &res) {
                       const std::string tag = req.has_param("rev") ? "rev" : "dir";
                       Answer a;
                       {
                           std::lock_guard<std::mutex> lock(mutex);
                           requests.push_back(tag);
                           times.push_back(clock.elapsed());
                           a = answers[tag];
                       }
                       if (a.delay_ms > 0)
                           std::this_thread::sleep_for(
                               std::chrono::milliseconds(a.delay_ms));
                       res.status = a.status;
                       res.set_content(a.body, "text/plain");
                   });
        port = server.bind_to_any_port("127.0.0.1");
        thread = std::thread([this] { server.listen_after_bind(); });
        // stop() is a no-op until the accept loop runs.
        while (!server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    ~Sky_test_server()
    {
        server.stop();
        thread.join();
    }

    QByteArray host() const
    {
        return "127.0.0.1:" + QByteArray::number(port);
    }

    void answer(const std::string &tag, const std::string &body,
                int status = 200, int delay_ms = 0)
    {
        std::lock_guard<std::mutex> lock(mutex);
        answers[tag] = Answer{body, status, delay_ms};
    }

    std::vector<std::string> asked()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return requests;
    }

    std::vector<qint64> asked_at()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return times;
    }

    void forget()
    {
        std::lock_guard<std::mutex> lock(mutex);
        requests.clear();
        times.clear();
        clock.restart();
    }

    // Milliseconds since construction or the last forget().
    qint64 now()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return clock.elapsed();
    }

private:
    httplib::Server server;
    std::thread thread;
    int port = 0;
    std::mutex mutex;
    std::map<std::string, Answer> answers;
    std::vector<std::string> requests;
    std::vector<qint64> times;
    QElapsedTimer clock;
};

#endif
