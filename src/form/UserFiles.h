#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kvitok {

// The folders a run's files are chosen from: the system's own, or a test's.
struct UserFileRoots {
    std::filesystem::path programFolder; // the executable's, where a portable copy keeps its files
    std::filesystem::path dataFolder;    // an installed copy's files go to "kvitok" below it
    std::vector<std::filesystem::path> olderPayerFolders; // see FindOlderPayerFile

    static UserFileRoots OfThisSystem();
};

// Where a run of the Windows program keeps the form and the payers, and what the person is to be
// told about that once the form is on screen (the Linux window keeps to PayerFilePath and
// UserProfile::DefaultPath).
//
// A copy with the marker file beside its executable is portable: it keeps kvitok.ini and
// insurers.db beside the executable, whatever the working folder holds, and writes nothing in
// the data folder, so that it runs from a USB stick. Where that folder takes no file, the person
// is told and the copy works as an installed one; what it carries is copied along the first
// time. An installed copy keeps kvitok.ini below the data folder and its payers where
// PayerFilePath says; while it has no payer file of its own, an older copy's is copied in once.
struct UserFiles {
    static constexpr const char* kPortableMarker = "kvitok-portable.txt";
    static constexpr const char* kProfileName = "kvitok.ini";

    std::filesystem::path profile;
    std::filesystem::path payers;
    std::vector<std::string> notes; // windows-1251, one message each

    static UserFiles Choose(const UserFileRoots& roots);
};

} // namespace kvitok
