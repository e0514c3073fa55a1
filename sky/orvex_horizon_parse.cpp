#include "orvex_horizon_parse.h"

#include "orvex_number.h"

#include <QList>

namespace {

double field_value(const QList<QByteArray> &fields, int i)
{
    return i < fields.size() ? number_or_zero(fields.at(i)) : 0.0;
}

// The set's name counts only after the header's first character (the "#").
void apply_header(const QByteArray &text, bool &reverse)
{
    if (text.indexOf("direct") > 0)
        reverse = false;
    else if (text.indexOf("reverse") > 0)
        reverse = true;
}

HorizonPoint point_from(const QByteArray &text)
{
    const QList<QByteArray> fields = text.split(' ');
    HorizonPoint p;
    // The host counts azimuth from the north; the view counts from the south.
    p.az = field_value(fields, 0) + 180.0;
    if (p.az > 360.0)
        p.az -= 360.0;
    p.zd = 90.0 - field_value(fields, 1);
    return p;
}

} // namespace

Horizon_reply parse_horizon_reply(const QByteArray &body, bool asked_reverse)
{
    Horizon_reply reply;
    // A host that sends bare points answers the question it was asked: a
    // 'reverse' profile must never overwrite the 'direct' one.
    reply.reverse = asked_reverse;
    int start = 0;
    while (start < body.size()) {
        int end = body.indexOf('\n', start);
        end = end < 0 ? body.size() : end + 1;
        const QByteArray raw = body.mid(start, end - start);
        start = end;

        const QByteArray text = raw.simplified();
        if (raw.startsWith('#')) {
            if (reply.points.isEmpty())
                apply_header(text, reply.reverse);
            continue;
        }
        // Lines past the limit are still read, and dropped.
        if (reply.points.size() < horizon_max_points)
            reply.points.append(point_from(text));
    }
    return reply;
}
