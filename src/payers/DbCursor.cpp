#include "payers/DbCursor.h"

#include "payers/DbException.h"

#include <sqlite3.h>

#include <cstring>
#include <utility>

namespace kvitok {

namespace {
const char* const kNoStatement = "Null Virtual Machine pointer";
const char* const kBadIndex = "Invalid field index requested";
const char* const kBadName = "Invalid field name requested";
} // namespace

DbCursor::DbCursor(sqlite3* db, sqlite3_stmt* statement, bool atEnd, bool ownsStatement)
    : m_db(db), m_statement(statement), m_atEnd(atEnd), m_columnCount(sqlite3_column_count(statement)),
      m_ownsStatement(ownsStatement) {}

DbCursor::DbCursor(DbCursor&& other) noexcept
    : m_db(other.m_db), m_statement(other.m_statement), m_atEnd(other.m_atEnd),
      m_columnCount(other.m_columnCount), m_ownsStatement(other.m_ownsStatement) {
    other.reset();
}

DbCursor& DbCursor::operator=(DbCursor&& other) noexcept {
    if (this != &other) {
        try {
            release();
        } catch (const DbException&) {}
        m_db = other.m_db;
        m_statement = other.m_statement;
        m_atEnd = other.m_atEnd;
        m_columnCount = other.m_columnCount;
        m_ownsStatement = other.m_ownsStatement;
        other.reset();
    }
    return *this;
}

DbCursor::~DbCursor() {
    try {
        release();
    } catch (const DbException&) {}
}

void DbCursor::reset() noexcept {
    m_statement = nullptr;
    m_atEnd = true;
    m_columnCount = 0;
    m_ownsStatement = false;
}

void DbCursor::requireStatement() const {
    if (!m_statement) {
        throw DbException(DbException::DbLayerError, kNoStatement);
    }
}

void DbCursor::requireColumn(int column) const {
    requireStatement();
    if (column < 0 || column >= m_columnCount) {
        throw DbException(DbException::DbLayerError, kBadIndex);
    }
}

bool DbCursor::atEnd() const {
    requireStatement();
    return m_atEnd;
}

void DbCursor::advance() {
    requireStatement();
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_DONE) {
        m_atEnd = true;
    } else if (rc != SQLITE_ROW) {
        // A borrowed statement belongs to its prepared statement: only the owner finalises.
        const int code = m_ownsStatement ? sqlite3_finalize(m_statement) : sqlite3_reset(m_statement);
        reset();
        throw DbException(code, sqlite3_errmsg(m_db));
    }
}

int DbCursor::columnCount() const {
    requireStatement();
    return sqlite3_column_count(m_statement);
}

const char* DbCursor::textAt(int column) const {
    requireColumn(column);
    if (!hasRow()) {
        return nullptr;
    }
    return reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
}

const char* DbCursor::textOf(const char* name) const {
    return textAt(columnIndexOf(name));
}

int DbCursor::columnIndexOf(const char* name) const {
    requireStatement();
    if (name) {
        for (int i = 0; i < m_columnCount; ++i) {
            const char* columnName = sqlite3_column_name(m_statement, i);
            if (columnName && std::strcmp(columnName, name) == 0) {
                return i;
            }
        }
    }
    throw DbException(DbException::DbLayerError, kBadName);
}

bool DbCursor::isNullAt(int column) const {
    requireColumn(column);
    return !hasRow() || sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

bool DbCursor::isNullOf(const char* name) const {
    return isNullAt(columnIndexOf(name));
}

int DbCursor::intAt(int column, int nullValue) const {
    return isNullAt(column) ? nullValue : sqlite3_column_int(m_statement, column);
}

int DbCursor::intOf(const char* name, int nullValue) const {
    return intAt(columnIndexOf(name), nullValue);
}

std::int64_t DbCursor::int64At(int column, std::int64_t nullValue) const {
    return isNullAt(column) ? nullValue : sqlite3_column_int64(m_statement, column);
}

std::int64_t DbCursor::int64Of(const char* name, std::int64_t nullValue) const {
    return int64At(columnIndexOf(name), nullValue);
}

double DbCursor::doubleAt(int column, double nullValue) const {
    return isNullAt(column) ? nullValue : sqlite3_column_double(m_statement, column);
}

double DbCursor::doubleOf(const char* name, double nullValue) const {
    return doubleAt(columnIndexOf(name), nullValue);
}

const char* DbCursor::textOrDefaultAt(int column, const char* nullValue) const {
    return isNullAt(column) ? nullValue : textAt(column);
}

const char* DbCursor::textOrDefaultOf(const char* name, const char* nullValue) const {
    return textOrDefaultAt(columnIndexOf(name), nullValue);
}

std::string_view DbCursor::blobAt(int column) const {
    requireColumn(column);
    if (!hasRow()) {
        return {};
    }
    // The blob first, then its size: the library's order for a value that has to be converted.
    const void* data = sqlite3_column_blob(m_statement, column);
    const int size = sqlite3_column_bytes(m_statement, column);
    if (!data || size <= 0) {
        return {};
    }
    return {static_cast<const char*>(data), static_cast<std::size_t>(size)};
}

std::string_view DbCursor::blobOf(const char* name) const {
    return blobAt(columnIndexOf(name));
}

const char* DbCursor::columnNameAt(int column) const {
    requireColumn(column);
    return sqlite3_column_name(m_statement, column);
}

const char* DbCursor::declaredTypeAt(int column) const {
    requireColumn(column);
    return sqlite3_column_decltype(m_statement, column);
}

int DbCursor::storageClassAt(int column) const {
    requireColumn(column);
    return hasRow() ? sqlite3_column_type(m_statement, column) : SQLITE_NULL;
}

void DbCursor::release() {
    if (m_statement && m_ownsStatement) {
        sqlite3_stmt* statement = std::exchange(m_statement, nullptr);
        reset();
        const int rc = sqlite3_finalize(statement);
        if (rc != SQLITE_OK) {
            throw DbException(rc, sqlite3_errmsg(m_db));
        }
    } else {
        reset();
    }
}

} // namespace kvitok
