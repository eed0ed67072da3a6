// corvane-cli fleet: one job on several radios at once, one port each.
#include "cli/CancelSignal.h"
#include "cli/Commands.h"
#include "cli/FleetProgress.h"
#include "image/DataFile.h"
#include "link/FleetPorts.h"
#include "link/FleetReport.h"
#include "link/FleetRunner.h"
#include "link/PortNames.h"
#include "link/QtSerialPort.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <unistd.h>

namespace corvane {

namespace {
const QString kVerify = QStringLiteral("--verify");
const QString kReport = QStringLiteral("--report");
const QString kRetries = QStringLiteral("--retries");
constexpr int kCancelPollMs = 50;

struct FleetArgs {
    FleetOrder order;
    QString image;
    std::vector<FleetTarget> targets;
    QStringList outputs; // read: one file per port
};

int Usage(CliContext &ctx, const QString &why)
{
    if (!why.isEmpty())
        ctx.err << "corvane-cli: " << why << "\n";
    ctx.err << "usage: corvane-cli fleet write|verify|read IMAGE.dat PORT PORT ... [--verify] [--report FILE.csv] "
               "[--retries N]\n";
    return Exit::Usage;
}

bool Writable(const QString &path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.absoluteDir().exists() && !info.isDir();
}

// The job, the ports and the options; 0 when they make sense.
int ParseFleet(CliContext &ctx, FleetArgs &a)
{
    const QStringList unknown = ctx.UnknownOptions({kReport, kRetries}, {kVerify});
    if (!unknown.isEmpty())
        return Usage(ctx, QStringLiteral("unknown option %1").arg(unknown.first()));
    const QString job = ctx.args.value(0);
    if (ctx.args.size() < 3 || (job != "write" && job != "verify" && job != "read"))
        return Usage(ctx, QString());
    if (ctx.Flag(kVerify) && job != "write")
        return Usage(ctx, QStringLiteral("--verify goes with fleet write"));
    a.order.job = job == "read"     ? FleetJob::Read
                 : job == "verify" ? FleetJob::Verify
                 : ctx.Flag(kVerify) ? FleetJob::WriteVerify
                                     : FleetJob::Write;
    if (ctx.Flag(kRetries)) {
        bool ok = false;
        a.order.retryRounds = ctx.Option(kRetries).toInt(&ok);
        if (!ok || a.order.retryRounds < 0)
            return Usage(ctx, QStringLiteral("--retries takes a number of 0 or more"));
    }
    a.image = ctx.args[1];
    const QStringList ports = ctx.args.mid(2);
    const bool anyCom = std::any_of(ports.begin(), ports.end(), [](const QString &p) { return ComNumber(p) > 0; });
    const Result resolved = ResolveFleetTargets(ports, &ctx.app.settings,
                                                anyCom ? QtSerialPort::SystemDevices() : QStringList(), a.targets);
    return resolved.ok() ? Exit::Ok : Usage(ctx, resolved.text);
}

// A read writes IMAGE-<port>.dat beside IMAGE.dat; none of them may exist
// yet, as nobody chose to replace them.
int PrepareOutputs(CliContext &ctx, FleetArgs &a)
{
    const QFileInfo base(a.image);
    for (const FleetTarget &t : a.targets) {
        const QString out = base.dir().filePath(base.completeBaseName() + QLatin1Char('-') + PortFileTag(t.name)
                                                + QStringLiteral(".dat"));
        if (a.outputs.contains(out)) {
            ctx.err << "corvane-cli: two ports would both be saved as " << out << "\n";
            return Exit::Usage;
        }
        if (!Writable(out) || QFileInfo::exists(out)) {
            ctx.err << "corvane-cli: " << out << (QFileInfo::exists(out) ? " exists already" : " cannot be written")
                    << "; nothing was read\n";
            return Exit::File;
        }
        a.outputs << out;
    }
    return Exit::Ok;
}

std::vector<FleetPortResult> RunFleet(const FleetArgs &a, const MemoryImage &image, bool chinese)
{
    FleetRunner runner([](const FleetTarget &) { return std::make_unique<QtSerialPort>(); });
    FleetProgress progress(a.targets, ::isatty(STDERR_FILENO) == 1);
    QEventLoop loop;
    QObject::connect(&runner, &FleetRunner::portProgress, &loop,
                     [&](int i, FleetPhase phase, int done, int total) { progress.Update(i, phase, done, total); });
    QObject::connect(&runner, &FleetRunner::portFinished, &loop, [&](int i) {
        progress.Finished(i, FleetReport::ResultText(runner.Results()[std::size_t(i)], chinese));
    });
    QObject::connect(&runner, &FleetRunner::finished, &loop, &QEventLoop::quit);
    QTimer cancelPoll;
    QObject::connect(&cancelPoll, &QTimer::timeout, &runner, [&] {
        if (CancelSignal::Raised())
            runner.Cancel();
    });
    cancelPoll.start(kCancelPollMs);
    if (runner.Start(a.targets, image, a.order))
        loop.exec();
    progress.Finish();
    return runner.Results();
}

int ExitStatus(FleetSummary summary)
{
    switch (summary) {
    case FleetSummary::AllOk: return Exit::Ok;
    case FleetSummary::NoneOpened: return Exit::Port;
    case FleetSummary::Cancelled: return Exit::Cancelled;
    case FleetSummary::Failed: break;
    }
    return Exit::Interrupted;
}
} // namespace

int CmdFleet(CliContext &ctx)
{
    FleetArgs a;
    if (int rc = ParseFleet(ctx, a))
        return rc;
    const QString report = ctx.Option(kReport);
    if (ctx.Flag(kReport) && !Writable(report)) {
        ctx.err << "corvane-cli: cannot write report file " << report << "\n";
        return Exit::File;
    }
    MemoryImage image;
    if (a.order.job == FleetJob::Read) {
        if (int rc = PrepareOutputs(ctx, a))
            return rc;
    } else if (const Result loaded = LoadImageFile(a.image, image); !loaded.ok()) {
        ctx.err << "corvane-cli: " << loaded.text << "\n";
        return Exit::File;
    }
    CancelSignal::Install();
    const std::vector<FleetPortResult> results = RunFleet(a, image, ctx.app.chinese);

    int status = ExitStatus(FleetReport::Summarize(results));
    for (std::size_t i = 0; i < results.size() && a.order.job == FleetJob::Read; ++i) {
        if (!results[i].ok())
            continue;
        const Result saved = SaveImageFile(a.outputs[int(i)], results[i].image);
        if (!saved.ok()) {
            ctx.err << "corvane-cli: " << saved.text << "\n";
            status = Exit::File;
        }
    }
    ctx.out << FleetReport::Table(results, ctx.app.chinese);
    ctx.out.flush();
    if (const QString note = FleetReport::PartialWriteNote(results, ctx.app.chinese); !note.isEmpty())
        ctx.err << "corvane-cli: " << note << "\n";
    if (ctx.Flag(kReport)) {
        const Result saved = FleetReport::SaveCsv(report, results, ctx.app.chinese);
        if (!saved.ok()) {
            ctx.err << "corvane-cli: " << saved.text << "\n";
            status = status == Exit::Ok ? Exit::File : status;
        }
    }
    return status;
}

} // namespace corvane
