// A .lst file written by another program.
#include "orvex_lst_format.h"
#include "orvex_object.h"

#include <QByteArray>

#include <cstdint>

namespace {

void check_line(const QString &line)
{
    const Orvex_lst_line parsed = lst_parse_line(line);
    Orvex_object record;
    lst_fill_record(&record, parsed);
    if (parsed.is_object) {
        if (record.is_comment || !lst_is_object_line(line))
            __builtin_trap();
        // What the program writes for the object must read back as the same
        // kind of line.
        lst_parse_line(lst_object_line(record.ra_text, record.decl_text,
                                       record.epoch_text, record.name));
    } else if (!record.is_comment) {
        __builtin_trap();
    }
}

} // namespace

// The bytes are a whole file: decoded and split as the list window does.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QStringList lines;
    lst_split_lines(lst_file_text(bytes), lines);
    for (const QString &line : lines) {
        if (line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r')))
            __builtin_trap();
        check_line(line);
    }
    return 0;
}
