// A line of a .lst file written by another program.
#include "orvex_lst_format.h"
#include "orvex_object.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString line = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
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
    return 0;
}
