#include "Emblem.h"
#include "KvitokApp.h"
#include "PayerFileLocation.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Message boxes are captioned with the name the program was started by.
    QApplication::setApplicationName(QFileInfo(QString::fromLocal8Bit(argv[0])).fileName());
    QApplication::setDesktopFileName(QStringLiteral("kvitok"));
    QApplication::setWindowIcon(kvitok::AppIcon());

    // The form speaks Russian whatever the desktop's language; so do Qt's own buttons, file
    // dialog and calendar. Without the translations installed they stay in English.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    kvitok::KvitokApp kvitok(kvitok::PayerFilePath().string());
    QObject::connect(&kvitok.Window(), &QDialog::finished, &app, &QApplication::quit);
    kvitok.Start();
    return QApplication::exec();
}
