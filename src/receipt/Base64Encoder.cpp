#include "Base64Encoder.h"

#include <cstdint>

namespace kvitok {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

} // namespace

std::string Base64Encoder::Encode(const void* bytes, std::size_t length) const {
    const auto* in = static_cast<const unsigned char*>(bytes);
    std::string out;
    out.reserve((length + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= length; i += 3) {
        const std::uint32_t group =
            (std::uint32_t {in[i]} << 16) | (std::uint32_t {in[i + 1]} << 8) | in[i + 2];
        out.push_back(kAlphabet[(group >> 18) & 0x3F]);
        out.push_back(kAlphabet[(group >> 12) & 0x3F]);
        out.push_back(kAlphabet[(group >> 6) & 0x3F]);
        out.push_back(kAlphabet[group & 0x3F]);
    }
    const std::size_t rest = length - i;
    if (rest > 0) {
        std::uint32_t group = std::uint32_t {in[i]} << 16;
        if (rest == 2) {
            group |= std::uint32_t {in[i + 1]} << 8;
        }
        out.push_back(kAlphabet[(group >> 18) & 0x3F]);
        out.push_back(kAlphabet[(group >> 12) & 0x3F]);
        out.push_back(rest == 2 ? kAlphabet[(group >> 6) & 0x3F] : '=');
        out.push_back('=');
    }
    return out;
}

} // namespace kvitok
