#ifndef ORVEX_TRANSLATOR_H
#define ORVEX_TRANSLATOR_H

#include <QByteArray>
#include <QString>
#include <QTranslator>

// The application's translator: it takes a translation file only when the
// file is sound (size, magic, every length and offset inside the file) and
// translates a text every translation of the program has. It loads the
// very bytes it checked and keeps them, as the toolkit reads them in place.
class Orvex_translator : public QTranslator
{
public:
    // Finds the file the way the toolkit's load by name and directory does
    // (dir/name.qm, dir/name, then the name cut at its last '_' or '.') and
    // takes the first one found if it passes. False leaves it empty.
    bool load_checked(const QString &name, const QString &dir);
    // Takes the file at path if it passes. False leaves it empty.
    bool load_checked_file(const QString &path);
    // Back to no translation: the source texts show.
    void unload();

    // The first readable file the toolkit's search would take; empty if none.
    static QString find_file(const QString &name, const QString &dir);
    // Whether data is a translation of this program that is safe to load.
    static bool is_usable(const QByteArray &data);

private:
    QByteArray bytes;
};

#endif
