// The yardstick for kvitok's start: a plain Qt dialog with as many widgets of the same kinds as
// kvitok's form, built before a small about box is shown modally, then shown itself. Nothing else:
// no translations, no icon, no settings. Run it and kvitok the same way and compare.
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace {

QLabel* Picture(QWidget* parent, QRect rect) {
    QImage image(rect.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::darkBlue);
    auto* label = new QLabel(parent);
    label->setPixmap(QPixmap::fromImage(image));
    label->setGeometry(rect);
    return label;
}

template <typename Widget>
Widget* Place(Widget* widget, int& y) {
    widget->setGeometry(10 + (y / 600) * 200, y % 600, 180, 22);
    y += 24;
    return widget;
}

// 1 picture, 21 labels, 14 buttons, 10 edits, 6 drop-down lists (one editable), 2 date pickers.
void BuildForm(QDialog& form) {
    form.setWindowTitle(QStringLiteral("bare"));
    form.setFixedSize(620, 620);
    Picture(&form, QRect(10, 10, 100, 96));
    int y = 110;
    for (int i = 0; i < 21; ++i) {
        Place(new QLabel(QStringLiteral("Метка %1").arg(i), &form), y)->setWordWrap(true);
    }
    for (int i = 0; i < 14; ++i) {
        Place(new QPushButton(QStringLiteral("Кнопка %1").arg(i), &form), y)->setAutoDefault(false);
    }
    for (int i = 0; i < 10; ++i) {
        Place(new QLineEdit(&form), y);
    }
    for (int i = 0; i < 6; ++i) {
        auto* combo = Place(new QComboBox(&form), y);
        combo->setEditable(i == 0);
        combo->addItems({QStringLiteral("один"), QStringLiteral("два")});
    }
    for (int i = 0; i < 2; ++i) {
        Place(new QDateEdit(&form), y)->setCalendarPopup(true);
    }
}

void RunAbout(QWidget* parent) {
    QDialog about(parent);
    about.setWindowTitle(QStringLiteral("О программе"));
    about.setFixedSize(260, 340);
    Picture(&about, QRect(70, 10, 100, 96));
    int y = 110;
    for (int i = 0; i < 5; ++i) {
        Place(new QLabel(QStringLiteral("Текст %1").arg(i), &about), y)->setWordWrap(true);
    }
    Place(new QLineEdit(QStringLiteral(__DATE__), &about), y)->setReadOnly(true);
    auto* ok = Place(new QPushButton(QStringLiteral("OK"), &about), y);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &about, &QDialog::accept);
    about.exec();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QDialog form;
    BuildForm(form);
    RunAbout(nullptr);
    form.show();
    return QApplication::exec();
}
