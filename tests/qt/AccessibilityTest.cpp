#include "AppTestSupport.h"
#include "qt/KvitokApp.h"

#include <QAccessible>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

namespace kvitok::testing {

namespace {

QString Read(QObject* object, QAccessible::Text what = QAccessible::Name) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
    return accessible != nullptr ? accessible->text(what) : QString();
}

// The label a screen reader reports as labelling `input`, if any.
QObject* LabelOf(QWidget* input) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(input);
    const auto labels = accessible->relations(QAccessible::Label);
    return labels.isEmpty() ? nullptr : labels.first().first->object();
}

// The label a sighted person reads for `input`: the nearest one on the line just above it that
// starts left of the input's end.
QLabel* LabelAbove(QWidget* input, const QList<QLabel*>& labels) {
    QLabel* best = nullptr;
    for (QLabel* label : labels) {
        const QRect r = label->geometry();
        if (r.bottom() < input->y() + 2 && r.bottom() > input->y() - input->height() &&
            r.left() <= input->geometry().right() && (best == nullptr || r.left() > best->x())) {
            best = label;
        }
    }
    return best;
}

// The input just left of a "?" button, on its line.
QWidget* InputLeftOf(QPushButton* button, const QList<QWidget*>& inputs) {
    QWidget* best = nullptr;
    for (QWidget* input : inputs) {
        if (std::abs(input->geometry().center().y() - button->geometry().center().y()) <
                button->height() / 2 &&
            input->geometry().right() <= button->x() + 2 && (best == nullptr || input->x() > best->x())) {
            best = input;
        }
    }
    return best;
}

} // namespace

// A screen reader must tell the fields apart: each input is named by the label a sighted person
// reads above it, an input without a label of its own by that label and its part, each "?" after
// its input; the about box reads out whole.
TEST(Accessibility, InputsAreNamedAfterTheirLabels) {
    TempHome home;
    ModalScript script;
    QStringList aboutTexts;
    script.Then([&aboutTexts](QWidget* about) {
        for (QWidget* child : about->findChildren<QWidget*>()) {
            aboutTexts << Read(child) << Read(child, QAccessible::Description);
        }
        QTest::keyClick(about->focusWidget() != nullptr ? about->focusWidget() : about, Qt::Key_Return);
    });
    KvitokApp app("insurers.db");
    app.Start();
    ASSERT_TRUE(script.Done());
    EXPECT_TRUE(aboutTexts.contains(QStringLiteral("kvitok Версия " KVITOK_VERSION)));
    EXPECT_TRUE(aboutTexts.contains(QStringLiteral("сборка")));
    EXPECT_TRUE(aboutTexts.contains(QStringLiteral("Эмблема")));

    MainWindow& window = app.Window();
    QList<QLabel*> labels;
    QList<QWidget*> inputs;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (auto* label = qobject_cast<QLabel*>(child); label != nullptr && !label->text().isEmpty()) {
            labels << label;
        } else if (qobject_cast<QLineEdit*>(child) || qobject_cast<QComboBox*>(child) ||
                   qobject_cast<QDateEdit*>(child)) {
            inputs << child;
        } else if (label != nullptr) {
            EXPECT_FALSE(Read(label, QAccessible::Description).isEmpty()) << "the emblem";
        }
    }
    ASSERT_EQ(inputs.size(), 18);

    QSet<QString> names;
    for (QWidget* input : inputs) {
        const QString name = Read(input);
        const std::string id = input->objectName().toStdString();
        names.insert(name);
        QLabel* above = LabelAbove(input, labels);
        ASSERT_NE(above, nullptr) << id;
        if (QObject* tied = LabelOf(input)) {
            EXPECT_EQ(tied, above) << id;
            EXPECT_EQ(name, above->text()) << id;
        } else {
            EXPECT_TRUE(name.startsWith(above->text() + QStringLiteral(", ")))
                << id << " " << name.toStdString();
            EXPECT_GT(name.size(), above->text().size() + 2) << id;
        }
    }
    EXPECT_EQ(names.size(), inputs.size()) << "two inputs share a name";

    // A "?" beside the kopecks explains the whole sum, so it may name the label instead.
    QSet<QString> helpNames;
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->text() != QStringLiteral("?")) {
            continue;
        }
        const QString name = Read(button);
        helpNames.insert(name);
        QWidget* input = InputLeftOf(button, inputs);
        ASSERT_NE(input, nullptr) << button->objectName().toStdString();
        const QString help = QStringLiteral("Справка: ");
        EXPECT_TRUE(name == help + Read(input) || name == help + LabelAbove(input, labels)->text())
            << button->objectName().toStdString() << " " << name.toStdString();
    }
    EXPECT_EQ(helpNames.size(), 8u) << "two help buttons share a name";
}

} // namespace kvitok::testing
