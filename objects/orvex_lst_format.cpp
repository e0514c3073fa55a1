#include "orvex_lst_format.h"

#include "orvex_object.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringList>
#include <QVector>

namespace {

// White space as a regular expression's \s sees it (ASCII only).
bool is_ascii_space(QChar c)
{
    const ushort u = c.unicode();
    return u == ' ' || (u >= '\t' && u <= '\r');
}

bool is_ascii_digit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

bool is_separator(QChar c)
{
    const ushort u = c.unicode();
    return u == ':' || u == ';' || u == '#';
}

// Steps over a run of digits; false when there is none at pos.
bool skip_digits(const QString &s, int &pos)
{
    const int start = pos;
    while (pos < s.size() && is_ascii_digit(s.at(pos)))
        ++pos;
    return pos > start;
}

bool skip_spaces(const QString &s, int &pos)
{
    const int start = pos;
    while (pos < s.size() && is_ascii_space(s.at(pos)))
        ++pos;
    return pos > start;
}

// Three groups of digits at the start of the line, separated by white
// space. Hand-written because it runs on every line of a file that may be
// long; it accepts exactly what "^\s*[0-9]+\s+[0-9]+\s+[0-9]+" accepts.
bool starts_with_three_numbers(const QString &line)
{
    int pos = 0;
    skip_spaces(line, pos);
    return skip_digits(line, pos) && skip_spaces(line, pos)
        && skip_digits(line, pos) && skip_spaces(line, pos)
        && skip_digits(line, pos);
}

bool has_separator(const QString &line)
{
    for (QChar c : line)
        if (is_separator(c))
            return true;
    return false;
}

// Fields between ':', ';' and '#', empty ones kept.
QVector<QStringRef> split_fields(const QString &line)
{
    QVector<QStringRef> fields;
    int start = 0;
    for (int i = 0; i < line.size(); ++i) {
        if (is_separator(line.at(i))) {
            fields.append(line.midRef(start, i - start));
            start = i + 1;
        }
    }
    fields.append(line.midRef(start));
    return fields;
}

// Blank-reduced coordinate field with its blanks turned into colons, the
// form the record and the form fields use.
QString coordinate_text(const QStringRef &field)
{
    return field.toString().simplified().replace(QLatin1Char(' '), QLatin1Char(':'));
}

// The number at the start of a text (the date patterns guarantee digits
// there); 0 when it does not fit an int, which makes the date invalid.
int leading_number(const QString &text)
{
    int end = 0;
    skip_digits(text, end);
    return text.leftRef(end).toInt();
}

int month_from_abbreviation(const QString &text)
{
    static const QStringList months = {
        QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"),
        QStringLiteral("Apr"), QStringLiteral("May"), QStringLiteral("Jun"),
        QStringLiteral("Jul"), QStringLiteral("Aug"), QStringLiteral("Sep"),
        QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};
    return months.indexOf(text) + 1;
}

} // namespace

bool lst_is_object_line(const QString &line)
{
    return starts_with_three_numbers(line) && has_separator(line);
}

QString lst_epoch_text(const QString &field)
{
    static const QRegularExpression numeric_date(QStringLiteral("^[0-9]+-[0-9]+-[0-9]+"));
    static const QRegularExpression named_date(QStringLiteral("^[0-9]+-[A-Za-z]+-[0-9]+"));

    const bool numeric = numeric_date.match(field).hasMatch();
    if (!numeric && !named_date.match(field).hasMatch())
        return field;

    const QStringList parts = field.split(QLatin1Char('-'));
    const int day = leading_number(parts.at(0));
    const int month = numeric ? leading_number(parts.at(1))
                              : month_from_abbreviation(parts.at(1));
    // A fractional year ("2024.5") and anything written after the year
    // are ignored.
    const int year = leading_number(parts.at(2));

    // A date naming no calendar day gives 0 / 0: the epoch text reads
    // "nan", which the observer sees when the object is loaded.
    const QDate date(year, month, day);
    const double whole = date.isValid() ? date.year() : 0.0;
    const double day_of_year = date.isValid() ? date.dayOfYear() : 0.0;
    const double days = date.isValid() ? date.daysInYear() : 0.0;
    return QStringLiteral("%1").arg(whole + day_of_year / days, 0, 'f', 2);
}

Orvex_lst_line lst_parse_line(const QString &line)
{
    Orvex_lst_line out;
    if (!starts_with_three_numbers(line))
        return out;
    const QVector<QStringRef> fields = split_fields(line);
    const int n = fields.size();
    if (n < 2)
        return out;

    out.is_object = true;
    out.field_count = n;
    out.has_hash = line.contains(QLatin1Char('#'));
    out.ra_text = coordinate_text(fields.at(0));
    out.decl_text = coordinate_text(fields.at(1));
    out.name = QStringLiteral("Unknown");
    out.epoch_text = QStringLiteral("2000.0");

    if (n == 3 && out.has_hash) {
        out.name = fields.at(2).toString().simplified();
        return out;
    }
    if (n >= 3)
        out.epoch_text = lst_epoch_text(fields.at(2).toString().simplified());
    if (n >= 4) {
        // After a '#' the whole rest is the name, separators included.
        if (out.has_hash)
            out.name = line.mid(line.indexOf(QLatin1Char('#')) + 1).simplified();
        else
            out.name = fields.last().toString().simplified();
    }
    return out;
}

void lst_fill_record(Orvex_object *record, const Orvex_lst_line &line)
{
    if (!line.is_object)
        return;
    if (line.field_count == 2)
        record->set_form(line.ra_text, line.decl_text);
    else if (line.field_count == 3 && line.has_hash)
        record->set_form(line.name, line.ra_text, line.decl_text);
    else
        record->set_form(line.name, line.ra_text, line.decl_text, line.epoch_text);
    record->is_comment = false;
}

bool lst_is_object_pair(const QString &ra_text, const QString &decl_text)
{
    if (ra_text.size() < 2 || decl_text.size() < 2)
        return false;
    if (!is_ascii_digit(ra_text.at(0)))
        return false;
    int pos = 0;
    while (pos < decl_text.size()
           && (decl_text.at(pos) == QLatin1Char('+') || decl_text.at(pos) == QLatin1Char('-')))
        ++pos;
    return pos < decl_text.size() && is_ascii_digit(decl_text.at(pos));
}

QString lst_object_line(const QString &ra_text, const QString &decl_text,
                        const QString &epoch_text, const QString &name)
{
    // Built piece by piece rather than with chained arg(), so a '%' in a
    // text cannot be taken for a place marker.
    QString ra = ra_text;
    QString decl = decl_text;
    ra.replace(QLatin1Char(':'), QLatin1Char(' '));
    decl.replace(QLatin1Char(':'), QLatin1Char(' '));
    return QLatin1Char(' ') + ra.leftJustified(11) + QLatin1String(" : ")
        + decl.leftJustified(11) + QLatin1String(" ; ")
        + epoch_text.leftJustified(6) + QLatin1Char(' ')
        + lst_comment_line(name);
}

QString lst_comment_line(const QString &text)
{
    return QLatin1String("# ") + text;
}
