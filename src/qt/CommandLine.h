#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace kvitok {

// The program's own command line: --help and --version, nothing more. Qt's own options
// (-platform, -style, ...) belong to QApplication, which takes them out of the arguments when
// it is made. So the line is read twice: before QApplication exists, so that --help, --version
// and a mistyped option are answered without a display, and after, to refuse what is left.
class CommandLine {
public:
    enum class Stage { BeforeQt, AfterQt };
    enum class Request { Run, Help, Version, Error };

    CommandLine(const QStringList& arguments, Stage stage);

    Request Wanted() const { return m_request; }
    // The usage in Qt's words; it names the program as started, so it needs the application object.
    QString HelpText() const { return m_parser.helpText(); }
    // What to print on the error stream for Request::Error.
    QString ErrorText() const { return m_error; }
    static QString VersionText();

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    Request m_request = Request::Run;
    QString m_error;
};

} // namespace kvitok
