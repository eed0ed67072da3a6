// Commands on image files: new, show, import (options: OptionsCommand.cpp).
#include "cli/Commands.h"
#include "image/ChannelChanges.h"
#include "image/CommonCsv.h"
#include "image/CsvFile.h"
#include "image/CsvImport.h"
#include "image/CProgramDoc.h"
#include "image/DataFile.h"
#include "image/ImagePasses.h"
#include "image/Texts.h"

#include <QFileInfo>

namespace corvane {

namespace {

// valued: options that take a value; flags: options that stand alone.
bool WantArgs(CliContext &ctx, int n, const char *usage, const QStringList &valued = {},
              const QStringList &flags = {})
{
    const QStringList unknown = ctx.UnknownOptions(valued, flags);
    if (ctx.args.size() == n && unknown.isEmpty())
        return true;
    if (!unknown.isEmpty())
        ctx.err << "corvane-cli: unknown option " << unknown.first() << "\n";
    ctx.err << "usage: corvane-cli " << usage << "\n";
    return false;
}

int FileFailure(CliContext &ctx, const Result &r)
{
    ctx.err << "corvane-cli: " << r.text << "\n";
    return Exit::File;
}

// Loads the image named by the first argument; the exit status on failure.
int LoadFirstArgument(CliContext &ctx, MemoryImage &image)
{
    const Result r = LoadImageFile(ctx.args[0], image);
    return r.ok() ? Exit::Ok : FileFailure(ctx, r);
}

} // namespace

int CmdNew(CliContext &ctx)
{
    if (!WantArgs(ctx, 1, "new OUT.dat [--force]", {}, {QStringLiteral("--force")}))
        return Exit::Usage;
    if (QFileInfo::exists(ctx.args[0]) && !ctx.Flag(QStringLiteral("--force"))) {
        ctx.err << "corvane-cli: " << ctx.args[0] << " already exists; give --force to replace it\n";
        return Exit::File;
    }
    CProgramDoc doc;
    doc.OnNewDocument(ctx.app);
    ChannelTable table;
    RefreshFromImage(doc.m_image, table, ctx.app);
    CommitToImage(table, doc.m_image);
    const Result r = doc.Save(ctx.args[0]);
    return r.ok() ? Exit::Ok : FileFailure(ctx, r);
}

int CmdShow(CliContext &ctx)
{
    static const char usage[] = "show IMAGE.dat [--format table|common]";
    const QString format = ctx.Option(QStringLiteral("--format"), QStringLiteral("table"));
    if (!WantArgs(ctx, 1, usage, {QStringLiteral("--format")}))
        return Exit::Usage;
    if (format != QLatin1String("table") && format != QLatin1String("common")) {
        ctx.err << "corvane-cli: --format takes table or common\nusage: corvane-cli " << usage << "\n";
        return Exit::Usage;
    }
    MemoryImage image;
    if (int rc = LoadFirstArgument(ctx, image))
        return rc;
    ChannelTable table;
    DecodeChannels(image, table, ctx.app.chinese);
    ctx.out.setEncoding(QStringConverter::Utf8);
    ctx.out << (format == QLatin1String("common") ? ChannelTableCommonCsv(table) : ChannelTableCsv(table, ctx.app.chinese));
    return Exit::Ok;
}

int CmdImport(CliContext &ctx)
{
    if (!WantArgs(ctx, 2, "import IMAGE.dat IN.csv [--quiet]", {}, {QStringLiteral("--quiet")}))
        return Exit::Usage;
    const QString imagePath = ctx.args[0], csvPath = ctx.args[1];
    MemoryImage image;
    if (int rc = LoadFirstArgument(ctx, image))
        return rc;
    QList<CsvRecord> records;
    const Result read = ReadCsvFile(csvPath, records);
    if (read.status == Status::FileError)
        return FileFailure(ctx, read);
    if (!read.ok()) {
        ctx.err << "corvane-cli: " << read.text << "\n";
        return Exit::Rejected;
    }
    const MemoryImage before = image;
    const QStringList problems = ImportChannels(records, image, ctx.app);
    if (!problems.isEmpty()) {
        for (const QString &p : problems)
            ctx.err << p << "\n";
        return Exit::Rejected;
    }
    const Result r = SaveImageFile(imagePath, image);
    if (!r.ok())
        return FileFailure(ctx, r);
    if (!ctx.Flag(QStringLiteral("--quiet"))) {
        const ChannelChanges c = CompareChannels(before, image);
        ctx.out << "imported " << csvPath << ": " << c.added << " added, " << c.changed << " changed, "
                << c.erased << " erased\n";
    }
    return Exit::Ok;
}

} // namespace corvane
