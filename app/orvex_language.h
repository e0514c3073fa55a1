#ifndef ORVEX_LANGUAGE_H
#define ORVEX_LANGUAGE_H

#include <QString>

class QTranslator;
class Orvex_translator;

// Translation files and manuals live beside the program and are named after
// it: <app_name>_<locale>.qm and <app_name>_<locale>.html.

// What the start-up set-up found; the translators are loaded, not installed.
struct Orvex_language_start
{
    QString tr_file;      // <app_name>_<sys_locale>
    bool qt_loaded = false;
};

// Loads the application translator the way every start does (a file named
// after the program for the "C" locale, <app_name>C.qm or <app_name>.qm,
// beside the program only) and the toolkit's own "qtbase_xx" translation
// from tr_dir, and prints the qtbase line. A start-up file that is there
// but refused gets its " Fail..." line.
Orvex_language_start start_language(Orvex_translator &app_translator,
                                    QTranslator &qt_translator,
                                    const QString &sys_locale,
                                    const QString &app_name,
                                    const QString &app_dir,
                                    const QString &tr_dir);

// Loads <app_dir>/<tr_file>.qm and prints "<path> Ok!" or "<path> Fail...";
// a damaged file, or one that is not a translation of this program, fails.
bool load_app_translation(Orvex_translator &app_translator, const QString &app_dir,
                          const QString &tr_file);

// Switches the application translator to the national language: the
// system's when a file for it exists, Russian otherwise (tr_file keeps the
// fallback for the rest of the run). Returns the manual to show.
QString switch_to_national(Orvex_translator &app_translator,
                           const QString &sys_locale, const QString &app_dir,
                           const QString &app_name, QString &tr_file);

// Back to the source texts; returns the English manual.
QString switch_to_source(Orvex_translator &app_translator, const QString &app_dir,
                         const QString &app_name);

// <app_dir>/<app_name>_<locale>.html
QString manual_path(const QString &app_dir, const QString &app_name,
                    const QString &locale);

#endif
