#include "MainWindow.h"

#include "DialogBuilder.h"
#include "DialogUnits.h"
#include "Emblem.h"
#include "TextBridge.h"
#include "form/MessageMap.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDateEdit>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringListModel>

#include <algorithm>

namespace kvitok {

namespace {

bool SameEdit(const EditModel& a, const EditModel& b) {
    return a.text == b.text && a.selectionStart == b.selectionStart && a.selectionEnd == b.selectionEnd &&
           a.limit == b.limit && a.enabled == b.enabled;
}

QDate ToQDate(const CalendarDate& date) {
    return QDate(date.year, date.month, date.day);
}

constexpr int kNoLimit = 32767;

} // namespace

MainWindow::MainWindow(MainDialog& dialog, QWidget* parent) : QDialog(parent), m_dialog(dialog) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    m_widgets = BuildDialog(*this, MainDialogTemplate());
    setWindowIcon(AppIcon());

    DialogControls& c = m_dialog.Controls();
    const auto run = [this](MessageMap::Handler handler) -> Handler {
        if (handler == nullptr) {
            return nullptr;
        }
        return [this, handler] {
            (m_dialog.*handler)();
        };
    };
    for (const MessageMap::List& list : MessageMap::Lists()) {
        BindList(list.id, c.*list.model, run(list.onSelchange));
    }
    for (const MessageMap::Edit& edit : MessageMap::Edits()) {
        BindEdit(edit.id, c.*edit.model, run(edit.onChange), edit.digitsOnly);
    }
    for (const MessageMap::Date& date : MessageMap::Dates()) {
        BindDate(date.id, c.*date.model, run(date.onCloseup));
    }
    for (const MessageMap::Command& focus : MessageMap::FocusCommands()) {
        m_focusHandlers[Control(focus.id)] = run(focus.handler);
    }
    for (const auto& [widget, handler] : m_focusHandlers) {
        widget->installEventFilter(this);
    }

    for (const MessageMap::Command& button : MessageMap::Buttons()) {
        BindButton(button.id, run(button.handler));
    }
    BindButton(ControlId::Cancel, [this] {
        reject();
    });
    for (const int help : MessageMap::HelpButtons()) {
        BindButton(help, [this, help] {
            m_dialog.OnHelp(help);
        });
    }

    Refresh();
}

QWidget* MainWindow::Control(int id) const {
    const auto found = m_widgets.find(id);
    return found == m_widgets.end() ? nullptr : found->second;
}

void MainWindow::BindEdit(int id, EditModel& model, Handler onChange, bool digitsOnly) {
    auto* edit = static_cast<QLineEdit*>(Control(id));
    auto* validator = new Cp1251Validator(edit, digitsOnly);
    edit->setValidator(validator);
    EditBinding* binding = &m_edits.emplace_back(EditBinding {edit, validator, &model, model});
    connect(edit, &QLineEdit::textEdited, this, [this, binding, onChange] {
        ReadEdit(*binding);
        if (onChange) {
            RunHandler(onChange);
        }
    });
}

void MainWindow::BindList(int id, ListModel& model, Handler onSelchange) {
    auto* combo = static_cast<QComboBox*>(Control(id));
    ListBinding* binding = &m_lists.emplace_back(ListBinding {combo, &model, {}, -1, {}, true});
    // activated comes from the user only; rows selected by the program raise nothing.
    connect(combo, &QComboBox::activated, this, [this, binding, onSelchange](int row) {
        if (row == binding->model->Selected() && !binding->model->Editable()) {
            return;
        }
        binding->model->Select(row);
        binding->selected = row;
        binding->editText = binding->model->EditText();
        if (onSelchange) {
            RunHandler(onSelchange);
        }
    });
    if (model.Editable()) {
        // Typing is only typing. Qt's editable list would select the row whose text equals the
        // typed one, and report it as the user's pick, on Enter or when the field loses focus;
        // a stored payer would then replace the form the person is about to print.
        QObject::disconnect(combo->lineEdit(), &QLineEdit::returnPressed, combo, nullptr);
        QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
        combo->setValidator(new Cp1251Validator(combo->lineEdit(), false));
        connect(combo->lineEdit(), &QLineEdit::textEdited, this, [binding](const QString& text) {
            if (const auto converted = ToCp1251(text)) {
                binding->model->SetEditText(*converted);
                binding->editText = *converted;
            }
        });
    }
}

