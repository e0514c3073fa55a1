#ifndef ORVEX_LST_FORMAT_H
#define ORVEX_LST_FORMAT_H

#include <QString>
#include <QStringList>

class QByteArray;
class Orvex_object;

// Longest line a .lst file may have, in characters: a file with a longer
// line is no list and is refused as a whole.
constexpr int lst_max_line_chars = 1 << 20;

// The text of a whole .lst file. A byte-order mark names its encoding;
// otherwise valid UTF-8 is read as UTF-8, and anything else as Windows-1251,
// the code page of lists written on Windows machines, so that no character
// is lost.
QString lst_file_text(const QByteArray &bytes);

// Splits a file's text into lines at LF, CR LF and a lone CR; a last line
// without a line end counts too. Returns 0, or the number (from 1) of the
// first line longer than lst_max_line_chars, leaving lines empty then.
int lst_split_lines(const QString &text, QStringList &lines);

// One line of a .lst file as the reader sees it. Only object lines carry
// texts; every other line is a comment whose words stay in the raw line.
struct Orvex_lst_line
{
    bool is_object = false;
    int field_count = 0;     // fields after splitting at ':', ';' and '#'
    bool has_hash = false;   // the line contains '#'
    QString name;
    QString ra_text;         // colon-separated, e.g. 12:30:00
    QString decl_text;       // colon-separated, e.g. +45:00:00
    QString epoch_text;      // a number, a converted date, or as written
};

// Three leading groups of digits separated by white space, and at least
// one of ':', ';' or '#' somewhere (so at least two fields).
bool lst_is_object_line(const QString &line);

// Classifies a line and extracts its fields. Never fails: anything that is
// not an object line comes back with is_object false.
Orvex_lst_line lst_parse_line(const QString &line);

// Fills a fresh record from a parsed object line through the setter that
// matches the line form, and clears its comment flag. Comment lines leave
// the record untouched.
void lst_fill_record(Orvex_object *record, const Orvex_lst_line &line);

// The epoch field (already blank-reduced): a day-month-year date becomes a
// decimal year with two decimals ("nan" for a date that names no calendar
// day); any other text is returned unchanged.
QString lst_epoch_text(const QString &field);

// A pair of form texts describes an object (rather than a comment) when the
// R.A. starts with a digit and the Decl. with optional signs and a digit,
// each at least two characters long.
bool lst_is_object_pair(const QString &ra_text, const QString &decl_text);

// The line the program writes for an object: colons become blanks and the
// three coordinate columns are padded (never cut) to 11, 11 and 6.
QString lst_object_line(const QString &ra_text, const QString &decl_text,
                        const QString &epoch_text, const QString &name);

// Fills a fresh record for an object line built from the form with what
// reading that line back from a saved file gives, so that the list and the
// sky show the object where the file will put it ("08 40 24.0" is
// 08:40:24.0, not 0 h). A line that would read back as a comment (an R.A.
// of fewer than three numbers) keeps the form's name and epoch, its
// coordinates read as the reader reads a coordinate field.
void lst_fill_built_record(Orvex_object *record, const QString &line, const QString &name,
                           const QString &ra_text, const QString &decl_text,
                           const QString &epoch_text);

// The line the program writes for a comment.
QString lst_comment_line(const QString &text);

#endif
