#ifndef ORVEX_TEXT_H
#define ORVEX_TEXT_H

#include <QString>

// Texts from outside (TCS replies, list files, pasted form input) pass
// through these before they reach a terminal, a list line or a widget.

// Every control character (line ends, escapes, NUL, DEL, C1 controls)
// becomes a blank; line feeds stay when keep_line_feeds is set.
QString blank_controls(QString text, bool keep_line_feeds = false);

// Longest text a single widget line is given; longer texts are cut and end
// with an ellipsis, so the toolkit never lays out megabytes.
constexpr int display_max_chars = 300;
QString clip_for_display(const QString &text, int max_chars = display_max_chars);

#endif
