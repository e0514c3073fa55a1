#ifndef SHELL_TEST_HOST_H
#define SHELL_TEST_HOST_H

// A quiet TCS web host on 127.0.0.1 for the shell tests: it answers the
// users list and the horizon so that building a main window opens no
// warning box, and every other script with an empty page.

#include <httplib.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QtGlobal>

#include <chrono>
#include <thread>

class Shell_test_host
{
public:
    Shell_test_host()
    {
        server.Get("/tcs/orvex_users_all.cgi",
                   [](const httplib::Request &, httplib::Response &res) {
                       res.set_content("observer Night observer\nguest Guest account\n",
                                       "text/plain");
                   });
        server.Get("/tcs/orvex_horizon.php",
                   [](const httplib::Request &, httplib::Response &res) {
                       res.set_content("0 10\n90 5\n180 10\n270 5\n", "text/plain");
                   });
        server.Get(".*", [](const httplib::Request &, httplib::Response &res) {
            res.set_content("", "text/plain");
        });
        port = server.bind_to_any_port("127.0.0.1");
        thread = std::thread([this] { server.listen_after_bind(); });
        while (!server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        qputenv("ORVEX_TCS_HOST", "127.0.0.1:" + QByteArray::number(port));
    }

    ~Shell_test_host()
    {
        server.stop();
        thread.join();
    }

private:
    httplib::Server server;
    std::thread thread;
    int port = 0;
};

// Copies the named data files from the build's program folder into a
// fresh folder, so a test decides which files are "beside the program".
inline bool copy_data(const QString &from_dir, const QString &to_dir,
                      const QStringList &names)
{
    for (const QString &n : names) {
        QFile::remove(to_dir + QLatin1Char('/') + n);
        if (!QFile::copy(from_dir + QLatin1Char('/') + n,
                         to_dir + QLatin1Char('/') + n))
            return false;
    }
    return true;
}

#endif
