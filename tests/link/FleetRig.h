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
#include <functional>
#include <memory>

namespace corvane::test {

// A fake port with its own timeline and radio, owned by the runner's thread
// for the port. Open fails with openResult; a radio that hung up makes
// every later read report an error, as a real line does.
class OwnedFakePort : public SerialPort {
public:
    OwnedFakePort(VirtualRadio &radio, Result openResult) : m_port(m_clock), m_radio(radio)
    {
        m_port.AttachRadio(radio);
        m_port.openResult = std::move(openResult);
        m_port.readError = [this](int, int) { return m_radio.HungUp(); };
    }
    Result Open(const QString &name) override { return m_port.Open(name); }
    void SetupComm(int rx, int tx) override { m_port.SetupComm(rx, tx); }
    void SetTimeouts(const CommTimeouts &t) override { m_port.SetTimeouts(t); }
    void SetLineSettings(const LineSettings &s) override { m_port.SetLineSettings(s); }
    void Purge(PurgeMode mode) override { m_port.Purge(mode); }
    void Write(const uint8_t *data, int n) override
    {
        if (beforeWrite)
            beforeWrite(QByteArray(reinterpret_cast<const char *>(data), n));
        m_port.Write(data, n);
    }
    ReadOutcome Read(int n) override { return m_port.Read(n); }
    void Close() override { m_port.Close(); }

    std::function<void(const QByteArray &)> beforeWrite;

private:
    FakeClock m_clock;
    FakePort m_port;
    VirtualRadio &m_radio;
};

// Sleeps of the engine cost nothing; the fake ports keep their own time.
class NullClock : public Clock {
public:
    void Sleep(int) override {}
    int64_t Now() const override { return 0; }
};

struct FleetEvent {
    std::string what; // "progress", "finished <i>", "all finished"
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
        QObject::connect(&runner, &FleetRunner::portProgress, [this](int i, FleetPhase, int done, int total) {
            events.push_back({"progress", i, done, total, QThread::currentThread() == caller});
        });
        QObject::connect(&runner, &FleetRunner::portFinished, [this](int i) {
            events.push_back({"finished", i, 0, 0, QThread::currentThread() == caller});
        });
        QObject::connect(&runner, &FleetRunner::finished, [this] {
            events.push_back({"all finished", -1, 0, 0, QThread::currentThread() == caller});
        });
    }

    std::vector<FleetTarget> Targets() const
    {
        std::vector<FleetTarget> out;
        for (std::size_t i = 0; i < spec.size(); ++i)
            out.push_back({QStringLiteral("COM%1").arg(i + 1), QStringLiteral("/dev/fake%1").arg(i)});
        return out;
    }

    // Starts the fleet and runs the event loop until it has finished.
    bool Run(const MemoryImage &image, FleetSpec fleetSpec, const std::function<void()> &whileRunning = {})
    {
        if (!runner.Start(Targets(), image, fleetSpec))
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
    FleetRunner runner{[this](const FleetTarget &t) -> std::unique_ptr<SerialPort> {
        const int i = t.device.mid(9).toInt();
        auto port = std::make_unique<OwnedFakePort>(*radios[std::size_t(i)], spec[std::size_t(i)].openResult);
        if (beforeWrite)
            port->beforeWrite = [this, i](const QByteArray &w) { beforeWrite(i, w); };
        return port;
    }};
};

} // namespace corvane::test
