#include "Emblem.h"
#include "KvitokApp.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Message boxes are captioned with the name the program was started by.
    QApplication::setApplicationName(QFileInfo(QString::fromLocal8Bit(argv[0])).fileName());
    QApplication::setDesktopFileName(QStringLiteral("kvitok"));
    QApplication::setWindowIcon(kvitok::AppIcon());

    kvitok::KvitokApp kvitok;
    QObject::connect(&kvitok.Window(), &QDialog::finished, &app, &QApplication::quit);
    kvitok.Start();
    return QApplication::exec();
}
