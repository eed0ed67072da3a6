// Opening the two option dialogs (goal: under 50 ms each). "Open" is what
// the Edit menu does with the dialog the main window built at start-up:
// read the image (and the settings and per-user store), show the window
// and paint it. "BuildAndOpen" adds building the dialog from its template,
// the cost the main window pays once.
#include "GuiBench.h"
#include "app/AppState.h"
#include "dialogs/COptionalFeaturesDlg.h"
#include "dialogs/CProductInfoDlg.h"
#include "image/CProgramDoc.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The settings the benchmark runs with.
constexpr char kSettings[] = "[Setup]\r\nLanguage=English\r\nAppName=CorvaneBench\r\nType1=CV-100\r\n"
    "Field1=136-174MHz|400-470MHz\r\nType2=CV-200\r\nField2=400-470MHz\r\n"
    "[English]\r\nAppName=Bench\r\n";

struct World {
    QTemporaryDir dir;
    AppState app;
    CProgramDoc doc;

    World()
    {
        corvane::bench::StartBenchDocument(dir, kSettings, app, doc);
    }
};

std::unique_ptr<World> g_world; // goes before the application object

World &TheWorld() { return corvane::bench::LazyWorld(g_world); }

template <class Dialog, class Init> void OpenAndClose(Dialog &dlg, Init init)
{
    init(dlg);
    dlg.show();
    dlg.repaint();
    QApplication::processEvents();
    dlg.reject();
}

void InitOptions(COptionalFeaturesDlg &d) { d.OnInitDialog(TheWorld().doc); }
void InitProduct(CProductInfoDlg &d) { d.OnInitDialog(TheWorld().doc, nullptr); }

void BM_OpenOptionalFeatures(benchmark::State &state)
{
    COptionalFeaturesDlg dlg(TheWorld().app);
    OpenAndClose(dlg, InitOptions);
    for (auto _ : state)
        OpenAndClose(dlg, InitOptions);
}
BENCHMARK(BM_OpenOptionalFeatures)->Unit(benchmark::kMillisecond);

void BM_OpenProductInfo(benchmark::State &state)
{
    CProductInfoDlg dlg(TheWorld().app);
    OpenAndClose(dlg, InitProduct);
    for (auto _ : state)
        OpenAndClose(dlg, InitProduct);
}
BENCHMARK(BM_OpenProductInfo)->Unit(benchmark::kMillisecond);

void BM_BuildAndOpenOptionalFeatures(benchmark::State &state)
{
    for (auto _ : state) {
        COptionalFeaturesDlg dlg(TheWorld().app);
        OpenAndClose(dlg, InitOptions);
    }
}
BENCHMARK(BM_BuildAndOpenOptionalFeatures)->Unit(benchmark::kMillisecond);

void BM_BuildAndOpenProductInfo(benchmark::State &state)
{
    for (auto _ : state) {
        CProductInfoDlg dlg(TheWorld().app);
        OpenAndClose(dlg, InitProduct);
    }
}
BENCHMARK(BM_BuildAndOpenProductInfo)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return corvane::bench::RunGuiBenchmarks(argc, argv, g_world); }
