#ifndef ORVEX_TEST_FILES_H
#define ORVEX_TEST_FILES_H

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

// A file's bytes as they are on disc, or a mark that it could not be read.
inline QByteArray file_bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

inline void put_file(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

#endif
