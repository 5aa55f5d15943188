#pragma once

#include "payers/DbCursor.h"

#include <cstdint>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace kvitok {

// A compiled statement whose values are bound as parameters, never written into its text.
// Parameter positions start at 1; names include their prefix (":name", "@name", "$name").
class DbPreparedStatement {
public:
    DbPreparedStatement() = default;
    DbPreparedStatement(sqlite3* db, sqlite3_stmt* statement) : m_db(db), m_statement(statement) {}
    DbPreparedStatement(DbPreparedStatement&& other) noexcept;
    DbPreparedStatement& operator=(DbPreparedStatement&& other) noexcept;
    DbPreparedStatement(const DbPreparedStatement&) = delete;
    DbPreparedStatement& operator=(const DbPreparedStatement&) = delete;
    virtual ~DbPreparedStatement();

    // Runs to the end, rewinds, and returns the number of rows changed.
    int runCommand();
    // The cursor borrows this statement; rewind before running it again.
    DbCursor runQuery();

    void bindText(int position, std::string_view text);
    void bindText(const char* name, std::string_view text);
    void bindInt(int position, int value);
    void bindInt(const char* name, int value);
    void bindInt64(int position, std::int64_t value);
    void bindInt64(const char* name, std::int64_t value);
    void bindDouble(int position, double value);
    void bindDouble(const char* name, double value);
    void bindBlob(int position, const void* bytes, int length);
    void bindBlob(const char* name, const void* bytes, int length);
    void bindNullAt(int position);
    void bindNullAt(const char* name);
    int bindParameterIndexOf(const char* name) const;

    void rewind();
    void release();

private:
    void requireStatement() const;
    void requireRunnable() const;

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_statement = nullptr;
};

} // namespace kvitok
