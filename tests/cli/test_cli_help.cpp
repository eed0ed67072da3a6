// corvane-cli --help, --version, help COMMAND, and the manual page written
// from the same texts at build time.
#include "cli/CliRun.h"
#include "cli/Usage.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

CliRun Cli(const QStringList &args) { return RunCli(args); }

std::vector<corvane::CommandUsage> AllCommands()
{
    std::size_t count = 0;
    const corvane::CommandUsage *commands = corvane::Commands(count);
    return {commands, commands + count};
}

} // namespace

TEST(CliHelp, OverviewListsEveryCommandAndNoArgumentsIsAUsageError)
{
    const CliRun help = Cli({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.startsWith("usage: corvane-cli COMMAND [ARGS]")) << help.out.toStdString();
    for (const corvane::CommandUsage &c : AllCommands()) {
        const QRegularExpression line(QStringLiteral("\\n  %1 +%2\\n").arg(c.name, QRegularExpression::escape(c.summary)));
        EXPECT_TRUE(line.match(help.out).hasMatch()) << c.name;
    }
    EXPECT_TRUE(help.out.contains("\n  7                       cancelled (Ctrl+C)\n")) << help.out.toStdString();
    EXPECT_EQ(Cli({"help"}).out, help.out);
    for (const QString &line : help.out.split('\n'))
        EXPECT_LE(line.size(), 80) << line.toStdString();

    const CliRun bare = Cli({});
    EXPECT_EQ(bare.code, 2);
    EXPECT_EQ(bare.err, help.out);
    EXPECT_TRUE(bare.out.isEmpty());
}

TEST(CliHelp, CommandHelpAndVersion)
{
    for (const corvane::CommandUsage &c : AllCommands()) {
        const CliRun help = Cli({"help", c.name});
        ASSERT_EQ(help.code, 0) << c.name;
        const QString joined = QString(help.out).replace(QRegularExpression(QStringLiteral("\n +")), QStringLiteral(" "));
        const QString usage = QStringLiteral("usage: corvane-cli %1").arg(c.synopsis);
        EXPECT_TRUE(joined.startsWith(usage) && joined.at(usage.size()).isSpace()) << c.name;
        for (const QString &line : help.out.split('\n'))
            EXPECT_LE(line.size(), 80) << c.name << ": " << line.toStdString();
    }
    const CliRun read = Cli({"help", "read"});
    EXPECT_TRUE(read.out.contains("\n  --retries N             after 15 handshake attempts without an answer, tries\n"))
        << read.out.toStdString();
    EXPECT_EQ(Cli({"read", "--help"}).out, read.out);

    const CliRun unknown = Cli({"help", "frobnicate"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_TRUE(unknown.err.contains("unknown command 'frobnicate'"));

    const CliRun version = Cli({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "corvane-cli 1.0\n");
}

// Every command has its section; every line that starts with a dot is a
// macro, so no text of the table can break the page.
TEST(CliHelp, ManualPageHasEveryCommandAndOnlyKnownMacros)
{
    QFile page(QStringLiteral(CORVANE_MAN_PAGE));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(page.readAll());
    EXPECT_TRUE(text.startsWith(".TH CORVANE-CLI 1 "));
    for (const corvane::CommandUsage &c : AllCommands())
        EXPECT_TRUE(text.contains(QStringLiteral("\n.SS %1\n").arg(c.name))) << c.name;
    const QStringList macros = {".TH", ".SH", ".SS", ".B", ".I", ".RB", ".PP", ".TP", ".br"};
    for (const QString &line : text.split('\n')) {
        if (line.startsWith('.') || line.startsWith('\''))
            EXPECT_TRUE(macros.contains(line.section(' ', 0, 0))) << line.toStdString();
    }
    EXPECT_TRUE(text.contains("\\-\\-retries N")) << "hyphens of options are escaped";
}
