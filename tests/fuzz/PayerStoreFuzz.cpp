// Any bytes as the payer file, through every payer-store operation: a failure is a message,
// never a crash, and reading never changes the file. In a file whose payer table is the one the
// store makes, with nothing that acts on its own (a trigger), a saved payer comes back as saved
// and a deleted one is gone.
#include "FuzzSupport.h"
#include "payers/DbConnection.h"
#include "payers/DbException.h"
#include "payers/PayerStore.h"

namespace {

using namespace kvitok;

// A failure must come with a message to show.
template <typename T>
void Told(const Result<T>& result) {
    FUZZ_CHECK(result || !result.Reason().empty());
}

// True when the file is sound, its payer table is exactly the store's own, and nothing in it acts
// by itself.
bool PlainPayerTable(const std::filesystem::path& file) {
    try {
        DbConnection db;
        db.openFile(file.string());
        std::string tables;
        for (DbCursor row = db.runQuery("select type, name, sql from sqlite_master;"); !row.atEnd();
             row.advance()) {
            const char* sql = row.textAt(2);
            tables += std::string(row.textAt(0) != nullptr ? row.textAt(0) : "") + ":" +
                      (row.textAt(1) != nullptr ? row.textAt(1) : "") + ":" + (sql != nullptr ? sql : "") +
                      "\n";
        }
        // A damaged file may find a row one way and miss it another.
        const DbCursor check = db.runQuery("pragma quick_check;");
        return !check.atEnd() && check.textAt(0) != nullptr && std::string(check.textAt(0)) == "ok" &&
               tables.find("trigger:") == std::string::npos &&
               tables.find(
                   "table:insurers:CREATE TABLE insurers (id integer primary key "
                   "autoincrement, name text not null, address text, status integer, kbk integer, inn "
                   "text, regnumber text, snils text, oktmo integer)") != std::string::npos;
    } catch (const DbException&) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path file = fuzz::Folder() / "insurers.db";
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
        std::filesystem::remove(file.string() + suffix);
    }
    fuzz::WriteBytes(file, std::string(reinterpret_cast<const char*>(data), size));

    PayerStore store;
    store.SetBusyWaitMs(0);
    // Opening creates the table when the file has none; from then on reads leave it alone.
    Told(store.Open(file.string()));
    const std::string opened = fuzz::ReadBytes(file);
    const bool plain = PlainPayerTable(file);
    std::vector<std::string> names;
    Told(store.AppendNames(names));
    names.resize(std::min<std::size_t>(names.size(), 8));
    names.push_back("Ivanov");
    for (const std::string& name : names) {
        Told(store.Load(name));
    }
    FUZZ_CHECK(fuzz::ReadBytes(file) == opened);

    const PayerRecord record {"Fuzz \"payer\"", "Olmgrad, 1",     2, 3, "500100732259",
                              "123-456-789012", "112-233-445 95", 4};
    const Result<PayerStore::SaveOutcome> first = store.Save(record);
    const Result<PayerStore::SaveOutcome> second = store.Save(record);
    const Result<std::optional<PayerRecord>> loaded = store.Load(record.name);
    const Result<int> deleted = store.Delete(record.name);
    const Result<std::optional<PayerRecord>> gone = store.Load(record.name);
    for (const auto* told : {&loaded, &gone}) {
        Told(*told);
    }
    Told(first);
    Told(second);
    Told(deleted);
    if (first && second && loaded && deleted && gone && plain) {
        FUZZ_CHECK(*second == PayerStore::SaveOutcome::Updated);
        FUZZ_CHECK(*loaded && **loaded == record);
        FUZZ_CHECK(*deleted >= 1 && !*gone);
    }
    return 0;
}
