#pragma once

#include <cstdint>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace kvitok {

// The rows of a query, read one at a time. Texts returned belong to the library and stay valid
// until the cursor advances or is released; callers copy them. A cursor made by a prepared
// statement borrows that statement and must not outlive it.
class DbCursor {
public:
    DbCursor() = default;
    DbCursor(sqlite3* db, sqlite3_stmt* statement, bool atEnd, bool ownsStatement);
    DbCursor(DbCursor&& other) noexcept;
    DbCursor& operator=(DbCursor&& other) noexcept;
    DbCursor(const DbCursor&) = delete;
    DbCursor& operator=(const DbCursor&) = delete;
    virtual ~DbCursor();

    bool atEnd() const;
    void advance();
    int columnCount() const;

    // Null for a NULL value (and when there is no current row).
    const char* textAt(int column) const;
    const char* textOf(const char* name) const;
    int columnIndexOf(const char* name) const;

    int intAt(int column, int nullValue = 0) const;
    int intOf(const char* name, int nullValue = 0) const;
    std::int64_t int64At(int column, std::int64_t nullValue = 0) const;
    std::int64_t int64Of(const char* name, std::int64_t nullValue = 0) const;
    double doubleAt(int column, double nullValue = 0.0) const;
    double doubleOf(const char* name, double nullValue = 0.0) const;
    const char* textOrDefaultAt(int column, const char* nullValue = "") const;
    const char* textOrDefaultOf(const char* name, const char* nullValue = "") const;
    // The bytes of a blob (or of a value as a blob); owned by the library like the texts.
    std::string_view blobAt(int column) const;
    std::string_view blobOf(const char* name) const;
    bool isNullAt(int column) const;
    bool isNullOf(const char* name) const;

    const char* columnNameAt(int column) const;
    const char* declaredTypeAt(int column) const;
    // The library's storage class: 1 integer, 2 float, 3 text, 4 blob, 5 null.
    int storageClassAt(int column) const;

    void release();

private:
    void requireStatement() const;
    void requireColumn(int column) const;
    bool hasRow() const { return m_statement && !m_atEnd; }
    void reset() noexcept;

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    bool m_atEnd = true;
    int m_columnCount = 0;
    bool m_ownsStatement = false;
};

} // namespace kvitok
