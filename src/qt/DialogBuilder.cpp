#include "DialogBuilder.h"

#include "ComboRows.h"
#include "Emblem.h"
#include "TextBridge.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QPushButton>

namespace kvitok {

namespace {

// The emblem drawn for the pixels of the screen it is on, so that it stays sharp at a device
// pixel ratio of 2 as well as 1.
class EmblemPicture : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        const qreal ratio = devicePixelRatioF();
        const QSize pixels = (QSizeF(size()) * ratio).toSize();
        if (m_picture.size() != pixels) {
            m_picture = DrawEmblem(pixels);
            m_picture.setDevicePixelRatio(ratio);
        }
        QPainter(this).drawImage(QPoint(0, 0), m_picture);
    }

private:
    QImage m_picture;
};

// Drop-down lists open below the field, as high as the template says; some styles would open
// them over the field as tall as the screen. A style hint of the program's style does it for
// every list at once: neither a style sheet nor a style of each list's own, whose machinery
// would cost the start several milliseconds.
class DropDownBelowStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        return hint == SH_ComboBox_Popup ? 0 : QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

void UseDropDownBelowStyle() {
    if (dynamic_cast<DropDownBelowStyle*>(QApplication::style()) == nullptr) {
        QApplication::setStyle(new DropDownBelowStyle);
    }
}

// A drop-down list whose open list is made only when first opened, laid out as rows of one
// height: they are single lines of text, and a hundred thousand payers open quickly so.
class DropDown : public QComboBox {
public:
    using QComboBox::QComboBox;

    void showPopup() override {
        if (auto* rows = qobject_cast<QListView*>(view()); rows != nullptr && !rows->uniformItemSizes()) {
            rows->setUniformItemSizes(true);
        }
        QComboBox::showPopup();
    }
};

QWidget* CreateWidget(const FormControl& control, QWidget* parent) {
    const QString text = FromCp1251(std::string(control.text));
    switch (control.kind) {
    case ControlKind::Picture: {
        auto* label = new EmblemPicture(parent);
        label->setAccessibleName(QStringLiteral("Эмблема"));
        label->setAccessibleDescription(QStringLiteral("Щит с квитанцией и платежным QR-кодом"));
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
        // Enter and Space press the button that has the focus; Enter anywhere else presses the
        // default one.
        button->setAutoDefault(true);
        button->setDefault(control.kind == ControlKind::DefaultButton);
        return button;
    }
    case ControlKind::Edit:
    case ControlKind::BorderlessEdit: {
        auto* edit = new QLineEdit(text, parent);
        if (control.kind == ControlKind::BorderlessEdit) {
            edit->setReadOnly(true);
            edit->setFrame(false);
            QPalette clear = edit->palette();
            clear.setColor(QPalette::Base, Qt::transparent);
            edit->setPalette(clear);
            edit->setFocusPolicy(Qt::ClickFocus);
        }
        return edit;
    }
    case ControlKind::DropDownList:
    case ControlKind::EditableDropDown: {
        auto* combo = new DropDown(parent);
        // Rows are single lines of text: a plain list of them keeps filling the payer list quick
        // with a hundred thousand payers. Set first, before anything makes the list's view.
        combo->setModel(new ComboRows(combo));
        if (control.kind == ControlKind::EditableDropDown) {
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setCompleter(nullptr);
        }
        combo->setMaxVisibleItems(OpenListRows(control));
        return combo;
    }
    case ControlKind::DatePicker: {
        auto* date = new QDateEdit(parent);
        date->setCalendarPopup(true);
        date->setDisplayFormat(QString::fromLatin1(kDatePickerFormat));
        return date;
    }
    }
    return nullptr;
}

