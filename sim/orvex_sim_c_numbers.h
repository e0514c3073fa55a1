#ifndef ORVEX_SIM_C_NUMBERS_H
#define ORVEX_SIM_C_NUMBERS_H

#include <clocale>
#include <locale.h>

namespace orvex_sim {

// The TCS writes and reads "12.5" whatever locale the process runs in; a
// test program's toolkit sets the desktop's (a decimal comma in Russian).
// While one of these lives, printf and strtod on this thread use the C
// locale's numbers.
class C_numbers
{
public:
    C_numbers() : previous(uselocale(c_locale())) {}
    ~C_numbers() { uselocale(previous); }
    C_numbers(const C_numbers &) = delete;
    C_numbers &operator=(const C_numbers &) = delete;

private:
    static locale_t c_locale()
    {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
        return c;
    }
    locale_t previous;
};

} // namespace orvex_sim

#endif