void MainWindow::BindDate(int id, DatePickerModel& model, Handler onCloseup) {
    auto* picker = static_cast<QDateEdit*>(Control(id));
    DateBinding* binding =
        &m_dates.emplace_back(DateBinding {picker, &model, model, nullptr, std::move(onCloseup)});
    // Typing or spinning only changes the date; the handler runs when the calendar closes.
    connect(picker, &QDateEdit::dateChanged, this, [binding](QDate date) {
        binding->model->date.year = date.year();
        binding->model->date.month = date.month();
        binding->model->date.day = date.day();
        binding->shown.date = binding->model->date;
    });
    // F4 and Alt+Down open the calendar, as they do on every date picker with a drop-down.
    picker->installEventFilter(this);
}

void MainWindow::WatchCalendar(DateBinding& binding) {
    if (binding.popup != nullptr) {
        return;
    }
    if (QCalendarWidget* calendar = binding.widget->calendarWidget()) {
        binding.popup = calendar->window();
        binding.popup->installEventFilter(this);
        m_focusHandlers[binding.popup] = binding.onCloseup;
    }
}

void MainWindow::BindButton(int id, std::function<void()> onClick) {
    auto* button = static_cast<QPushButton*>(Control(id));
    connect(button, &QPushButton::clicked, this, [this, onClick = std::move(onClick)] {
        RunHandler(onClick);
    });
}

void MainWindow::RunHandler(const std::function<void()>& handler) {
    handler();
    Refresh();
}

