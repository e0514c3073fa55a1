#include "orvex_language.h"

#include "orvex_log.h"
#include "orvex_translator.h"

#include <QFileInfo>
#include <QTranslator>

namespace {
const QString ru_locale = QStringLiteral("ru_RU");

QString status(bool ok)
{
    return ok ? QStringLiteral(" Ok!") : QStringLiteral(" Fail...");
}

// A locale with no files of its own: nothing is found unless a translation
// named after the program lies beside it. Never the working directory: a
// file planted there could rewrite any question the program asks.
bool load_source_texts(Orvex_translator &app_translator, const QString &app_dir,
                       const QString &app_name, bool report)
{
    for (const char *suffix : {"C.qm", ".qm"}) {
        const QString path = app_dir + QLatin1Char('/') + app_name + QLatin1String(suffix);
        const QFileInfo fi(path);
        if (!fi.isFile() || !fi.isReadable())
            continue;
        const bool ok = app_translator.load_checked_file(path);
        if (!ok && report)
            log_out(path + status(false));
        return ok;
    }
    app_translator.unload();
    return false;
}
} // namespace

Orvex_language_start start_language(Orvex_translator &app_translator,
                                    QTranslator &qt_translator,
                                    const QString &sys_locale,
                                    const QString &app_name,
                                    const QString &app_dir,
                                    const QString &tr_dir)
{
    Orvex_language_start start;
    start.tr_file = app_name + QLatin1Char('_') + sys_locale;
    load_source_texts(app_translator, app_dir, app_name, true);
    const QString qt_file = QLatin1String("qtbase_") + sys_locale.left(2);
    start.qt_loaded = qt_translator.load(qt_file, tr_dir);
    log_out(tr_dir + QLatin1Char('/') + qt_file + status(start.qt_loaded));
    return start;
}

bool load_app_translation(Orvex_translator &app_translator, const QString &app_dir,
                          const QString &tr_file)
{
    const bool ok = app_translator.load_checked(tr_file, app_dir);
    log_out(app_dir + QLatin1Char('/') + tr_file + QLatin1String(".qm")
            + status(ok));
    return ok;
}

QString switch_to_national(Orvex_translator &app_translator,
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

QString switch_to_source(Orvex_translator &app_translator, const QString &app_dir,
                         const QString &app_name)
{
    load_source_texts(app_translator, app_dir, app_name, false);
    return manual_path(app_dir, app_name, QStringLiteral("en_US"));
}

QString manual_path(const QString &app_dir, const QString &app_name,
                    const QString &locale)
{
    return app_dir + QLatin1Char('/') + app_name + QLatin1Char('_') + locale
           + QLatin1String(".html");
}
