#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace kvitok::testing {

// A fresh temporary folder that is also the current folder, HOME and XDG_CONFIG_HOME while it
// lives, so the program's database, receipt and profile land in it.
class TempHome {
public:
    TempHome() : m_previous(std::filesystem::current_path()) {
        std::filesystem::current_path(m_folder.Path());
        setenv("HOME", m_folder.Path().c_str(), 1);
        setenv("XDG_CONFIG_HOME", (m_folder.Path() / "config").c_str(), 1);
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;
    ~TempHome() {
        std::error_code error;
        std::filesystem::current_path(m_previous, error);
    }

    const std::filesystem::path& Path() const { return m_folder.Path(); }
    std::filesystem::path ProfileFile() const { return Path() / "config" / "kvitok" / "kvitok.ini"; }

private:
    TempFolder m_folder;
    std::filesystem::path m_previous;
};

// Answers the modal windows the program opens, in turn, as a user would: each step sees the
// open window and acts on it (a key press, say). What was open is recorded.
class ModalScript {
public:
    struct Seen {
        QString className;
        QString title;
        QString text;
    };

    ModalScript() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start();
    }

    void Then(std::function<void(QWidget*)> step) { m_steps.push_back(std::move(step)); }
    void ThenKey(int key);

    const std::vector<Seen>& SeenWindows() const { return m_seen; }
    bool Done() const { return m_steps.empty(); }

private:
    void Poll();

    QTimer m_timer;
    std::deque<std::function<void(QWidget*)>> m_steps;
    std::vector<Seen> m_seen;
    QPointer<QWidget> m_handled;
};

} // namespace kvitok::testing
