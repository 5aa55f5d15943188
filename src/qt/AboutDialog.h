#pragma once

#include <QDialog>

namespace kvitok {

// The about box: the emblem, the version, a notice to check it is current, the build stamp.
class AboutDialog : public QDialog {
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

} // namespace kvitok
