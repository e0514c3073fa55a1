// A users list body from the TCS web host.
#include "orvex_tcs_users.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Orvex_users_list users = parse_users_body(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    if (users.guest_index < 0 || (users.guest_index > 0 && users.guest_index >= users.items.size()))
        __builtin_trap();
    return 0;
}
