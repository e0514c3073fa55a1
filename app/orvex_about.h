#ifndef ORVEX_ABOUT_H
#define ORVEX_ABOUT_H

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTextEdit>

class QPushButton;
class QTextDocument;

// Where a button of size `button` sits at the bottom centre of a window of
// size `window`: centred, 2 pixels above the lower edge.
QPoint bottom_centre(const QSize &window, const QSize &button);

// A button of the About and Help windows, named so that connectSlotsByName
// wires its click to the window's on_<name>_clicked.
QPushButton *add_window_button(QWidget *window, const char *name, const QRect &geometry);

// The About window: a read-only rich-text page with the program's picture
// and a short description, rebuilt in the current language on request.
class Orvex_about : public QTextEdit
{
    Q_OBJECT

public:
    explicit Orvex_about(QWidget *parent = nullptr);

    // Builds a fresh document; the previous one is deleted once control is
    // back in the event loop, as it may still be painted until then.
    void build_text();
    // Night vision: the page in dark red, picture included.
    void set_night(bool on);

    QPushButton *close_btn;
    QTextDocument *about_doc = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void on_Close_clicked();

private:
    void set_texts();
    void place_close();
    QString description_html() const;
    void build_document(int table_width);

    static constexpr int page_margin = 20;
    bool night = false;
    int table_width = 0;
};

#endif
