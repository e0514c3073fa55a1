#include "orvex_startup.h"

QStringList without_night_option(const QStringList &args, bool *night)
{
    QStringList rest;
    *night = false;
    for (int i = 0; i < args.size(); ++i) {
        if (i > 0 && args.at(i) == QLatin1String("--night"))
            *night = true;
        else
            rest << args.at(i);
    }
    return rest;
}

Orvex_host_flags host_flags(const QString &machine_host,
                            const QString &tcs_host, const QStringList &args)
{
    Orvex_host_flags flags;
    if (machine_host != tcs_host)
        return flags;
    flags.on_tcs_host = true;
    flags.not_local = args.size() < 2
                      || !args.at(1).startsWith(QLatin1String("local"));
    return flags;
}

QString host_line(const QString &machine_host, const QString &product,
                  const Orvex_host_flags &flags, const QStringList &args)
{
    QString line = machine_host + QLatin1Char('(');
    if (flags.on_tcs_host) {
        line += QLatin1String("@OrvexTCS;");
        if (args.size() >= 2)
            line += args.at(1) + QLatin1Char(';');
    }
    return line + product + QLatin1Char(')');
}
