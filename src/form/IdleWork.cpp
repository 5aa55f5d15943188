#include "IdleWork.h"

namespace kvitok {

bool IdleWork::RunPiece() {
    for (const Piece& work : m_work) {
        if (work()) {
            return true;
        }
    }
    return false;
}

bool IdleWork::Run(std::chrono::milliseconds slice, const std::function<bool()>& othersWait) {
    const auto began = std::chrono::steady_clock::now();
    while (RunPiece()) {
        if ((othersWait && othersWait()) || std::chrono::steady_clock::now() - began >= slice) {
            return true;
        }
    }
    return false;
}

} // namespace kvitok
