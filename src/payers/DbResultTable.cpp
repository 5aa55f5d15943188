#include "payers/DbResultTable.h"

#include "payers/DbException.h"
#include "text/NumberText.h"

#include <sqlite3.h>

#include <cstring>
#include <utility>

namespace kvitok {

DbResultTable::DbResultTable(DbResultTable&& other) noexcept
    : m_results(std::exchange(other.m_results, nullptr)), m_rowCount(std::exchange(other.m_rowCount, 0)),
      m_columnCount(std::exchange(other.m_columnCount, 0)),
      m_currentRow(std::exchange(other.m_currentRow, 0)) {}

DbResultTable& DbResultTable::operator=(DbResultTable&& other) noexcept {
    if (this != &other) {
        release();
        m_results = std::exchange(other.m_results, nullptr);
        m_rowCount = std::exchange(other.m_rowCount, 0);
        m_columnCount = std::exchange(other.m_columnCount, 0);
        m_currentRow = std::exchange(other.m_currentRow, 0);
    }
    return *this;
}

DbResultTable::~DbResultTable() {
    release();
}

void DbResultTable::requireResults() const {
    if (!m_results) {
        throw DbException(DbException::DbLayerError, "Null Results pointer");
    }
}

void DbResultTable::requireColumn(int column) const {
    requireResults();
    if (column < 0 || column >= m_columnCount) {
        throw DbException(DbException::DbLayerError, "Invalid field index requested");
    }
}

int DbResultTable::columnCount() const {
    requireResults();
    return m_columnCount;
}

int DbResultTable::rowCount() const {
    requireResults();
    return m_rowCount;
}

void DbResultTable::selectRow(int row) {
    requireResults();
    if (row < 0 || row >= m_rowCount) {
        throw DbException(DbException::DbLayerError, "Invalid row index requested");
    }
    m_currentRow = row;
}

const char* DbResultTable::textAt(int column) const {
    requireColumn(column);
    // A result without rows has only its header: there is no value to read.
    if (m_currentRow >= m_rowCount) {
        return nullptr;
    }
    return m_results[(m_currentRow + 1) * m_columnCount + column];
}

int DbResultTable::columnIndexOf(const char* name) const {
    requireResults();
    if (name) {
        for (int i = 0; i < m_columnCount; ++i) {
            if (m_results[i] && std::strcmp(m_results[i], name) == 0) {
                return i;
            }
        }
    }
    throw DbException(DbException::DbLayerError, "Invalid field name requested");
}

const char* DbResultTable::textOf(const char* name) const {
    return textAt(columnIndexOf(name));
}

int DbResultTable::intAt(int column, int nullValue) const {
    const char* text = textAt(column);
    return text ? AtoI(text) : nullValue;
}

int DbResultTable::intOf(const char* name, int nullValue) const {
    return intAt(columnIndexOf(name), nullValue);
}

double DbResultTable::doubleAt(int column, double nullValue) const {
    const char* text = textAt(column);
    return text ? AtoF(text) : nullValue;
}

double DbResultTable::doubleOf(const char* name, double nullValue) const {
    return doubleAt(columnIndexOf(name), nullValue);
}

const char* DbResultTable::textOrDefaultAt(int column, const char* nullValue) const {
    const char* text = textAt(column);
    return text ? text : nullValue;
}

const char* DbResultTable::textOrDefaultOf(const char* name, const char* nullValue) const {
    return textOrDefaultAt(columnIndexOf(name), nullValue);
}

bool DbResultTable::isNullAt(int column) const {
    return textAt(column) == nullptr;
}

bool DbResultTable::isNullOf(const char* name) const {
    return isNullAt(columnIndexOf(name));
}

const char* DbResultTable::columnNameAt(int column) const {
    requireColumn(column);
    return m_results[column];
}

void DbResultTable::release() {
    if (m_results) {
        sqlite3_free_table(std::exchange(m_results, nullptr));
    }
    m_rowCount = 0;
    m_columnCount = 0;
    m_currentRow = 0;
}

} // namespace kvitok
