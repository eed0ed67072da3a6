// Speed of moving a whole channel plan in: a 200-row CSV in either layout
// imported (goal under 50 ms each), and one undo of such an import in the
// desktop program (goal under 50 ms).
#include "GuiBench.h"
#include "app/AppState.h"
#include "editor/CProgramView.h"
#include "image/CProgramDoc.h"
#include "image/Codecs.h"
#include "image/CommonCsv.h"
#include "image/CsvImport.h"
#include "image/ImagePasses.h"
#include "image/Texts.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The settings the benchmark runs with.
constexpr char kSettings[] = "[Setup]\r\nLanguage=English\r\nAppName=CorvaneBench\r\nField1=130-160MHz\r\n"
    "[English]\r\nAppName=Bench\r\n";

// Settings, per-user store and bundle in a temporary folder; a shown view
// over a new document; both CSV texts of a full 200-channel plan that
// differs from the document in every row.
struct World {
    QTemporaryDir dir;
    AppState app;
    CProgramDoc doc;
    std::unique_ptr<CProgramView> view;
    QString tableCsv, commonCsv;
    QList<corvane::CsvRecord> tableRecords;

    World()
    {
        corvane::bench::StartBenchDocument(dir, kSettings, app, doc);
        corvane::ChannelTable plan;
        const QStringList &tones = corvane::ToneList(false);
        for (int r = 1; r <= corvane::kChannelCount; ++r) {
            const QString rx = corvane::FrequencyText(14400000 + 1250 * r);
            const QString tx = corvane::FrequencyText(14400000 + 1250 * r + (r % 3 - 1) * 60000);
            const QStringList row = {rx, tx, tones[r % 261], tones[(r * 7) % 261], corvane::PowerItems(false)[r % 3],
                                     corvane::LockItems(false)[r % 2], corvane::ScanItems(false)[r % 2],
                                     QStringLiteral("CH%1").arg(r)};
            for (int c = 1; c <= 8; ++c)
                plan.cell(r, c) = row[c - 1];
        }
        tableCsv = corvane::ChannelTableCsv(plan, false);
        commonCsv = corvane::ChannelTableCommonCsv(plan);
        QString error;
        corvane::ParseCsv(tableCsv, tableRecords, error);
        view = std::make_unique<CProgramView>(doc, app);
        view->resize(1000, 700);
        view->show();
        view->OnInitialUpdate();
        QApplication::processEvents();
    }
};

std::unique_ptr<World> g_world; // goes before the application object

World &TheWorld() { return corvane::bench::LazyWorld(g_world); }

// What `corvane-cli import` does between reading the file and saving:
// parse, decode the image, every row through the commit rules, encode.
void ImportText(benchmark::State &state, const QString &text)
{
    World &w = TheWorld();
    for (auto _ : state) {
        corvane::MemoryImage image = w.doc.m_image;
        const QStringList problems = corvane::ImportCsvText(text, image, w.app);
        if (!problems.isEmpty())
            state.SkipWithError("import refused");
        benchmark::DoNotOptimize(image);
    }
}

void BM_ImportTableLayout200(benchmark::State &state) { ImportText(state, TheWorld().tableCsv); }
BENCHMARK(BM_ImportTableLayout200)->Unit(benchmark::kMillisecond);

void BM_ImportCommonLayout200(benchmark::State &state) { ImportText(state, TheWorld().commonCsv); }
BENCHMARK(BM_ImportCommonLayout200)->Unit(benchmark::kMillisecond);

// The desktop program's import after the file is read: rows into a copy of
// the view's table, then one undo step that puts all 200 rows into the
// table, the image and the grid.
void BM_DesktopImportStep200(benchmark::State &state)
{
    World &w = TheWorld();
    QList<int> all;
    for (int r = 1; r <= corvane::kChannelCount; ++r)
        all << r;
    for (auto _ : state) {
        corvane::ChannelTable table = w.view->Table();
        corvane::ImportIntoTable(w.tableRecords, table, w.view->Band(), w.app);
        w.view->History().ApplyRows(table, w.doc.m_image, all);
        state.PauseTiming();
        w.view->History().Undo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DesktopImportStep200)->Unit(benchmark::kMillisecond);

// One undo of that import (and, untimed, its redo).
void BM_UndoImport200(benchmark::State &state)
{
    World &w = TheWorld();
    QList<int> all;
    for (int r = 1; r <= corvane::kChannelCount; ++r)
        all << r;
    corvane::ChannelTable table = w.view->Table();
    corvane::ImportIntoTable(w.tableRecords, table, w.view->Band(), w.app);
    w.view->History().ApplyRows(table, w.doc.m_image, all);
    for (auto _ : state) {
        w.view->History().Undo();
        state.PauseTiming();
        w.view->History().Redo();
        state.ResumeTiming();
    }
    w.view->History().Undo();
}
BENCHMARK(BM_UndoImport200)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return corvane::bench::RunGuiBenchmarks(argc, argv, g_world); }
