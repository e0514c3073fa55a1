#include "orvex_translator.h"

#include "orvex_qm_check.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool readable_file(const QString &path)
{
    const QFileInfo fi(path);
    return fi.isReadable() && fi.isFile();
}

// The "in Russian" action is in every translation of the program.
const char *const known_context = "Orvex_Obj_List";
const char *const known_text = "in Russian";

} // namespace

QString Orvex_translator::find_file(const QString &name, const QString &dir)
{
    QString prefix;
    if (QFileInfo(name).isRelative() && !dir.isEmpty())
        prefix = dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
    QString stem = name;
    for (;;) {
        for (const QString &path : {prefix + stem + QLatin1String(".qm"), prefix + stem})
            if (readable_file(path))
                return path;
        const int cut = qMax(stem.lastIndexOf(QLatin1Char('_')), stem.lastIndexOf(QLatin1Char('.')));
        if (cut <= 0)
            return QString();
        stem.truncate(cut);
    }
}

bool Orvex_translator::is_usable(const QByteArray &data)
{
    if (!qm_is_sound(data))
        return false;
    QTranslator probe;
    return probe.load(reinterpret_cast<const uchar *>(data.constData()), data.size())
           && !probe.translate(known_context, known_text).isEmpty();
}

bool Orvex_translator::load_checked(const QString &name, const QString &dir)
{
    const QString path = find_file(name, dir);
    if (path.isEmpty()) {
        unload();
        return false;
    }
    return load_checked_file(path);
}

bool Orvex_translator::load_checked_file(const QString &path)
{
    QFile file(path);
    QByteArray data;
    // One byte more than allowed tells a file that is too large.
    if (file.open(QIODevice::ReadOnly))
        data = file.read(qm_max_bytes + 1);
    if (!is_usable(data)) {
        unload();
        return false;
    }
    // The translator lets go of the old bytes before they are freed.
    const QByteArray old = bytes;
    bytes = data;
    return load(reinterpret_cast<const uchar *>(bytes.constData()), bytes.size());
}

void Orvex_translator::unload()
{
    load(static_cast<const uchar *>(nullptr), 0);
    bytes.clear();
}
