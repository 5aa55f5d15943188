#pragma once

#include <chrono>
#include <functional>
#include <vector>

namespace kvitok {

// Work that waits for time a window would otherwise spend waiting, as while the about box is up
// at start: each work is done a short piece at a time, the first with any left first.
class IdleWork {
public:
    // Does one short piece of a work; false when none of it is left.
    using Piece = std::function<bool()>;

    void Add(Piece work) { m_work.push_back(std::move(work)); }
    // One piece; false when no work has any left.
    bool RunPiece();
    // Pieces for at most `slice`, or until `othersWait` tells that something else waits; true
    // while some work is left.
    bool Run(std::chrono::milliseconds slice, const std::function<bool()>& othersWait = nullptr);

private:
    std::vector<Piece> m_work;
};

} // namespace kvitok
