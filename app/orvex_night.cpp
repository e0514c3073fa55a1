#include "orvex_night.h"

#include <QApplication>
#include <QBrush>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolTip>
#include <QVariant>

#include <utility>

namespace {

bool night_on = false;
// The palettes the application and its tool tips had before night vision
// came on (made at first use, once the application is there).
QPalette &day_palette()
{
    static QPalette palette;
    return palette;
}
QPalette &day_tip_palette()
{
    static QPalette palette;
    return palette;
}

const char day_text_key[] = "orvex_day_text";
const char day_back_key[] = "orvex_day_back";

QColor red(int r) { return QColor(r, 0, 0); }

void set_role(QPalette &pal, QPalette::ColorRole role, const QColor &active,
              const QColor &disabled)
{
    pal.setBrush(QPalette::Active, role, QBrush(active));
    pal.setBrush(QPalette::Inactive, role, QBrush(active));
    pal.setBrush(QPalette::Disabled, role, QBrush(disabled));
}

void set_label_palette(QLabel *label, const QColor &text, const QColor &back)
{
    QPalette pal = label->palette();
    if ((!text.isValid() || pal.color(QPalette::WindowText) == text)
        && (!back.isValid() || pal.color(QPalette::Window) == back))
        return;
    if (text.isValid())
        pal.setBrush(QPalette::WindowText, QBrush(text, Qt::SolidPattern));
    if (back.isValid())
        pal.setBrush(QPalette::Window, QBrush(back, Qt::SolidPattern));
    label->setPalette(pal);
}

const QString day_enabled = QStringLiteral("color: black;");
const QString day_disabled = QStringLiteral("color: gray;");
const QString night_enabled = QStringLiteral("color: rgb(210, 0, 0);");
const QString night_disabled = QStringLiteral("color: rgb(95, 0, 0);");

} // namespace

bool night_vision() { return night_on; }

QPalette night_palette()
{
    QPalette pal;
    const std::pair<QPalette::ColorRole, std::pair<int, int>> roles[] = {
        {QPalette::Window, {22, 22}},        {QPalette::WindowText, {190, 95}},
        {QPalette::Base, {12, 12}},          {QPalette::AlternateBase, {30, 30}},
        {QPalette::Text, {200, 95}},         {QPalette::Button, {40, 32}},
        {QPalette::ButtonText, {200, 95}},   {QPalette::BrightText, {230, 120}},
        {QPalette::Light, {75, 60}},         {QPalette::Midlight, {55, 45}},
        {QPalette::Mid, {35, 30}},           {QPalette::Dark, {16, 16}},
        {QPalette::Shadow, {0, 0}},          {QPalette::Highlight, {95, 50}},
        {QPalette::HighlightedText, {240, 140}}, {QPalette::Link, {220, 110}},
        {QPalette::LinkVisited, {160, 90}},  {QPalette::ToolTipBase, {30, 30}},
        {QPalette::ToolTipText, {200, 200}}, {QPalette::PlaceholderText, {100, 70}},
    };
    for (const auto &r : roles)
        set_role(pal, r.first, red(r.second.first), red(r.second.second));
    return pal;
}

void set_night_vision(bool on)
{
    if (on == night_on)
        return;
    night_on = on;
    if (on) {
        day_palette() = QApplication::palette();
        day_tip_palette() = QToolTip::palette();
        QApplication::setPalette(night_palette());
        // Tool tips keep a palette of their own.
        QToolTip::setPalette(night_palette());
    } else {
        QApplication::setPalette(day_palette());
        QToolTip::setPalette(day_tip_palette());
    }
}

QColor night_shade(const QColor &c)
{
    // Perceived brightness, scaled so that white becomes a dim red.
    const int grey = qGray(c.rgb());
    return QColor(grey * 200 / 255, 0, 0, c.alpha());
}

