#include "CommandLine.h"
#include "Emblem.h"
#include "KvitokApp.h"
#include "form/PayerFileLocation.h"
#include "platform/PathText.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

namespace {

QStringList ArgumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

// Prints what the command line asked for; returns the exit code.
int Answer(const kvitok::CommandLine& line) {
    using Request = kvitok::CommandLine::Request;
    switch (line.Wanted()) {
    case Request::Help:
        std::fputs(qPrintable(line.HelpText()), stdout);
        return EXIT_SUCCESS;
    case Request::Version:
        std::fputs(qPrintable(kvitok::CommandLine::VersionText()), stdout);
        return EXIT_SUCCESS;
    case Request::Error:
        std::fputs(qPrintable(line.ErrorText()), stderr);
        return EXIT_FAILURE;
    case Request::Run:
        break;
    }
    return EXIT_SUCCESS;
}

} // namespace

int main(int argc, char* argv[]) {
    using kvitok::CommandLine;
    // --help, --version and a mistyped option are answered before the window system is touched,
    // so they work on a terminal without a display.
    if (const CommandLine line(ArgumentsOf(argc, argv), CommandLine::Stage::BeforeQt);
        line.Wanted() != CommandLine::Request::Run) {
        // The usage line names the program through the application object.
        const QCoreApplication core(argc, argv);
        return Answer(line);
    }

    QApplication app(argc, argv);
    if (const CommandLine rest(QCoreApplication::arguments(), CommandLine::Stage::AfterQt);
        rest.Wanted() != CommandLine::Request::Run) {
        return Answer(rest);
    }
    // Message boxes are captioned with the name the program was started by.
    QApplication::setApplicationName(QFileInfo(QString::fromLocal8Bit(argv[0])).fileName());
    QApplication::setApplicationVersion(QStringLiteral(KVITOK_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(KVITOK_APP_ID));
    QApplication::setWindowIcon(kvitok::AppIcon());

    // The form speaks Russian whatever the desktop's language; so do Qt's own buttons, file
    // dialog and calendar. Without the translations installed they stay in English.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    kvitok::KvitokApp kvitok(kvitok::PathToUtf8(kvitok::PayerFilePath()));
    QObject::connect(&kvitok.Window(), &QDialog::finished, &app, &QApplication::quit);
    kvitok.Start();
    return QApplication::exec();
}
