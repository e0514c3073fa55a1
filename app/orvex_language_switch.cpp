// The main window's side of the interface language: translators at start-up
// and the "in Russian" switch, which sets every window's texts again.
#include "orvex_obj_list.h"

#include "orvex_about.h"
#include "orvex_help.h"
#include "orvex_language.h"
#include "orvex_list.h"
#include "orvex_obj_list_form.h"
#include "orvex_sky.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>

void Orvex_Obj_List::setup_language()
{
    const QString tr_dir = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    sys_locale = QLocale::system().name();
    app_dir = QCoreApplication::applicationDirPath();
    app_name = QCoreApplication::applicationName();
    const Orvex_language_start start = start_language(
        app_translator, qt_translator, sys_locale, app_name, app_dir, tr_dir);
    tr_file = start.tr_file;
    // The application translator stays installed for the whole run and is
    // only reloaded by the switch.
    QCoreApplication::installTranslator(&app_translator);
    if (start.qt_loaded)
        QCoreApplication::installTranslator(&qt_translator);
}

void Orvex_Obj_List::on_actionNatLang_triggered(bool checked)
{
    const QString help_path =
        checked ? switch_to_national(app_translator, sys_locale, app_dir,
                                     app_name, tr_file)
                : switch_to_source(app_translator, app_dir, app_name);

    ui->set_texts(this);
    show_level();
    list_win->retranslate();
    sky_win->retranslate();
    about_win->build_text();
    help_win->load_help(help_path);
}
