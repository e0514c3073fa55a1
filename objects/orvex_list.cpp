#include "orvex_list.h"

#include "orvex_lst_format.h"
#include "orvex_reply_text.h"
#include "orvex_sky.h"
#include "orvex_slew_guard.h"
#include "orvex_text.h"
#include "orvex_visibility.h"

#include <QFont>
#include <QGroupBox>
#include <QHelpEvent>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>
#include <QToolTip>

#include <cmath>

void Orvex_list_form::build(QFrame *window)
{
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("Orvex_list"));
    window->resize(550, 500);
    window->setFrameShape(QFrame::StyledPanel);
    window->setFrameShadow(QFrame::Raised);

    orvex_btn_box = new QGroupBox(window);
    orvex_btn_box->setObjectName(QStringLiteral("orvex_btn_box"));
    orvex_btn_box->setGeometry(0, 0, 569, 56);
    orvex_btn_box->setMinimumSize(0, 50);
    // 11 points: at 12 the title's end is cut off in both languages.
    QFont box_font;
    box_font.setPointSize(11);
    box_font.setItalic(true);
    orvex_btn_box->setFont(box_font);

    // The buttons would inherit the box's italics otherwise.
    QFont button_font;
    button_font.setPointSize(10);
    button_font.setBold(true);
    button_font.setItalic(false);
    button_font.setWeight(75);

    orvex_clr_lst_btn = new QPushButton(orvex_btn_box);
    orvex_clr_lst_btn->setObjectName(QStringLiteral("orvex_clr_lst_btn"));
    orvex_clr_lst_btn->setGeometry(5, 25, 131, 24);
    orvex_clr_lst_btn->setFont(button_font);

    orvex_get_lst_btn = new QPushButton(orvex_btn_box);
    orvex_get_lst_btn->setObjectName(QStringLiteral("orvex_get_lst_btn"));
    orvex_get_lst_btn->setGeometry(145, 25, 141, 24);
    orvex_get_lst_btn->setFont(button_font);

    orvex_obj_box = new QWidget(window);
    orvex_obj_box->setObjectName(QStringLiteral("orvex_obj_box"));
    orvex_obj_box->setGeometry(0, 50, 1920, 1080);

    orvex_obj_lst = new QListWidget(orvex_obj_box);
    orvex_obj_lst->setObjectName(QStringLiteral("orvex_obj_lst"));
    orvex_obj_lst->setGeometry(5, 5, 541, 441);
    QFont list_font;
    list_font.setFamily(QStringLiteral("Monospace"));
    list_font.setStyleHint(QFont::Monospace);
    list_font.setPointSize(10);
    orvex_obj_lst->setFont(list_font);
    // Every line is one line of one font: lets long lists lay out in
    // constant time per line instead of measuring each item.
    orvex_obj_lst->setUniformItemSizes(true);

    set_texts(window);
    QMetaObject::connectSlotsByName(window);
}

void Orvex_list_form::set_texts(QFrame *window)
{
    // The form is no QObject: its texts take the window class's context.
    window->setWindowTitle(Orvex_list::tr("Orvex List"));
    orvex_btn_box->setTitle(Orvex_list::tr("         LIst of observational objects."));
    orvex_clr_lst_btn->setToolTip(Orvex_list::tr("<html><head/><body><p>Clear objects list</p></body></html>"));
    orvex_clr_lst_btn->setText(Orvex_list::tr("Clear list"));
    orvex_get_lst_btn->setToolTip(Orvex_list::tr("<html><head/><body><p>Select .lst file, Read it and Add objects to list</p></body></html>"));
    orvex_get_lst_btn->setText(Orvex_list::tr("Read .lst file"));
}

Orvex_list::Orvex_list(QWidget *parent, Orvex_object_list *obj_list)
    : QFrame(parent), ui(new Orvex_list_form), visibility_timer(new QTimer(this)),
      obj_list(obj_list)
{
    ui->build(this);
    // Tool tips are made on hover: the crossing search is too slow to run
    // for every line of a long list on every refresh.
    ui->orvex_obj_lst->viewport()->installEventFilter(this);
    visibility_timer->setInterval(visibility_refresh_ms);
    connect(visibility_timer, &QTimer::timeout, this, &Orvex_list::refresh_visibility);
    visibility_timer->start();
    connect(ui->orvex_obj_lst, &QListWidget::itemClicked,
            this, &Orvex_list::orvex_list_click);
    connect(ui->orvex_obj_lst, &QListWidget::itemDoubleClicked,
            this, &Orvex_list::orvex_list_doubleclick);
    last_file = QString();
    // List lines print numbers with "." whatever the system locale says.
    QLocale::setDefault(QLocale::c());
}

Orvex_list::~Orvex_list()
{
    delete ui;
}

void Orvex_list::set_partner(Orvex_sky *sky) { partner = sky; }

