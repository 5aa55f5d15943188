#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kvitok {

// Base64 with the standard alphabet and "=" padding, no line breaks (RFC 4648), for the
// image's data URI. Zero bytes are encoded like any other.
class Base64Encoder {
public:
    virtual ~Base64Encoder() = default;

    std::string Encode(const void* bytes, std::size_t length) const;
    std::string Encode(std::string_view bytes) const { return Encode(bytes.data(), bytes.size()); }
};

} // namespace kvitok
