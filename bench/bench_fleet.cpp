// A fleet against paced (9600-baud) virtual radios, all in one run of
// `corvane-cli simulate --count 4 --baud 9600`: how much longer writing
// four radios at once (`corvane-cli fleet write`) takes than writing one
// (`corvane-cli write`), without and with verify.
//
// Goal: ratio_to_one at most 1.15 for the four-radio runs, where "one" is
// the single write (plain), or the single write followed by its read-back
// (--verify).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>

namespace {

const QString kCli = QStringLiteral(CORVANE_BIN_DIR "/corvane-cli");
constexpr int kRadios = 4;

struct Radios {
    QProcess process;
    QStringList paths;
    QTemporaryDir dir;
    QString image;
};

Radios &Fleet()
{
    static Radios r;
    if (r.paths.isEmpty()) {
        r.process.start(kCli, {"simulate", "--count", QString::number(kRadios), "--baud", "9600"});
        while (r.paths.size() < kRadios && (r.process.canReadLine() || r.process.waitForReadyRead(10000)))
            while (r.process.canReadLine())
                r.paths << QString::fromLocal8Bit(r.process.readLine()).trimmed();
        r.image = r.dir.filePath("image.dat");
        QProcess::execute(kCli, {"new", r.image});
    }
    return r;
}

// Elapsed seconds of one corvane-cli run; negative when it failed.
double Run(const QStringList &args)
{
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(kCli, args);
    p.waitForFinished(300000);
    const double s = t.nsecsElapsed() / 1e9;
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 ? s : -1;
}

std::map<bool, double> g_one; // verify -> seconds of the single-radio run

void Measure(benchmark::State &state, const QStringList &args, bool verify, bool fleet)
{
    Radios &r = Fleet();
    if (r.paths.size() < kRadios) {
        state.SkipWithError("the virtual radios did not start");
        return;
    }
    for (auto _ : state) {
        const double s = Run(args + (verify ? QStringList{"--verify"} : QStringList{}));
        if (s < 0) {
            state.SkipWithError("corvane-cli failed");
            return;
        }
        state.SetIterationTime(s);
        if (!fleet)
            g_one[verify] = s;
        else if (g_one.count(verify))
            state.counters["ratio_to_one"] = s / g_one[verify];
    }
}

void BM_OneWrite9600(benchmark::State &s, bool verify)
{
    Measure(s, {"write", Fleet().paths.value(0), Fleet().image}, verify, false);
}

void BM_FleetWrite9600(benchmark::State &s, bool verify)
{
    Measure(s, QStringList{"fleet", "write", Fleet().image} + Fleet().paths, verify, true);
}

BENCHMARK_CAPTURE(BM_OneWrite9600, plain, false)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(1);
BENCHMARK_CAPTURE(BM_FleetWrite9600, plain, false)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(1);
BENCHMARK_CAPTURE(BM_OneWrite9600, verify, true)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(1);
BENCHMARK_CAPTURE(BM_FleetWrite9600, verify, true)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Fleet().process.terminate();
    Fleet().process.waitForFinished(5000);
    return 0;
}
