#ifndef ORVEX_NIGHT_H
#define ORVEX_NIGHT_H

#include <QColor>
#include <QPalette>
#include <QString>

class QLabel;
class QMessageBox;
class QPushButton;
class QWidget;

// Night vision: every window dark, with dim red only, so that the observer's
// eyes stay adapted to the dark. The program's state logic keeps working on
// its day colours; the night mapping is laid over them while it is on.

// Whether night vision is on for the whole program (off at start).
bool night_vision();

// Switches the application's palette: the dark red one while on, the one it
// had before when off again. Labels and buttons coloured by the program are
// refreshed through night_refresh_label and night_refresh_button.
void set_night_vision(bool on);

// The dark red palette: every role of every group.
QPalette night_palette();

// A dim red colour of about the brightness of c (for colours with no role of
// their own, such as a picture's pixels or the manual's inline colours).
QColor night_shade(const QColor &c);

// The night colours of a status label coloured text_color on back_color by
// day: every state the day colours tell apart keeps its own brightness.
struct Night_label_colors
{
    QColor text;
    QColor back;
};
Night_label_colors night_label_colors(const QColor &day_text, const QColor &day_back);

// Keeps a status label's day colours on it (an invalid colour: that role
// was not given); night_refresh_label then shows them.
void keep_day_colors(QLabel *label, const QColor &text, const QColor &back);
// Shows a label's kept day colours in the current mode, mapped by night;
// a label the program never coloured is left alone.
void night_refresh_label(QLabel *label);

// The style sheet of a command button: dark text when enabled, grey when not
// by day; two reds of different brightness by night.
QString button_style(bool enabled);
// Gives a command button the style sheet of the current mode, keeping
// whether it looked enabled.
void night_refresh_button(QPushButton *button);

// By night, a message box's icon in dim red (the style's icons are in
// colour); by day nothing.
void night_box(QMessageBox *box);

// The page with every colour it names in its night shade (the manual shows
// the label colours in colour): a label's pair as the label shows it.
QString night_shade_html(const QString &html);

#endif
