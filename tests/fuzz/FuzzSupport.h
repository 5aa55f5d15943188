#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <unistd.h>

// A broken property ends the run as a crash would: libFuzzer keeps the input that broke it.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition);            \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)

namespace kvitok::fuzz {

// A folder of this process's own for the files a target writes, removed at exit. It is in
// memory where the system has such a place: every file is written whole and synced, which on a
// disk would slow a run down a hundredfold.
inline const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        std::error_code error;
        const std::filesystem::path memory = "/dev/shm";
        const std::filesystem::path parent =
            std::filesystem::is_directory(memory, error) && access(memory.c_str(), W_OK) == 0
                ? memory
                : std::filesystem::temp_directory_path();
        std::string pattern = (parent / "kvitok-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        std::atexit([] {
            std::error_code error;
            std::filesystem::remove_all(Folder(), error);
        });
        return std::filesystem::path(pattern);
    }();
    return folder;
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace kvitok::fuzz
