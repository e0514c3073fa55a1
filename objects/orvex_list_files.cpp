// Reading and saving .lst files for the list window.
#include "orvex_list.h"

#include "orvex_log.h"
#include "orvex_lst_format.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QSaveFile>
#include <QTextCodec>

namespace {

// A short write is no error to the system; writing on until a write fails
// brings out the reason (disc full, file too large) for the message.
bool write_all(QIODevice &device, const QByteArray &bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = device.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

bool Orvex_list::read_list_file(const QString &path)
{
    QFile file(path);
    // Line ends and the encoding are worked out from the whole file, so it
    // is read as bytes.
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        // A file that broke off while being read is not half-appended.
        report_read_error(path, file.errorString());
        return false;
    }
    QStringList lines;
    if (const int long_line = lst_split_lines(lst_file_text(bytes), lines)) {
        report_read_error(path, tr("line %1 is longer than %2 characters")
                                    .arg(long_line).arg(lst_max_line_chars),
                          QStringLiteral("line %1 is longer than %2 characters")
                              .arg(long_line).arg(lst_max_line_chars));
        return false;
    }
    append_lines(lines);
    last_file = path;
    return true;
}

bool Orvex_list::write_list_file(const QString &path)
{
    // The user's old file is replaced only once the new one is complete, so
    // a full disc or a vanished folder cannot cost the list. Where the folder
    // takes no new file but the file itself may be written, the file is
    // written in place rather than not at all.
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    // Unbuffered, every failing write is seen here and none is left for the
    // close, where it would pass unnoticed.
    if (file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Unbuffered)) {
        QString text;
        for (const QString &line : lines())
            text += line + QLatin1Char('\n');
        const QByteArray bytes = QTextCodec::codecForLocale()->fromUnicode(text);
        if (write_all(file, bytes) && file.commit()) {
            last_file = path;
            return true;
        }
    }
    // Not committed: the temporary file goes, the old one stays whole (unless
    // it was being written in place).
    const QString reason = file.errorString();
    report_file_error(tr("Cannot save list file %1: %2")
                          .arg(QDir::toNativeSeparators(path), reason),
                      QLatin1String("Cannot save list file ") + path
                          + QLatin1String(": ") + reason);
    return false;
}

void Orvex_list::report_read_error(const QString &path, const QString &reason,
                                   const QString &log_reason)
{
    report_file_error(tr("Cannot read list file %1: %2")
                          .arg(QDir::toNativeSeparators(path), reason),
                      QLatin1String("Cannot read list file ") + path
                          + QLatin1String(": ")
                          + (log_reason.isNull() ? reason : log_reason));
}

void Orvex_list::report_file_error(const QString &message,
                                   const QString &log_line)
{
    log_err(log_line);
    emit file_error(message);
}

void Orvex_list::on_orvex_get_lst_btn_clicked()
{
    // After the first file the dialog remembers where the user was.
    const QString start = last_file.isNull() ? QDir::currentPath() : QString();
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Choose objects list file"), start,
        QLatin1String(".lst(*.lst);;") + tr("All files(*.*)"));
    if (path.isEmpty())
        return;
    read_list_file(path);
}

void Orvex_list::save_list()
{
    if (ui->orvex_obj_lst->count() == 0)
        return;
    QFileDialog dialog(this, QString(), QString(), QString());
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral(".lst(*.lst)"), tr("All files(*.*)")});
    dialog.setDefaultSuffix(QStringLiteral("lst"));
    if (!last_file.isNull())
        dialog.selectFile(last_file);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty())
        return;
    write_list_file(files.first());
}
