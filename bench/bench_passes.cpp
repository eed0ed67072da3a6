// Decode and encode passes over a full 200-channel image, and
// `corvane-cli show` as a whole process.
#include "app/AppState.h"
#include "image/ImagePasses.h"
#include "image/MemoryImage.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace corvane;

namespace {

MemoryImage FullImage()
{
    MemoryImage img = MemoryImage::newImage();
    const uint8_t rec[16] = {0x25, 0x06, 0x60, 0x44, 0x25, 0x06, 0x60, 0x44,
                             0x23, 0x80, 0x85, 0x08, 0xEF, 0x11, 0x22, 0x33};
    const uint8_t name[8] = {0x0A, 0x0B, 0x0C, 0x24, 0x01, 0x26, 0xFF, 0xFF};
    for (int n = 0; n < kChannelCount; ++n) {
        std::copy(rec, rec + 16, img.record(n));
        std::copy(name, name + 8, img.nameSlot(n));
    }
    return img;
}

void BM_DecodeChannels(benchmark::State &state)
{
    const MemoryImage img = FullImage();
    ChannelTable table;
    for (auto _ : state) {
        DecodeChannels(img, table, false);
        benchmark::DoNotOptimize(table.cell(200, ColName));
    }
}
BENCHMARK(BM_DecodeChannels)->Unit(benchmark::kMicrosecond);

void BM_CommitToImage(benchmark::State &state)
{
    MemoryImage img = FullImage();
    ChannelTable table;
    DecodeChannels(img, table, false);
    for (auto _ : state) {
        CommitToImage(table, img);
        benchmark::DoNotOptimize(img.data());
    }
}
BENCHMARK(BM_CommitToImage)->Unit(benchmark::kMicrosecond);

void BM_CliShowProcess(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString cli = QStringLiteral(CORVANE_BIN_DIR "/corvane-cli");
    const QString path = dir.filePath("full.dat");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    const MemoryImage img = FullImage();
    f.write(reinterpret_cast<const char *>(img.data()), kImageSize);
    f.close();
    for (auto _ : state) {
        QProcess p;
        p.start(cli, {"show", path});
        p.waitForFinished();
        if (p.exitCode() != 0)
            state.SkipWithError("corvane-cli show failed");
        benchmark::DoNotOptimize(p.readAllStandardOutput());
    }
}
BENCHMARK(BM_CliShowProcess)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
