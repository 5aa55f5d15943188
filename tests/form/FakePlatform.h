#pragma once

#include "form/Platform.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kvitok::testing {

// Platform services that answer as scripted and record what the dialog asked. Texts are
// windows-1251, as the dialog gives them.

struct ShownMessage {
    std::string text;
    MessageIcon icon;
    MessageButtons buttons;
};

class FakeMessageBoxes : public MessageBoxes {
public:
    // Answers given in turn; once they run out every box is answered with OK.
    std::deque<MessageAnswer> answers;
    std::vector<ShownMessage> shown;

    MessageAnswer Show(const std::string& text, MessageIcon icon, MessageButtons buttons) override {
        shown.push_back({text, icon, buttons});
        if (answers.empty()) {
            return MessageAnswer::Ok;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class FakeSaveFileDialog : public SaveFileDialog {
public:
    std::optional<std::u16string> answer; // nothing: the user cancels
    std::vector<std::string> initialNames;
    std::vector<std::string_view> filters; // of the last question: each one's patterns

    std::optional<std::u16string> AskSavePath(const std::string& initialName,
                                              std::span<const FileFilter> offered) override {
        initialNames.push_back(initialName);
        filters.clear();
        for (const FileFilter& filter : offered) {
            filters.push_back(filter.patterns);
        }
        return answer;
    }
};

class FakeShell : public Shell {
public:
    std::vector<std::string> opened;
    std::optional<Failure> failure; // when set, every opening fails with it
    void OpenInDefaultProgram(const std::string& path, Failed failed) override {
        opened.push_back(path);
        if (failure) {
            failed(*failure);
        }
    }
};

class FakeAboutBox : public AboutBox {
public:
    int shownCount = 0;
    std::function<void()> onShow; // runs while the box is "open"
    void ShowAbout() override {
        ++shownCount;
        if (onShow) {
            onShow();
        }
    }
};

// One profile section kept in memory; values come back cut to 999 characters.
class FakeProfile : public Profile {
public:
    std::map<std::string, std::string> values;
    std::vector<std::string> readKeys;
    int writeCount = 0;                   // calls of Write
    std::vector<std::string> writtenKeys; // of the last write, in its order
    std::optional<Failure> failure;       // when set, every write fails with it and stores nothing

    std::string Read(const std::string& key, const std::string& defaultValue) override {
        readKeys.push_back(key);
        const auto it = values.find(key);
        return it == values.end() ? defaultValue : it->second.substr(0, 999);
    }
    Result<> Write(const std::vector<Entry>& entries) override {
        ++writeCount;
        if (failure) {
            return *failure;
        }
        writtenKeys.clear();
        for (const Entry& entry : entries) {
            values[entry.key] = entry.value;
            writtenKeys.push_back(entry.key);
        }
        return {};
    }
};

// All five fakes, handed to a dialog as its services.
struct FakePlatform {
    FakeMessageBoxes messages;
    FakeSaveFileDialog saveDialog;
    FakeShell shell;
    FakeAboutBox about;
    FakeProfile profile;

    PlatformServices Services() { return {messages, saveDialog, shell, about, profile}; }
};

} // namespace kvitok::testing