Night_label_colors night_label_colors(const QColor &day_text, const QColor &day_back)
{
    // Each pair the state logic uses has a background brightness of its
    // own: dark and calm for idle, brighter for motion, brightest while
    // slewing.
    struct Row { const char *text, *back; int night_text, night_back; };
    static const Row rows[] = {
        {"black", "lightgray", 150, 25},  // idle, unknown, off
        {"blue", "lightgreen", 235, 60},  // connected, tracking
        {"blue", "cyan", 235, 75},        // hardware
        {"blue", "lightcyan", 235, 95},   // moving
        {"blue", "yellow", 0, 125},       // stopped
        {"white", "pink", 0, 140},        // simulation
        {"red", "yellow", 0, 160},        // a mode not known
        {"white", "blue", 0, 200},        // slewing
    };
    for (const Row &r : rows)
        if (day_text == QColor(QLatin1String(r.text)) && day_back == QColor(QLatin1String(r.back)))
            return {red(r.night_text), red(r.night_back)};
    const QColor back = night_shade(day_back.isValid() ? day_back : QColor(Qt::lightGray));
    // Text far from its background, so that it stays readable.
    return {red(back.red() < 100 ? 220 : 0), back};
}

void keep_day_colors(QLabel *label, const QColor &text, const QColor &back)
{
    if (text.isValid())
        label->setProperty(day_text_key, text);
    if (back.isValid())
        label->setProperty(day_back_key, back);
}

void night_refresh_label(QLabel *label)
{
    const QVariant text = label->property(day_text_key);
    const QVariant back = label->property(day_back_key);
    if (!text.isValid() && !back.isValid())
        return;
    const QColor day_text = text.value<QColor>(), day_back = back.value<QColor>();
    if (!night_on) {
        set_label_palette(label, day_text, day_back);
        return;
    }
    const Night_label_colors c = night_label_colors(day_text, day_back);
    set_label_palette(label, c.text, c.back);
}

QString button_style(bool enabled)
{
    if (night_on)
        return enabled ? night_enabled : night_disabled;
    return enabled ? day_enabled : day_disabled;
}

void night_refresh_button(QPushButton *button)
{
    const QString sheet = button->styleSheet();
    if (sheet == day_enabled || sheet == night_enabled)
        button->setStyleSheet(button_style(true));
    else if (sheet == day_disabled || sheet == night_disabled)
        button->setStyleSheet(button_style(false));
}

void night_box(QMessageBox *box)
{
    if (!night_on || box->iconPixmap().isNull())
        return;
    QImage image = box->iconPixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = night_shade(QColor::fromRgba(line[x])).rgba();
    }
    box->setIconPixmap(QPixmap::fromImage(image));
}

namespace {
// Every colour named in a piece of a page, in its night shade.
QString shade_colors(const QString &piece)
{
    static const QRegularExpression named(
        QStringLiteral("(color\\s*:\\s*|background\\s*:\\s*|bgcolor\\s*=\\s*\"?)([#\\w]+)"));
    QString out;
    int done = 0;
    for (auto m = named.globalMatch(piece); m.hasNext();) {
        const QRegularExpressionMatch p = m.next();
        const QColor c(p.captured(2));
        if (!c.isValid())
            continue;
        out += piece.mid(done, p.capturedStart(2) - done) + night_shade(c).name();
        done = p.capturedEnd(2);
    }
    return out + piece.mid(done);
}
} // namespace

QString night_shade_html(const QString &html)
{
    // A colour pair of the status labels is shown as the label shows it by
    // night; any other colour as its shade.
    static const QRegularExpression pair(
        QStringLiteral("color\\s*:\\s*([#\\w]+)\\s*;\\s*background-color\\s*:\\s*([#\\w]+)"));
    QString out;
    int done = 0;
    for (auto m = pair.globalMatch(html); m.hasNext();) {
        const QRegularExpressionMatch p = m.next();
        const QColor text(p.captured(1)), back(p.captured(2));
        if (!text.isValid() || !back.isValid())
            continue;
        const Night_label_colors c = night_label_colors(text, back);
        out += shade_colors(html.mid(done, p.capturedStart() - done));
        out += QStringLiteral("color:%1;background-color:%2").arg(c.text.name(), c.back.name());
        done = p.capturedEnd();
    }
    return out + shade_colors(html.mid(done));
}
