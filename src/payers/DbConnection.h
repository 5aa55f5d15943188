#pragma once

#include "payers/DbCursor.h"
#include "payers/DbPreparedStatement.h"
#include "payers/DbResultTable.h"

#include <cstdint>
#include <string>

struct sqlite3;

namespace kvitok {

// One open database file. Every failure, of the library or of the checks here, is thrown as
// DbException; the destructor closes the file and swallows whatever that throws.
class DbConnection {
public:
    static constexpr int DefaultBusyWaitMs = 60000;

    DbConnection() = default;
    DbConnection(DbConnection&& other) noexcept;
    DbConnection& operator=(DbConnection&& other) noexcept;
    DbConnection(const DbConnection&) = delete;
    DbConnection& operator=(const DbConnection&) = delete;
    virtual ~DbConnection();

    // Opens for reading and writing, creating the file when it is missing. A handle the
    // library returns with a failure is kept, so that closeFile releases it.
    void openFile(const std::string& fileName);
    // Opens an existing file for reading only: nothing in the file or about it changes.
    void openReadOnly(const std::string& fileName);
    void closeFile();
    bool isOpen() const { return m_db != nullptr; }

    // Runs every statement of the text; returns the rows changed by the last one.
    int runCommand(const std::string& sql);
    // Compiles and starts the first statement of the text; the rest is ignored.
    DbCursor runQuery(const std::string& sql);
    // The integer in the first column of the first row; nullValue when it is NULL.
    int runScalarQuery(const std::string& sql, int nullValue = 0);
    DbResultTable loadTable(const std::string& sql);
    DbPreparedStatement prepare(const std::string& sql);
    bool hasTable(const std::string& name);

    std::int64_t lastInsertedRowId() const;
    void setBusyWaitMs(int milliseconds);
    int busyWaitMs() const { return m_busyWaitMs; }
    bool inAutoCommitMode() const;

private:
    void open(const std::string& fileName, int flags);
    void requireOpen() const;
    sqlite3_stmt* compile(const std::string& sql);

    sqlite3* m_db = nullptr;
    int m_busyWaitMs = DefaultBusyWaitMs;
};

} // namespace kvitok
