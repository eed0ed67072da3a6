#pragma once
// A fleet runner over fake ports: one VirtualRadio per port, made before
// the run and touched only by that port's thread until the run has ended.
// Events are recorded with the thread they arrived on.
#include "FakeLink.h"
#include "QtAppEnvironment.h"

#include "link/FleetRunner.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <memory>

namespace corvane::test {

// Sleeps of the engine cost nothing; the fake ports keep their own time.
class NullClock : public Clock {
public:
    void Sleep(int) override {}
    int64_t Now() const override { return 0; }
};

struct FleetEvent {
    std::string what; // "progress", "finished", "all finished"
    int index = -1;
    int done = 0;
    int total = 0;
    bool onCallerThread = false;
};

struct FleetRig {
    struct Port {
        RadioFaults faults;
        Result openResult = Result::success();
        MemoryImage memory = MemoryImage::newImage();
    };

    explicit FleetRig(std::vector<Port> ports) : spec(std::move(ports))
    {
        for (const Port &p : spec)
            radios.push_back(std::make_unique<VirtualRadio>(p.memory, p.faults));
        runner.SetClockFactory([] { return std::make_unique<NullClock>(); });
        const auto record = [this](const char *what, int i, int done = 0, int total = 0) {
            events.push_back({what, i, done, total, QThread::currentThread() == caller});
        };
        QObject::connect(&runner, &FleetRunner::portProgress,
                         [record](int i, FleetPhase, int done, int total) { record("progress", i, done, total); });
        QObject::connect(&runner, &FleetRunner::portFinished, [record](int i) { record("finished", i); });
        QObject::connect(&runner, &FleetRunner::finished, [record] { record("all finished", -1); });
    }

    // Starts the fleet on COM1.. (/dev/fake0..) and runs the event loop
    // until it has finished.
    bool Run(const MemoryImage &image, FleetSpec fleetSpec, const std::function<void()> &whileRunning = {})
    {
        std::vector<FleetTarget> targets;
        for (std::size_t i = 0; i < spec.size(); ++i)
            targets.push_back({QStringLiteral("COM%1").arg(i + 1), QStringLiteral("/dev/fake%1").arg(i)});
        if (!runner.Start(targets, image, fleetSpec))
            return false;
        if (whileRunning)
            whileRunning();
        QEventLoop loop;
        QObject::connect(&runner, &FleetRunner::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        if (runner.IsRunning())
            loop.exec();
        return !runner.IsRunning();
    }

    int Count(const std::string &what, int index) const
    {
        return static_cast<int>(std::count_if(events.begin(), events.end(), [&](const FleetEvent &e) {
            return e.what == what && e.index == index;
        }));
    }

    std::vector<Port> spec;
    std::vector<std::unique_ptr<VirtualRadio>> radios;
    std::vector<FleetEvent> events;
    QThread *caller = QThread::currentThread();
    // Runs on each port's thread before each of its writes; may block.
    std::function<void(int index, const QByteArray &written)> beforeWrite;
    // A radio that hung up makes every later read fail, as a real line does.
    FleetRunner runner{[this](const FleetTarget &t) -> std::unique_ptr<SerialPort> {
        const std::size_t i = t.device.mid(9).toUInt();
        auto port = std::make_unique<OwnedFakePort>();
        port->AttachRadio(*radios[i]);
        port->openResult = spec[i].openResult;
        port->readError = [radio = radios[i].get()](int, int) { return radio->HungUp(); };
        if (beforeWrite)
            port->beforeWrite = [this, i](const QByteArray &w) { beforeWrite(int(i), w); };
        return port;
    }};
};

} // namespace corvane::test
