#pragma once

#include "form/Platform.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace kvitok {

// The desktop side of the dialog logic, with Qt widgets. Boxes open over the window set by
// SetParent (none until the form exists).

class QtMessageBoxes : public MessageBoxes {
public:
    void SetParent(QWidget* parent) { m_parent = parent; }
    // Runs before each box opens: a handler's box comes after what it has already changed is
    // on screen, as with controls that show a new value the moment it is set.
    void SetBeforeShow(std::function<void()> beforeShow) { m_beforeShow = std::move(beforeShow); }
    MessageAnswer Show(const std::string& text, MessageIcon icon, MessageButtons buttons) override;

private:
    QPointer<QWidget> m_parent;
    std::function<void()> m_beforeShow;
};

class QtSaveFileDialog : public SaveFileDialog {
public:
    void SetParent(QWidget* parent) { m_parent = parent; }
    std::optional<std::u16string> AskSavePath(const std::string& initialName,
                                              std::span<const FileFilter> filters) override;

private:
    QPointer<QWidget> m_parent;
};

// Hands the file to xdg-open, the desktop's opener, and hears how it ends: an opener that cannot
// start, or ends with an error soon after (no program for the file), is a failure.
class QtShell : public Shell {
public:
    QtShell() = default;
    ~QtShell() override;
    QtShell(const QtShell&) = delete;
    QtShell& operator=(const QtShell&) = delete;

    void OpenInDefaultProgram(const std::string& path, Failed failed) override;

private:
    QObject m_openers; // the running openers' parent
};

class QtAboutBox : public AboutBox {
public:
    void SetParent(QWidget* parent) { m_parent = parent; }
    void ShowAbout() override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace kvitok
