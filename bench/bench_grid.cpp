// Speed of the channel grid: filling it from a full 200-channel image (goal
// under 20 ms) and committing one edited cell (goal under 1 ms).
#include "GuiBench.h"
#include "app/AppState.h"
#include "editor/CProgramView.h"
#include "image/CProgramDoc.h"
#include "image/ImagePasses.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The settings the benchmark runs with.
constexpr char kSettings[] = "[Setup]\r\nLanguage=English\r\nAppName=CorvaneBench\r\nField1=130-160MHz\r\n"
    "[English]\r\nAppName=Bench\r\n";

// Settings, per-user store and bundle in a temporary folder; a shown view
// over a document whose 200 channels are all in use.
struct World {
    QTemporaryDir dir;
    AppState app;
    CProgramDoc doc;
    corvane::MemoryImage full[2];
    std::unique_ptr<CProgramView> view;

    World()
    {
        corvane::bench::StartBenchDocument(dir, kSettings, app, doc);
        app.newDocument = false;
        for (int v = 0; v < 2; ++v) {
            corvane::ChannelTable table;
            for (int r = 1; r <= corvane::kChannelCount; ++r) {
                const QString f = QString::asprintf("%.5f", 136.0 + 0.0125 * (r + v));
                const QStringList row = {f, f, "88.5", "D023N", v ? "Low" : "High", "Lock", "Yes", "CH" + QString::number(r % 1000)};
                for (int c = 1; c <= 8; ++c)
                    table.cell(r, c) = row[c - 1];
            }
            full[v] = doc.m_image;
            corvane::CommitToImage(table, full[v]);
        }
        doc.m_image = full[0];
        view = std::make_unique<CProgramView>(doc, app);
        view->resize(1000, 700);
        view->show();
        view->OnInitialUpdate();
        QApplication::processEvents();
    }
};

std::unique_ptr<World> g_world; // goes before the application object

World &TheWorld() { return corvane::bench::LazyWorld(g_world); }

// The whole refresh as a completed read runs it: decode, per-user store,
// band limits, caption, and every cell of the grid (the two images differ
// in every row, so no cell keeps its text).
void BM_FillGridFromFullImage(benchmark::State &state)
{
    World &w = TheWorld();
    int i = 0;
    for (auto _ : state) {
        w.doc.m_image = w.full[++i % 2];
        w.view->RefreshFromImage();
    }
    benchmark::DoNotOptimize(w.view->Grid().TextMatrix(200, 8));
}
BENCHMARK(BM_FillGridFromFullImage)->Unit(benchmark::kMillisecond);

// The fill without the per-user store: a new document's refresh only reads
// the store (the completed read above writes "Type" and "Field" each time).
void BM_FillGridNewDocument(benchmark::State &state)
{
    World &w = TheWorld();
    w.app.newDocument = true;
    int i = 0;
    for (auto _ : state) {
        w.doc.m_image = w.full[++i % 2];
        w.view->RefreshFromImage();
    }
    w.app.newDocument = false;
}
BENCHMARK(BM_FillGridNewDocument)->Unit(benchmark::kMillisecond);

// The grid's share of a fill: 1600 cell texts written, every one changed.
void BM_GridCellWrites(benchmark::State &state)
{
    World &w = TheWorld();
    CMSFlexGrid &grid = w.view->Grid();
    corvane::ChannelTable tables[2];
    corvane::DecodeChannels(w.full[0], tables[0], false);
    corvane::DecodeChannels(w.full[1], tables[1], false);
    int i = 0;
    for (auto _ : state) {
        const corvane::ChannelTable &t = tables[++i % 2];
        for (int r = 1; r <= corvane::kChannelCount; ++r)
            for (int c = 1; c <= 8; ++c)
                grid.SetTextMatrix(r, c, t.cell(r, c));
    }
}
BENCHMARK(BM_GridCellWrites)->Unit(benchmark::kMillisecond);

// The same, followed by the repaint the user sees.
void BM_FillGridAndPaint(benchmark::State &state)
{
    World &w = TheWorld();
    int i = 0;
    for (auto _ : state) {
        w.doc.m_image = w.full[++i % 2];
        w.view->RefreshFromImage();
        w.view->Grid().viewport()->repaint();
    }
}
BENCHMARK(BM_FillGridAndPaint)->Unit(benchmark::kMillisecond);

// One commit: a changed receive frequency of an existing channel, with the
// editor open over the cell.
void BM_CommitOneCell(benchmark::State &state)
{
    World &w = TheWorld();
    CMSFlexGrid &grid = w.view->Grid();
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        grid.SetRowCol(2 + i % 2, 1); // opens the receive editor
        w.view->EditRx().setText(++i % 2 ? "145.0125" : "146.00625");
        state.ResumeTiming();
        benchmark::DoNotOptimize(w.view->OnLeaveCell());
    }
}
BENCHMARK(BM_CommitOneCell)->Unit(benchmark::kMicrosecond);

// Enter in an open receive editor: commit, move to the next column and
// open its editor.
void BM_EnterKeyCommitAndMove(benchmark::State &state)
{
    World &w = TheWorld();
    CMSFlexGrid &grid = w.view->Grid();
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        grid.SetRowCol(4 + i % 2, 1);
        w.view->EditRx().setText(++i % 2 ? "145.0125" : "146.00625");
        state.ResumeTiming();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(&w.view->EditRx(), &enter);
    }
}
BENCHMARK(BM_EnterKeyCommitAndMove)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) { return corvane::bench::RunGuiBenchmarks(argc, argv, g_world); }
