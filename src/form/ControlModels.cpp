#include "ControlModels.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace kvitok {

namespace {

// Sort weight of one windows-1251 byte: digits, then Latin letters, then Cyrillic letters in
// alphabet order with Ё right after Е; case is ignored. Other characters keep their byte order
// below the letters.
constexpr int SortWeight(unsigned char c) {
    constexpr int kLatin = 0x1000;
    constexpr int kCyrillic = 0x2000;
    if (c >= 'a' && c <= 'z') {
        c = static_cast<unsigned char>(c - 'a' + 'A');
    }
    if (c >= 'A' && c <= 'Z') {
        return kLatin + c;
    }
    if (c == 0xA8 || c == 0xB8) { // Ё ё
        return kCyrillic + 2 * 5 + 1;
    }
    if (c >= 0xE0) {
        c = static_cast<unsigned char>(c - 0x20);
    }
    if (c >= 0xC0) {
        return kCyrillic + 2 * (c - 0xC0);
    }
    return c;
}

// The weights of all bytes, looked up rather than computed: sorting a large payer file
// compares names millions of times.
constexpr std::array<int, 256> kSortWeights = [] {
    std::array<int, 256> weights {};
    for (int c = 0; c < 256; ++c) {
        weights[static_cast<std::size_t>(c)] = SortWeight(static_cast<unsigned char>(c));
    }
    return weights;
}();

} // namespace

bool RussianLess(const std::string& a, const std::string& b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const int x = kSortWeights[static_cast<unsigned char>(a[i])];
        const int y = kSortWeights[static_cast<unsigned char>(b[i])];
        if (x != y) {
            return x < y;
        }
    }
    return a.size() < b.size();
}

int ListModel::AddRow(const std::string& text) {
    auto at = m_rows.end();
    if (m_sorted) {
        at = std::upper_bound(m_rows.begin(), m_rows.end(), text, RussianLess);
    }
    const int index = static_cast<int>(at - m_rows.begin());
    m_rows.insert(at, text);
    ++m_revision;
    if (m_selected >= index) {
        ++m_selected;
    }
    return index;
}

void ListModel::AddRows(std::vector<std::string> rows) {
    ++m_revision;
    if (!m_sorted) {
        m_rows.insert(m_rows.end(), std::make_move_iterator(rows.begin()),
                      std::make_move_iterator(rows.end()));
        return;
    }
    // Rows already there stay ahead of equal new ones, and equal new ones keep their order,
    // as each would when inserted after its equals. Rows put in order beforehand (see
    // SortInPieces) are taken as they are.
    if (!std::is_sorted(rows.begin(), rows.end(), RussianLess)) {
        std::stable_sort(rows.begin(), rows.end(), RussianLess);
    }
    if (m_rows.empty()) {
        m_rows = std::move(rows);
        return;
    }
    if (m_selected >= 0) {
        const std::string& selected = m_rows[static_cast<std::size_t>(m_selected)];
        m_selected += static_cast<int>(std::lower_bound(rows.begin(), rows.end(), selected, RussianLess) -
                                       rows.begin());
    }
    const auto middle = static_cast<std::ptrdiff_t>(m_rows.size());
    m_rows.insert(m_rows.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    std::inplace_merge(m_rows.begin(), m_rows.begin() + middle, m_rows.end(), RussianLess);
}

int ListModel::FindRow(const std::string& text) const {
    const auto found = std::find(m_rows.begin(), m_rows.end(), text);
    return found == m_rows.end() ? -1 : static_cast<int>(found - m_rows.begin());
}

void ListModel::Clear() {
    m_rows.clear();
    m_selected = -1;
    ++m_revision;
}

void ListModel::RemoveRow(int row) {
    if (row < 0 || row >= Count()) {
        return;
    }
    m_rows.erase(m_rows.begin() + row);
    ++m_revision;
    if (m_selected == row) {
        m_selected = -1;
    } else if (m_selected > row) {
        --m_selected;
    }
}

void ListModel::Select(int row) {
    m_selected = row >= 0 && row < Count() ? row : -1;
    if (m_editable && m_selected >= 0) {
        m_editText = m_rows[static_cast<std::size_t>(m_selected)];
    }
}

std::string ListModel::SelectedText() const {
    return m_selected >= 0 ? m_rows[static_cast<std::size_t>(m_selected)] : std::string();
}

} // namespace kvitok
