// corvane-cli: the program's core from a terminal.
#include "cli/Commands.h"
#include "settings/CProfileFile.h"

#include <QCoreApplication>
#include <cstdio>

using namespace corvane;

static const char kUsage[] =
    "usage: corvane-cli COMMAND [ARGS] [--settings PATH] [--language English|Chinese]\n"
    "  new OUT.dat [--force]       write a new memory image (--force replaces a file)\n"
    "  show IMAGE.dat              print the channel table as CSV\n"
    "  options IMAGE.dat           print the radio-wide options;\n"
    "      [--set \"LABEL=VALUE\"]...  set them as the Optional Features dialog does\n"
    "  import IMAGE.dat IN.csv     apply a CSV channel table to an image and print\n"
    "      [--quiet]                   how many channels were added, changed, erased\n"
    "  read PORT OUT.dat           read the radio into OUT.dat\n"
    "  write PORT IMAGE.dat        write the image into the radio [--verify]\n"
    "  simulate                    run a virtual radio on a pseudo-terminal;\n"
    "      [--image FILE] [--baud N]   prints its device path on the first line\n"
    "      [--save FILE] [--fault FAULT]...\n"
    "  read/write options: [--retries N] [--log FILE]\n"
    "  PORT: COM1..COM4 (settings section [Ports], else the n-th serial\n"
    "      device, USB adapters first) or a device path such as /dev/ttyUSB0\n"
    "  FAULT: silent | first-byte=0x15 | short-reply=0x0C90 |\n"
    "      no-ack=0x0100 | no-final-ack | hangup=0x0800 | drop-write=0x0100\n"
    "      (addresses in hex or decimal; --fault may be given more than once)\n"
    "  exit status: 0 done, 1 rejected input, 2 usage, 3 file, 4 port,\n"
    "      5 communication error, 6 interrupted or verify mismatch, 7 cancelled\n";

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    CProfileFile::SetProgramPath(QString::fromLocal8Bit(argv[0]));
    QStringList words = app.arguments().mid(1);
    if (words.isEmpty() || words[0] == QLatin1String("--help") || words[0] == QLatin1String("-h")) {
        std::fputs(kUsage, words.isEmpty() ? stderr : stdout);
        return words.isEmpty() ? Exit::Usage : Exit::Ok;
    }
    struct Command { const char *name; int (*run)(CliContext &); };
    static const Command commands[] = {
        {"new", CmdNew},   {"show", CmdShow},   {"options", CmdOptions}, {"import", CmdImport},
        {"read", CmdRead}, {"write", CmdWrite}, {"simulate", CmdSimulate},
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
    std::fprintf(stderr, "corvane-cli: unknown command '%s'\n%s", qPrintable(name), kUsage);
    return Exit::Usage;
}
