// Speed of printing a full image (200 channels, 30 pages): the page model,
// the PDF written in process, `corvane-cli print` as a whole process (goal
// under 300 ms) and opening the print preview with every page painted
// (goal under 500 ms).
#include "image/ImagePasses.h"
#include "image/DataFile.h"
#include "print/PagePainter.h"
#include "print/PdfExport.h"

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>

using namespace corvane;

namespace {

ChannelTable FullTable()
{
    ChannelTable table;
    for (int r = 1; r <= kChannelCount; ++r) {
        const QString f = QString::asprintf("%.5f", 136.0 + 0.0125 * r);
        const QStringList row = {f, f, "88.5", "D023N", "High", "Lock", "Yes", "CH" + QString::number(r)};
        for (int c = 1; c <= 8; ++c)
            table.cell(r, c) = row[c - 1];
    }
    return table;
}

PrintPageModel FullModel() { return PrintPageModel(FullTable(), MemoryImage::newImage(), false, "Bench Owner"); }

void BM_PageModelAllPages(benchmark::State &state)
{
    const PrintMetrics metrics{10772, 15704, 400, 320};
    for (auto _ : state) {
        const PrintPageModel model = FullModel();
        for (int p = 1; p <= model.PageCount(); ++p)
            benchmark::DoNotOptimize(model.Page(p, metrics));
    }
}
BENCHMARK(BM_PageModelAllPages)->Unit(benchmark::kMillisecond);

void BM_WritePdfInProcess(benchmark::State &state)
{
    QTemporaryDir dir;
    const PrintPageModel model = FullModel();
    for (auto _ : state)
        WritePdf(dir.filePath("out.pdf"), model, DefaultPageLayout(), "bench");
}
BENCHMARK(BM_WritePdfInProcess)->Unit(benchmark::kMillisecond);

// The whole command: process start, settings, bundle, fonts, 30 pages, rename.
void BM_CliPrintProcess(benchmark::State &state)
{
    QTemporaryDir dir;
    MemoryImage image = MemoryImage::newImage();
    CommitToImage(FullTable(), image);
    const QString dat = dir.filePath("full.dat");
    SaveImageFile(dat, image);
    for (auto _ : state) {
        QProcess p;
        p.start(QStringLiteral(CORVANE_BIN_DIR "/corvane-cli"), {"print", dat, "--pdf", dir.filePath("out.pdf")});
        p.waitForFinished(60000);
        if (p.exitCode() != 0)
            state.SkipWithError("corvane-cli print failed");
    }
}
BENCHMARK(BM_CliPrintProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

// From the command to a shown preview whose 30 pages are painted.
void BM_PreviewOpen(benchmark::State &state)
{
    QPrinter printer;
    for (auto _ : state) {
        const PrintPageModel model = FullModel();
        QPrintPreviewDialog dlg(&printer);
        QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg,
                         [&](QPrinter *p) { PagePainter::Paint(*p, model); });
        dlg.resize(1200, 900);
        dlg.show();
        QApplication::processEvents();
        dlg.close();
    }
}
BENCHMARK(BM_PreviewOpen)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {}); // platform chatter
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
