#include "CLocaleNumber.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace kvitok {

double StrtodInCLocale(const char* text) {
    static const _locale_t locale = _create_locale(LC_ALL, "C");
    return _strtod_l(text, nullptr, locale);
}

} // namespace kvitok
