#include "payers/DbPreparedStatement.h"

#include "payers/DbException.h"
#include "text/Format.h"

#include <sqlite3.h>

#include <utility>

namespace kvitok {

namespace {
void CheckBind(int rc, const char* what) {
    if (rc != SQLITE_OK) {
        throw DbException(rc, what);
    }
}
} // namespace

DbPreparedStatement::DbPreparedStatement(DbPreparedStatement&& other) noexcept
    : m_db(other.m_db), m_statement(std::exchange(other.m_statement, nullptr)) {}

DbPreparedStatement& DbPreparedStatement::operator=(DbPreparedStatement&& other) noexcept {
    if (this != &other) {
        try {
            release();
        } catch (const DbException&) {}
        m_db = other.m_db;
        m_statement = std::exchange(other.m_statement, nullptr);
    }
    return *this;
}

DbPreparedStatement::~DbPreparedStatement() {
    try {
        release();
    } catch (const DbException&) {}
}

void DbPreparedStatement::requireStatement() const {
    if (!m_statement) {
        throw DbException(DbException::DbLayerError, "Null Virtual Machine pointer");
    }
}

void DbPreparedStatement::requireRunnable() const {
    if (!m_db) {
        throw DbException(DbException::DbLayerError, "Database not open");
    }
    requireStatement();
}

int DbPreparedStatement::runCommand() {
    requireRunnable();
    if (sqlite3_step(m_statement) != SQLITE_DONE) {
        const int code = sqlite3_reset(m_statement);
        throw DbException(code, sqlite3_errmsg(m_db));
    }
    const int changed = sqlite3_changes(m_db);
    const int code = sqlite3_reset(m_statement);
    if (code != SQLITE_OK) {
        throw DbException(code, sqlite3_errmsg(m_db));
    }
    return changed;
}

DbCursor DbPreparedStatement::runQuery() {
    requireRunnable();
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_DONE || rc == SQLITE_ROW) {
        return DbCursor(m_db, m_statement, rc == SQLITE_DONE, false);
    }
    const int code = sqlite3_reset(m_statement);
    throw DbException(code, sqlite3_errmsg(m_db));
}

void DbPreparedStatement::bindText(int position, std::string_view text) {
    requireStatement();
    // An empty view may carry a null pointer, which the library would bind as NULL.
    CheckBind(sqlite3_bind_text64(m_statement, position, text.empty() ? "" : text.data(), text.size(),
                                  SQLITE_TRANSIENT, SQLITE_UTF8),
              "Error binding string param");
}

void DbPreparedStatement::bindText(const char* name, std::string_view text) {
    bindText(bindParameterIndexOf(name), text);
}

void DbPreparedStatement::bindInt(int position, int value) {
    requireStatement();
    CheckBind(sqlite3_bind_int(m_statement, position, value), "Error binding int param");
}

void DbPreparedStatement::bindInt(const char* name, int value) {
    bindInt(bindParameterIndexOf(name), value);
}

void DbPreparedStatement::bindInt64(int position, std::int64_t value) {
    requireStatement();
    CheckBind(sqlite3_bind_int64(m_statement, position, value), "Error binding int64 param");
}

void DbPreparedStatement::bindInt64(const char* name, std::int64_t value) {
    bindInt64(bindParameterIndexOf(name), value);
}

void DbPreparedStatement::bindDouble(int position, double value) {
    requireStatement();
    CheckBind(sqlite3_bind_double(m_statement, position, value), "Error binding double param");
}

void DbPreparedStatement::bindDouble(const char* name, double value) {
    bindDouble(bindParameterIndexOf(name), value);
}

void DbPreparedStatement::bindBlob(int position, const void* bytes, int length) {
    requireStatement();
    if (length < 0) {
        throw DbException(SQLITE_MISUSE, "Error binding blob param");
    }
    // A zero-length blob with a null pointer would be bound as NULL.
    static const char kEmpty = 0;
    CheckBind(sqlite3_bind_blob(m_statement, position, bytes ? bytes : &kEmpty, length, SQLITE_TRANSIENT),
              "Error binding blob param");
}

void DbPreparedStatement::bindBlob(const char* name, const void* bytes, int length) {
    bindBlob(bindParameterIndexOf(name), bytes, length);
}

void DbPreparedStatement::bindNullAt(int position) {
    requireStatement();
    CheckBind(sqlite3_bind_null(m_statement, position), "Error binding NULL param");
}

void DbPreparedStatement::bindNullAt(const char* name) {
    bindNullAt(bindParameterIndexOf(name));
}

int DbPreparedStatement::bindParameterIndexOf(const char* name) const {
    requireStatement();
    const int position = name ? sqlite3_bind_parameter_index(m_statement, name) : 0;
    if (position == 0) {
        throw DbException(
            DbException::DbLayerError,
            FormatText("Parameter '%s' is not valid for this statement", name ? name : "").c_str());
    }
    return position;
}

void DbPreparedStatement::rewind() {
    if (!m_statement) {
        return;
    }
    const int rc = sqlite3_reset(m_statement);
    if (rc != SQLITE_OK) {
        throw DbException(rc, sqlite3_errmsg(m_db));
    }
}

void DbPreparedStatement::release() {
    if (!m_statement) {
        return;
    }
    const int rc = sqlite3_finalize(std::exchange(m_statement, nullptr));
    if (rc != SQLITE_OK) {
        throw DbException(rc, sqlite3_errmsg(m_db));
    }
}

} // namespace kvitok
