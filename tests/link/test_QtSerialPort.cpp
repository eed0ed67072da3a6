// The real port on a pseudo-terminal: bytes both ways, the read timeout
// rules, purge, and a device that goes away (open failures: test_LinkEndToEnd).
#include "LinkHelpers.h"
#include "QtAppEnvironment.h"

#include "link/PtyEndpoint.h"
#include "link/QtSerialPort.h"

#include <QElapsedTimer>
#include <atomic>
#include <poll.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

using namespace corvane;

namespace {

class PtyPort : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.Open()) << pty.error().toStdString();
        ASSERT_TRUE(port.Open(pty.SlavePath()).ok());
        port.SetTimeouts(CommTimeouts{});
        port.SetLineSettings(LineSettings{});
    }
    void Send(const QByteArray &bytes) { ASSERT_EQ(::write(pty.MasterFd(), bytes.constData(), bytes.size()), bytes.size()); }
    QByteArray Received()
    {
        pollfd p{pty.MasterFd(), POLLIN, 0};
        QByteArray out;
        char buf[256];
        while (::poll(&p, 1, 200) > 0) {
            const ssize_t n = ::read(pty.MasterFd(), buf, sizeof buf);
            if (n <= 0)
                break;
            out.append(buf, static_cast<int>(n));
        }
        return out;
    }
    // Runs a read and returns it with the milliseconds it took.
    std::pair<ReadOutcome, qint64> TimedRead(int n)
    {
        QElapsedTimer t;
        t.start();
        ReadOutcome r = port.Read(n);
        return {r, t.elapsed()};
    }

    PtyEndpoint pty;
    QtSerialPort port;
};

TEST_F(PtyPort, BytesBothWaysTimeoutsAndPurge)
{
    const uint8_t request[] = {0x52, 0x0C, 0x90, 0x08};
    port.Write(request, 4);
    EXPECT_EQ(Received(), QByteArray::fromHex("520C9008"));
    // A read ends as soon as it has its bytes; the rest waits.
    Send(QByteArray::fromHex("570C900801020304050607080A"));
    auto [r, ms] = TimedRead(12);
    EXPECT_EQ(r.bytes, QByteArray::fromHex("570C90080102030405060708"));
    EXPECT_LT(ms, 100);
    EXPECT_EQ(port.Read(1).bytes, QByteArray::fromHex("0A"));

    // Silence after some bytes: the interval ends the read long before the
    // 6090 ms total of a 12-byte read.
    Send("abc");
    std::tie(r, ms) = TimedRead(12);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.bytes, "abc");
    EXPECT_GE(ms, 25);
    EXPECT_LT(ms, 1000);

    // Nothing at all: multiplier x n + constant, and no error.
    port.SetTimeouts(CommTimeouts{30, 50, 40, 50, 50});
    std::tie(r, ms) = TimedRead(2);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.bytes.isEmpty());
    EXPECT_GE(ms, 135);
    EXPECT_LT(ms, 1000);

    for (PurgeMode mode : {PurgeMode::Clear, PurgeMode::All}) {
        Send("stale");
        ::usleep(20000);
        port.Purge(mode);
        EXPECT_TRUE(port.Read(1).bytes.isEmpty());
    }
}

TEST_F(PtyPort, HangupDuringAReadIsAnErrorWithinOneTimeout)
{
    // A program started while the line is open must not keep it open: the
    // line's end would then never hang up.
    QProcess bystander;
    bystander.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(bystander.waitForStarted());
    std::thread unplug([this] {
        ::usleep(100000);
        pty.Close();
    });
    const auto [r, ms] = TimedRead(12);
    unplug.join();
    EXPECT_FALSE(r.ok);
    EXPECT_LT(ms, 6090);
    // Later reads and writes fail at once; nothing hangs or crashes.
    const uint8_t ack = 0x06;
    port.Write(&ack, 1);
    port.Purge(PurgeMode::All);
    const auto [again, ms2] = TimedRead(1);
    EXPECT_FALSE(again.ok);
    EXPECT_LT(ms2, 100);
    port.Close();
    bystander.kill();
    bystander.waitForFinished();
}

// Lines opened on many threads at once each name their own device.
TEST(PtyEndpointThreads, EachLineNamesItsOwnDevice)
{
    constexpr int kThreads = 8;
    for (int round = 0; round < 40; ++round) {
        std::vector<PtyEndpoint> lines(kThreads);
        std::atomic<int> ready{0};
        std::vector<std::thread> threads;
        for (PtyEndpoint &line : lines)
            threads.emplace_back([&ready, &line] {
                for (++ready; ready.load() < kThreads;)
                    std::this_thread::yield();
                line.Open();
            });
        for (std::thread &t : threads)
            t.join();
        for (const PtyEndpoint &line : lines) {
            unsigned number = 0;
            ASSERT_EQ(::ioctl(line.MasterFd(), TIOCGPTN, &number), 0) << line.error().toStdString();
            ASSERT_EQ(line.SlavePath().toStdString(), "/dev/pts/" + std::to_string(number)) << "round " << round;
        }
    }
}

} // namespace
