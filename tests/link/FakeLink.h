#pragma once
// A fake clock that only moves when something waits, and a fake port whose
// far end is a responder. Replies arrive a little after the write that
// caused them, so a clear right after a write does not drop them.
#include "link/Clock.h"
#include "link/ProgressSink.h"
#include "link/SerialPort.h"
#include "link/VirtualRadio.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace corvane::test {

// What a fake did, in its own list or in one shared with others.
struct EventLog {
    void Event(const std::string &e) { events->push_back(e); }
    std::vector<std::string> ownEvents;
    std::vector<std::string> *events = &ownEvents;
};

class FakeClock : public Clock, public EventLog {
public:
    void Sleep(int ms) override
    {
        now += ms * 1000LL;
        Event("sleep " + std::to_string(ms));
    }
    int64_t Now() const override { return now; }

    int64_t now = 0;
};

class FakePort : public SerialPort, public EventLog {
public:
    // Reply bytes for the bytes of one Write; empty for silence.
    using Responder = std::function<QByteArray(const QByteArray &written)>;

    explicit FakePort(FakeClock &clock) : m_clock(clock) {}
    FakePort() : m_clock(m_ownClock) {} // on a timeline of its own, for code that owns its port

    // Answers with a VirtualRadio fed byte by byte.
    void AttachRadio(VirtualRadio &radio)
    {
        responder = [&radio](const QByteArray &written) {
            QByteArray reply;
            for (char c : written)
                reply += radio.Feed(static_cast<uint8_t>(c)).bytes;
            return reply;
        };
    }

    Result Open(const QString &name) override
    {
        Event("open " + name.toStdString());
        isOpen = openResult.ok();
        return openResult;
    }
    void SetupComm(int rx, int tx) override { queues = {rx, tx}; }
    void SetTimeouts(const CommTimeouts &t) override { timeouts = t; }
    void SetLineSettings(const LineSettings &s) override { line = s; }
    void Purge(PurgeMode mode) override
    {
        Event(mode == PurgeMode::All ? "purge all" : "purge clear");
        while (!m_incoming.empty() && m_incoming.front().due <= m_clock.now)
            m_incoming.pop_front();
    }
    void Write(const uint8_t *data, int n) override
    {
        const QByteArray bytes(reinterpret_cast<const char *>(data), n);
        if (beforeWrite)
            beforeWrite(bytes);
        Event("write " + bytes.toHex(' ').toUpper().toStdString());
        writes.push_back(bytes);
        if (!isOpen || !responder)
            return;
        for (char c : responder(bytes))
            m_incoming.push_back({m_clock.now + replyLatencyUs, static_cast<uint8_t>(c)});
    }
    ReadOutcome Read(int n) override
    {
        Event("read " + std::to_string(n));
        ++reads;
        if (readError && readError(n, reads)) {
            m_clock.now += 1000;
            return {false, {}};
        }
        return Collect(n);
    }
    void Close() override
    {
        Event("close");
        isOpen = false;
    }

    // Writes that are read requests ('R' + 3) or write requests ('W' + 3).
    std::vector<int> RequestAddresses(uint8_t command) const
    {
        std::vector<int> out;
        for (const QByteArray &w : writes)
            if (w.size() == 4 && static_cast<uint8_t>(w[0]) == command)
                out.push_back((static_cast<uint8_t>(w[1]) << 8) | static_cast<uint8_t>(w[2]));
        return out;
    }
    int Count(const std::string &event) const { return static_cast<int>(std::count(events->begin(), events->end(), event)); }

    Responder responder;
    std::function<bool(int n, int index)> readError; // true: this read fails
    std::function<void(const QByteArray &)> beforeWrite;
    Result openResult = Result::success();
    int64_t replyLatencyUs = 1000;
    bool isOpen = false;
    int reads = 0;
    std::vector<QByteArray> writes;
    std::pair<int, int> queues{0, 0};
    CommTimeouts timeouts{-1, -1, -1, -1, -1};
    LineSettings line{0, 0, true, 0, false};

private:
    struct Timed {
        int64_t due;
        uint8_t byte;
    };

    // Win32 rules on a fake timeline: n bytes, or 30 ms of silence after a
    // byte, or 500 ms * n + 90 ms in all.
    ReadOutcome Collect(int n)
    {
        const CommTimeouts t;
        const int64_t deadline = m_clock.now + t.readTotal(n) * 1000LL;
        ReadOutcome out;
        int64_t last = -1;
        while (out.bytes.size() < n) {
            if (!m_incoming.empty() && m_incoming.front().due <= m_clock.now) {
                out.bytes.append(static_cast<char>(m_incoming.front().byte));
                last = m_clock.now;
                m_incoming.pop_front();
                continue;
            }
            const int64_t limit = last < 0 ? deadline : std::min<int64_t>(deadline, last + t.readInterval * 1000LL);
            if (m_incoming.empty() || m_incoming.front().due > limit) {
                m_clock.now = limit;
                break;
            }
            m_clock.now = m_incoming.front().due;
        }
        return out;
    }

    FakeClock m_ownClock;
    FakeClock &m_clock;
    std::deque<Timed> m_incoming;
};

class FakeProgress : public ProgressSink, public EventLog {
public:
    void SetRange(int steps) override { Event("range " + std::to_string(steps)); }
    int StepIt() override { return ++pos; }
    void SetCounterText(const QString &) override {}
    void BlocksDone(int, int) override {}

    int pos = 0;
};

} // namespace corvane::test
