#include "AboutDialog.h"

#include "DialogBuilder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kvitok {

QString BuildStamp() {
    return QStringLiteral(__DATE__ " " __TIME__);
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const auto widgets = BuildDialog(*this, AboutDialogTemplate());
    static_cast<QLabel*>(widgets.at(ControlId::PlatformLine))->setText(QStringLiteral("для Linux и Qt"));
    m_stamp = static_cast<QLineEdit*>(widgets.at(ControlId::BuildStamp));
    auto* ok = static_cast<QPushButton*>(widgets.at(ControlId::Create));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    ok->setFocus();
}

void AboutDialog::SetBuildStamp(const QString& stamp) {
    m_stamp->setText(stamp);
    m_stamp->setCursorPosition(0);
}

QString AboutDialog::BuildStampText() const {
    return m_stamp->text();
}

} // namespace kvitok
