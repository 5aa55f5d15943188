#include "ControlModels.h"

#include <algorithm>

namespace kvitok {

namespace {

// Sort weight of one windows-1251 byte: digits, then Latin letters, then Cyrillic letters in
// alphabet order with Ё right after Е; case is ignored. Other characters keep their byte order
// below the letters.
int SortWeight(unsigned char c) {
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

} // namespace

bool RussianLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return SortWeight(static_cast<unsigned char>(x)) < SortWeight(static_cast<unsigned char>(y));
    });
}

int ListModel::AddRow(const std::string& text) {
    auto at = m_rows.end();
    if (m_sorted) {
        at = std::upper_bound(m_rows.begin(), m_rows.end(), text, RussianLess);
    }
    const int index = static_cast<int>(at - m_rows.begin());
    m_rows.insert(at, text);
    if (m_selected >= index) {
        ++m_selected;
    }
    return index;
}

void ListModel::Clear() {
    m_rows.clear();
    m_selected = -1;
}

void ListModel::RemoveRow(int row) {
    if (row < 0 || row >= Count()) {
        return;
    }
    m_rows.erase(m_rows.begin() + row);
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
