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
    Ordered();
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
    Ordered();
    ++m_revision;
    if (!m_sorted) {
        m_rows.insert(m_rows.end(), std::make_move_iterator(rows.begin()),
                      std::make_move_iterator(rows.end()));
        return;
    }
    m_unordered = std::move(rows);
}

bool ListModel::OrderSome() {
    return OrderPiece();
}

void ListModel::Ordered() const {
    while (OrderPiece()) {}
}

bool ListModel::OrderPiece() const {
    // A merge sort from the bottom up, one run or one merge per piece: stable, as adding the
    // rows one by one would be, and a few milliseconds a piece even for the last merge.
    constexpr std::size_t kRun = 4096;
    if (m_unordered.empty()) {
        return false;
    }
    const std::size_t count = m_unordered.size();
    const auto at = [&](std::size_t index) {
        return m_unordered.begin() + static_cast<std::ptrdiff_t>(std::min(index, count));
    };
    if (m_runLength == 0) {
        std::stable_sort(at(m_next), at(m_next + kRun), RussianLess);
        m_next += kRun;
        if (m_next >= count) {
            m_runLength = kRun;
            m_next = 0;
        }
    } else if (m_runLength < count) {
        std::inplace_merge(at(m_next), at(m_next + m_runLength), at(m_next + 2 * m_runLength), RussianLess);
        m_next += 2 * m_runLength;
        if (m_next >= count) {
            m_runLength *= 2;
            m_next = 0;
        }
    } else {
        TakeOrdered();
    }
    return true;
}

void ListModel::TakeOrdered() const {
    std::vector<std::string> rows = std::move(m_unordered);
    m_unordered.clear();
    m_runLength = 0;
    m_next = 0;
    if (m_rows.empty()) {
        m_rows = std::move(rows);
        return;
    }
    // Rows already there stay ahead of equal new ones, as each new one would go after its equals.
    if (m_selected >= 0) {
        const std::string& selected = m_rows[static_cast<std::size_t>(m_selected)];
        m_selected += static_cast<int>(std::lower_bound(rows.begin(), rows.end(), selected, RussianLess) -
                                       rows.begin());
    }
    const auto middle = static_cast<std::ptrdiff_t>(m_rows.size());
    m_rows.insert(m_rows.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    std::inplace_merge(m_rows.begin(), m_rows.begin() + middle, m_rows.end(), RussianLess);
}

const std::vector<std::string>& ListModel::Rows() const {
    Ordered();
    return m_rows;
}

int ListModel::Selected() const {
    Ordered();
    return m_selected;
}

int ListModel::FindRow(const std::string& text) const {
    const std::vector<std::string>& rows = Rows();
    const auto found = std::find(rows.begin(), rows.end(), text);
    return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

void ListModel::Clear() {
    m_rows.clear();
    m_unordered.clear();
    m_runLength = 0;
    m_next = 0;
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
    const int selected = Selected();
    return selected >= 0 ? m_rows[static_cast<std::size_t>(selected)] : std::string();
}

} // namespace kvitok
