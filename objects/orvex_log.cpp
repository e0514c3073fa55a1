#include "orvex_log.h"

#include "orvex_text.h"

#include <QDateTime>

#include <cstdio>

namespace {
QStringList *captured_out = nullptr;
QStringList *captured_err = nullptr;

// Log lines carry texts from TCS replies and files: no control character of
// theirs may reach the observer's terminal as an escape sequence.
void write(FILE *stream, QStringList *capture, const QString &text,
           const char *end)
{
    const QString clean = blank_controls(text, true);
    if (capture)
        capture->append(clean);
    const QByteArray bytes = (clean + QLatin1String(end)).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}
} // namespace

void log_out(const QString &line)
{
    write(stdout, captured_out, line, "\n");
}

void log_err(const QString &line)
{
    write(stderr, captured_err, line, "\n");
}

void log_out_raw(const QString &text)
{
    write(stdout, captured_out, text, "");
}

void set_log_capture(QStringList *out, QStringList *err)
{
    captured_out = out;
    captured_err = err;
}

QString log_timestamp()
{
    return QDateTime::currentDateTime().toString(
        QStringLiteral("dd.MM.yyyy hh:mm:ss"));
}
