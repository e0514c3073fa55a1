// A translation file beside the program: whatever the check takes, the
// toolkit must read without going outside the file.
#include "orvex_qm_check.h"

#include <QTranslator>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A copy of its own size, so that any read past the end is caught.
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    if (!qm_is_sound(bytes))
        return 0;
    QTranslator tr;
    if (tr.load(reinterpret_cast<const uchar *>(bytes.constData()), bytes.size())) {
        tr.translate("Orvex_Obj_List", "in Russian");
        tr.translate("Orvex_Obj_List", "Quit", "menu");
        tr.translate("", "");
        tr.translate("Orvex_list", "%n objects", nullptr, 3);
    }
    return 0;
}
