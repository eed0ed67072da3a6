// The fleet runner over fake ports, one VirtualRadio per port (touched only
// by that port's thread until the run has ended).
#include "FakeLink.h"
#include "LinkHelpers.h"
#include "QtAppEnvironment.h"

#include "link/FleetRunner.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <condition_variable>
#include <memory>
#include <mutex>

using namespace corvane;
using namespace corvane::test;

namespace {

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
        MemoryImage memory = MemoryImage::newImage();
        bool noDevice = false;
    };

    explicit FleetRig(std::vector<Port> list) : ports(std::move(list))
    {
        for (const Port &p : ports)
            radios.push_back(std::make_unique<VirtualRadio>(p.memory, p.faults));
        runner.SetClockFactory([] { return std::make_unique<FakeClock>(); });
        const auto record = [this](const char *what, int i, int done = 0, int total = 0) {
            events.push_back({what, i, done, total, QThread::currentThread() == caller});
        };
        QObject::connect(&runner, &FleetRunner::portProgress,
                         [record](int i, FleetPhase, int done, int total) { record("progress", i, done, total); });
        QObject::connect(&runner, &FleetRunner::portFinished, [record](int i) { record("finished", i); });
        QObject::connect(&runner, &FleetRunner::finished, [record] { record("all finished", -1); });
    }

    // Starts the fleet on COM1.. (/dev/fake0..) and runs the event loop until it has finished.
    bool Run(const MemoryImage &image, FleetOrder fleetOrder, const std::function<void()> &whileRunning = {})
    {
        std::vector<FleetTarget> targets;
        for (std::size_t i = 0; i < ports.size(); ++i)
            targets.push_back({QStringLiteral("COM%1").arg(i + 1),
                               ports[i].noDevice ? QString() : QStringLiteral("/dev/fake%1").arg(i)});
        if (!runner.Start(targets, image, fleetOrder))
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

    std::vector<Port> ports;
    std::vector<std::unique_ptr<VirtualRadio>> radios;
    std::vector<FleetEvent> events;
    QThread *caller = QThread::currentThread();
    // Runs on each port's thread before each of its writes; may block.
    std::function<void(int index, const QByteArray &written)> beforeWrite;
    // A radio that hung up makes every later read fail, as a real line does.
    FleetRunner runner{[this](const FleetTarget &t) -> std::unique_ptr<SerialPort> {
        const std::size_t i = t.device.mid(9).toUInt();
        auto port = std::make_unique<FakePort>();
        port->AttachRadio(*radios[i]);
        port->readError = [radio = radios[i].get()](int, int) { return radio->HungUp(); };
        if (beforeWrite)
            port->beforeWrite = [this, i](const QByteArray &w) { beforeWrite(int(i), w); };
        return port;
    }};
};

FleetRig::Port Faulty(const char *fault)
{
    FleetRig::Port p;
    EXPECT_TRUE(p.faults.Parse(QString::fromLatin1(fault), nullptr)) << fault;
    return p;
}

