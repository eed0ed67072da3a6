// corvane-cli: the program's core from a terminal.
#include "cli/Commands.h"
#include "cli/Usage.h"
#include "settings/CProfileFile.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace corvane;

namespace {

// --help, --version, "help [COMMAND]" and "COMMAND --help": the exit
// status once printed, or -1 for a command to run.
int PrintHelp(const QStringList &words)
{
    const auto print = [](const std::string &text, std::FILE *to, int status) {
        std::fputs(text.c_str(), to);
        return status;
    };
    if (words.isEmpty())
        return print(OverviewText(), stderr, Exit::Usage);
    const QString first = words[0];
    if (first == QLatin1String("--help") || first == QLatin1String("-h"))
        return print(OverviewText(), stdout, Exit::Ok);
    if (first == QLatin1String("--version"))
        return print(VersionText(), stdout, Exit::Ok);
    const bool helpWord = first == QLatin1String("help");
    if (!helpWord && !words.contains(QLatin1String("--help")))
        return -1;
    if (helpWord && words.size() == 1)
        return print(OverviewText(), stdout, Exit::Ok);
    const QString name = helpWord ? words[1] : first;
    if (const CommandUsage *command = FindCommand(name.toStdString()))
        return print(CommandHelpText(*command), stdout, Exit::Ok);
    std::fprintf(stderr, "corvane-cli: unknown command '%s'; corvane-cli --help lists them\n", qPrintable(name));
    return Exit::Usage;
}

} // namespace

int main(int argc, char **argv)
{
    // Only print needs fonts, and so a GUI application; it never shows a
    // window, so it runs on the offscreen platform wherever it is started.
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && std::strcmp(argv[1], "print") == 0) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    CProfileFile::SetProgramPath(QString::fromLocal8Bit(argv[0]));
    QStringList words = app->arguments().mid(1);
    if (int rc = PrintHelp(words); rc >= 0)
        return rc;
    struct Command { const char *name; int (*run)(CliContext &); };
    static const Command commands[] = {
        {"new", CmdNew},   {"show", CmdShow},   {"options", CmdOptions}, {"import", CmdImport},
        {"print", CmdPrint},
        {"read", CmdRead}, {"write", CmdWrite}, {"simulate", CmdSimulate},
        {"fleet", CmdFleet},
    };
    const QString name = words.takeFirst();
    for (const Command &c : commands) {
        if (name == QLatin1String(c.name)) {
            CliContext ctx;
            if (int rc = PrepareContext(ctx, words))
                return rc;
            return c.run(ctx);
        }
    }
    std::fprintf(stderr, "corvane-cli: unknown command '%s'\n%s", qPrintable(name), OverviewText().c_str());
    return Exit::Usage;
}
