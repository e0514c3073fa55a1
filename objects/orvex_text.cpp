#include "orvex_text.h"

QString blank_controls(QString text, bool keep_line_feeds)
{
    for (QChar &c : text) {
        const ushort u = c.unicode();
        const bool control = u < 0x20 || (u >= 0x7f && u < 0xa0);
        if (control && !(keep_line_feeds && u == '\n'))
            c = QLatin1Char(' ');
    }
    return text;
}

QString clip_for_display(const QString &text, int max_chars)
{
    if (text.size() <= max_chars)
        return text;
    int cut = max_chars - 1;
    // Never split a surrogate pair: half a character shows as garbage.
    if (cut > 0 && text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut) + QChar(0x2026);
}
