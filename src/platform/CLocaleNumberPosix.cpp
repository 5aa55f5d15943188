#include "CLocaleNumber.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace kvitok {

double StrtodInCLocale(const char* text) {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(text, nullptr, locale);
}

} // namespace kvitok
