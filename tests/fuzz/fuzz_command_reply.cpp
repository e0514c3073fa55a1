// A command reply body from the TCS web host.
#include "orvex_tcs_command.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Orvex_command_reply r = read_command_reply(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    if (!r.lines.isEmpty() && r.first_line != r.lines.first())
        __builtin_trap();
    return 0;
}
