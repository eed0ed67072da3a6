// The frame the widget benchmarks share: each keeps its widgets in one
// World, made on first use (once the application exists) and dropped while
// the application still exists.
#pragma once

#include <QApplication>
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
