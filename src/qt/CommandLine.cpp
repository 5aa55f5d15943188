#include "CommandLine.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

namespace kvitok {

namespace {

// The options QGuiApplication and QApplication take for themselves (X11's among them).
constexpr std::array kQtOptions {"platform",
                                 "platformpluginpath",
                                 "platformtheme",
                                 "plugin",
                                 "qwindowgeometry",
                                 "qwindowicon",
                                 "qwindowtitle",
                                 "reverse",
                                 "session",
                                 "display",
                                 "geometry",
                                 "title",
                                 "icon",
                                 "name",
                                 "style",
                                 "stylesheet",
                                 "widgetcount",
                                 "qmljsdebugger",
                                 "testability"};

bool IsQtOption(const QString& name) {
    return std::any_of(kQtOptions.begin(), kQtOptions.end(), [&name](const char* option) {
        return name == QLatin1String(option);
    });
}

} // namespace

CommandLine::CommandLine(const QStringList& arguments, Stage stage)
    : m_help({QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
             QStringLiteral("Displays help on commandline options.")),
      m_version({QStringLiteral("v"), QStringLiteral("version")},
                QStringLiteral("Displays version information.")) {
    m_parser.setApplicationDescription(QStringLiteral(
        "Prepares bank payment receipts ПД-4 for insurance contributions, penalties and fines.\n"
        "Qt's own options, such as -platform and -style, are understood as well."));
    // Qt spells its own options with one dash (-platform); read them whole, not as letters.
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOption(m_help);
    m_parser.addOption(m_version);

    if (arguments.isEmpty()) {
        return; // started without even its own name: nothing is asked
    }
    const QString program = QFileInfo(arguments[0]).fileName();
    const bool parsed = m_parser.parse(arguments);
    const QStringList unknown = m_parser.unknownOptionNames();
    // Before QApplication has taken its options, the word after -platform and the like looks
    // like an argument; afterwards nothing may be left over.
    const bool qtOptionsLeft = stage == Stage::BeforeQt && !unknown.isEmpty() &&
                               std::all_of(unknown.begin(), unknown.end(), IsQtOption);
    if (!parsed && !qtOptionsLeft) {
        m_request = Request::Error;
        m_error = program + QStringLiteral(": ") + m_parser.errorText() + QLatin1Char('\n');
    } else if (m_parser.isSet(m_help)) {
        m_request = Request::Help;
    } else if (m_parser.isSet(m_version)) {
        m_request = Request::Version;
    } else if (!m_parser.positionalArguments().isEmpty() && !qtOptionsLeft) {
        m_request = Request::Error;
        m_error = program + QStringLiteral(": Unexpected argument '") +
                  m_parser.positionalArguments().first() + QStringLiteral("'.\n");
    }
}

QString CommandLine::VersionText() {
    return QStringLiteral("kvitok " KVITOK_VERSION "\n");
}

} // namespace kvitok