void MainWindow::ReadEdit(EditBinding& binding) {
    QLineEdit* edit = binding.widget;
    if (const auto text = ToCp1251(edit->text())) {
        binding.model->text = *text;
    }
    if (edit->hasSelectedText()) {
        binding.model->selectionStart = edit->selectionStart();
        binding.model->selectionEnd = edit->selectionEnd();
    } else {
        binding.model->selectionStart = binding.model->selectionEnd = edit->cursorPosition();
    }
    binding.shown = *binding.model;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (auto* picker = qobject_cast<QDateEdit*>(watched);
        picker != nullptr && event->type() == QEvent::MouseButtonPress) {
        // The calendar opens on a press on the arrow (F4 presses there too).
        const auto binding = std::find_if(m_dates.begin(), m_dates.end(), [picker](const DateBinding& b) {
            return b.widget == picker;
        });
        if (binding != m_dates.end()) {
            WatchCalendar(*binding);
        }
    } else if (picker != nullptr && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool altArrow = (key->modifiers() & Qt::AltModifier) != 0 &&
                              (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up);
        if ((key->key() == Qt::Key_F4 && key->modifiers() == Qt::NoModifier) || altArrow) {
            // The picker opens its calendar only on a press on its arrow, so press there.
            const QPointF arrow(picker->width() - 4, picker->height() / 2.0);
            QMouseEvent press(QEvent::MouseButtonPress, arrow, picker->mapToGlobal(arrow), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(picker, &press);
            return true;
        }
    }
    const auto found = m_focusHandlers.find(watched);
    const bool calendarClosed =
        event->type() == QEvent::Hide && found != m_focusHandlers.end() && !qobject_cast<QLineEdit*>(watched);
    const bool fieldFocused = event->type() == QEvent::FocusIn &&
                              qobject_cast<QLineEdit*>(watched) != nullptr && found != m_focusHandlers.end();
    if (calendarClosed || fieldFocused) {
        // Run after the widget has finished its own handling of the event (the picked date is
        // set, the click has placed the caret), as the notification comes after it.
        const Handler handler = found->second;
        auto* edit = qobject_cast<QLineEdit*>(watched);
        QMetaObject::invokeMethod(
            this,
            [this, handler, edit] {
                if (edit != nullptr) {
                    const auto binding =
                        std::find_if(m_edits.begin(), m_edits.end(), [edit](const EditBinding& b) {
                            return b.widget == edit;
                        });
                    if (binding == m_edits.end() || !edit->hasFocus()) {
                        return;
                    }
                    ReadEdit(*binding);
                }
                RunHandler(handler);
            },
            Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

void MainWindow::Refresh() {
    const bool force = !m_shownOnce;
    m_shownOnce = true;
    for (EditBinding& binding : m_edits) {
        ShowEdit(binding, force);
    }
    for (ListBinding& binding : m_lists) {
        ShowList(binding, force);
    }
    for (DateBinding& binding : m_dates) {
        ShowDate(binding, force);
    }
    const DialogControls& c = m_dialog.Controls();
    Control(ControlId::Create)->setEnabled(c.create.enabled);
    Control(ControlId::Browse)->setEnabled(c.browse.enabled);
}

void MainWindow::ShowEdit(EditBinding& binding, bool force) {
    const EditModel& model = *binding.model;
    if (!force && SameEdit(model, binding.shown)) {
        return;
    }
    QLineEdit* edit = binding.widget;
    const QSignalBlocker blocker(edit);
    const QString text = FromCp1251(model.text);
    // A longer value the program put there stays whole; typing cannot make it longer.
    edit->setMaxLength(model.limit == 0 ? kNoLimit
                                        : std::max(static_cast<int>(model.limit), int(text.size())));
    if (force || model.text != binding.shown.text || edit->text() != text) {
        edit->setText(text);
        binding.validator->SetBaseline(text);
    }
    const int start = std::clamp(model.selectionStart, 0, int(text.size()));
    const int end = std::clamp(model.selectionEnd, 0, int(text.size()));
    if (start == end) {
        edit->setCursorPosition(end);
    } else {
        edit->setSelection(start, end - start);
    }
    edit->setEnabled(model.enabled);
    binding.shown = model;
}

void MainWindow::ShowList(ListBinding& binding, bool force) {
    const ListModel& model = *binding.model;
    QComboBox* combo = binding.widget;
    const QSignalBlocker blocker(combo);
    const bool rowsChanged = force || model.Rows() != binding.rows;
    if (rowsChanged) {
        QStringList texts;
        texts.reserve(model.Count());
        for (const std::string& row : model.Rows()) {
            texts.append(FromCp1251(row));
        }
        // Built with a plain list of texts (see the dialog builder): replaced in one step.
        static_cast<QStringListModel*>(combo->model())->setStringList(texts);
        binding.rows = model.Rows();
    }
    if (rowsChanged || model.Selected() != binding.selected || combo->currentIndex() != model.Selected()) {
        combo->setCurrentIndex(model.Selected() < model.Count() ? model.Selected() : -1);
        binding.selected = model.Selected();
    }
    if (model.Editable()) {
        const QString text = FromCp1251(model.EditText());
        if (combo->currentText() != text) {
            combo->setEditText(text);
        }
        binding.editText = model.EditText();
    }
    if (force || model.Enabled() != binding.enabled) {
        combo->setEnabled(model.Enabled());
        binding.enabled = model.Enabled();
    }
}

void MainWindow::ShowDate(DateBinding& binding, bool force) {
    const DatePickerModel& model = *binding.model;
    if (!force && model.date == binding.shown.date && model.enabled == binding.shown.enabled) {
        return;
    }
    const QSignalBlocker blocker(binding.widget);
    // A date that is no date leaves the picker as it is.
    if (model.date.IsValid() && ToQDate(model.date).isValid()) {
        binding.widget->setDate(ToQDate(model.date));
    }
    binding.widget->setEnabled(model.enabled);
    binding.shown = model;
}

void MainWindow::reject() {
    // Esc, the close box and "Отмена" all ask first; the window closes only on OK.
    if (m_dialog.OnCancel()) {
        QDialog::reject();
    }
    Refresh();
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    // A Linux window has no system menu a program can extend; the about entry lives here.
    QMenu menu(this);
    QAction* about = menu.addAction(QStringLiteral("&About kvitok..."));
    if (menu.exec(event->globalPos()) == about) {
        RunHandler([this] {
            m_dialog.OnAbout();
        });
    }
}

} // namespace kvitok
