#include "orvex_language.h"

#include "orvex_log.h"

#include <QFileInfo>
#include <QLocale>
#include <QTranslator>

namespace {
const QString ru_locale = QStringLiteral("ru_RU");

QString status(bool ok)
{
    return ok ? QStringLiteral(" Ok!") : QStringLiteral(" Fail...");
}

// A locale with no files of its own: nothing is found unless someone put a
// translation named after the program into the working directory.
bool load_source_texts(QTranslator &app_translator, const QString &app_name)
{
    return app_translator.load(QLocale(QStringLiteral("C")), app_name);
}
} // namespace

Orvex_language_start start_language(QTranslator &app_translator,
                                    QTranslator &qt_translator,
                                    const QString &sys_locale,
                                    const QString &app_name,
                                    const QString &tr_dir)
{
    Orvex_language_start start;
    start.tr_file = app_name + QLatin1Char('_') + sys_locale;
    load_source_texts(app_translator, app_name);
    const QString qt_file = QLatin1String("qtbase_") + sys_locale.left(2);
    start.qt_loaded = qt_translator.load(qt_file, tr_dir);
    log_out(tr_dir + QLatin1Char('/') + qt_file + status(start.qt_loaded));
    return start;
}

bool load_app_translation(QTranslator &app_translator, const QString &app_dir,
                          const QString &tr_file)
{
    const bool ok = app_translator.load(tr_file, app_dir);
    log_out(app_dir + QLatin1Char('/') + tr_file + QLatin1String(".qm")
            + status(ok));
    return ok;
}

QString switch_to_national(QTranslator &app_translator,
                           const QString &sys_locale, const QString &app_dir,
                           const QString &app_name, QString &tr_file)
{
    const QString ru_file = app_name + QLatin1Char('_') + ru_locale;
    const bool english_system = sys_locale == QLatin1String("en_US");
    if (english_system) {
        // English is already the source language: Russian is the only other.
        log_out(QLatin1String("System locale is ") + sys_locale
                + QLatin1String("... But anyway trying Russian ..."));
        tr_file = ru_file;
        load_app_translation(app_translator, app_dir, tr_file);
    } else if (!load_app_translation(app_translator, app_dir, tr_file)) {
        log_out(QStringLiteral("Trying Russian... "));
        tr_file = ru_file;
        load_app_translation(app_translator, app_dir, tr_file);
    }

    QString help = manual_path(app_dir, app_name, sys_locale);
    if (!QFileInfo::exists(help) && sys_locale != ru_locale) {
        log_out(QLatin1String("No Help-file for System locale ") + sys_locale
                + QLatin1String("... Trying Russian one..."));
        help = manual_path(app_dir, app_name, ru_locale);
    }
    if (english_system)
        help = manual_path(app_dir, app_name, ru_locale);
    return help;
}

QString switch_to_source(QTranslator &app_translator, const QString &app_dir,
                         const QString &app_name)
{
    load_source_texts(app_translator, app_name);
    return manual_path(app_dir, app_name, QStringLiteral("en_US"));
}

QString manual_path(const QString &app_dir, const QString &app_name,
                    const QString &locale)
{
    return app_dir + QLatin1Char('/') + app_name + QLatin1Char('_') + locale
           + QLatin1String(".html");
}
