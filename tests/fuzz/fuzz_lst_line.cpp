// A .lst file from another program, decoded and split as the list window does.
#include "orvex_lst_format.h"
#include "orvex_object.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Orvex_lst_file file = lst_read_lines(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    for (const Orvex_lst_file_line &read : file.lines) {
        const QString &line = read.text;
        if (read.bytes.contains('\n') || read.bytes.contains('\r'))
            __builtin_trap();
        const Orvex_lst_line parsed = lst_parse_line(line);
        Orvex_object record;
        lst_fill_record(&record, parsed);
        if (line.contains('\n') || line.contains('\r') || record.is_comment == parsed.is_object
            || (parsed.is_object && !lst_is_object_line(line)))
            __builtin_trap();
        // What the program writes for an object must read back.
        if (parsed.is_object)
            lst_parse_line(lst_object_line(record.ra_text, record.decl_text, record.epoch_text, record.name));
    }
    return 0;
}
