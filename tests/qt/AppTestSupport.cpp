#include "AppTestSupport.h"

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
    QWidget* window = QApplication::activePopupWidget();
    if (window == nullptr) {
        window = QApplication::activeModalWidget();
    }
    if (window == nullptr || !window->isVisible() || window == m_handled || m_steps.empty()) {
        return;
    }
    m_handled = window;
    QString text;
    if (auto* box = qobject_cast<QMessageBox*>(window)) {
        text = box->text();
    }
    m_seen.push_back({QString::fromLatin1(window->metaObject()->className()), window->windowTitle(), text});
    auto step = std::move(m_steps.front());
    m_steps.pop_front();
    step(window);
}

} // namespace kvitok::testing
