// Speed of the settings store: loading a 1 MB settings file and answering
// lookups in it.
#include "settings/CProfileFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kKeysPerSection = 50;

// About 1 MB of settings: sections of 50 keys, some values with trailing
// comments, a comment line and a blank line now and then.
struct SettingsFixture {
    QTemporaryDir dir;
    QString path;
    int sections = 0;

    SettingsFixture()
    {
        QByteArray text;
        while (text.size() < (1 << 20)) {
            text += "; block " + QByteArray::number(sections) + "\r\n\r\n[Section"
                  + QByteArray::number(sections) + "]\r\n";
            for (int k = 0; k < kKeysPerSection; ++k)
                text += "Key" + QByteArray::number(k) + " = Value of key " + QByteArray::number(k)
                      + (k % 4 == 0 ? "  // remark\r\n" : "\r\n");
            ++sections;
        }
        path = dir.filePath(QStringLiteral("Program.ini"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
            path.clear();
    }
};

SettingsFixture &Fixture()
{
    static SettingsFixture fixture;
    return fixture;
}

void BM_Load1MB(benchmark::State &state)
{
    SettingsFixture &fx = Fixture();
    for (auto _ : state) {
        CProfileFile store;
        if (!store.LoadPath(fx.path, false))
            state.SkipWithError("settings file could not be read");
        benchmark::DoNotOptimize(store.IsLoaded());
    }
    state.SetBytesProcessed(state.iterations() * QFile(fx.path).size());
}
BENCHMARK(BM_Load1MB)->Unit(benchmark::kMillisecond);

// 1000 lookups spread over the whole file, in other letter case, as the
// program's own lookups of "Setup" and language keys are spelled.
void BM_GetString1000(benchmark::State &state)
{
    SettingsFixture &fx = Fixture();
    CProfileFile store;
    if (!store.LoadPath(fx.path, false)) {
        state.SkipWithError("settings file could not be read");
        return;
    }
    std::vector<std::pair<QByteArray, QByteArray>> lookups;
    for (int i = 0; i < 1000; ++i)
        lookups.emplace_back("section" + QByteArray::number(i * 7919 % fx.sections),
                             "KEY" + QByteArray::number(i % kKeysPerSection));
    for (auto _ : state) {
        for (const auto &l : lookups)
            benchmark::DoNotOptimize(store.GetString(l.first, l.second));
    }
}
BENCHMARK(BM_GetString1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
