#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace kvitok::testing {

// Answers the modal windows the program opens, in turn, as a user would: each step sees the
// open window and acts on it (a key press, say). What was open is recorded. A modal window
// with no step left fails the test and is closed, rather than waiting for ever.
class ModalScript {
public:
    struct Seen {
        QString className;
        QString title;
        QString text;
    };

    ModalScript() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            Poll();
        });
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
