#include "AboutDialog.h"

#include "DialogBuilder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kvitok {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const auto widgets = BuildDialog(*this, AboutDialogTemplate());
    static_cast<QLabel*>(widgets.at(ControlId::PlatformLine))->setText(QStringLiteral("для Linux и Qt"));
    static_cast<QLineEdit*>(widgets.at(ControlId::BuildStamp))->setCursorPosition(0);
    auto* ok = static_cast<QPushButton*>(widgets.at(ControlId::Create));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    ok->setFocus();
}

} // namespace kvitok