// Names each input and each "?" button so that a screen reader can tell the fields apart, and
// ties each label to the input it names.
void NameControls(const DialogTemplate& dialogTemplate, const std::map<int, QWidget*>& widgets,
                  const std::map<int, QLabel*>& labels) {
    for (const FormControl& control : dialogTemplate.controls) {
        const QString name = FromCp1251(AccessibleName(dialogTemplate, control));
        if (control.id < 0 || name.isEmpty()) {
            continue;
        }
        QWidget* widget = widgets.at(control.id);
        if (const auto label = labels.find(control.id); label != labels.end()) {
            label->second->setBuddy(widget);
        }
        // The name is also set outright: on Linux Qt names a drop-down list after its current
        // row, not after its buddy.
        widget->setAccessibleName(name);
        if (auto* combo = qobject_cast<QComboBox*>(widget);
            combo != nullptr && combo->lineEdit() != nullptr) {
            combo->lineEdit()->setAccessibleName(name);
        }
    }
}

QRect ToQRect(const PixelRect& rect) {
    return QRect(rect.left, rect.top, rect.width, rect.height);
}

// What a push button's frame and a line edit's margins take from their width.
constexpr int kButtonFrame = 4;
constexpr int kEditMargins = 6;

// The units of the desktop's font, widened where its letters need it (see DialogUnits) when
// `fitTexts`.
DialogUnits UnitsFor(const DialogTemplate& dialogTemplate, bool fitTexts) {
    const QFontMetrics metrics(QApplication::font());
    // The height of a laid-out line, which can be a pixel more than the font's own height.
    const int lineHeight = std::max(
        metrics.height(),
        metrics.boundingRect(QRect(0, 0, 1000, 1000), Qt::TextWordWrap, QStringLiteral("Ag")).height());
    DialogUnits units(
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
        lineHeight);
    if (!fitTexts) {
        return units;
    }
    units.WidenUntilTextsFit(dialogTemplate, [&metrics](const FormControl& control, const PixelRect& rect) {
        const QString text = FromCp1251(std::string(control.text));
        switch (control.kind) {
        case ControlKind::Button:
        case ControlKind::DefaultButton:
            return metrics.horizontalAdvance(text) + kButtonFrame <= rect.width;
        case ControlKind::BorderlessEdit:
            return metrics.horizontalAdvance(text) + kEditMargins <= rect.width;
        default: {
            const QRect needed =
                metrics.boundingRect(QRect(0, 0, rect.width, rect.height), Qt::TextWordWrap, text);
            return needed.width() <= rect.width && needed.height() <= rect.height;
        }
        }
    });
    return units;
}

} // namespace

std::map<int, QWidget*> BuildDialog(QDialog& dialog, const DialogTemplate& dialogTemplate, bool fitTexts) {
    UseDropDownBelowStyle();
    dialog.setWindowTitle(FromCp1251(std::string(dialogTemplate.title)));
    const DialogUnits units = UnitsFor(dialogTemplate, fitTexts);
    dialog.setFixedSize(ToQRect(units.ToPixels(0, 0, dialogTemplate.width, dialogTemplate.height)).size());

    std::map<int, QWidget*> widgets;
    std::map<int, QLabel*> labels; // by the input each names
    for (const FormControl& control : dialogTemplate.controls) {
        QWidget* widget = CreateWidget(control, &dialog);
        widget->setGeometry(ToQRect(units.ToPixels(control)));
        if (control.id >= 0) {
            widget->setObjectName(QStringLiteral("id%1").arg(control.id));
            widgets[control.id] = widget;
        }
        if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && control.labels >= 0) {
            labels.emplace(control.labels, label);
        }
    }
    NameControls(dialogTemplate, widgets, labels);
    return widgets;
}

void FitTexts(QDialog& dialog, const DialogTemplate& dialogTemplate) {
    const DialogUnits units = UnitsFor(dialogTemplate, true);
    if (units.X(1000) == UnitsFor(dialogTemplate, false).X(1000)) {
        return;
    }
    dialog.setFixedSize(ToQRect(units.ToPixels(0, 0, dialogTemplate.width, dialogTemplate.height)).size());
    // The widgets are the dialog's first children, made in the template's order.
    const QList<QWidget*> widgets = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (std::size_t i = 0;
         i < dialogTemplate.controls.size() && i < static_cast<std::size_t>(widgets.size()); ++i) {
        widgets[static_cast<qsizetype>(i)]->setGeometry(ToQRect(units.ToPixels(dialogTemplate.controls[i])));
    }
}

} // namespace kvitok
