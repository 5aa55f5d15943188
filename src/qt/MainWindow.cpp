#include "MainWindow.h"

#include "DialogBuilder.h"
#include "Emblem.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QWindow>

namespace kvitok {

MainWindow::MainWindow(MainDialog& dialog, QWidget* parent)
    : QDialog(parent), m_port(m_widgets), m_sync(dialog, m_port) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(AppIcon());
    m_port.MakeWidgetsWith([this] {
        MakeForm();
    });
    connect(&m_showAhead, &QTimer::timeout, this, &MainWindow::ShowAhead);
    m_port.OnSuggestionTaken([this](int id, int index) {
        m_sync.SuggestionTaken(id, index);
    });
}

void MainWindow::Start() {
    m_showAhead.start(0);
    m_sync.Start();
    MakeForm();
    FitTextsOnce();
    FocusFirstControl();
}

void MainWindow::MakeForm() {
    if (!m_widgets.empty()) {
        return;
    }
    m_widgets = BuildDialog(*this, MainDialogTemplate(), false);
    for (const FormControl& control : MainDialogTemplate().controls) {
        if (control.id >= 0) {
            Bind(control);
        }
    }
}

void MainWindow::FitTextsOnce() {
    if (!m_textsFit) {
        FitTexts(*this, MainDialogTemplate());
        m_textsFit = true;
    }
}

void MainWindow::FocusFirstControl() {
    for (const FormControl& control : MainDialogTemplate().controls) {
        QWidget* widget = Control(control.id);
        if (widget == nullptr || !widget->isEnabled() || (widget->focusPolicy() & Qt::TabFocus) == 0) {
            continue;
        }
        if (auto* button = qobject_cast<QPushButton*>(widget); button != nullptr && !button->isDefault()) {
            button->setAutoDefault(false);
            button->installEventFilter(this);
            m_focusedFirst = button;
        }
        widget->setFocus(Qt::OtherFocusReason);
        return;
    }
}

void MainWindow::ShowAhead() {
    // The box that waits comes on screen first; till then the timer only looks now and then.
    if (const QWidget* box = QApplication::activeModalWidget();
        box != nullptr && (box->windowHandle() == nullptr || !box->windowHandle()->isExposed())) {
        m_showAhead.setInterval(5);
        return;
    }
    m_showAhead.setInterval(0);
    // The form is made first, and its texts measured, while the person reads the box.
    if (m_widgets.empty()) {
        MakeForm();
        return;
    }
    if (!m_textsFit) {
        FitTextsOnce();
        return;
    }
    // A few milliseconds at a time, so that the about box paints and answers keys at once.
    if (!m_sync.Idle().Run(std::chrono::milliseconds(10))) {
        m_showAhead.stop();
    }
}

QWidget* MainWindow::Control(int id) {
    MakeForm();
    const auto found = m_widgets.find(id);
    return found == m_widgets.end() ? nullptr : found->second;
}

void MainWindow::Bind(const FormControl& control) {
    const int id = control.id;
    QWidget* widget = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        connect(edit, &QLineEdit::textEdited, this, [this, id] {
            m_sync.TextChanged(id);
        });
        if (control.onFocus != nullptr) {
            m_focusWatched[edit] = id;
            edit->installEventFilter(this);
        }
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        // activated comes from the person only; rows selected by the program raise nothing.
        connect(combo, &QComboBox::activated, this, [this, id] {
            m_sync.RowPicked(id);
        });
        if (QLineEdit* edit = combo->lineEdit()) {
            // Typing is only typing. Qt's editable list would select the row whose text equals
            // the typed one, and report it as the person's pick, on Enter or when the field loses
            // focus; a stored payer would then replace the form the person is about to print.
            QObject::disconnect(edit, &QLineEdit::returnPressed, combo, nullptr);
            QObject::disconnect(edit, &QLineEdit::editingFinished, combo, nullptr);
            connect(edit, &QLineEdit::textEdited, this, [this, id] {
                m_sync.TextChanged(id);
            });
        }
    } else if (auto* picker = qobject_cast<QDateEdit*>(widget)) {
        connect(picker, &QDateEdit::dateChanged, this, [this, id] {
            m_sync.DateChanged(id);
        });
        picker->installEventFilter(this);
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        connect(button, &QPushButton::clicked, this, [this, id] {
            if (id == ControlId::Cancel) {
                reject();
            } else {
                m_sync.Clicked(id);
            }
        });
    }
}

void MainWindow::Later(std::function<void()> call) {
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

int MainWindow::IdOf(const QObject* widget) const {
    for (const auto& [id, control] : m_widgets) {
        if (control == widget) {
            return id;
        }
    }
    return -1;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_focusedFirst && event->type() == QEvent::FocusOut) {
        // Only the person's move counts, not a box opening over the form.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // A button going away (its focus cleared) is a button no more.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            qobject_cast<QPushButton*>(watched) != nullptr) {
            m_focusedFirst->setAutoDefault(true);
            m_focusedFirst->removeEventFilter(this);
            m_focusedFirst = nullptr;
        }
    }
    if (auto* picker = qobject_cast<QDateEdit*>(watched)) {
        if (event->type() == QEvent::MouseButtonPress && picker->calendarWidget() != nullptr) {
            // The calendar is made on the first press; its closing is the notification.
            QWidget* popup = picker->calendarWidget()->window();
            if (m_calendars.emplace(popup, IdOf(picker)).second) {
                popup->installEventFilter(this);
            }
        } else if (event->type() == QEvent::KeyPress &&
                   OpenCalendarOnKey(picker, *static_cast<QKeyEvent*>(event))) {
            return true;
        }
    } else if (const auto calendar = m_calendars.find(watched);
               calendar != m_calendars.end() && event->type() == QEvent::Hide) {
        const int id = calendar->second;
        Later([this, id] {
            m_sync.CalendarClosed(id);
        });
    } else if (const auto field = m_focusWatched.find(watched);
               field != m_focusWatched.end() && event->type() == QEvent::FocusIn) {
        const int id = field->second;
        auto* edit = static_cast<QWidget*>(watched);
        Later([this, id, edit] {
            if (edit->hasFocus()) {
                m_sync.FocusEntered(id);
            }
        });
    }
    return QDialog::eventFilter(watched, event);
}

bool MainWindow::OpenCalendarOnKey(QWidget* picker, const QKeyEvent& key) {
    // F4 and Alt+Down open the calendar, as they do on every date picker with a drop-down; the
    // picker opens it only on a press on its arrow, so press there.
    const bool altArrow =
        (key.modifiers() & Qt::AltModifier) != 0 && (key.key() == Qt::Key_Down || key.key() == Qt::Key_Up);
    if ((key.key() != Qt::Key_F4 || key.modifiers() != Qt::NoModifier) && !altArrow) {
        return false;
    }
    const QPointF arrow(picker->width() - 4, picker->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, arrow, picker->mapToGlobal(arrow), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(picker, &press);
    return true;
}

void MainWindow::reject() {
    // Esc, the close box and "Отмена" all ask first; the window closes only on OK.
    if (m_sync.Cancel()) {
        QDialog::reject();
    }
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    // A Linux window has no system menu a program can extend; the about entry lives here.
    QMenu menu(this);
    QAction* about = menu.addAction(QStringLiteral("&About kvitok..."));
    if (menu.exec(event->globalPos()) == about) {
        m_sync.Clicked(ControlId::About);
    }
}

} // namespace kvitok
