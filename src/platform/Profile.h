#pragma once

#include "base/Result.h"

#include <string>
#include <vector>

namespace kvitok {

// Where the form is kept between runs: one section of key/value texts (windows-1251).
class Profile {
public:
    struct Entry {
        std::string key;
        std::string value;
    };

    virtual ~Profile() = default;
    // The stored value, cut to at most 999 characters, or `defaultValue` when the key is absent.
    virtual std::string Read(const std::string& key, const std::string& defaultValue) = 0;
    // Stores all the entries at once: afterwards every one of them is stored, or on failure none,
    // and the reason names the profile's file first ("<file>: <why>").
    virtual Result<> Write(const std::vector<Entry>& entries) = 0;
};

} // namespace kvitok
