// Any bytes as the payer file, through every payer-store operation: a failure is a message,
// never a crash, and reading never changes the file.
#include "FuzzSupport.h"
#include "payers/PayerStore.h"

namespace {

using namespace kvitok;

// A failure must come with a message to show.
template <typename T>
void Told(const Result<T>& result) {
    FUZZ_CHECK(result || !result.Reason().empty());
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
    Told(store.Save(record));
    Told(store.Save(record));
    Told(store.Load(record.name));
    Told(store.Delete(record.name));
    return 0;
}
