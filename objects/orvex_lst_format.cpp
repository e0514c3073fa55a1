#include "orvex_lst_format.h"

#include "orvex_object.h"

#include <QByteArray>
#include <QDate>
#include <QStringList>
#include <QTextCodec>

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

// Where a line splits at ':', ';' and '#' (empty fields kept). Only the
// first three fields, the last one and the first '#' are ever needed, so no
// list of fields is built for every line of a long file.
struct Field_split
{
    int count = 1;
    int first_hash = -1;
    int ends[3] = {-1, -1, -1}; // positions of the first three separators
    int last_start = 0;         // start of the last field
};

Field_split split_fields(const QString &line)
{
    Field_split split;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (!is_separator(c))
            continue;
        if (split.count <= 3)
            split.ends[split.count - 1] = i;
        if (c == QLatin1Char('#') && split.first_hash < 0)
            split.first_hash = i;
        ++split.count;
        split.last_start = i + 1;
    }
    return split;
}

// Field k (0-based, k < 3 or the last) of a split line.
QStringRef field_at(const QString &line, const Field_split &split, int k)
{
    const int start = k == 0 ? 0 : split.ends[k - 1] + 1;
    const int end = (k < 3 && k < split.count - 1) ? split.ends[k] : line.size();
    return line.midRef(start, end - start);
}

// The field with leading and trailing white space removed and every inner
// run of it made one separator: blank-reduction in one pass, since it runs
// several times on every object line of a long file.
QString reduce_blanks(const QStringRef &field, QChar separator)
{
    QString out;
    out.reserve(field.size());
    bool pending = false;
    for (QChar c : field) {
        if (c.isSpace()) {
            pending = !out.isEmpty();
            continue;
        }
        if (pending)
            out += separator;
        pending = false;
        out += c;
    }
    return out;
}

// Blank-reduced coordinate field with its blanks turned into colons, the
// form the record and the form fields use.
QString coordinate_text(const QStringRef &field)
{
    return reduce_blanks(field, QLatin1Char(':'));
}

QString blank_reduced(const QStringRef &field)
{
    return reduce_blanks(field, QLatin1Char(' '));
}

// Digits, '-', then digits (numeric) or letters (named), '-', digits: the
// start of a day-month-year date.
enum class Date_form { none, numeric, named };

Date_form date_form(const QString &field)
{
    int pos = 0;
    if (!skip_digits(field, pos) || pos >= field.size() || field.at(pos) != QLatin1Char('-'))
        return Date_form::none;
    ++pos;
    Date_form form = Date_form::none;
    const int month_start = pos;
    if (skip_digits(field, pos)) {
        form = Date_form::numeric;
    } else {
        while (pos < field.size() && field.at(pos).unicode() < 128 && field.at(pos).isLetter())
            ++pos;
        if (pos > month_start)
            form = Date_form::named;
    }
    if (form == Date_form::none || pos >= field.size() || field.at(pos) != QLatin1Char('-'))
        return Date_form::none;
    ++pos;
    return skip_digits(field, pos) ? form : Date_form::none;
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

constexpr int utf8_mib = 106;

int code_of(char c) { return uchar(c); }
int code_of(QChar c) { return c.unicode(); }

// Length of the line end at pos, 0 when none starts there: LF, CR LF, a
// lone CR, or CR CR LF, which a CR LF line put through a Windows text-mode
// stream becomes and which ends one line, not two.
template <typename Ch>
int line_end_length(const Ch *data, int pos, int size)
{
    const int c = code_of(data[pos]);
    if (c == '\n')
        return 1;
    if (c != '\r')
        return 0;
    if (pos + 1 < size && code_of(data[pos + 1]) == '\n')
        return 2;
    if (pos + 2 < size && code_of(data[pos + 1]) == '\r' && code_of(data[pos + 2]) == '\n')
        return 3;
    return 1;
}

// Calls take(start, length) for every line until it returns false.
template <typename Ch, typename Take>
void split_lines(const Ch *data, int size, Take take)
{
    int start = 0;
    while (start < size) {
        int end = start;
        int end_length = 0;
        while (end < size && (end_length = line_end_length(data, end, size)) == 0)
            ++end;
        if (!take(start, end - start))
            return;
        start = end + end_length;
    }
}

// Notes why a file is no list when its next line is too long or one too
// many; false then.
bool room_for_line(Orvex_lst_file &file, bool too_long, bool counts = true)
{
    if (counts && file.lines.size() >= lst_max_lines) {
        file.too_many_lines = true;
        return false;
    }
    if (too_long)
        file.long_line = file.lines.size() + 1;
    return !too_long;
}

// Counted before anything is decoded, so a file of nothing but line ends is
// refused before millions of lines are built.
bool more_lines_than_allowed(const QByteArray &bytes)
{
    if (bytes.size() <= lst_max_lines)
        return false;
    int count = 0;
    split_lines(bytes.constData(), bytes.size(), [&count](int, int) {
        return ++count <= lst_max_lines;
    });
    return count > lst_max_lines;
}

bool is_ascii(const char *data, int size)
{
    for (int i = 0; i < size; ++i)
        if (uchar(data[i]) >= 0x80)
            return false;
    return true;
}

// A byte-order mark inside a line is a character like any other: it stays.
QString decode_with(QTextCodec *codec, const QByteArray &raw, bool *valid = nullptr)
{
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QString text = codec->toUnicode(raw.constData(), raw.size(), &state);
    if (valid)
        *valid = state.invalidChars == 0 && state.remainingChars == 0;
    return text;
}

QString decode_line(const QByteArray &raw, QTextCodec *fallback)
{
    bool valid = false;
    const QString text = decode_with(QTextCodec::codecForMib(utf8_mib), raw, &valid);
    return valid ? text : decode_with(fallback, raw);
}

// A file in UTF-16 or UTF-32 is decoded whole; its lines keep no bytes, a
// save writes them in the system's encoding.
Orvex_lst_file split_text(const QString &text)
{
    Orvex_lst_file file;
    split_lines(text.constData(), text.size(), [&](int start, int length) {
        if (!room_for_line(file, length > lst_max_line_chars))
            return false;
        file.lines.append({text.mid(start, length), QByteArray()});
        return true;
    });
    if (!file.ok())
        file.lines = QVector<Orvex_lst_file_line>();
    return file;
}

} // namespace

