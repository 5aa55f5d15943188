#pragma once

#include <exception>
#include <string>

namespace kvitok {

// The one exception of the database layer: a result code of the library, or DbLayerError for
// a fault the layer finds itself, and the message "NAME[code]: text" shown to the user as is.
class DbException : public std::exception {
public:
    static constexpr int DbLayerError = 1000;

    // When takeText is set, text was allocated by the library for the caller and is released
    // here after formatting.
    DbException(int code, const char* text, bool takeText = false);
    DbException(const DbException&) = default;
    DbException& operator=(const DbException&) = default;
    ~DbException() override = default;

    int code() const { return m_code; }
    const std::string& message() const { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

    // "SQLITE_BUSY" for 5, "DBLAYER_ERROR" for 1000, "UNKNOWN_ERROR" for codes without a name.
    static const char* codeName(int code);

private:
    int m_code;
    std::string m_message;
};

} // namespace kvitok
