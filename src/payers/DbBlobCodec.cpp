#include "payers/DbBlobCodec.h"

#include "payers/DbException.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace kvitok {

namespace {

constexpr unsigned char kEscape = 1;
constexpr unsigned char kQuote = 39;

// Writes the text form of n bytes to out, which must hold (n * 257) / 254 + 3 bytes; returns
// its length without the terminating zero.
int Encode(const unsigned char* in, int n, unsigned char* out) {
    if (n <= 0) {
        out[0] = 'x';
        out[1] = 0;
        return 1;
    }
    std::array<int, 256> count {};
    for (int i = 0; i < n; ++i) {
        ++count[in[i]];
    }
    // The offset that needs the fewest escapes: bytes equal to e, e + 1 and e + 39 are escaped.
    int best = n;
    int offset = 1;
    for (int e = 1; e < 256; ++e) {
        if (e == kQuote) {
            continue;
        }
        const int sum = count[e] + count[(e + 1) & 0xff] + count[(e + kQuote) & 0xff];
        if (sum < best) {
            best = sum;
            offset = e;
            if (sum == 0) {
                break;
            }
        }
    }
    int j = 0;
    out[j++] = static_cast<unsigned char>(offset);
    for (int i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>((in[i] - offset) & 0xff);
        if (c == 0 || c == 1 || c == kQuote) {
            out[j++] = kEscape;
            out[j++] = c == 0 ? 1 : c == 1 ? 2 : 3;
        } else {
            out[j++] = c;
        }
    }
    out[j] = 0;
    return j;
}

} // namespace

DbBlobCodec::DbBlobCodec(DbBlobCodec&& other) noexcept
    : m_buffer(std::exchange(other.m_buffer, nullptr)),
      m_binaryLength(std::exchange(other.m_binaryLength, 0)),
      m_bufferLength(std::exchange(other.m_bufferLength, 0)),
      m_encodedLength(std::exchange(other.m_encodedLength, 0)),
      m_isEncoded(std::exchange(other.m_isEncoded, false)) {}

DbBlobCodec& DbBlobCodec::operator=(DbBlobCodec&& other) noexcept {
    if (this != &other) {
        release();
        m_buffer = std::exchange(other.m_buffer, nullptr);
        m_binaryLength = std::exchange(other.m_binaryLength, 0);
        m_bufferLength = std::exchange(other.m_bufferLength, 0);
        m_encodedLength = std::exchange(other.m_encodedLength, 0);
        m_isEncoded = std::exchange(other.m_isEncoded, false);
    }
    return *this;
}

DbBlobCodec::~DbBlobCodec() {
    release();
}

unsigned char* DbBlobCodec::reserve(int length) {
    release();
    if (length < 0) {
        length = 0;
    }
    // Room for the offset byte, the data, at most 3 escapes per 254 bytes and the terminator.
    const std::int64_t size = std::int64_t {length} * 257 / 254 + 3;
    if (size > INT32_MAX) {
        throw DbException(DbException::DbLayerError, "Cannot allocate memory");
    }
    m_buffer = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(size)));
    if (!m_buffer) {
        throw DbException(DbException::DbLayerError, "Cannot allocate memory");
    }
    m_binaryLength = length;
    m_bufferLength = static_cast<int>(size);
    m_isEncoded = false;
    return m_buffer;
}

void DbBlobCodec::setBytes(const unsigned char* bytes, int length) {
    reserve(length);
    if (m_binaryLength > 0 && bytes) {
        std::memcpy(m_buffer, bytes, static_cast<std::size_t>(m_binaryLength));
    }
}

void DbBlobCodec::setText(const char* text) {
    if (!text) {
        text = "";
    }
    const std::size_t length = std::strlen(text);
    auto* buffer = static_cast<unsigned char*>(std::malloc(length + 1));
    if (!buffer) {
        throw DbException(DbException::DbLayerError, "Cannot allocate memory");
    }
    std::memcpy(buffer, text, length + 1);
    release();
    m_buffer = buffer;
    m_bufferLength = static_cast<int>(length + 1);
    m_encodedLength = static_cast<int>(length);
    m_isEncoded = true;
}

const char* DbBlobCodec::text() {
    if (!m_isEncoded) {
        // A decoded text may sit in a buffer sized for the text it came from: encode into a
        // buffer sized for the binary instead.
        std::vector<unsigned char> binary(m_buffer, m_buffer + (m_buffer ? m_binaryLength : 0));
        reserve(static_cast<int>(binary.size()));
        m_encodedLength = Encode(binary.data(), static_cast<int>(binary.size()), m_buffer);
        m_isEncoded = true;
    }
    return reinterpret_cast<const char*>(m_buffer);
}

const unsigned char* DbBlobCodec::bytes() {
    if (!m_isEncoded) {
        return m_buffer;
    }
    // Decode into a copy first, so that a text that cannot be decoded stays as it was.
    std::vector<unsigned char> out;
    const unsigned char* in = m_buffer;
    if (in[0] != 0) {
        const unsigned char offset = *in++;
        out.reserve(static_cast<std::size_t>(m_encodedLength));
        while (*in != 0) {
            unsigned char c = *in++;
            if (c == kEscape) {
                switch (*in++) {
                case 1:
                    c = 0;
                    break;
                case 2:
                    c = 1;
                    break;
                case 3:
                    c = kQuote;
                    break;
                default:
                    throw DbException(DbException::DbLayerError, "Cannot decode binary");
                }
            }
            out.push_back(static_cast<unsigned char>((c + offset) & 0xff));
        }
    }
    if (!out.empty()) {
        std::memcpy(m_buffer, out.data(), out.size());
    }
    m_binaryLength = static_cast<int>(out.size());
    m_isEncoded = false;
    return m_buffer;
}

int DbBlobCodec::byteCount() {
    bytes();
    return m_binaryLength;
}

void DbBlobCodec::release() {
    std::free(std::exchange(m_buffer, nullptr));
    m_binaryLength = 0;
    m_bufferLength = 0;
    m_encodedLength = 0;
    m_isEncoded = false;
}

} // namespace kvitok
