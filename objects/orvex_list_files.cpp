// Reading and saving .lst files for the list window.
#include "orvex_list.h"

#include "orvex_log.h"
#include "orvex_lst_format.h"
#include "orvex_night.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QListWidget>
#include <QSaveFile>
#include <qplatformdefs.h>

#include <cerrno>
#include <new>

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

// What the chosen path is. Only a regular file is read: a FIFO waits for a
// writer, a device such as /dev/zero never ends, a folder has no lines.
enum class File_kind { regular, unreadable, folder, other, too_large };

File_kind kind_of(bool is_dir, bool is_regular, qint64 size)
{
    if (is_dir)
        return File_kind::folder;
    if (!is_regular)
        return File_kind::other;
    return size > lst_max_file_bytes ? File_kind::too_large : File_kind::regular;
}

// Opens path for reading if it is a regular file within the size limit;
// error is the reason when it cannot be opened at all.
File_kind open_list_file(const QString &path, QFile &file, QString &error)
{
    // Looked at before anything is opened: opening a FIFO alone can block.
    const QFileInfo info(path);
    if (info.exists()) {
        const File_kind kind = kind_of(info.isDir(), info.isFile(), info.size());
        if (kind != File_kind::regular)
            return kind;
    }
#ifdef Q_OS_UNIX
    // Should the path have become a FIFO since, the open does not wait for a
    // writer; what was opened is looked at again.
    const int fd = QT_OPEN(QFile::encodeName(path).constData(),
                           O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = qt_error_string(errno);
        return File_kind::unreadable;
    }
    QT_STATBUF st;
    if (QT_FSTAT(fd, &st) != 0) {
        error = qt_error_string(errno);
        QT_CLOSE(fd);
        return File_kind::unreadable;
    }
    const File_kind kind = kind_of(S_ISDIR(st.st_mode), S_ISREG(st.st_mode), st.st_size);
    if (kind != File_kind::regular || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (kind == File_kind::regular)
            error = file.errorString();
        QT_CLOSE(fd);
        return kind == File_kind::regular ? File_kind::unreadable : kind;
    }
#else
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return File_kind::unreadable;
    }
#endif
    return File_kind::regular;
}

// Reads the whole file, never more than lst_max_file_bytes of it: a file
// that grows while it is read counts as too large.
bool read_bounded(QFile &file, QByteArray &bytes, bool &too_large)
{
    bytes.reserve(int(qMin(file.size(), lst_max_file_bytes)));
    char chunk[1 << 16];
    for (;;) {
        const qint64 n = file.read(chunk, sizeof chunk);
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        if (bytes.size() + n > lst_max_file_bytes) {
            too_large = true;
            return false;
        }
        bytes.append(chunk, int(n));
    }
}

} // namespace

bool Orvex_list::read_list_file(const QString &path)
{
    const int old_count = obj_list->size();
    const bool was_modified = modified;
    const QString was_own_file = own_file;
    try {
        QByteArray bytes;
        const Read_refusal refusal = read_list_bytes(path, bytes);
        if (!refusal.reason.isNull()) {
            report_read_error(path, refusal.reason, refusal.log_reason);
            return false;
        }
        const Orvex_lst_file file = lst_read_lines(bytes);
        bytes = QByteArray();
        if (file.too_many_lines) {
            report_read_error(path, tr("it has more than %1 lines").arg(lst_max_lines),
                              QStringLiteral("it has more than %1 lines").arg(lst_max_lines));
            return false;
        }
        if (file.long_line) {
            report_read_error(path, tr("line %1 is longer than %2 characters")
                                        .arg(file.long_line).arg(lst_max_line_chars),
                              QStringLiteral("line %1 is longer than %2 characters")
                                  .arg(file.long_line).arg(lst_max_line_chars));
            return false;
        }
        append_lines(file.lines);
    } catch (const std::bad_alloc &) {
        // What was appended goes again: the list stays as it was.
        drop_lines_from(old_count);
        modified = was_modified;
        own_file = was_own_file;
        report_read_error(path, tr("there is not enough memory to read it"),
                          QStringLiteral("there is not enough memory to read it"));
        return false;
    }
    last_file = path;
    // Read into the empty list, the list is that file.
    if (old_count == 0) {
        modified = false;
        own_file = path;
    }
    return true;
}

Orvex_list::Read_refusal Orvex_list::read_list_bytes(const QString &path, QByteArray &bytes)
{
    QFile file;
    QString error;
    switch (open_list_file(path, file, error)) {
    case File_kind::regular:
        break;
    case File_kind::unreadable:
        return {error, QString()};
    case File_kind::folder:
        return {tr("it is a folder"), QStringLiteral("it is a folder")};
    case File_kind::other:
        return {tr("it is not a regular file"), QStringLiteral("it is not a regular file")};
    case File_kind::too_large:
        return {too_large_reason(true), too_large_reason(false)};
    }
    // Read as bytes: line ends and encodings are worked out line by line.
    bool too_large = false;
    if (!read_bounded(file, bytes, too_large)) {
        if (too_large)
            return {too_large_reason(true), too_large_reason(false)};
        // A file that broke off while being read is not half-appended.
        return {file.errorString(), QString()};
    }
    return {};
}

QString Orvex_list::too_large_reason(bool translated)
{
    const qint64 mib = lst_max_file_bytes >> 20;
    return translated ? tr("it is larger than %1 MiB").arg(mib)
                      : QStringLiteral("it is larger than %1 MiB").arg(mib);
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
        const QByteArray bytes = lst_list_bytes(*obj_list);
        if (write_all(file, bytes) && file.commit()) {
            last_file = path;
            modified = false;
            own_file = path;
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
        QLatin1String(".lst(*.lst);;") + tr("All files(*.*)"), nullptr,
        // The desktop's own dialog knows nothing of night vision.
        night_vision() ? QFileDialog::DontUseNativeDialog : QFileDialog::Options());
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
