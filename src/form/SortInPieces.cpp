#include "SortInPieces.h"

#include "ControlModels.h"

#include <algorithm>

namespace kvitok {

namespace {

constexpr std::size_t kRun = 4096;

} // namespace

SortInPieces::SortInPieces(std::vector<std::string> rows) : m_rows(std::move(rows)) {}

bool SortInPieces::Step() {
    const std::size_t count = m_rows.size();
    const auto at = [&](std::size_t index) {
        return m_rows.begin() + static_cast<std::ptrdiff_t>(std::min(index, count));
    };
    if (m_runLength == 0) {
        std::stable_sort(at(m_next), at(m_next + kRun), RussianLess);
        m_next += kRun;
        if (m_next >= count) {
            m_runLength = kRun;
            m_next = 0;
        }
        return true;
    }
    if (m_runLength >= count) {
        return false;
    }
    std::inplace_merge(at(m_next), at(m_next + m_runLength), at(m_next + 2 * m_runLength), RussianLess);
    m_next += 2 * m_runLength;
    if (m_next >= count) {
        m_runLength *= 2;
        m_next = 0;
    }
    return true;
}

std::vector<std::string> SortInPieces::Take() {
    while (Step()) {}
    return std::move(m_rows);
}

} // namespace kvitok
