#ifndef SHELL_TEST_HOST_H
#define SHELL_TEST_HOST_H

// A quiet TCS web host on 127.0.0.1: it answers the users list and the
// horizon so that building a main window opens no warning box, and every
// other script with an empty page.
#include "common/orvex_test_http.h"

class Shell_test_host : public Orvex_test_http
{
public:
    Shell_test_host()
    {
        bodies["/tcs/orvex_users_all.cgi"] = "observer Night observer\nguest Guest account\n";
        bodies["/tcs/orvex_horizon.php"] = "0 10\n90 5\n180 10\n270 5\n";
        bodies["*"] = "";
        qputenv("ORVEX_TCS_HOST", host().toLatin1());
    }
};

#endif
