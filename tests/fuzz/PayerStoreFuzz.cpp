// Any bytes as the payer file, through every payer-store operation: a failure is a message,
// never a crash, and reading never changes the file.
#include "FuzzSupport.h"
#include "payers/DbException.h"
#include "payers/PayerStore.h"

#include <functional>

namespace {

using namespace kvitok;

// Runs one operation; a failure must come as a DbException with a message to show.
bool Succeeds(const std::function<void()>& operation) {
    try {
        operation();
        return true;
    } catch (const DbException& error) {
        FUZZ_CHECK(!error.message().empty());
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
    Succeeds([&] {
        store.Open(file.string());
    });
    const std::string opened = fuzz::ReadBytes(file);
    std::vector<std::string> names;
    Succeeds([&] {
        names = store.ListNames();
    });
    names.resize(std::min<std::size_t>(names.size(), 8));
    names.push_back("Ivanov");
    for (const std::string& name : names) {
        Succeeds([&] {
            store.Load(name);
        });
    }
    FUZZ_CHECK(fuzz::ReadBytes(file) == opened);

    const PayerRecord record {"Fuzz \"payer\"", "Olmgrad, 1",     2, 3, "500100732259",
                              "123-456-789012", "112-233-445 95", 4};
    Succeeds([&] {
        store.Save(record);
    });
    Succeeds([&] {
        store.Save(record);
    });
    Succeeds([&] {
        store.Load(record.name);
    });
    Succeeds([&] {
        store.Delete(record.name);
    });
    return 0;
}