// Each port ends on its own; retry rounds add whole rounds of 15 attempts.
TEST(FleetRunner, EachPortEndsOnItsOwn)
{
    FleetRig::Port noDevice;
    noDevice.noDevice = true;
    FleetRig rig({FleetRig::Port{}, Faulty("silent"), Faulty("hangup=0x1800"), Faulty("drop-write=4096"), noDevice});
    std::vector<int> wakeUps(5); // each touched by its port's thread only, read after the run
    rig.beforeWrite = [&](int i, const QByteArray &w) { wakeUps[std::size_t(i)] += w == "A"; };
    const MemoryImage image = PatternImage(5);
    ASSERT_TRUE(rig.Run(image, {FleetJob::WriteVerify, 2},
                        [&] { EXPECT_FALSE(rig.runner.Start({{QStringLiteral("COM9"), {}}}, image, {})); }));
    EXPECT_FALSE(rig.runner.Start({}, image, {}));

    const std::vector<FleetPortResult> &r = rig.runner.Results();
    ASSERT_EQ(r.size(), 5u);
    const Status status[] = {Status::Ok, Status::CommError, Status::Interrupted, Status::Mismatch, Status::PortError};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(r[std::size_t(i)].result.status, status[i]) << i;
        EXPECT_EQ(rig.Count("finished", i), 1) << i;
    }
    EXPECT_EQ(wakeUps[1], 3 * 15);
    EXPECT_TRUE(HoldsSentRanges(rig.radios[0]->Memory(), image));
    EXPECT_EQ(r[1].result.text, "no answer to the wake-up string in 15 attempts");
    EXPECT_EQ(r[2].result.text, "the line failed (hang-up or unplugged cable) after the write block at 0x1800");
    EXPECT_EQ(r[2].phase, FleetPhase::Writing);
    EXPECT_EQ(std::make_tuple(r[3].mismatchBytes, r[3].firstMismatch, r[3].phase),
              std::make_tuple(8, 0x1000, FleetPhase::Verifying));
    EXPECT_EQ(r[4].result.text, "no serial device for COM5");

    // Every event on the caller's thread; progress climbs to the write's and read-back's blocks.
    int last = -1;
    for (const FleetEvent &e : rig.events) {
        EXPECT_TRUE(e.onCallerThread) << e.what;
        if (e.what == "progress" && e.index == 0) {
            EXPECT_GE(e.done, last);
            EXPECT_EQ(e.total, Proto::WriteBlocks + Proto::ReadBlocks);
            last = e.done;
        }
    }
    EXPECT_EQ(last, Proto::WriteBlocks + Proto::ReadBlocks);
    EXPECT_EQ(rig.events.back().what, "all finished");
    EXPECT_EQ(rig.Count("all finished", -1), 1);
}

// A write alone reads nothing back; a verify alone only reads.
TEST(FleetRunner, WriteAloneAndVerifyAlone)
{
    const MemoryImage image = PatternImage(2);
    for (const FleetJob job : {FleetJob::Write, FleetJob::Verify}) {
        FleetRig::Port port;
        port.memory = image;
        FleetRig rig({port, port});
        ASSERT_TRUE(rig.Run(image, {job, 0}));
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(rig.runner.Results()[i].result.status, Status::Ok) << int(job);
            EXPECT_EQ(rig.radios[i]->BlocksWritten(), job == FleetJob::Write ? Proto::WriteBlocks : 0);
            EXPECT_EQ(rig.radios[i]->BlocksRead(), job == FleetJob::Write ? 0 : Proto::ReadBlocks);
        }
    }
}

// Cancel pressed while every port waits before the same write block.
TEST(FleetRunner, CancelStopsEveryPortAfterTheBlockInFlight)
{
    const QByteArray gate = QByteArray::fromHex("57010008"); // write request for 0x0100
    std::mutex m;
    std::condition_variable cv;
    int waiting = 0;
    bool open = false;
    FleetRig rig(std::vector<FleetRig::Port>(4));
    rig.beforeWrite = [&](int, const QByteArray &w) {
        if (w != gate)
            return;
        std::unique_lock<std::mutex> lock(m);
        ++waiting;
        cv.notify_all();
        cv.wait(lock, [&] { return open; });
    };
    ASSERT_TRUE(rig.Run(PatternImage(3), {FleetJob::WriteVerify, 0}, [&] {
        std::unique_lock<std::mutex> lock(m);
        EXPECT_TRUE(cv.wait_for(lock, std::chrono::seconds(60), [&] { return waiting == 4; }));
        rig.runner.Cancel();
        open = true;
        cv.notify_all();
    }));
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(rig.runner.Results()[i].result.status, Status::Cancelled);
        EXPECT_EQ(rig.radios[i]->BlocksWritten(), 0x0100 / Proto::BlockSize + 1);
        EXPECT_EQ(rig.radios[i]->BlocksRead(), 0);
    }
}

} // namespace
