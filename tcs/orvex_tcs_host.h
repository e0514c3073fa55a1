#ifndef ORVEX_TCS_HOST_H
#define ORVEX_TCS_HOST_H

#include <QString>

// The TCS web host: the build's default name, unless the environment
// variable ORVEX_TCS_HOST (host or host:port) names another.
QString default_tcs_host();

#endif
