#include "DialogUnits.h"

#include "TextBridge.h"

#include <QApplication>
#include <QFontMetrics>

#include <algorithm>

namespace kvitok {

namespace {

// What a push button's frame takes from its width.
constexpr int kButtonFrame = 4;

} // namespace

QFont DialogFont() {
    return QApplication::font();
}

DialogUnits::DialogUnits(const QFont& font) {
    // The average width the way the dialog manager measures it: the 52 Latin letters.
    const QFontMetrics metrics(font);
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_eighthsWide = 8 * ((letters / 26 + 1) / 2);
    // The height of a laid-out line, which can be a pixel more than the font's own height.
    m_charHeight = std::max(
        metrics.height(),
        metrics.boundingRect(QRect(0, 0, 1000, 1000), Qt::TextWordWrap, QStringLiteral("Ag")).height());
}

DialogUnits::DialogUnits(const QFont& font, const DialogTemplate& dialogTemplate) : DialogUnits(font) {
    // An eighth of a pixel at a time, and never past twice the average.
    const int widest = 2 * m_eighthsWide;
    while (m_eighthsWide < widest && !TextsFit(font, dialogTemplate)) {
        ++m_eighthsWide;
    }
}

bool DialogUnits::TextsFit(const QFont& font, const DialogTemplate& dialogTemplate) const {
    const QFontMetrics metrics(font);
    for (const FormControl& control : dialogTemplate.controls) {
        const QString text = FromCp1251(std::string(control.text));
        if (text.isEmpty()) {
            continue;
        }
        const QRect rect = ToPixels(control);
        switch (control.kind) {
        case ControlKind::Static:
        case ControlKind::CentredStatic: {
            const QRect needed =
                metrics.boundingRect(QRect(QPoint(0, 0), rect.size()), Qt::TextWordWrap, text);
            if (needed.width() > rect.width() || needed.height() > rect.height()) {
                return false;
            }
            break;
        }
        case ControlKind::Button:
        case ControlKind::DefaultButton:
            if (metrics.horizontalAdvance(text) + kButtonFrame > rect.width()) {
                return false;
            }
            break;
        default:
            break;
        }
    }
    return true;
}

QRect DialogUnits::ToPixels(int x, int y, int width, int height) const {
    // Edges are placed on the grid, so that controls ending on one unit line up; a height is
    // taken whole, so that a label one line high always holds its line.
    const int left = X(x);
    return QRect(left, Y(y), X(x + width) - left, Y(height));
}

QRect DialogUnits::ToPixels(const FormControl& control) const {
    const bool dropDown =
        control.kind == ControlKind::DropDownList || control.kind == ControlKind::EditableDropDown;
    const DialogRect& r = control.rect;
    return ToPixels(r.x, r.y, r.width, dropDown ? kClosedDropDownHeight : r.height);
}

} // namespace kvitok
