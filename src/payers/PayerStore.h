#pragma once

#include "base/Result.h"
#include "payers/DbConnection.h"

#include <optional>
#include <string>
#include <vector>

namespace kvitok {

// A saved payer. Texts are windows-1251 bytes, stored and read back unchanged; status, kbk and
// oktmo are positions in the dialog's lists, -1 when nothing is selected.
struct PayerRecord {
    std::string name;
    std::string address;
    int status = -1;
    int kbk = -1;
    std::string inn;
    std::string regNumber;
    std::string snils;
    int oktmo = -1;

    bool operator==(const PayerRecord&) const = default;
};

// The stored row of one payer, read a column at a time, so that a caller applying it in its
// own order stops at the first column the file lacks with everything before it applied; the
// failure says which. Lives no longer than the store that found it.
class StoredPayer {
public:
    // A list position; NULL (a row written by another tool) reads as no selection, -1.
    Result<int> Position(const char* column) const;
    // A text; NULL reads as the empty text.
    Result<std::string> Text(const char* column) const;

private:
    friend class PayerStore;
    explicit StoredPayer(DbPreparedStatement statement);
    // The same, throwing DbException.
    int ReadPosition(const char* column) const;
    std::string ReadText(const char* column) const;

    DbPreparedStatement m_statement;
    DbCursor m_cursor; // borrows m_statement
};

// The stored names read a part at a time, for a caller that reads them while it waits anyway.
// The file's read lock is taken (waiting for another program's write as any statement does)
// when the reading begins, so that no part waits for it, and kept until the last name is read
// or the reader is gone. Lives no longer than the store that began it.
class NameReader {
public:
    // Appends at most `most` more names, one per row in the order the database returns them;
    // true while some are left. A failure leaves the names read before it in `names`.
    Result<bool> ReadSome(std::vector<std::string>& names, std::size_t most);

private:
    friend class PayerStore;
    explicit NameReader(DbCursor cursor) : m_cursor(std::move(cursor)) {}

    DbCursor m_cursor;
};

// The saved payers: one table in a small database file. The database layer's DbException ends
// here: every operation gives its value, or the failure whose reason is the layer's message, the
// text to show to the user. Values are always bound as parameters, so any text (quotes,
// semicolons, SQL) is stored and found exactly as typed.
class PayerStore {
public:
    static constexpr const char* DefaultFileName = "insurers.db";

    enum class SaveOutcome { Inserted, Updated };

    PayerStore() = default;

    // True when the file is a database holding the payer table (with its name column at least).
    // The file is opened for reading only, so that nothing in it or about it changes; a file that
    // is missing, is no database or is locked for longer than a moment is not one.
    static bool HoldsPayers(const std::string& fileName);

    // Opens (creating when missing) the file, relative names against the current directory,
    // and creates the table when it is not there yet.
    Result<> Open(const std::string& fileName = DefaultFileName);
    // Appends the stored names in the order the database returns them (one per row). When the
    // file fails part-way, the names read before the failure are already in `names`.
    Result<> AppendNames(std::vector<std::string>& names);
    // The same, a part at a time.
    Result<NameReader> ReadNames();
    Result<std::vector<std::string>> ListNames();
    // Updates the first row of the record's name, or inserts a new row when there is none or
    // when that row is gone by the time of the update. The look-up and the write are one
    // transaction, so two programs saving one new name at once store it once.
    Result<SaveOutcome> Save(const PayerRecord& record);
    // Removes every row of that name; gives how many there were.
    Result<int> Delete(const std::string& name);
    // The first row of that name, or nothing when the name is not stored.
    Result<std::optional<StoredPayer>> Find(const std::string& name);
    // The same row read whole.
    Result<std::optional<PayerRecord>> Load(const std::string& name);

    // For waiting on another process's lock (60000 ms unless changed).
    void SetBusyWaitMs(int milliseconds) { m_connection.setBusyWaitMs(milliseconds); }

private:
    // The same, throwing DbException.
    SaveOutcome SaveRow(const PayerRecord& record);
    std::optional<StoredPayer> FindRow(const std::string& name);

    DbConnection m_connection;
};

} // namespace kvitok
