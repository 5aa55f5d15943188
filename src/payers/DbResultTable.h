#pragma once

struct sqlite3;

namespace kvitok {

// A whole query result held in memory: the column names, then the values row by row, each a
// text or null. One row is current at a time (row 0 when made).
class DbResultTable {
public:
    DbResultTable() = default;
    DbResultTable(char** results, int rowCount, int columnCount)
        : m_results(results), m_rowCount(rowCount), m_columnCount(columnCount) {}
    DbResultTable(DbResultTable&& other) noexcept;
    DbResultTable& operator=(DbResultTable&& other) noexcept;
    DbResultTable(const DbResultTable&) = delete;
    DbResultTable& operator=(const DbResultTable&) = delete;
    virtual ~DbResultTable();

    int columnCount() const;
    int rowCount() const;
    void selectRow(int row);

    const char* textAt(int column) const;
    const char* textOf(const char* name) const;
    int intAt(int column, int nullValue = 0) const;
    int intOf(const char* name, int nullValue = 0) const;
    double doubleAt(int column, double nullValue = 0.0) const;
    double doubleOf(const char* name, double nullValue = 0.0) const;
    const char* textOrDefaultAt(int column, const char* nullValue = "") const;
    const char* textOrDefaultOf(const char* name, const char* nullValue = "") const;
    bool isNullAt(int column) const;
    bool isNullOf(const char* name) const;
    const char* columnNameAt(int column) const;

    void release();

private:
    void requireResults() const;
    void requireColumn(int column) const;
    int columnIndexOf(const char* name) const;

    char** m_results = nullptr;
    int m_rowCount = 0;
    int m_columnCount = 0;
    int m_currentRow = 0;
};

} // namespace kvitok
