#ifndef ORVEX_LIST_H
#define ORVEX_LIST_H

#include "orvex_lst_format.h"
#include "orvex_object.h"

#include <QFrame>
#include <QString>
#include <QStringList>
#include <QVector>

class Orvex_sky;
class QGroupBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QResizeEvent;
class QTimer;

// The list window's widgets, built in code with fixed pixel geometry.
class Orvex_list_form
{
public:
    void build(QFrame *window);
    // Sets every translatable text again; the language switch calls it.
    void set_texts(QFrame *window);

    QGroupBox *orvex_btn_box = nullptr;
    QPushButton *orvex_clr_lst_btn = nullptr;
    QPushButton *orvex_get_lst_btn = nullptr;
    QWidget *orvex_obj_box = nullptr;
    QListWidget *orvex_obj_lst = nullptr;
};

// The objects list window: one display line per record of the shared list,
// line i showing obj_list[i]'s list line, cut to a displayable length. The
// records' whole list lines are what a save writes.
class Orvex_list : public QFrame
{
    Q_OBJECT

public:
    Orvex_list(QWidget *parent, Orvex_object_list *obj_list);
    ~Orvex_list() override;

    void set_partner(Orvex_sky *sky);
    void set_form_object(Orvex_object *form);
    void insert_object(int row, QString name, QString ra_text,
                       QString decl_text, QString epoch_text);
    void insert_comment(int row, QString text);
    void remove_row(int row);
    int current_row() const;
    void save_list();
    void select_from_sky(int row);
    void retranslate();

    // File work without dialogs. Reading appends every line of the file;
    // a failure is reported through file_error and on standard error.
    bool read_list_file(const QString &path);
    // Appends lines as if read from a file (no file, no last_file change).
    void append_lines(const QStringList &lines);
    void append_lines(const QVector<Orvex_lst_file_line> &lines);
    // Writes all list lines atomically: the old file stays whole unless the
    // new one was written completely. In a folder that takes no new file, an
    // existing writable file is written in place.
    bool write_list_file(const QString &path);
    // The whole list lines, in order.
    QStringList lines() const;

    // Dims the lines of objects below the horizon profile now, at the
    // current sidereal time; the lines' texts stay as they are.
    void refresh_visibility();
    // The same, only when the sidereal time or the horizon has moved on
    // since the last refresh (state replies come often).
    void sidereal_time_changed();
    // Where the object of a row stands and when it next crosses the
    // horizon: the row's tool tip, made when it is asked for. Empty for
    // a comment line.
    QString visibility_tool_tip(int row) const;
    // How often the dimming follows the sky without any state reply.
    static constexpr int visibility_refresh_ms = 30000;

    Orvex_list_form *ui;
    QString last_file;
    // The list has lines that no file holds: it was edited since it was
    // last read into an empty list, saved or cleared, or a file was added
    // to lines already there.
    bool modified = false;
    // The file the list is a copy of, edits aside: the one read into the
    // empty list or saved to last; null after lines were added to others.
    QString own_file;
    bool first_resize = true;
    int active_row = -1;

signals:
    // A list file could not be read or saved; the text names the file and
    // the reason and is meant for the main window's status bar.
    void file_error(const QString &message);

public slots:
    void on_orvex_clr_lst_btn_clicked();
    void on_orvex_get_lst_btn_clicked();

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Night vision changes the palette: the dimmed lines take its colour.
    void changeEvent(QEvent *event) override;

private slots:
    void orvex_list_click(QListWidgetItem *item);
    void orvex_list_doubleclick(QListWidgetItem *item);
    void orvex_list_choice(int row);

private:
    void load_form(int row);
    void renumber_from(int row);
    void tell_list_changed();
    void tell_current(int row);
    // Why a file was not read: the reason shown and the one for standard
    // error (null when the same); a null reason when it was read.
    struct Read_refusal
    {
        QString reason;
        QString log_reason;
    };
    Read_refusal read_list_bytes(const QString &path, QByteArray &bytes);
    static QString too_large_reason(bool translated);
    // Takes away the lines from row on, records and items alike.
    void drop_lines_from(int row);
    void report_file_error(const QString &message, const QString &log_line);
    // log_reason is the reason in English for standard error, when the
    // reason shown is a translated text.
    void report_read_error(const QString &path, const QString &reason,
                           const QString &log_reason = QString());

    // What the last dimming was computed for.
    struct Visibility_key
    {
        double lst = -1;
        bool flip_known = false, flip = false;
        int direct = -1, reverse = -1;
    };
    Visibility_key visibility_key() const;
    Visibility_key last_visibility;
    QTimer *visibility_timer;

    Orvex_sky *partner = nullptr;
    Orvex_object *form_object = nullptr;
    Orvex_object_list *obj_list;
};

#endif
