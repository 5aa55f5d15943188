#pragma once

namespace kvitok {

// Converts binary data to a text without zero bytes and without single quotes, and back, so
// that a binary can travel as an ordinary quoted text. The text begins with an offset byte e;
// each byte x is written as x - e (mod 256), with 0, 1 and 39 escaped as 1,1 / 1,2 / 1,3.
class DbBlobCodec {
public:
    DbBlobCodec() = default;
    DbBlobCodec(DbBlobCodec&& other) noexcept;
    DbBlobCodec& operator=(DbBlobCodec&& other) noexcept;
    DbBlobCodec(const DbBlobCodec&) = delete;
    DbBlobCodec& operator=(const DbBlobCodec&) = delete;
    ~DbBlobCodec();

    void setBytes(const unsigned char* bytes, int length);
    void setText(const char* text);
    // The text form, encoding the binary held if needed; valid until the next change.
    const char* text();
    // The binary, decoding the text held if needed; throws when the text is not decodable.
    const unsigned char* bytes();
    int byteCount();
    // Makes room for a binary of the given length (and its text form); the contents are undefined.
    unsigned char* reserve(int length);
    void release();

private:
    unsigned char* m_buffer = nullptr;
    int m_binaryLength = 0;
    int m_bufferLength = 0;
    int m_encodedLength = 0;
    bool m_isEncoded = false;
};

} // namespace kvitok