void Orvex_list::set_form_object(Orvex_object *form) { form_object = form; }

void Orvex_list::retranslate() { ui->set_texts(this); }

void Orvex_list::insert_object(int row, QString name, QString ra_text,
                               QString decl_text, QString epoch_text)
{
    if (row < 0 || row > obj_list->size())
        return;
    // A line break pasted into a field would split the saved line in two.
    name = blank_controls(name);
    ra_text = blank_controls(ra_text);
    decl_text = blank_controls(decl_text);
    epoch_text = blank_controls(epoch_text);
    auto *record = new Orvex_object;
    record->index = row;
    if (lst_is_object_pair(ra_text, decl_text)) {
        record->list_line = lst_object_line(ra_text, decl_text, epoch_text, name);
        lst_fill_built_record(record, record->list_line, name, ra_text, decl_text, epoch_text);
    } else {
        record->list_line = lst_comment_line(name);
    }
    obj_list->insert(row, record);
    ui->orvex_obj_lst->insertItem(row, clip_for_display(record->list_line));
    renumber_from(row + 1);
    ui->orvex_obj_lst->setCurrentRow(row);
    active_row = row;
    modified = true;
    tell_list_changed();
}

void Orvex_list::insert_comment(int row, QString text)
{
    insert_object(row, text, QString(), QString(), QStringLiteral("2000.0"));
}

void Orvex_list::remove_row(int row)
{
    if (row < 0 || row >= obj_list->size())
        return;
    delete obj_list->takeAt(row);
    delete ui->orvex_obj_lst->takeItem(row);
    active_row = obj_list->isEmpty() ? 0 : ui->orvex_obj_lst->currentRow();
    renumber_from(row);
    modified = true;
    tell_list_changed();
}

int Orvex_list::current_row() const
{
    return obj_list->isEmpty() ? 0 : ui->orvex_obj_lst->currentRow();
}

void Orvex_list::on_orvex_clr_lst_btn_clicked()
{
    ui->orvex_obj_lst->clear();
    while (!obj_list->isEmpty())
        delete obj_list->takeLast();
    modified = false;
    own_file.clear();
    tell_current(-1);
}

// Below the horizon: the list's own text colour, faded.
static QBrush dimmed_brush(const QWidget *list)
{
    QColor c = list->palette().color(QPalette::Text);
    c.setAlpha(90);
    return QBrush(c);
}

Orvex_list::Visibility_key Orvex_list::visibility_key() const
{
    Visibility_key k;
    k.lst = sidereal_time;
    if (partner) {
        k.flip_known = partner->tel_flip_known;
        k.flip = partner->tel_flip;
        k.direct = partner->direct_count;
        k.reverse = partner->reverse_count;
    }
    return k;
}

void Orvex_list::refresh_visibility()
{
    last_visibility = visibility_key();
    const Orvex_horizon_line horizon(partner ? partner->horizon_sets() : Orvex_horizon_sets());
    QListWidget *list = ui->orvex_obj_lst;
    const QBrush dim = dimmed_brush(list);
    const int n = std::min(list->count(), int(obj_list->size()));
    for (int row = 0; row < n; ++row) {
        const Orvex_object *o = obj_list->at(row);
        const bool below = !o->is_comment
                           && !visibility_at(o->ra, o->decl, sidereal_time, horizon).above;
        QListWidgetItem *item = list->item(row);
        // Setting a role repaints the line: only where it changes.
        const QVariant now = item->data(Qt::ForegroundRole);
        if (below && now.value<QBrush>() != dim)
            item->setForeground(dim);
        else if (!below && now.isValid())
            item->setData(Qt::ForegroundRole, QVariant());
    }
}

void Orvex_list::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        refresh_visibility();
}

void Orvex_list::sidereal_time_changed()
{
    const Visibility_key k = visibility_key();
    const Visibility_key &o = last_visibility;
    // Ten sidereal seconds move an object by 2.5 minutes of arc.
    if (std::abs(k.lst - o.lst) < 10 && (k.lst < 0) == (o.lst < 0) && k.flip_known == o.flip_known
        && k.flip == o.flip && k.direct == o.direct && k.reverse == o.reverse)
        return;
    refresh_visibility();
}

QString Orvex_list::visibility_tool_tip(int row) const
{
    if (row < 0 || row >= obj_list->size() || obj_list->at(row)->is_comment)
        return QString();
    const Orvex_object *o = obj_list->at(row);
    const Orvex_horizon_line horizon(partner ? partner->horizon_sets() : Orvex_horizon_sets());
    const Orvex_visibility v = visibility_at(o->ra, o->decl, sidereal_time, horizon);
    const Orvex_crossing c = next_crossing(o->ra, o->decl, sidereal_time, horizon);
    return plain_tool_tip(visibility_text(v, c));
}

