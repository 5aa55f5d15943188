#include "DialogUnits.h"

#include <QFontMetrics>

namespace kvitok {

QFont DialogFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

DialogUnits::DialogUnits(const QFont& font) {
    // The average width the way the dialog manager measures it: the 52 Latin letters.
    const QFontMetrics metrics(font);
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_charWidth = (letters / 26 + 1) / 2;
    m_charHeight = metrics.height();
}

QRect DialogUnits::ToPixels(int x, int y, int width, int height) const {
    const int left = X(x);
    const int top = Y(y);
    return QRect(left, top, X(x + width) - left, Y(y + height) - top);
}

QRect DialogUnits::ToPixels(const ControlTemplate& control) const {
    const bool dropDown =
        control.kind == ControlKind::DropDownList || control.kind == ControlKind::EditableDropDown;
    return ToPixels(control.x, control.y, control.width, dropDown ? kClosedDropDownHeight : control.height);
}

} // namespace kvitok
