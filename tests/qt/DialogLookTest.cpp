#include "form/FormTable.h"
#include "qt/DialogBuilder.h"
#include "qt/Emblem.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>

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

// Every fixed list opens below its field and no taller than its template allows.
TEST(DropDownList, OpensBelowItsField) {
    QDialog dialog;
    const auto widgets = kvitok::BuildDialog(dialog, kvitok::MainDialogTemplate());
    dialog.show();
    auto* combo = qobject_cast<QComboBox*>(widgets.at(kvitok::ControlId::Kbk));
    ASSERT_NE(combo, nullptr);
    QStringList rows;
    for (int i = 0; i < 40; ++i) {
        rows << QStringLiteral("row %1").arg(i);
    }
    combo->addItems(rows);
    combo->setCurrentIndex(20);
    combo->showPopup();
    const QWidget* popup = combo->view()->window();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_GE(popup->geometry().top(), combo->mapToGlobal(QPoint(0, combo->height())).y() - 1);
    EXPECT_LE(popup->height(), (combo->maxVisibleItems() + 1) * combo->view()->sizeHintForRow(0));
    combo->hidePopup();
}

} // namespace
