#include "payers/DbFormatBuffer.h"

#include <sqlite3.h>

#include <utility>

namespace kvitok {

DbFormatBuffer::DbFormatBuffer(DbFormatBuffer&& other) noexcept
    : m_text(std::exchange(other.m_text, nullptr)) {}

DbFormatBuffer& DbFormatBuffer::operator=(DbFormatBuffer&& other) noexcept {
    if (this != &other) {
        release();
        m_text = std::exchange(other.m_text, nullptr);
    }
    return *this;
}

DbFormatBuffer::~DbFormatBuffer() {
    release();
}

const char* DbFormatBuffer::compose(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const char* text = composeV(format, arguments);
    va_end(arguments);
    return text;
}

const char* DbFormatBuffer::composeV(const char* format, va_list arguments) {
    release();
    m_text = sqlite3_vmprintf(format, arguments);
    return m_text;
}

void DbFormatBuffer::release() {
    sqlite3_free(std::exchange(m_text, nullptr));
}

} // namespace kvitok
