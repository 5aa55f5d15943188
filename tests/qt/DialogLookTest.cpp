#include "qt/Emblem.h"

#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

namespace {

// The icon is drawn on demand: the window system gets only the small sizes, and any size asked for
// comes out whole, at that size and not blank.
TEST(AppIcon, HandsOverSmallSizesAndDrawsAnySizeAskedFor) {
    const QIcon icon = kvitok::AppIcon();
    const QList<QSize> handed = icon.availableSizes();
    ASSERT_FALSE(handed.isEmpty());
    QList<QSize> asked = handed;
    asked << QSize(88, 88) << QSize(256, 256);
    for (const QSize& size : asked) {
        EXPECT_LE(handed.contains(size) ? size.width() : 0, 64);
        const QImage image = icon.pixmap(size).toImage();
        EXPECT_EQ(image.size(), size);
        EXPECT_EQ(qAlpha(image.pixel(size.width() / 2, size.height() / 2)), 255) << size.width();
    }
}

} // namespace
