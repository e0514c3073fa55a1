#include "orvex_help.h"

#include "orvex_about.h"
#include "orvex_log.h"
#include "orvex_night.h"

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextCodec>
#include <QTextBlock>
#include <QTextDocument>

namespace {
bool has_anchor(const QTextDocument *doc, const QString &name)
{
    for (QTextBlock b = doc->begin(); b != doc->end(); b = b.next())
        for (QTextBlock::iterator f = b.begin(); !f.atEnd(); ++f)
            if (f.fragment().charFormat().anchorNames().contains(name))
                return true;
    return false;
}
} // namespace

Orvex_help::Orvex_help(QWidget *parent) : QTextBrowser(parent)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("Orvex_help"));
    resize(566, 436);
    close_btn = add_window_button(this, "Close", QRect(250, 405, 61, 26));
    begin_btn = add_window_button(this, "Begin", QRect(220, 405, 31, 26));
    QFont big = begin_btn->font();
    big.setPointSize(17);
    begin_btn->setFont(big);
    set_texts();
    QMetaObject::connectSlotsByName(this);

    help_doc = new QTextDocument(this);
    setDocument(help_doc);
    codec = QTextCodec::codecForName("UTF-8");
}

void Orvex_help::set_texts()
{
    setWindowTitle(tr("Orvex_Obj_List manual"));
    close_btn->setText(tr("Close"));
    begin_btn->setText(tr("^"));
    begin_btn->setToolTip(tr("To the beginning"));
}

void Orvex_help::load_help(const QString &path)
{
    set_texts();
    if (!QFileInfo::exists(path)) {
        log_out(QLatin1String("Can't find ") + path
                + QLatin1String("! Does not exist?"));
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        log_out(QLatin1String("Can't read ") + path
                + QLatin1String("! Unreadable?"));
        return;
    }
    // Pictures named in the manual are looked up beside it.
    setSearchPaths({QFileInfo(path).absolutePath()});
    const QString page = codec->toUnicode(file.readAll());
    file.close();
    // The manual shows the label colours in colour; by night in reds.
    help_doc->setHtml(night ? night_shade_html(page) : page);
    shown_path = path;
}

void Orvex_help::set_night(bool on)
{
    if (night == on)
        return;
    night = on;
    if (shown_path.isEmpty())
        return;
    const int at = verticalScrollBar()->value();
    load_help(shown_path);
    // Laid out at once, so that the page scrolls back to where it was.
    help_doc->pageCount();
    verticalScrollBar()->setValue(at);
}

void Orvex_help::scroll_to_begin()
{
    const QString begin = QStringLiteral("begin");
    if (has_anchor(help_doc, begin))
        scrollToAnchor(begin);
}

void Orvex_help::on_Begin_clicked()
{
    scroll_to_begin();
}

void Orvex_help::on_Close_clicked()
{
    hide();
}

void Orvex_help::resizeEvent(QResizeEvent *event)
{
    // The viewport's own resize arrives here too: place by the window's size.
    const QPoint close_at = bottom_centre(size(), close_btn->size());
    close_btn->move(close_at);
    begin_btn->move(close_at.x() - begin_btn->width(),
                    height() - begin_btn->height() - 2);
    QTextBrowser::resizeEvent(event);
}
