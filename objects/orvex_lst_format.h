#ifndef ORVEX_LST_FORMAT_H
#define ORVEX_LST_FORMAT_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

class Orvex_object;
class QTextCodec;

// Longest line a .lst file may have, in characters: a file with a longer
// line is no list and is refused as a whole.
constexpr int lst_max_line_chars = 1 << 20;

// Largest .lst file that is read, in bytes. A list of a million objects
// takes about 50 MB; anything much larger is no list, and reading it could
// exhaust the memory and end the program with the user's list in it.
constexpr qint64 lst_max_file_bytes = qint64(256) << 20;

// Most lines a .lst file may have. Each line costs a record and a list item,
// about half a kilobyte, so a file of nothing but line ends would take far
// more memory than its size suggests; a million objects, each with a comment
// line, fit in about a gigabyte.
constexpr int lst_max_lines = 1 << 21;

// One line of a .lst file as read, without its line end.
struct Orvex_lst_file_line
{
    QString text;     // decoded: what is shown and parsed
    QByteArray bytes; // the line's own bytes when a save of text would not
                      // give them back; null otherwise
};

// A whole .lst file split into lines, or why it is no list.
struct Orvex_lst_file
{
    QVector<Orvex_lst_file_line> lines;
    int long_line = 0;           // number (from 1) of the first line longer
                                 // than lst_max_line_chars, 0 when none
    bool too_many_lines = false; // more than lst_max_lines lines
    bool ok() const { return long_line == 0 && !too_many_lines; }
};

// Splits a .lst file into lines at LF, CR LF, CR CR LF and a lone CR; a last
// line without a line end counts too. A byte-order mark names the encoding
// of the whole file. Otherwise each line is decoded by itself: valid UTF-8
// as UTF-8, anything else with lst_fallback_codec(), so that one stray byte
// does not turn the other lines into garbage. A line whose text a save (in
// the system's encoding) would not turn back into the same bytes keeps its
// bytes. When the file is no list (see Orvex_lst_file), lines is empty.
Orvex_lst_file lst_read_lines(const QByteArray &bytes);

// The encoding of a line that is not valid UTF-8: the system's 8-bit
// encoding, or Windows-1251 (the code page of lists written on Russian
// Windows machines) when the system's encoding is UTF-8.
QTextCodec *lst_fallback_codec();

// One line's bytes decoded as lst_read_lines decodes a line of a file
// without a byte-order mark.
QString lst_decode_line(const QByteArray &line);

// What a save writes: every line's kept bytes, or else its text in the
// system's encoding, each followed by "\n" (a file opened in text mode
// makes that the platform's line end).
QByteArray lst_list_bytes(const QList<Orvex_object *> &records);

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
