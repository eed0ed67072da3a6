// The frame the widget benchmarks share: each keeps its widgets in one
// World, made on first use (once the application exists) and dropped while
// the application still exists.
#pragma once

#include "app/AppState.h"
#include "image/CProgramDoc.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace corvane::bench {

template <typename World>
World &LazyWorld(std::unique_ptr<World> &slot)
{
    if (!slot)
        slot = std::make_unique<World>();
    return *slot;
}

// Points the per-user store into dir, writes iniText there as Program.ini,
// loads it with the English bundle and starts a new document.
inline void StartBenchDocument(const QTemporaryDir &dir, const QByteArray &iniText, AppState &app, CProgramDoc &doc)
{
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toUtf8());
    QFile ini(dir.filePath(QStringLiteral("Program.ini")));
    ini.open(QIODevice::WriteOnly);
    ini.write(iniText);
    ini.close();
    app.settings.LoadPath(ini.fileName(), false);
    app.ApplyLanguage("English");
    app.bundle.Load(QStringLiteral(CORVANE_BIN_DIR), QStringLiteral("English"));
    doc.OnNewDocument(app);
}

// Runs the registered benchmarks on the offscreen platform unless another
// is set, then drops the world.
template <typename World>
int RunGuiBenchmarks(int argc, char **argv, std::unique_ptr<World> &world)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    world.reset();
    return 0;
}

} // namespace corvane::bench
