#ifndef ORVEX_TCS_COMMAND_H
#define ORVEX_TCS_COMMAND_H

#include "orvex_tcs_request.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The form's texts as typed; they are simplified before use and sent as
// they stand after that.
struct Orvex_command_form
{
    QString name, ra, decl, epoch, off_ha, off_dec;
};

// Why a command was not sent; the checks stop at the first failure, in
// the order password, R.A., Decl. (offsets for "Corr").
enum class Orvex_form_error { none, empty_password, bad_ra, bad_decl, bad_offsets };

bool ra_text_ok(const QString &ra);
bool decl_text_ok(const QString &decl);
// An epoch goes out only when it is a plausible year; otherwise it is left
// out without a word.
bool epoch_text_ok(const QString &epoch);
bool offsets_ok(const QString &off_ha, const QString &off_dec);

// The query of "Send", "Slew" or "Corr" (and of any other word, which then
// carries only User, Pass and Cmd). On failure the query is left empty.
Orvex_form_error command_query(const QString &user, const QString &passwd,
                               const QString &cmd, const Orvex_command_form &form,
                               Orvex_query &query);
Orvex_form_error stop_query(const QString &user, const QString &passwd,
                            Orvex_query &query);

// The messages of a refused command: shown (source text, translated by the
// caller) and logged (untranslated, with the offending text).
const char *form_error_message(Orvex_form_error error);
QString form_error_log_line(Orvex_form_error error, const Orvex_command_form &form);

// What a command reply says. The first line is shown and never tested for
// "State"; a second line that is not a "State" line is shown after it.
struct Orvex_command_reply
{
    QStringList lines; // as received, line feeds kept: written to the log
    // For the status bar: cut to display length, controls (the line feed
    // too) blanked.
    QString first_line;
    QString stat_msg;
    bool has_state = false;
    bool state_ok = false;
};
Orvex_command_reply read_command_reply(const QByteArray &body);

#endif
