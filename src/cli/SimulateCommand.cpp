// corvane-cli simulate: virtual radios on pseudo-terminals, for trying the
// program without a radio and for the end-to-end tests. With --count N
// there are N radios, each with its own line, memory and faults, each
// served on its own thread.
#include "cli/CancelSignal.h"
#include "cli/Commands.h"
#include "image/DataFile.h"
#include "link/PtyEndpoint.h"
#include "link/RadioSimulator.h"
#include "link/VirtualRadio.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <memory>
#include <thread>
#include <vector>

namespace corvane {

namespace {
const QString kFault = QStringLiteral("--fault");
constexpr int kMaxRadios = 64;

struct Radio {
    RadioFaults faults;
    PtyEndpoint pty;
    std::unique_ptr<VirtualRadio> radio;
};

// Every --fault value, in order: "FAULT" for every radio, "N:FAULT" for
// radio N (from 1) only.
bool ParseFaults(CliContext &ctx, std::vector<Radio> &radios)
{
    static const QRegularExpression numbered(QStringLiteral("^(\\d+):(.*)$"));
    for (int i = 0; i < ctx.options.size(); ++i) {
        if (ctx.options[i] != kFault)
            continue;
        QString error = QStringLiteral("--fault needs a value");
        bool ok = i + 1 < ctx.options.size();
        if (ok) {
            QString fault = ctx.options[++i];
            int first = 0, last = static_cast<int>(radios.size()) - 1;
            const QRegularExpressionMatch m = numbered.match(fault);
            if (m.hasMatch()) {
                first = last = m.captured(1).toInt() - 1;
                fault = m.captured(2);
                error = QStringLiteral("--fault %1: there is no radio %2").arg(ctx.options[i], m.captured(1));
                ok = first >= 0 && first < static_cast<int>(radios.size());
            }
            for (int r = first; ok && r <= last; ++r)
                ok = radios[static_cast<std::size_t>(r)].faults.Parse(fault, &error);
        }
        if (!ok) {
            ctx.err << "corvane-cli: " << error << "\n";
            return false;
        }
    }
    return true;
}

bool ParseNumber(CliContext &ctx, const QString &option, int low, int high, int &value)
{
    if (!ctx.Flag(option))
        return true;
    bool ok = false;
    value = ctx.Option(option).toInt(&ok);
    if (ok && value >= low && value <= high)
        return true;
    ctx.err << "corvane-cli: " << option << " takes a number from " << low << " to " << high << "\n";
    return false;
}

// radio.dat for one radio; radio-1.dat, radio-2.dat ... for several.
QString SavePath(const QString &path, int index, int count)
{
    if (count == 1)
        return path;
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    return info.dir().filePath(info.completeBaseName() + QLatin1Char('-') + QString::number(index + 1) + suffix);
}

int Usage(CliContext &ctx, const QStringList &unknown)
{
    if (!unknown.isEmpty())
        ctx.err << "corvane-cli: unknown option " << unknown.first() << "\n";
    ctx.err << "usage: corvane-cli simulate [--count N] [--image FILE] [--baud N] [--save FILE] "
               "[--fault [N:]FAULT]...\n";
    return Exit::Usage;
}

int SaveAll(CliContext &ctx, const std::vector<Radio> &radios)
{
    const int count = static_cast<int>(radios.size());
    for (int i = 0; i < count; ++i) {
        const Result saved = SaveImageFile(SavePath(ctx.Option(QStringLiteral("--save")), i, count),
                                           radios[static_cast<std::size_t>(i)].radio->Memory());
        if (!saved.ok()) {
            ctx.err << "corvane-cli: " << saved.text << "\n";
            return Exit::File;
        }
    }
    return Exit::Ok;
}
} // namespace

int CmdSimulate(CliContext &ctx)
{
    const QStringList valued{QStringLiteral("--image"), QStringLiteral("--baud"), QStringLiteral("--save"),
                             QStringLiteral("--count"), kFault};
    const QStringList unknown = ctx.UnknownOptions(valued, {});
    int baud = 0, count = 1;
    if (!ctx.args.isEmpty() || !unknown.isEmpty() || !ParseNumber(ctx, QStringLiteral("--count"), 1, kMaxRadios, count))
        return Usage(ctx, unknown);
    std::vector<Radio> radios(static_cast<std::size_t>(count));
    if (!ParseFaults(ctx, radios) || !ParseNumber(ctx, QStringLiteral("--baud"), 50, 4000000, baud))
        return Usage(ctx, unknown);
    MemoryImage memory = MemoryImage::newImage();
    if (ctx.Flag(QStringLiteral("--image"))) {
        const Result loaded = LoadImageFile(ctx.Option(QStringLiteral("--image")), memory);
        if (!loaded.ok()) {
            ctx.err << "corvane-cli: " << loaded.text << "\n";
            return Exit::File;
        }
    }
    for (Radio &r : radios) {
        if (!r.pty.Open()) {
            ctx.err << "corvane-cli: cannot open a pseudo-terminal: " << r.pty.error() << "\n";
            return Exit::Port;
        }
        r.radio = std::make_unique<VirtualRadio>(memory, r.faults);
    }
    const std::atomic<bool> &stop = CancelSignal::Install();
    for (const Radio &r : radios)
        ctx.out << r.pty.SlavePath() << "\n";
    ctx.out.flush();
    ctx.err << (count == 1 ? QStringLiteral("virtual radio on ") + radios[0].pty.SlavePath()
                           : QStringLiteral("%1 virtual radios").arg(count))
            << (baud ? QStringLiteral(" at %1 baud").arg(baud) : QString()) << "; Ctrl+C ends "
            << (count == 1 ? "it" : "them") << "\n";
    ctx.err.flush();

    std::vector<std::thread> lines;
    for (Radio &r : radios)
        lines.emplace_back([&r, &stop, baud] { RadioSimulator(*r.radio, r.pty, baud).Run(stop); });
    for (std::thread &t : lines)
        t.join();
    for (std::size_t i = 0; i < radios.size(); ++i) {
        const VirtualRadio &radio = *radios[i].radio;
        ctx.err << "virtual radio " << (count == 1 ? QString() : QStringLiteral("%1 ").arg(i + 1)) << "stopped"
                << (radio.HungUp() ? " (hung up)" : "") << ": " << radio.BlocksRead() << " blocks read, "
                << radio.BlocksWritten() << " blocks written\n";
    }
    return ctx.Flag(QStringLiteral("--save")) ? SaveAll(ctx, radios) : Exit::Ok;
}

} // namespace corvane
