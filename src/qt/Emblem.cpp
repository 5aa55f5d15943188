#include "Emblem.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <map>

namespace kvitok {

namespace {

const QColor kShieldBlue(0x1f, 0x4e, 0x8c);
const QColor kShieldEdge(0xc8, 0x9b, 0x2c);
const QColor kInk(0x22, 0x2a, 0x35);

QPainterPath ShieldPath(const QRectF& r) {
    QPainterPath path;
    path.moveTo(r.left(), r.top() + r.height() * 0.08);
    path.quadTo(r.center().x(), r.top() - r.height() * 0.04, r.right(), r.top() + r.height() * 0.08);
    path.lineTo(r.right(), r.top() + r.height() * 0.52);
    path.quadTo(r.right(), r.top() + r.height() * 0.82, r.center().x(), r.bottom());
    path.quadTo(r.left(), r.top() + r.height() * 0.82, r.left(), r.top() + r.height() * 0.52);
    path.closeSubpath();
    return path;
}

// A sheet with a folded corner, a few printed lines and a small square code.
void DrawReceipt(QPainter& p, const QRectF& sheet) {
    const qreal fold = sheet.width() * 0.28;
    QPainterPath paper;
    paper.moveTo(sheet.topLeft());
    paper.lineTo(sheet.right() - fold, sheet.top());
    paper.lineTo(sheet.right(), sheet.top() + fold);
    paper.lineTo(sheet.bottomRight());
    paper.lineTo(sheet.bottomLeft());
    paper.closeSubpath();
    p.setPen(QPen(kInk, qMax(1.0, sheet.width() / 40)));
    p.setBrush(Qt::white);
    p.drawPath(paper);

    QPainterPath corner;
    corner.moveTo(sheet.right() - fold, sheet.top());
    corner.lineTo(sheet.right() - fold, sheet.top() + fold);
    corner.lineTo(sheet.right(), sheet.top() + fold);
    p.setBrush(QColor(0xd8, 0xe0, 0xea));
    p.drawPath(corner);

    if (sheet.width() >= 14) {
        p.setPen(QPen(QColor(0x7a, 0x86, 0x96), qMax(1.0, sheet.height() / 45)));
        const qreal left = sheet.left() + sheet.width() * 0.14;
        for (int line = 0; line < 3; ++line) {
            const qreal y = sheet.top() + sheet.height() * (0.2 + 0.12 * line);
            const qreal right = sheet.right() - sheet.width() * (line == 0 ? 0.36 : 0.14);
            p.drawLine(QPointF(left, y), QPointF(right, y));
        }
    }

    // A 5x5 pattern standing for the payment code.
    constexpr std::array<const char*, 5> kCode {"##.##", "#..#.", ".##.#", "#.#..", "##.##"};
    const qreal cell = sheet.width() * 0.09;
    const QPointF origin(sheet.left() + sheet.width() * 0.14,
                         sheet.bottom() - sheet.height() * 0.1 - 5 * cell);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < 5; ++col) {
            if (kCode[static_cast<std::size_t>(row)][col] == '#') {
                p.drawRect(QRectF(origin.x() + col * cell, origin.y() + row * cell, cell, cell));
            }
        }
    }
}

void DrawShieldWithReceipt(QPainter& p, const QRectF& area) {
    p.setRenderHint(QPainter::Antialiasing);
    const qreal edge = qMax(1.0, area.width() / 30);
    const QRectF shield = area.adjusted(edge, edge, -edge, -edge);
    p.setPen(QPen(kShieldEdge, edge * 1.6));
    p.setBrush(kShieldBlue);
    p.drawPath(ShieldPath(shield));
    const QRectF sheet(shield.left() + shield.width() * 0.25, shield.top() + shield.height() * 0.14,
                       shield.width() * 0.5, shield.height() * 0.6);
    DrawReceipt(p, sheet);
}

class AppIconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        painter->drawPixmap(rect, Pixmap(qMin(rect.width(), rect.height())));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        return Pixmap(qMin(size.width(), size.height()));
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48), QSize(64, 64)};
    }
    QIconEngine* clone() const override { return new AppIconEngine(*this); }
    QString key() const override { return QStringLiteral("kvitok-emblem"); }

private:
    QPixmap Pixmap(int side) {
        if (side <= 0) {
            return {};
        }
        auto [it, drawn] = m_pixmaps.try_emplace(side);
        if (drawn) {
            it->second = QPixmap::fromImage(DrawAppIcon(side));
        }
        return it->second;
    }

    std::map<int, QPixmap> m_pixmaps;
};

} // namespace

QImage DrawEmblem(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    DrawShieldWithReceipt(p, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

QImage DrawAppIcon(int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    // A shield is taller than wide; keep its proportions inside the square.
    const qreal width = side * 0.9;
    DrawShieldWithReceipt(p, QRectF((side - width) / 2, 0, width, side));
    return image;
}

QIcon AppIcon() {
    return QIcon(new AppIconEngine);
}

} // namespace kvitok
