// corvane-cli: the program's core from a terminal.
#include "cli/Commands.h"
#include "settings/CProfileFile.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace corvane;

static const char kUsage[] =
    "usage: corvane-cli COMMAND [ARGS] [--settings PATH] [--language English|Chinese]\n"
    "  new OUT.dat [--force]       write a new memory image (--force replaces a file)\n"
    "  show IMAGE.dat              print the channel table as CSV;\n"
    "      [--format table|common]     common: the amateur channel-list layout\n"
    "  options IMAGE.dat           print the radio-wide options;\n"
    "      [--set \"LABEL=VALUE\"]...  set them as the Optional Features dialog does\n"
    "  import IMAGE.dat IN.csv     apply a CSV channel table (either layout, told by\n"
    "      [--quiet]                   its header) to an image and print how many\n"
    "                                  channels were added, changed, erased\n"
    "  print IMAGE.dat --pdf OUT.pdf  write the printed listing as a PDF file\n"
    "  read PORT OUT.dat           read the radio into OUT.dat\n"
    "  write PORT IMAGE.dat        write the image into the radio [--verify]\n"
    "  fleet write|verify|read IMAGE.dat PORT PORT ...\n"
    "                              the same job on several radios at once\n"
    "      [--verify] [--report FILE.csv] [--retries N]\n"
    "      (read saves IMAGE-<port>.dat beside IMAGE.dat for each port)\n"
    "  simulate                    run a virtual radio on a pseudo-terminal;\n"
    "      [--image FILE] [--baud N]   prints its device path on the first line\n"
    "      [--save FILE] [--fault [N:]FAULT]...\n"
    "      [--count N]                 N radios, one path a line; N: addresses\n"
    "                                  a fault to radio N, --save adds -N\n"
    "  read/write options: [--retries N] [--log FILE]\n"
    "  PORT: COM1..COM4 (settings section [Ports], else the n-th serial\n"
    "      device, USB adapters first) or a device path such as /dev/ttyUSB0\n"
    "  FAULT: silent | first-byte=0x15 | short-reply=0x0C90 |\n"
    "      no-ack=0x0100 | no-final-ack | hangup=0x0800 | drop-write=0x0100\n"
    "      (addresses in hex or decimal; --fault may be given more than once)\n"
    "  exit status: 0 done, 1 rejected input, 2 usage, 3 file, 4 port,\n"
    "      5 communication error, 6 interrupted or verify mismatch, 7 cancelled;\n"
    "      fleet: 0 every port ok, 4 no port opened, 6 any port failed, 7 cancelled\n";

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
    if (words.isEmpty() || words[0] == QLatin1String("--help") || words[0] == QLatin1String("-h")) {
        std::fputs(kUsage, words.isEmpty() ? stderr : stdout);
        return words.isEmpty() ? Exit::Usage : Exit::Ok;
    }
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
    std::fprintf(stderr, "corvane-cli: unknown command '%s'\n%s", qPrintable(name), kUsage);
    return Exit::Usage;
}
