#include "orvex_about.h"

#include "orvex_night.h"

#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QImage>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QTextTableFormat>
#include <QUrl>

QPoint bottom_centre(const QSize &window, const QSize &button)
{
    return QPoint((window.width() - button.width()) / 2,
                  window.height() - button.height() - 2);
}

QPushButton *add_window_button(QWidget *window, const char *name, const QRect &geometry)
{
    auto *button = new QPushButton(window);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    // The buttons are narrow and of fixed size: a desktop's larger default
    // font would cut the Russian "Close" at both ends.
    QFont font = button->font();
    font.setPointSize(8);
    button->setFont(font);
    return button;
}

Orvex_about::Orvex_about(QWidget *parent) : QTextEdit(parent)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("Orvex_about"));
    resize(565, 587);
    close_btn = add_window_button(this, "Close", QRect(245, 555, 61, 26));
    set_texts();
    setReadOnly(true);
    QMetaObject::connectSlotsByName(this);
    // The table is as wide as the window was when it was built, so a
    // horizontal scroll bar comes and goes with the window's width.
    horizontalScrollBar()->installEventFilter(this);
    // "Close" has a strip of its own under the page, so that no line of the
    // page, the author line last of all, ever hides behind it.
    setViewportMargins(0, 0, 0, close_btn->height() + 4);
}

void Orvex_about::set_texts()
{
    setWindowTitle(tr("About Orvex_Obj_List"));
    close_btn->setText(tr("Close"));
}

QString Orvex_about::description_html() const
{
    const QString program = QStringLiteral("Orvex_Obj_List");
    const QString author = tr("Author") + QLatin1String(": <i>")
                           + tr("The Orvex-1000 observatory software group")
                           + QLatin1String("</i>");
    return QLatin1String("<html><body><p><font size=+2><b>") + program
           + QLatin1String("</b></font></p>")
           + tr("The application is designed for observations on the Orvex-1000 telescope.<br>")
           + tr("Its main differences from all previously developed ones are: ")
           + tr("<ul><li>It is developed on the basis of the widespread version of Qt5, which allows you to create (generate) versions of it for different versions of Windows and Linux.</li>")
           + tr("<li>Does not use any special software interfaces to communicate with the Orvex TCS, and it works over HTTP through Orvex website, which have CGI-supporting programs.</li>")
           + tr("<li>Implements the minimum necessary functions for observations on the telescope.</li>")
           + tr("<li>Reproduces the usual methods of convenient work with objects lists  in the well-established xxx.lst file format (as in previous programs).</li>")
           + tr("<li>At the same time, it implements the principle of graphical representation of objects in the sky (as in the program <b><i>orvex_list</i></b>).</li>")
           + tr("<li>Allows you to save space on the screen by scaling or completely hiding unused windows.</li>")
           + tr("<li>Uses Qt-internationalization (via Qt-Linguist) to switch the application interface to the national language. At the moment, the Russian language is implemented for Russified OS.</li>")
           + tr("<li>It has the detailed internal description of the application called from the menu in the form of a separate window. Also in English and the national (now Russian) language.</li></ul>")
           + QLatin1String("<p align=right>") + author
           + QLatin1String("</p></body></html>");
}

void Orvex_about::build_text()
{
    // Fixed once here: later resizes leave the table as it was built.
    build_document(width() - 2 * page_margin - 10);
}

void Orvex_about::set_night(bool on)
{
    night = on;
    // The page is built again as it was, only in the other colours.
    if (about_doc)
        build_document(table_width);
}

namespace {
// The picture in dim red: each pixel of its own brightness, transparency kept.
QImage night_picture(const QString &path)
{
    QImage image(path);
    if (image.isNull())
        return image;
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = night_shade(QColor::fromRgba(line[x])).rgba();
    }
    return image;
}
} // namespace

void Orvex_about::build_document(int width)
{
    set_texts();
    if (about_doc) {
        about_doc->deleteLater();
        about_doc = nullptr;
    }
    table_width = width;
    QString picture = QCoreApplication::applicationDirPath()
                      + QLatin1Char('/')
                      + QCoreApplication::applicationName()
                      + QLatin1String("_icon.png");

    about_doc = new QTextDocument(this);
    about_doc->setDocumentMargin(page_margin);
    if (night) {
        const QImage image = night_picture(picture);
        picture = QStringLiteral("orvex-night-picture");
        about_doc->addResource(QTextDocument::ImageResource, QUrl(picture), image);
    }

    QTextTableFormat format;
    format.setBorderStyle(QTextFrameFormat::BorderStyle_None);
    const QColor back = night ? QColor(28, 0, 0) : QColor(QStringLiteral("lightyellow"));
    format.setBackground(QBrush(back, Qt::SolidPattern));
    format.setWidth(QTextLength(QTextLength::FixedLength, width));

    QTextCursor cursor(about_doc);
    cursor.movePosition(QTextCursor::Start);
    QTextTable *table = cursor.insertTable(1, 2, format);
    table->cellAt(0, 0).firstCursorPosition().insertImage(picture);
    table->cellAt(0, 1).firstCursorPosition().insertHtml(description_html());

    setDocument(about_doc);
}

void Orvex_about::on_Close_clicked()
{
    hide();
}

// "Close" sits at the bottom centre, or just above the horizontal scroll bar
// while that shows: the bar would otherwise cover half of the button.
void Orvex_about::place_close()
{
    QPoint at = bottom_centre(size(), close_btn->size());
    const QScrollBar *bar = horizontalScrollBar();
    if (bar->isVisibleTo(this))
        at.setY(bar->mapTo(this, QPoint(0, 0)).y() - close_btn->height() - 2);
    close_btn->move(at);
}

void Orvex_about::resizeEvent(QResizeEvent *event)
{
    // The viewport's own resize arrives here too: place by the window's size.
    QTextEdit::resizeEvent(event);
    place_close();
}

bool Orvex_about::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == horizontalScrollBar()
        && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        place_close();
    return QTextEdit::eventFilter(watched, event);
}
