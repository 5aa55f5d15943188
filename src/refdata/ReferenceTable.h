#pragma once

#include <span>
#include <string_view>

namespace kvitok {

// One row of the compiled-in reference table: key and value, both windows-1251 text.
struct ReferenceRow {
    std::string_view key;
    std::string_view value;
};

// All rows in table order, from ("BEGIN", "VALUE") to ("END", "VALUE").
std::span<const ReferenceRow> ReferenceRows();

} // namespace kvitok
