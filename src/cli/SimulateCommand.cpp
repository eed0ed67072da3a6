// corvane-cli simulate: a virtual radio on a pseudo-terminal, for trying
// the program without a radio and for the end-to-end tests.
#include "cli/CancelSignal.h"
#include "cli/Commands.h"
#include "image/DataFile.h"
#include "link/PtyEndpoint.h"
#include "link/RadioSimulator.h"
#include "link/VirtualRadio.h"

namespace corvane {

namespace {
const QString kFault = QStringLiteral("--fault");

// Every --fault value, in order.
bool ParseFaults(CliContext &ctx, RadioFaults &faults)
{
    for (int i = 0; i < ctx.options.size(); ++i) {
        if (ctx.options[i] != kFault)
            continue;
        QString error = QStringLiteral("--fault needs a value");
        if (i + 1 >= ctx.options.size() || !faults.Parse(ctx.options[i + 1], &error)) {
            ctx.err << "corvane-cli: " << error << "\n";
            return false;
        }
        ++i;
    }
    return true;
}

bool ParseBaud(CliContext &ctx, int &baud)
{
    if (!ctx.Flag(QStringLiteral("--baud")))
        return true;
    bool ok = false;
    baud = ctx.Option(QStringLiteral("--baud")).toInt(&ok);
    if (ok && baud >= 50 && baud <= 4000000)
        return true;
    ctx.err << "corvane-cli: --baud takes a rate from 50 to 4000000\n";
    return false;
}
} // namespace

int CmdSimulate(CliContext &ctx)
{
    const QStringList valued{QStringLiteral("--image"), QStringLiteral("--baud"), QStringLiteral("--save"), kFault};
    const QStringList unknown = ctx.UnknownOptions(valued, {});
    RadioFaults faults;
    int baud = 0;
    if (!ctx.args.isEmpty() || !unknown.isEmpty() || !ParseFaults(ctx, faults) || !ParseBaud(ctx, baud)) {
        if (!unknown.isEmpty())
            ctx.err << "corvane-cli: unknown option " << unknown.first() << "\n";
        ctx.err << "usage: corvane-cli simulate [--image FILE] [--baud N] [--save FILE] [--fault FAULT]...\n";
        return Exit::Usage;
    }
    MemoryImage memory = MemoryImage::newImage();
    if (ctx.Flag(QStringLiteral("--image"))) {
        const Result loaded = LoadImageFile(ctx.Option(QStringLiteral("--image")), memory);
        if (!loaded.ok()) {
            ctx.err << "corvane-cli: " << loaded.text << "\n";
            return Exit::File;
        }
    }
    PtyEndpoint pty;
    if (!pty.Open()) {
        ctx.err << "corvane-cli: cannot open a pseudo-terminal: " << pty.error() << "\n";
        return Exit::Port;
    }
    const std::atomic<bool> &stop = CancelSignal::Install();
    ctx.out << pty.SlavePath() << Qt::endl;
    ctx.err << "virtual radio on " << pty.SlavePath() << (baud ? QStringLiteral(" at %1 baud").arg(baud) : QString())
            << "; Ctrl+C ends it\n";
    ctx.err.flush();

    VirtualRadio radio(memory, faults);
    RadioSimulator(radio, pty, baud).Run(stop);
    ctx.err << "virtual radio stopped" << (radio.HungUp() ? " (hung up)" : "") << ": " << radio.BlocksRead()
            << " blocks read, " << radio.BlocksWritten() << " blocks written\n";
    if (ctx.Flag(QStringLiteral("--save"))) {
        const Result saved = SaveImageFile(ctx.Option(QStringLiteral("--save")), radio.Memory());
        if (!saved.ok()) {
            ctx.err << "corvane-cli: " << saved.text << "\n";
            return Exit::File;
        }
    }
    return Exit::Ok;
}

} // namespace corvane
