#include "AppTestSupport.h"

#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

namespace kvitok::testing {

void ModalScript::ThenKey(int key) {
    Then([key](QWidget* window) {
        QWidget* target = window->focusWidget() != nullptr ? window->focusWidget() : window;
        QTest::keyClick(target, static_cast<Qt::Key>(key));
    });
}

void ModalScript::Poll() {
    QWidget* popup = QApplication::activePopupWidget();
    QWidget* window = popup != nullptr ? popup : QApplication::activeModalWidget();
    if (window == nullptr || !window->isVisible() || window == m_handled) {
        return;
    }
    // Popups (an open list or calendar) belong to the test that opened them. A modal window
    // that no step expects would wait for an answer for ever: it is told and closed.
    if (m_steps.empty() && popup != nullptr) {
        return;
    }
    m_handled = window;
    QString text;
    if (auto* box = qobject_cast<QMessageBox*>(window)) {
        text = box->text();
    }
    m_seen.push_back({QString::fromLatin1(window->metaObject()->className()), window->windowTitle(), text});
    if (m_steps.empty()) {
        ADD_FAILURE() << "unexpected window " << window->metaObject()->className() << " \""
                      << window->windowTitle().toStdString() << "\": " << text.toStdString();
        if (auto* dialog = qobject_cast<QDialog*>(window)) {
            dialog->reject();
        } else {
            window->close();
        }
        return;
    }
    auto step = std::move(m_steps.front());
    m_steps.pop_front();
    step(window);
}

} // namespace kvitok::testing
