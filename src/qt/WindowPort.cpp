#include "WindowPort.h"

#include "ComboRows.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QDateEdit>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringListModel>
#include <QToolTip>

namespace kvitok {

namespace {

QString ToQString(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string FromQString(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

// An edit is a line edit, or the line edit of an editable list.
QLineEdit* LineEdit(QWidget* widget) {
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        return combo->lineEdit();
    }
    return qobject_cast<QLineEdit*>(widget);
}

QStringList ToQStrings(const std::vector<std::u16string>& rows) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(rows.size()));
    for (const std::u16string& row : rows) {
        texts.append(ToQString(row));
    }
    return texts;
}

// Sees a key in the list of suggestions before the completer does, which would take the list's
// current row on Enter or Tab even when the person chose none: then Enter is Enter in the field,
// which presses the dialog's default button, and Tab moves on, as without the list.
class EnterWithoutChoice : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        // The list keeps a current row before any is chosen: only a chosen one shows selected.
        auto* list = qobject_cast<QAbstractItemView*>(watched);
        if (list == nullptr || list->selectionModel()->hasSelection()) {
            return false;
        }
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* field = static_cast<QComboBox*>(parent())->lineEdit();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            list->hide();
            QCoreApplication::sendEvent(field->window(), event);
            return true;
        }
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            list->hide();
            QCoreApplication::sendEvent(field, event);
            return true;
        }
        return false;
    }
};

// Every list is built over its own rows model (see the dialog builder).
ComboRows& RowsOf(QWidget* list) {
    return *static_cast<ComboRows*>(static_cast<QComboBox*>(list)->model());
}

} // namespace

WindowPort::WindowPort(const std::map<int, QWidget*>& widgets) : m_widgets(widgets) {}

void WindowPort::BeginUpdate() {
    if (m_widgets.empty() && m_makeWidgets) {
        m_makeWidgets();
    }
}

std::u16string WindowPort::Text(int id) const {
    return FromQString(LineEdit(m_widgets.at(id))->text());
}

void WindowPort::SetText(int id, const std::u16string& text) {
    LineEdit(m_widgets.at(id))->setText(ToQString(text));
}

ControlPort::Selection WindowPort::GetSelection(int id) const {
    const QLineEdit* edit = LineEdit(m_widgets.at(id));
    if (!edit->hasSelectedText()) {
        return {edit->cursorPosition(), edit->cursorPosition()};
    }
    return {edit->selectionStart(), edit->selectionEnd()};
}

void WindowPort::SetSelection(int id, Selection selection) {
    QLineEdit* edit = LineEdit(m_widgets.at(id));
    if (selection.start == selection.end) {
        edit->setCursorPosition(selection.end);
    } else {
        edit->setSelection(selection.start, selection.end - selection.start);
    }
}

void WindowPort::SetEnabled(int id, bool enabled) {
    m_widgets.at(id)->setEnabled(enabled);
}

void WindowPort::SetRows(int id, const std::vector<std::u16string>& rows) {
    RowsOf(m_widgets.at(id)).SetRows(ToQStrings(rows));
}

void WindowPort::AddRows(int id, const std::vector<std::u16string>& rows) {
    RowsOf(m_widgets.at(id)).AddRows(ToQStrings(rows));
}

int WindowPort::CurrentRow(int id) const {
    return static_cast<QComboBox*>(m_widgets.at(id))->currentIndex();
}

void WindowPort::SetCurrentRow(int id, int row) {
    static_cast<QComboBox*>(m_widgets.at(id))->setCurrentIndex(row);
}

std::optional<CalendarDate> WindowPort::Date(int id) const {
    const QDate date = static_cast<QDateEdit*>(m_widgets.at(id))->date();
    if (!date.isValid()) {
        return std::nullopt;
    }
    return CalendarDate {date.year(), date.month(), date.day(), 0, 0, 0};
}

void WindowPort::SetDate(int id, const CalendarDate& date) {
    if (const QDate shown(date.year, date.month, date.day); shown.isValid()) {
        static_cast<QDateEdit*>(m_widgets.at(id))->setDate(shown);
    }
}

void WindowPort::ShowSuggestions(int id, const std::vector<std::u16string>& rows) {
    auto* combo = static_cast<QComboBox*>(m_widgets.at(id));
    auto* suggestions = combo->findChild<QCompleter*>(QStringLiteral("suggestions"));
    if (suggestions == nullptr) {
        if (rows.empty()) {
            return;
        }
        suggestions = new QCompleter(new QStringListModel(combo), combo);
        suggestions->setObjectName(QStringLiteral("suggestions"));
        suggestions->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
        suggestions->setMaxVisibleItems(combo->maxVisibleItems());
        suggestions->setWidget(combo->lineEdit());
        suggestions->popup()->installEventFilter(new EnterWithoutChoice(combo));
        QObject::connect(suggestions, qOverload<const QModelIndex&>(&QCompleter::activated), combo,
                         [this, id](const QModelIndex& index) {
                             if (m_suggestionTaken) {
                                 m_suggestionTaken(id, index.row());
                             }
                         });
    }
    static_cast<QStringListModel*>(suggestions->model())->setStringList(ToQStrings(rows));
    if (rows.empty() || !combo->lineEdit()->hasFocus()) {
        suggestions->popup()->hide();
    } else {
        suggestions->complete();
    }
}

void WindowPort::TellRefused(int id, const std::u16string& title, const std::u16string& text) {
    QWidget* field = m_widgets.at(id);
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())),
                       ToQString(title) + QLatin1Char('\n') + ToQString(text), field);
}

} // namespace kvitok