bool Orvex_list::eventFilter(QObject *watched, QEvent *event)
{
    QListWidget *list = ui->orvex_obj_lst;
    if (watched != list->viewport() || event->type() != QEvent::ToolTip)
        return QFrame::eventFilter(watched, event);
    auto *help = static_cast<QHelpEvent *>(event);
    QListWidgetItem *item = list->itemAt(help->pos());
    const QString tip = item ? visibility_tool_tip(list->row(item)) : QString();
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tip, list->viewport(), list->visualItemRect(item));
    }
    return true;
}

QStringList Orvex_list::lines() const
{
    QStringList out;
    out.reserve(obj_list->size());
    for (const Orvex_object *record : *obj_list)
        out.append(record->list_line);
    return out;
}

void Orvex_list::append_lines(const QStringList &lines)
{
    QVector<Orvex_lst_file_line> read;
    read.reserve(lines.size());
    for (const QString &line : lines)
        read.append({line, QByteArray()});
    append_lines(read);
}

void Orvex_list::append_lines(const QVector<Orvex_lst_file_line> &lines)
{
    int next_index = obj_list->size();
    obj_list->reserve(next_index + lines.size());
    QStringList shown;
    shown.reserve(lines.size());
    for (const Orvex_lst_file_line &line : lines) {
        auto *record = new Orvex_object;
        record->index = next_index;
        obj_list->append(record);
        ++next_index;
        lst_fill_record(record, lst_parse_line(line.text));
        record->list_line = line.text;
        record->list_bytes = line.bytes;
        shown.append(clip_for_display(line.text));
    }
    // One batch insertion: item by item, a long file would spend most of
    // its time in the widget's per-row bookkeeping and repaints.
    QListWidget *list = ui->orvex_obj_lst;
    const bool updates = list->updatesEnabled();
    list->setUpdatesEnabled(false);
    list->addItems(shown);
    list->setUpdatesEnabled(updates);
    // Lines added to others make a list that no file holds; a file read
    // into the empty list is set unchanged by the reader.
    if (!lines.isEmpty()) {
        modified = true;
        if (next_index > lines.size())
            own_file.clear();
    }
    tell_list_changed();
}

void Orvex_list::drop_lines_from(int row)
{
    while (obj_list->size() > row)
        delete obj_list->takeLast();
    QListWidget *list = ui->orvex_obj_lst;
    while (list->count() > row)
        delete list->takeItem(list->count() - 1);
    tell_list_changed();
}

void Orvex_list::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    // The first resize comes with the first show and keeps the designed
    // layout; later ones stretch the list and the button box with the window.
    if (first_resize) {
        first_resize = false;
        return;
    }
    const QSize delta = event->size() - event->oldSize();
    ui->orvex_obj_lst->resize(ui->orvex_obj_lst->size() + delta);
    ui->orvex_btn_box->resize(ui->orvex_btn_box->width() + delta.width(),
                              ui->orvex_btn_box->height());
}

// A click selects an object in the sky; a click on the line chosen last
// (just inserted, clicked or picked in the sky) loads it into the form.
void Orvex_list::orvex_list_click(QListWidgetItem *item)
{
    const int row = ui->orvex_obj_lst->row(item);
    if (row < 0 || row >= obj_list->size())
        return;
    if (!obj_list->at(row)->is_comment) {
        if (row == active_row)
            load_form(row);
        tell_current(row);
    }
    active_row = row;
}

void Orvex_list::orvex_list_doubleclick(QListWidgetItem *item)
{
    const int row = ui->orvex_obj_lst->row(item);
    if (row < 0 || row >= obj_list->size())
        return;
    if (!obj_list->at(row)->is_comment) {
        load_form(row);
        tell_current(row);
    }
    active_row = row;
}

// The sky view has already selected the object itself, so it is not told.
void Orvex_list::select_from_sky(int row)
{
    if (row < 0 || row >= ui->orvex_obj_lst->count() || row >= obj_list->size())
        return;
    ui->orvex_obj_lst->setCurrentRow(row);
    if (!obj_list->at(row)->is_comment && row == active_row)
        load_form(row);
    active_row = row;
}

void Orvex_list::orvex_list_choice(int row)
{
    if (row < 0 || row >= obj_list->size())
        return;
    if (obj_list->at(row)->is_comment)
        return;
    load_form(row);
    tell_current(row);
}

void Orvex_list::load_form(int row)
{
    if (!form_object)
        return;
    const Orvex_object *record = obj_list->at(row);
    form_object->set_form(record->name, record->ra_text, record->decl_text,
                          record->epoch_text);
}

void Orvex_list::renumber_from(int row)
{
    for (int i = row; i < obj_list->size(); ++i)
        obj_list->at(i)->index = i;
}

void Orvex_list::tell_list_changed()
{
    refresh_visibility();
    if (partner)
        partner->list_changed();
}

void Orvex_list::tell_current(int row)
{
    if (partner)
        partner->set_current(row);
}
