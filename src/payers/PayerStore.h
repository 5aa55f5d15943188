#pragma once

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

// The saved payers: one table in a small database file. Every failure is thrown as DbException
// whose message is the text to show to the user. Values are always bound as parameters, so any
// text (quotes, semicolons, SQL) is stored and found exactly as typed.
class PayerStore {
public:
    static constexpr const char* DefaultFileName = "insurers.db";

    enum class SaveOutcome { Inserted, Updated };

    PayerStore() = default;

    // Opens (creating when missing) the file, relative names against the current directory,
    // and creates the table when it is not there yet.
    void Open(const std::string& fileName = DefaultFileName);
    // The stored names in the order the database returns them (one per row).
    std::vector<std::string> ListNames();
    // Updates the first row of the record's name, or inserts a new row when there is none.
    SaveOutcome Save(const PayerRecord& record);
    // Removes every row of that name; returns how many there were.
    int Delete(const std::string& name);
    // The first row of that name, or nothing when the name is not stored.
    std::optional<PayerRecord> Load(const std::string& name);

    // For waiting on another process's lock (60000 ms unless changed).
    void SetBusyWaitMs(int milliseconds) { m_connection.setBusyWaitMs(milliseconds); }

private:
    DbConnection m_connection;
};

} // namespace kvitok
