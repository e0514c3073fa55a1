#include "orvex_log.h"

#include "orvex_text.h"

#include <QDateTime>

#include <cstdio>

namespace {
QStringList *captured_out = nullptr;
QStringList *captured_err = nullptr;

// Log lines carry texts from TCS replies and files: no control character of
// theirs may reach the observer's terminal as an escape sequence.
void write(FILE *stream, const QString &text)
{
    const QByteArray bytes = blank_controls(text, true).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}
} // namespace

void log_out(const QString &line)
{
    if (captured_out)
        captured_out->append(line);
    write(stdout, line + QLatin1Char('\n'));
}

void log_err(const QString &line)
{
    if (captured_err)
        captured_err->append(line);
    write(stderr, line + QLatin1Char('\n'));
}

void log_out_raw(const QString &text)
{
    if (captured_out)
        captured_out->append(text);
    write(stdout, text);
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
