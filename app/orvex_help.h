#ifndef ORVEX_HELP_H
#define ORVEX_HELP_H

#include <QTextBrowser>

class QPushButton;
class QTextCodec;
class QTextDocument;

// The Help window: the manual of the current language, with "^" back to its
// beginning (the anchor "begin").
class Orvex_help : public QTextBrowser
{
    Q_OBJECT

public:
    explicit Orvex_help(QWidget *parent = nullptr);

    // Sets the texts again and shows the manual at `path`; a missing or
    // unreadable file is reported and the previous manual stays.
    void load_help(const QString &path);
    // Scrolls to the anchor "begin"; a manual without one stays where it is
    // (the browser itself would jump to the top).
    void scroll_to_begin();
    // Night vision: the manual again, its colours in dim red (or back).
    void set_night(bool on);

    QPushButton *close_btn;
    QPushButton *begin_btn;
    QTextDocument *help_doc;
    QTextCodec *codec;
    QString shown_path; // the manual shown, read again for night vision
    bool night = false;

protected:
    void resizeEvent(QResizeEvent *event) override;

private slots:
    void on_Begin_clicked();
    void on_Close_clicked();

private:
    void set_texts();
};

#endif
