// Whole radio transfers through the real port against the virtual radio
// (`corvane-cli simulate`) on a pseudo-terminal.
//
// Unpaced: the time per block beyond the pauses the protocol requires is
// the program's overhead (goal: under 1 ms per block, a full read or write
// under 1 s apart from those pauses).
// Paced (--baud 9600): the ratio of the elapsed time to the time the bytes
// need on a 9600-baud wire plus the protocol's own pauses (goal: at most
// 1.05).
#include "image/MemoryImage.h"
#include "link/Protocol.h"
#include "link/QtSerialPort.h"
#include "link/SystemClock.h"
#include "link/TransferEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

using namespace corvane;

namespace {

// Counts the bytes that cross the line.
class CountingPort : public SerialPort {
public:
    explicit CountingPort(SerialPort &inner) : m_inner(inner) {}
    Result Open(const QString &name) override { return m_inner.Open(name); }
    void SetupComm(int rx, int tx) override { m_inner.SetupComm(rx, tx); }
    void SetTimeouts(const CommTimeouts &t) override { m_inner.SetTimeouts(t); }
    void SetLineSettings(const LineSettings &s) override { m_inner.SetLineSettings(s); }
    void Purge(PurgeMode mode) override { m_inner.Purge(mode); }
    void Write(const uint8_t *data, int n) override
    {
        bytes += n;
        m_inner.Write(data, n);
    }
    ReadOutcome Read(int n) override
    {
        ReadOutcome r = m_inner.Read(n);
        bytes += r.bytes.size();
        return r;
    }
    void Close() override { m_inner.Close(); }

    long long bytes = 0;

private:
    SerialPort &m_inner;
};

// Adds up the pauses the protocol asks for.
class CountingClock : public SystemClock {
public:
    void Sleep(int ms) override
    {
        pausedMs += ms;
        SystemClock::Sleep(ms);
    }
    long long pausedMs = 0;
};

// One virtual radio per configuration, kept for the whole run.
std::map<int, std::unique_ptr<QProcess>> g_radios;
std::map<int, QString> g_paths;

QString RadioPath(int baud)
{
    if (!g_radios.count(baud)) {
        auto p = std::make_unique<QProcess>();
        QStringList args{"simulate"};
        if (baud)
            args << "--baud" << QString::number(baud);
        p->start(QStringLiteral(CORVANE_BIN_DIR "/corvane-cli"), args);
        while (p->waitForReadyRead(5000) && !p->canReadLine()) {
        }
        g_paths[baud] = QString::fromLocal8Bit(p->readLine()).trimmed();
        g_radios[baud] = std::move(p);
    }
    return g_paths[baud];
}

void StopRadios()
{
    for (auto &[baud, p] : g_radios) {
        p->terminate();
        p->waitForFinished(5000);
    }
    g_radios.clear();
}

void Transfer(benchmark::State &state, bool write, int baud)
{
    const QString path = RadioPath(baud);
    MemoryImage image = MemoryImage::newImage();
    const int blocks = write ? Proto::WriteBlocks : Proto::ReadBlocks;
    double elapsedMs = 0, pausedMs = 0, wireMs = 0;
    for (auto _ : state) {
        QtSerialPort real;
        CountingPort port(real);
        CountingClock clock;
        TransferEngine engine(port, clock, image, TransferCallbacks{});
        engine.SetWrite(write);
        QElapsedTimer timer;
        timer.start();
        const Result r = engine.Run(path);
        elapsedMs += timer.nsecsElapsed() / 1e6;
        if (!r.ok()) {
            state.SkipWithError(qPrintable(r.text));
            return;
        }
        pausedMs += clock.pausedMs;
        wireMs += port.bytes * 10 * 1000.0 / 9600;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["paused_ms"] = pausedMs / n;
    state.counters["us_per_block_beyond_pauses"] = (elapsedMs - pausedMs) / n * 1000 / blocks;
    if (baud)
        state.counters["ratio_to_wire"] = elapsedMs / (wireMs + pausedMs);
}

void BM_ReadUnpaced(benchmark::State &s) { Transfer(s, false, 0); }
void BM_WriteUnpaced(benchmark::State &s) { Transfer(s, true, 0); }
void BM_Read9600(benchmark::State &s) { Transfer(s, false, 9600); }
void BM_Write9600(benchmark::State &s) { Transfer(s, true, 9600); }

BENCHMARK(BM_ReadUnpaced)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_WriteUnpaced)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_Read9600)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_Write9600)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    StopRadios();
    return 0;
}
