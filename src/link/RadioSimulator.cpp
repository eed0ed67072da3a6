#include "link/RadioSimulator.h"

#include "link/PtyEndpoint.h"
#include "link/VirtualRadio.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <poll.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace corvane {

namespace {
constexpr int kLineRate = 9600;
constexpr int64_t kIdlePollUs = 100000; // how often the stop flag is seen when idle
} // namespace

RadioSimulator::RadioSimulator(VirtualRadio &radio, PtyEndpoint &pty, int baud)
    : m_radio(radio), m_pty(pty), m_baud(baud), m_byteUs(ByteTimeUs(baud > 0 ? baud : kLineRate))
{
}

int64_t RadioSimulator::ByteTimeUs(int baud) { return (10 * 1000000LL + baud - 1) / baud; }

int64_t RadioSimulator::NowUs()
{
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

int64_t RadioSimulator::NextDue() const
{
    int64_t next = NowUs() + kIdlePollUs;
    if (!m_in.empty())
        next = std::min(next, m_in.front().due);
    if (!m_out.empty())
        next = std::min(next, m_out.front().due);
    return next;
}

void RadioSimulator::Run(const std::atomic<bool> &stop)
{
    // Wake at the due time of each byte, not up to 50 us later.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    while (!stop.load() && m_pty.IsOpen()) {
        const int64_t wait = std::max<int64_t>(0, NextDue() - NowUs());
        const timespec timeout{static_cast<time_t>(wait / 1000000), static_cast<long>(wait % 1000000) * 1000};
        pollfd p{m_pty.MasterFd(), POLLIN, 0};
        const int ready = ::ppoll(&p, 1, &timeout, nullptr);
        if (ready < 0 && errno != EINTR)
            break;
        const int64_t now = NowUs();
        if (ready > 0 && (p.revents & POLLIN))
            Receive(now);
        Process(now);
        if (m_radio.HungUp()) {
            m_pty.Close();
            break;
        }
        Send(NowUs());
    }
}

void RadioSimulator::Receive(int64_t now)
{
    uint8_t buf[512];
    for (;;) {
        const ssize_t got = ::read(m_pty.MasterFd(), buf, sizeof buf);
        if (got <= 0)
            return;
        for (ssize_t i = 0; i < got; ++i) {
            // Paced, a byte arrives when it has crossed the wire behind the
            // ones before it; unpaced, at once.
            int64_t due = now;
            if (m_baud > 0) {
                due = std::max(now, m_inFree) + m_byteUs;
                m_inFree = due;
            }
            m_in.push_back({due, buf[i]});
        }
    }
}

void RadioSimulator::Process(int64_t now)
{
    while (!m_in.empty() && m_in.front().due <= now && !m_radio.HungUp()) {
        const Timed t = m_in.front();
        m_in.pop_front();
        const VirtualRadio::Reply reply = m_radio.Feed(t.byte);
        m_requests.store(m_radio.BlocksRead() + m_radio.BlocksWritten());
        if (!reply.bytes.isEmpty())
            Schedule(t.due, reply.bytes, reply.kind == VirtualRadio::ReplyKind::Handshake);
    }
}

void RadioSimulator::Schedule(int64_t arrived, const QByteArray &reply, bool handshake)
{
    if (m_baud > 0) {
        for (char c : reply) {
            m_outFree = std::max(arrived, m_outFree) + m_byteUs;
            m_out.push_back({m_outFree, static_cast<uint8_t>(c)});
        }
        return;
    }
    const int64_t latency =
        handshake ? std::max<int64_t>((1 + reply.size()) * m_byteUs, kHandshakeLatencyUs) : 0;
    const int64_t due = std::max(arrived + latency, m_out.empty() ? 0 : m_out.back().due);
    for (char c : reply)
        m_out.push_back({due, static_cast<uint8_t>(c)});
}

void RadioSimulator::Send(int64_t now)
{
    uint8_t buf[512];
    std::size_t n = 0;
    while (n < sizeof buf && n < m_out.size() && m_out[n].due <= now) {
        buf[n] = m_out[n].byte;
        ++n;
    }
    if (n == 0)
        return;
    const ssize_t sent = ::write(m_pty.MasterFd(), buf, n);
    if (sent > 0)
        m_out.erase(m_out.begin(), m_out.begin() + sent);
}

} // namespace corvane
