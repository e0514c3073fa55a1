#include "orvex_reply_text.h"

#include "orvex_text.h"

#include <QLabel>
#include <QMessageBox>
#include <QTextDocument>

QString reply_line_text(const QByteArray &raw)
{
    return QString::fromUtf8(raw.constData(), raw.size());
}

QString reply_text_for_display(const QString &text)
{
    // Cut first: the blanking then never walks a giant line.
    return blank_controls(clip_for_display(text));
}

void make_plain(QLabel *label)
{
    label->setTextFormat(Qt::PlainText);
    label->setOpenExternalLinks(false);
}

void make_plain(QMessageBox *box)
{
    box->setTextFormat(Qt::PlainText);
    // The box would open a link in its text with the desktop's URL opener.
    if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
        label->setOpenExternalLinks(false);
}

QString plain_tool_tip(const QString &text)
{
    // A text the toolkit would not take for markup shows as it is already.
    if (!Qt::mightBeRichText(text))
        return text;
    return QStringLiteral("<p style=\"white-space:pre\">") + text.toHtmlEscaped()
           + QStringLiteral("</p>");
}
