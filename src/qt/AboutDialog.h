#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

namespace kvitok {

// The compile date and time as "Mmm dd yyyy hh:mm:ss" (the day padded with a space).
QString BuildStamp();

// The about box: the emblem, the version, a notice to check it is current, the build stamp.
class AboutDialog : public QDialog {
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    void SetBuildStamp(const QString& stamp);
    QString BuildStampText() const;

private:
    QLineEdit* m_stamp;
};

} // namespace kvitok
