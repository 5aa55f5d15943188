#include "DialogBuilder.h"

#include "Emblem.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kvitok {

namespace {

QWidget* CreateWidget(const ControlTemplate& control, const QRect& rect, QWidget* parent) {
    const QString text = QString::fromUtf8(control.text);
    switch (control.kind) {
    case ControlKind::Picture: {
        auto* label = new QLabel(parent);
        label->setPixmap(QPixmap::fromImage(DrawEmblem(rect.size())));
        return label;
    }
    case ControlKind::Static:
    case ControlKind::CentredStatic: {
        auto* label = new QLabel(text, parent);
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignTop |
                            (control.kind == ControlKind::CentredStatic ? Qt::AlignHCenter : Qt::AlignLeft));
        return label;
    }
    case ControlKind::Button:
    case ControlKind::DefaultButton: {
        auto* button = new QPushButton(text, parent);
        // Enter belongs to the default button wherever the focus is.
        button->setAutoDefault(false);
        button->setDefault(control.kind == ControlKind::DefaultButton);
        return button;
    }
    case ControlKind::Edit:
    case ControlKind::BorderlessEdit: {
        auto* edit = new QLineEdit(text, parent);
        if (control.kind == ControlKind::BorderlessEdit) {
            edit->setReadOnly(true);
            edit->setFrame(false);
            edit->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
            edit->setFocusPolicy(Qt::ClickFocus);
        }
        return edit;
    }
    case ControlKind::DropDownList:
    case ControlKind::EditableDropDown: {
        auto* combo = new QComboBox(parent);
        if (control.kind == ControlKind::EditableDropDown) {
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setCompleter(nullptr);
        } else {
            // The open list drops below the field, as high as the template says; some styles
            // would otherwise open it over the field as tall as the screen.
            combo->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
        }
        combo->setMaxVisibleItems(qMax(3, (control.height - kClosedDropDownHeight) / 8));
        return combo;
    }
    case ControlKind::DatePicker: {
        auto* date = new QDateEdit(parent);
        date->setCalendarPopup(true);
        date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        return date;
    }
    }
    return nullptr;
}

} // namespace

std::map<int, QWidget*> BuildDialog(QDialog& dialog, const DialogTemplate& dialogTemplate) {
    dialog.setFont(DialogFont());
    dialog.setWindowTitle(QString::fromUtf8(dialogTemplate.title));
    const DialogUnits units(dialog.font());
    dialog.setFixedSize(units.ToPixels(0, 0, dialogTemplate.width, dialogTemplate.height).size());

    std::map<int, QWidget*> widgets;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        const QRect rect = units.ToPixels(control);
        QWidget* widget = CreateWidget(control, rect, &dialog);
        widget->setGeometry(rect);
        if (control.id >= 0) {
            widget->setObjectName(QStringLiteral("id%1").arg(control.id));
            widgets[control.id] = widget;
        }
    }
    return widgets;
}

} // namespace kvitok
