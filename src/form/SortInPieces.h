#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kvitok {

// Puts rows in the order of a sorted list (RussianLess, equal rows keeping their order) a short
// piece at a time, for a caller with time to spare between other work, such as while the about
// box waits at start: a merge sort from the bottom up, one run sorted or one pair of runs merged
// per piece, a few milliseconds each even for the last merge of a hundred thousand rows.
class SortInPieces {
public:
    explicit SortInPieces(std::vector<std::string> rows);

    // Does one piece; false once the rows are in order.
    bool Step();
    // The rows in order, finishing what is left.
    std::vector<std::string> Take();

private:
    std::vector<std::string> m_rows;
    std::size_t m_runLength = 0; // of the sorted runs being merged; 0 while runs are still sorted
    std::size_t m_next = 0;      // the first row of the next piece
};

} // namespace kvitok
