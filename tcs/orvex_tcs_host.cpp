#include "orvex_tcs_host.h"

#include <QByteArray>
#include <QtGlobal>

#ifndef ORVEX_DEFAULT_TCS_HOST
#define ORVEX_DEFAULT_TCS_HOST "orvex-tcs"
#endif

QString default_tcs_host()
{
    const QByteArray env = qgetenv("ORVEX_TCS_HOST").trimmed();
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
    return QStringLiteral(ORVEX_DEFAULT_TCS_HOST);
}
