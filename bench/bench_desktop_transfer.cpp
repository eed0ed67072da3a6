// The desktop program's transfers against the virtual radio paced at 9600
// baud (`corvane-cli simulate --baud 9600`) on a pseudo-terminal.
//
// Read9600/Desktop and Read9600/Cli read the same radio one after the
// other, the desktop program through its view, progress dialog and pump,
// the command line as a whole `corvane-cli read` process (goal: the desktop
// read takes at most 3 % longer).
// CancelLatency clicks Cancel from another thread at a random moment of a
// read and measures the time from the click to the end of the transfer,
// dialog closed (goal: under 100 ms).
//
// Runs on the offscreen platform unless QT_QPA_PLATFORM names another
// (xcb under Xvfb measures real painting).
#include "GuiBench.h"
#include "app/AppState.h"
#include "editor/CProgramView.h"
#include "image/CProgramDoc.h"
#include "link/CProcessDlg.h"
#include "link/DesktopLink.h"
#include "link/TransferController.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <random>

namespace {

using Clock = std::chrono::steady_clock;

struct World {
    QTemporaryDir dir;
    QProcess radio;
    QString path;
    AppState app;
    CProgramDoc doc;
    std::unique_ptr<CProgramView> view;

    World()
    {
        qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8());
        qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
        radio.start(CORVANE_BIN_DIR "/corvane-cli", {"simulate", "--baud", "9600"});
        while (radio.waitForReadyRead(10000) && !radio.canReadLine()) {
        }
        path = QString::fromLocal8Bit(radio.readLine()).trimmed();
        app.settings.LoadPath(CORVANE_BIN_DIR "/Program.ini", false);
        app.ApplyLanguage("English");
        app.bundle.Load(CORVANE_BIN_DIR, "English");
        doc.OnNewDocument(app);
        view = std::make_unique<CProgramView>(doc, app);
        view->OnInitialUpdate();
        view->resize(1000, 700);
        view->show();
        view->m_strPort = path;
        DesktopLink::SetMessageHook([](QWidget *, const QString &, const QString &text, QMessageBox::StandardButtons) {
            std::fprintf(stderr, "message: %s\n", qPrintable(text));
            return QMessageBox::Ok;
        });
    }
    ~World()
    {
        view.reset();
        radio.terminate();
        radio.waitForFinished(10000);
    }

    // Starts a read and returns when it has ended; seconds from OK.
    double DesktopRead(const std::function<void()> &duringTransfer = {})
    {
        view->OnRead();
        CProcessDlg *dlg = view->Transfer().ProcessDlg();
        const auto start = Clock::now();
        dlg->OkButton()->click();
        if (duringTransfer)
            duringTransfer();
        while (dlg->IsWindowCreated())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return std::chrono::duration<double>(Clock::now() - start).count();
    }

    double CliRead()
    {
        QProcess cli;
        const auto start = Clock::now();
        cli.start(CORVANE_BIN_DIR "/corvane-cli", {"read", path, dir.filePath("cli.dat")});
        cli.waitForFinished(120000);
        return std::chrono::duration<double>(Clock::now() - start).count();
    }
};

std::unique_ptr<World> g_world;

World &TheWorld() { return corvane::bench::LazyWorld(g_world); }

// The two reads alternate so that a change of load hits both alike.
void BM_Read9600(benchmark::State &state)
{
    World &w = TheWorld();
    double desktop = 0, cli = 0;
    for (auto _ : state) {
        desktop += w.DesktopRead();
        cli += w.CliRead();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["desktop_s"] = desktop / n;
    state.counters["cli_s"] = cli / n;
    state.counters["desktop_over_cli_pct"] = (desktop / cli - 1) * 100;
}

// A click on Cancel from another thread, as the window system would
// deliver it, at a random time 1 to 5 s into the read.
void BM_CancelLatency(benchmark::State &state)
{
    World &w = TheWorld();
    std::mt19937 random(42);
    std::vector<double> ms;
    for (auto _ : state) {
        CProcessDlg *dlg = nullptr;
        Clock::time_point clicked;
        std::unique_ptr<QThread> clicker;
        const int delayMs = std::uniform_int_distribution<int>(1000, 5000)(random);
        const double total = w.DesktopRead([&] {
            dlg = w.view->Transfer().ProcessDlg();
            QPushButton *cancel = dlg->CancelButton();
            clicker.reset(QThread::create([cancel, delayMs, &clicked] {
                QThread::msleep(static_cast<unsigned long>(delayMs));
                const QPointF at(5, 5);
                clicked = Clock::now();
                QCoreApplication::postEvent(cancel, new QMouseEvent(QEvent::MouseButtonPress, at, at, at, Qt::LeftButton,
                                                                    Qt::LeftButton, Qt::NoModifier));
                QCoreApplication::postEvent(cancel, new QMouseEvent(QEvent::MouseButtonRelease, at, at, at,
                                                                    Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
            }));
            clicker->start();
        });
        (void)total;
        const auto ended = Clock::now();
        clicker->wait();
        ms.push_back(std::chrono::duration<double, std::milli>(ended - clicked).count());
    }
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["max_ms"] = ms.back();
}

BENCHMARK(BM_Read9600)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_CancelLatency)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(10);

} // namespace

int main(int argc, char **argv) { return corvane::bench::RunGuiBenchmarks(argc, argv, g_world); }
