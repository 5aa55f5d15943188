// The blob codec: any text decodes or is refused with an exception; any bytes encode to a text
// without zero bytes or quotes that decodes back to them.
#include "FuzzSupport.h"
#include "payers/DbBlobCodec.h"
#include "payers/DbException.h"

#include <cstring>

namespace {

using kvitok::DbBlobCodec;

std::string Decoded(DbBlobCodec& codec) {
    const unsigned char* bytes = codec.bytes();
    return {reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(codec.byteCount())};
}

std::string RoundTrip(const std::string& bytes) {
    DbBlobCodec codec;
    codec.setBytes(reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
    const std::string text = codec.text();
    FUZZ_CHECK(text.find('\'') == std::string::npos && !text.empty());
    DbBlobCodec back;
    back.setText(text.c_str());
    const std::string decoded = Decoded(back);
    FUZZ_CHECK(Decoded(codec) == decoded); // the codec decodes its own text alike
    return decoded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(RoundTrip(bytes) == bytes);

    DbBlobCodec codec;
    codec.setText(bytes.c_str());
    try {
        const std::string decoded = Decoded(codec);
        FUZZ_CHECK(RoundTrip(decoded) == decoded);
    } catch (const kvitok::DbException& error) {
        FUZZ_CHECK(!error.message().empty());
    }
    return 0;
}
