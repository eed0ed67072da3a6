// corvane-cli print: the printed listing of an image as a PDF file, the
// same pages the desktop program prints. The grid's texts are the decoded
// channel records, as a freshly opened file shows them.
#include "cli/Commands.h"
#include "image/DataFile.h"
#include "image/ImagePasses.h"
#include "print/PdfExport.h"
#include "print/PrintPageModel.h"

#include <QFileInfo>

namespace corvane {

int CmdPrint(CliContext &ctx)
{
    const QString pdf = ctx.Option(QStringLiteral("--pdf"));
    const QStringList unknown = ctx.UnknownOptions({QStringLiteral("--pdf")}, {});
    if (ctx.args.size() != 1 || pdf.isEmpty() || !unknown.isEmpty()) {
        if (!unknown.isEmpty())
            ctx.err << "corvane-cli: unknown option " << unknown.first() << "\n";
        ctx.err << "usage: corvane-cli print IMAGE.dat --pdf OUT.pdf\n";
        return Exit::Usage;
    }
    MemoryImage image;
    Result r = LoadImageFile(ctx.args[0], image);
    if (r.ok()) {
        ChannelTable table;
        DecodeChannels(image, table, ctx.app.chinese);
        const PrintPageModel model(table, image, ctx.app.chinese, ctx.app.LanguageText("Copyrights Owner"));
        r = WritePdf(pdf, model, DefaultPageLayout(), QFileInfo(ctx.args[0]).fileName());
    }
    if (!r.ok()) {
        ctx.err << "corvane-cli: " << r.text << "\n";
        return Exit::File;
    }
    return Exit::Ok;
}

} // namespace corvane
