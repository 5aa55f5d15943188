#pragma once

#include <cstdarg>

namespace kvitok {

// One text formatted by the database library's printf, which adds quoting conversions
// (%q doubles single quotes, %Q also wraps in quotes or writes NULL, %w doubles double quotes).
class DbFormatBuffer {
public:
    DbFormatBuffer() = default;
    DbFormatBuffer(DbFormatBuffer&& other) noexcept;
    DbFormatBuffer& operator=(DbFormatBuffer&& other) noexcept;
    DbFormatBuffer(const DbFormatBuffer&) = delete;
    DbFormatBuffer& operator=(const DbFormatBuffer&) = delete;
    ~DbFormatBuffer();

    // Releases the previous text first; the result stays valid until the next compose or release.
    const char* compose(const char* format, ...);
    const char* composeV(const char* format, va_list arguments);
    const char* text() const { return m_text; }
    void release();

private:
    char* m_text = nullptr;
};

} // namespace kvitok
