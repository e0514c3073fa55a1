#ifndef ORVEX_REPLY_TEXT_H
#define ORVEX_REPLY_TEXT_H

#include <QByteArray>
#include <QString>

class QLabel;
class QMessageBox;

// Texts that come from outside the program (TCS replies and their reason
// phrases, the users list, list files, file names, error strings) on their
// way to the screen.

// A reply line as text, every byte of it: a NUL byte becomes a character
// like any other instead of ending the text (and swallowing the line feed
// behind it).
QString reply_line_text(const QByteArray &raw);

// A text from a reply as it is kept for showing: cut to a display length
// and with its control characters blanked, so no widget lays out megabytes
// or draws escape sequences.
QString reply_text_for_display(const QString &text);

// The toolkit takes any text that looks like markup for rich text: it draws
// its tags, loads every picture a tag names (from any file, on the GUI
// thread) and offers its links for opening. A label or message box that may
// show outside text is made plain once, when it is built: whatever it is
// given later shows character for character, and has no link to click.
void make_plain(QLabel *label);
void make_plain(QMessageBox *box);

// A tool tip has no text format of its own: it guesses like a label. A text
// that looks like markup comes back escaped inside one unbroken paragraph
// that keeps its blanks, so that it shows exactly as it is (on one line,
// like a tip in plain text), markup characters included; any other text
// comes back as it is.
QString plain_tool_tip(const QString &text);

#endif
