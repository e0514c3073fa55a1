#include "orvex_tcs_command.h"

#include "orvex_number.h"
#include "orvex_reply_text.h"

#include <QRegularExpression>

#include <cmath>

namespace {

// "State=Ok" after trimming: the text after the first "=" must be "Ok".
bool state_line_ok(const QString &line)
{
    const QString t = line.trimmed();
    const int eq = t.indexOf(QLatin1Char('='));
    return eq >= 0 && t.mid(eq + 1) == QLatin1String("Ok");
}

void take_state_line(Orvex_command_reply &r, const QString &line)
{
    if (!line.startsWith(QLatin1String("State")))
        return;
    r.has_state = true;
    r.state_ok = state_line_ok(line);
}

} // namespace

bool ra_text_ok(const QString &ra)
{
    static const QRegularExpression re(QStringLiteral("\\A[0-9]+:[0-9]+:[0-9]+[.0-9]*\\z"));
    return ra.size() >= 3 && re.match(ra).hasMatch();
}

bool decl_text_ok(const QString &decl)
{
    static const QRegularExpression re(QStringLiteral("\\A[+-]*[0-9]+:[0-9]+:[0-9]+[.0-9]*\\z"));
    return decl.size() >= 3 && re.match(decl).hasMatch();
}

bool epoch_text_ok(const QString &epoch)
{
    double v = 0;
    return epoch.size() > 3 && read_number(epoch, v) && v >= 1950.0 && v < 2099.0;
}

bool offsets_ok(const QString &off_ha, const QString &off_dec)
{
    double h = 0, d = 0;
    if (off_ha.isEmpty() || off_dec.isEmpty())
        return false;
    // "nan" and "inf" are refused too: they would move the telescope
    // nowhere sensible.
    if (!read_number(off_ha, h) || !read_number(off_dec, d))
        return false;
    return std::fabs(h) > 0.005 || std::fabs(d) > 0.05;
}

Orvex_form_error command_query(const QString &user, const QString &passwd,
                               const QString &cmd, const Orvex_command_form &form,
                               Orvex_query &query)
{
    query.clear();
    if (passwd.isEmpty())
        return Orvex_form_error::empty_password;
    Orvex_query q{{QStringLiteral("User"), user}, {QStringLiteral("Pass"), passwd}};
    if (cmd.startsWith(QLatin1Char('S'))) {
        const QString ra = form.ra.simplified();
        if (!ra_text_ok(ra))
            return Orvex_form_error::bad_ra;
        q.append({QStringLiteral("RA"), ra});
        const QString decl = form.decl.simplified();
        if (!decl_text_ok(decl))
            return Orvex_form_error::bad_decl;
        q.append({QStringLiteral("Dec"), decl});
        const QString epoch = form.epoch.simplified();
        if (epoch_text_ok(epoch))
            q.append({QStringLiteral("Epoch"), epoch});
        const QString name = form.name.simplified();
        if (!name.isEmpty())
            q.append({QStringLiteral("Name"), name});
        q.append({QStringLiteral("Mess"), QStringLiteral("from Orvex_Obj_List")});
    } else if (cmd.startsWith(QLatin1String("Cor"))) {
        const QString h = form.off_ha.simplified();
        const QString d = form.off_dec.simplified();
        if (!offsets_ok(h, d))
            return Orvex_form_error::bad_offsets;
        q.append({QStringLiteral("offHA"), h});
        q.append({QStringLiteral("offDec"), d});
    }
    q.append({QStringLiteral("Cmd"), cmd});
    query = q;
    return Orvex_form_error::none;
}

Orvex_form_error stop_query(const QString &user, const QString &passwd,
                            Orvex_query &query)
{
    query.clear();
    if (passwd.isEmpty())
        return Orvex_form_error::empty_password;
    query = {{QStringLiteral("User"), user},
             {QStringLiteral("Pass"), passwd},
             {QStringLiteral("Cmd"), QStringLiteral("Stop")}};
    return Orvex_form_error::none;
}

const char *form_error_message(Orvex_form_error error)
{
    switch (error) {
    case Orvex_form_error::none: return "";
    case Orvex_form_error::empty_password: return "Empty Orvex password!";
    case Orvex_form_error::bad_ra: return "Wrong or Empty R.A.!";
    case Orvex_form_error::bad_decl: return "Wrong or Empty Decl.";
    case Orvex_form_error::bad_offsets: return "Wrong or Empty Offsets";
    }
    return "";
}

QString form_error_log_line(Orvex_form_error error, const Orvex_command_form &form)
{
    switch (error) {
    case Orvex_form_error::none: return QString();
    case Orvex_form_error::empty_password: return QStringLiteral("Empty Orvex password!");
    case Orvex_form_error::bad_ra:
        return QStringLiteral("Wrong or Empty R.A. <") + form.ra.simplified() + QLatin1Char('>');
    case Orvex_form_error::bad_decl:
        return QStringLiteral("Wrong or Empty Decl. <") + form.decl.simplified() + QLatin1Char('>');
    case Orvex_form_error::bad_offsets: return QStringLiteral("Wrong or Empty Offsets");
    }
    return QString();
}

Orvex_command_reply read_command_reply(const QByteArray &body)
{
    Orvex_command_reply r;
    const QList<QByteArray> raw = split_reply_lines(body);
    for (const QByteArray &line : raw)
        r.lines.append(reply_line_text(line));
    if (r.lines.isEmpty())
        return r;
    r.first_line = reply_text_for_display(r.lines.at(0));
    if (r.lines.size() > 1) {
        if (r.lines.at(1).startsWith(QLatin1String("State")))
            take_state_line(r, r.lines.at(1));
        else
            r.stat_msg = reply_text_for_display(r.lines.at(1));
    }
    for (int i = 2; i < r.lines.size(); ++i)
        take_state_line(r, r.lines.at(i));
    return r;
}
