#include "ReferenceTable.h"

#include "text/Cp1251Literal.h"

#include <array>

namespace kvitok {

namespace {

// Placeholder: the full table follows.
constexpr std::array kRows = {
    ReferenceRow{"BEGIN", "VALUE"},
    ReferenceRow{"END", "VALUE"},
};

} // namespace

std::span<const ReferenceRow> ReferenceRows() {
    return kRows;
}

} // namespace kvitok
