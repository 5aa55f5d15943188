#include "qt/CommandLine.h"

#include <gtest/gtest.h>

namespace kvitok::testing {

namespace {

using Request = CommandLine::Request;
using Stage = CommandLine::Stage;

struct LineCase {
    QStringList arguments;
    Stage stage;
    Request wanted;
};

} // namespace

// Qt's own options are left for QApplication before it exists; whatever it leaves is refused.
TEST(CommandLine, OwnOptionsAnsweredQtOptionsLeftToQt) {
    const LineCase cases[] = {
        {{}, Stage::BeforeQt, Request::Run},
        {{"kvitok"}, Stage::BeforeQt, Request::Run},
        {{"kvitok", "--version"}, Stage::BeforeQt, Request::Version},
        {{"kvitok", "-v"}, Stage::BeforeQt, Request::Version},
        {{"kvitok", "--help"}, Stage::BeforeQt, Request::Help},
        {{"kvitok", "-h"}, Stage::BeforeQt, Request::Help},
        {{"kvitok", "--bogus"}, Stage::BeforeQt, Request::Error},
        {{"kvitok", "-x"}, Stage::BeforeQt, Request::Error},
        {{"kvitok", "receipt.html"}, Stage::BeforeQt, Request::Error},
        {{"kvitok", "-platform", "offscreen"}, Stage::BeforeQt, Request::Run},
        {{"kvitok", "-style=Fusion", "--reverse"}, Stage::BeforeQt, Request::Run},
        {{"kvitok", "-platform", "offscreen", "--version"}, Stage::BeforeQt, Request::Version},
        {{"kvitok", "-platform", "offscreen", "--bogus"}, Stage::BeforeQt, Request::Error},
        {{"kvitok", "-platform", "offscreen"}, Stage::AfterQt, Request::Error},
        {{"kvitok", "stray"}, Stage::AfterQt, Request::Error},
        {{"kvitok"}, Stage::AfterQt, Request::Run},
    };
    for (const LineCase& c : cases) {
        const CommandLine line(c.arguments, c.stage);
        EXPECT_EQ(line.Wanted(), c.wanted) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(line.ErrorText().isEmpty(), c.wanted != Request::Error)
            << c.arguments.join(' ').toStdString();
    }
}

TEST(CommandLine, TextsNameTheProgramAndTheOffendingArgument) {
    EXPECT_EQ(CommandLine::VersionText(), QStringLiteral("kvitok " KVITOK_VERSION "\n"));
    EXPECT_EQ(CommandLine({"/usr/bin/kvitok", "--bogus"}, Stage::BeforeQt).ErrorText(),
              QStringLiteral("kvitok: Unknown option 'bogus'.\n"));
    EXPECT_EQ(CommandLine({"kvitok", "a.html"}, Stage::BeforeQt).ErrorText(),
              QStringLiteral("kvitok: Unexpected argument 'a.html'.\n"));
    const QString help = CommandLine({"kvitok", "--help"}, Stage::BeforeQt).HelpText();
    for (const char* option : {"--help", "--version", "-platform"}) {
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
    }
}

} // namespace kvitok::testing
