#include "payers/DbConnection.h"

#include "payers/DbException.h"

#include <sqlite3.h>

#include <utility>

namespace kvitok {

DbConnection::DbConnection(DbConnection&& other) noexcept
    : m_db(std::exchange(other.m_db, nullptr)), m_busyWaitMs(other.m_busyWaitMs) {}

namespace {

// Closes without throwing: statements still alive keep the file open, and the library closes
// it after the last one is finalised.
void CloseQuietly(sqlite3*& db) noexcept {
    if (db && sqlite3_close(db) != SQLITE_OK) {
        sqlite3_close_v2(db);
    }
    db = nullptr;
}

} // namespace

DbConnection& DbConnection::operator=(DbConnection&& other) noexcept {
    if (this != &other) {
        CloseQuietly(m_db);
        m_db = std::exchange(other.m_db, nullptr);
        m_busyWaitMs = other.m_busyWaitMs;
    }
    return *this;
}

DbConnection::~DbConnection() {
    CloseQuietly(m_db);
}

void DbConnection::requireOpen() const {
    if (!m_db) {
        throw DbException(DbException::DbLayerError, "Database not open");
    }
}

void DbConnection::openFile(const std::string& fileName) {
    open(fileName, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

void DbConnection::openReadOnly(const std::string& fileName) {
    open(fileName, SQLITE_OPEN_READONLY);
}

void DbConnection::open(const std::string& fileName, int flags) {
    // Opening again must not lose the handle already owned.
    closeFile();
    const int rc = sqlite3_open_v2(fileName.c_str(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        throw DbException(rc, sqlite3_errmsg(m_db));
    }
    setBusyWaitMs(m_busyWaitMs);
}

void DbConnection::closeFile() {
    if (!m_db) {
        return;
    }
    if (sqlite3_close(m_db) != SQLITE_OK) {
        throw DbException(DbException::DbLayerError, "Unable to close database");
    }
    m_db = nullptr;
}

int DbConnection::runCommand(const std::string& sql) {
    requireOpen();
    char* error = nullptr;
    const int rc = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        throw DbException(rc, error, true);
    }
    return sqlite3_changes(m_db);
}

sqlite3_stmt* DbConnection::compile(const std::string& sql) {
    requireOpen();
    sqlite3_stmt* statement = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr);
    if (rc != SQLITE_OK) {
        throw DbException(rc, sqlite3_errmsg(m_db));
    }
    return statement;
}

DbCursor DbConnection::runQuery(const std::string& sql) {
    sqlite3_stmt* statement = compile(sql);
    if (!statement) {
        // A text without any statement (empty, only a comment) compiles to nothing.
        throw DbException(DbException::DbLayerError, "Null Virtual Machine pointer");
    }
    const int rc = sqlite3_step(statement);
    if (rc == SQLITE_DONE || rc == SQLITE_ROW) {
        return DbCursor(m_db, statement, rc == SQLITE_DONE, true);
    }
    const int code = sqlite3_finalize(statement);
    throw DbException(code, sqlite3_errmsg(m_db));
}

int DbConnection::runScalarQuery(const std::string& sql, int nullValue) {
    DbCursor cursor = runQuery(sql);
    if (cursor.atEnd() || cursor.columnCount() < 1) {
        throw DbException(DbException::DbLayerError, "Invalid scalar query");
    }
    return cursor.intAt(0, nullValue);
}

DbResultTable DbConnection::loadTable(const std::string& sql) {
    requireOpen();
    char** results = nullptr;
    int rows = 0;
    int columns = 0;
    char* error = nullptr;
    const int rc = sqlite3_get_table(m_db, sql.c_str(), &results, &rows, &columns, &error);
    if (rc != SQLITE_OK) {
        if (results) {
            sqlite3_free_table(results);
        }
        throw DbException(rc, error, true);
    }
    return DbResultTable(results, rows, columns);
}

DbPreparedStatement DbConnection::prepare(const std::string& sql) {
    return DbPreparedStatement(m_db, compile(sql));
}

bool DbConnection::hasTable(const std::string& name) {
    // The name is bound, not written into the statement, so any text is looked up safely.
    DbPreparedStatement statement =
        prepare("select count(*) from sqlite_master where type='table' and name=?");
    statement.bindText(1, name);
    DbCursor cursor = statement.runQuery();
    if (cursor.atEnd() || cursor.columnCount() < 1) {
        throw DbException(DbException::DbLayerError, "Invalid scalar query");
    }
    return cursor.intAt(0, 0) > 0;
}

std::int64_t DbConnection::lastInsertedRowId() const {
    requireOpen();
    return sqlite3_last_insert_rowid(m_db);
}

void DbConnection::setBusyWaitMs(int milliseconds) {
    m_busyWaitMs = milliseconds;
    if (m_db) {
        sqlite3_busy_timeout(m_db, milliseconds);
    }
}

bool DbConnection::inAutoCommitMode() const {
    requireOpen();
    return sqlite3_get_autocommit(m_db) != 0;
}

} // namespace kvitok
