// corvane-cli read and write: radio transfers on a serial port.
#include "cli/Commands.h"
#include "cli/TransferSession.h"
#include "image/Backups.h"
#include "image/DataFile.h"
#include "link/LinkStrings.h"
#include "link/WriteCompare.h"

#include <QDir>
#include <QFileInfo>

namespace corvane {

namespace {
constexpr std::size_t kShownDifferences = 8;

bool CheckWords(CliContext &ctx, const char *usage, const QStringList &flags)
{
    const QStringList unknown = ctx.UnknownOptions({QStringLiteral("--retries"), QStringLiteral("--log")}, flags);
    if (ctx.args.size() == 2 && unknown.isEmpty())
        return true;
    if (!unknown.isEmpty())
        ctx.err << "corvane-cli: unknown option " << unknown.first() << "\n";
    ctx.err << "usage: corvane-cli " << usage << " [--retries N] [--log FILE]\n";
    return false;
}

QString Hex(int v, int width)
{
    return QStringLiteral("0x") + QString::number(v, 16).toUpper().rightJustified(width, QLatin1Char('0'));
}

// Compares every byte a write sends; prints the first differences.
int Verify(CliContext &ctx, const MemoryImage &sent, const MemoryImage &back)
{
    const std::vector<int> differ = WriteDifferences(sent, back);
    for (std::size_t i = 0; i < differ.size() && i < kShownDifferences; ++i) {
        const int offset = differ[i];
        ctx.err << "  " << Hex(offset, 4) << ": sent " << Hex(sent[offset], 2) << ", radio has "
                << Hex(back[offset], 2) << "\n";
    }
    if (differ.empty())
        return Exit::Ok;
    ctx.err << "corvane-cli: verify failed: " << differ.size() << " bytes differ\n";
    return Exit::Interrupted;
}
} // namespace

int CmdRead(CliContext &ctx)
{
    if (!CheckWords(ctx, "read PORT OUT.dat", {}))
        return Exit::Usage;
    TransferSession session(ctx);
    if (int rc = session.Prepare())
        return rc;
    const QString out = ctx.args[1];
    // A read takes half a minute at 9600 baud: refuse a target that cannot
    // be written before starting it.
    if (!QFileInfo(out).absoluteDir().exists() || QFileInfo(out).isDir()) {
        ctx.err << "corvane-cli: cannot write " << out << "\n";
        return Exit::File;
    }
    MemoryImage image;
    const Result r = session.Run(ctx.args[0], image, false);
    if (!r.ok()) {
        session.Report(r);
        return TransferSession::ExitCode(r);
    }
    // Kept before OUT.dat is written, so the read survives a failed save;
    // a backup that cannot be stored never fails the read.
    const Result backup = Backups::Store(image);
    if (!backup.ok())
        ctx.err << "corvane-cli: " << ctx.Message(Ids::BackupFailed).arg(backup.text) << "\n";
    const Result saved = SaveImageFile(out, image);
    if (!saved.ok()) {
        ctx.err << "corvane-cli: " << saved.text << "\n";
        return Exit::File;
    }
    return Exit::Ok;
}

int CmdWrite(CliContext &ctx)
{
    if (!CheckWords(ctx, "write PORT IMAGE.dat [--verify]", {QStringLiteral("--verify")}))
        return Exit::Usage;
    TransferSession session(ctx);
    if (int rc = session.Prepare())
        return rc;
    MemoryImage image;
    const Result loaded = LoadImageFile(ctx.args[1], image);
    if (!loaded.ok()) {
        ctx.err << "corvane-cli: " << loaded.text << "\n";
        return Exit::File;
    }
    Result r = session.Run(ctx.args[0], image, true);
    MemoryImage back;
    if (r.ok() && ctx.Flag(QStringLiteral("--verify")))
        r = session.Run(ctx.args[0], back, false);
    if (!r.ok()) {
        session.Report(r);
        return TransferSession::ExitCode(r);
    }
    return ctx.Flag(QStringLiteral("--verify")) ? Verify(ctx, image, back) : Exit::Ok;
}

} // namespace corvane