QTextCodec *lst_fallback_codec()
{
    QTextCodec *local = QTextCodec::codecForLocale();
    if (local && local->mibEnum() != utf8_mib)
        return local;
    return QTextCodec::codecForName("Windows-1251");
}

QString lst_decode_line(const QByteArray &line)
{
    return decode_line(line, lst_fallback_codec());
}

Orvex_lst_file lst_read_lines(const QByteArray &bytes)
{
    QTextCodec *const marked = QTextCodec::codecForUtfText(bytes, nullptr);
    if (marked && marked->mibEnum() != utf8_mib)
        return split_text(marked->toUnicode(bytes));

    Orvex_lst_file file;
    if (more_lines_than_allowed(bytes)) {
        file.too_many_lines = true;
        return file;
    }
    QTextCodec *const save_codec = QTextCodec::codecForLocale();
    QTextCodec *const fallback = lst_fallback_codec();
    // After a UTF-8 byte-order mark every line is UTF-8, valid or not.
    const int skip = marked ? 3 : 0;
    const char *const data = bytes.constData() + skip;
    split_lines(data, bytes.size() - skip, [&](int start, int length) {
        // No character takes more than four bytes, so a longer line is not
        // decoded just to be measured.
        if (!room_for_line(file, length > 4 * lst_max_line_chars))
            return false;
        const char *const line = data + start;
        Orvex_lst_file_line out;
        if (is_ascii(line, length)) {
            out.text = QString::fromLatin1(line, length);
        } else {
            const QByteArray raw(line, length);
            out.text = marked ? decode_with(marked, raw) : decode_line(raw, fallback);
            if (save_codec->fromUnicode(out.text) != raw)
                out.bytes = raw;
        }
        if (!room_for_line(file, out.text.size() > lst_max_line_chars, false))
            return false;
        file.lines.append(out);
        return true;
    });
    if (!file.ok())
        file.lines = QVector<Orvex_lst_file_line>();
    return file;
}

QByteArray lst_list_bytes(const QList<Orvex_object *> &records)
{
    QTextCodec *const codec = QTextCodec::codecForLocale();
    QByteArray out;
    for (const Orvex_object *record : records) {
        if (record->list_bytes.isNull())
            out += codec->fromUnicode(record->list_line);
        else
            out += record->list_bytes;
        out += '\n';
    }
    return out;
}

bool lst_is_object_line(const QString &line)
{
    return starts_with_three_numbers(line) && has_separator(line);
}

QString lst_epoch_text(const QString &field)
{
    const Date_form form = date_form(field);
    if (form == Date_form::none)
        return field;
    const bool numeric = form == Date_form::numeric;

    // The date form guarantees "digits-month-digits" at the start.
    const int month_start = field.indexOf(QLatin1Char('-')) + 1;
    const int year_start = field.indexOf(QLatin1Char('-'), month_start) + 1;
    const QString month_text = field.mid(month_start, year_start - 1 - month_start);
    const int day = leading_number(field);
    const int month = numeric ? leading_number(month_text)
                              : month_from_abbreviation(month_text);
    // A fractional year ("2024.5") and anything written after the year
    // are ignored.
    const int year = leading_number(field.mid(year_start));

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
    const Field_split split = split_fields(line);
    const int n = split.count;
    if (n < 2)
        return out;

    out.is_object = true;
    out.field_count = n;
    out.has_hash = split.first_hash >= 0;
    out.ra_text = coordinate_text(field_at(line, split, 0));
    out.decl_text = coordinate_text(field_at(line, split, 1));
    out.name = QStringLiteral("Unknown");
    out.epoch_text = QStringLiteral("2000.0");

    if (n == 3 && out.has_hash) {
        out.name = blank_reduced(field_at(line, split, 2));
        return out;
    }
    if (n >= 3)
        out.epoch_text = lst_epoch_text(blank_reduced(field_at(line, split, 2)));
    if (n >= 4) {
        // After a '#' the whole rest is the name, separators included.
        out.name = blank_reduced(line.midRef(out.has_hash ? split.first_hash + 1
                                                          : split.last_start));
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

void lst_fill_built_record(Orvex_object *record, const QString &line, const QString &name,
                           const QString &ra_text, const QString &decl_text,
                           const QString &epoch_text)
{
    const Orvex_lst_line read_back = lst_parse_line(line);
    if (read_back.is_object) {
        lst_fill_record(record, read_back);
        return;
    }
    record->set_form(name, coordinate_text(QStringRef(&ra_text)),
                     coordinate_text(QStringRef(&decl_text)), epoch_text);
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
