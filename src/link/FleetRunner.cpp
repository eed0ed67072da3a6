#include "link/FleetRunner.h"

#include "link/FleetPortJob.h"
#include "link/SerialPort.h"
#include "link/SystemClock.h"

namespace corvane {

FleetRunner::FleetRunner(PortFactory ports, QObject *parent) : QObject(parent), m_ports(std::move(ports))
{
    m_delivery.setInterval(kDeliveryMs);
    connect(&m_delivery, &QTimer::timeout, this, &FleetRunner::Deliver);
}

FleetRunner::~FleetRunner()
{
    m_cancel.store(true);
    JoinAll();
}

void FleetRunner::SetClockFactory(ClockFactory clocks)
{
    // The threads call the factory; it may not change under them.
    if (!m_running)
        m_clocks = std::move(clocks);
}

bool FleetRunner::Start(const std::vector<FleetTarget> &targets, const MemoryImage &image, const FleetOrder &order)
{
    if (m_running || targets.empty())
        return false;
    m_cancel.store(false);
    m_results.assign(targets.size(), FleetPortResult{});
    for (std::size_t i = 0; i < targets.size(); ++i)
        m_results[i].target = targets[i];
    m_pending = static_cast<int>(targets.size());
    m_running = true;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        m_threads.emplace_back(QThread::create(&FleetRunner::Work, this, static_cast<int>(i), targets[i], image, order));
        m_threads.back()->start();
    }
    m_delivery.start();
    return true;
}

void FleetRunner::Cancel()
{
    if (m_running)
        m_cancel.store(true);
}

// On the port's own thread. Everything it uses is its own (arguments taken
// by value, port and clock made here) except the cancel flag, the inbox
// and the two factories, which are only called.
void FleetRunner::Work(int index, FleetTarget target, MemoryImage image, FleetOrder order)
{
    FleetPortResult result;
    result.target = target;
    {
        std::unique_ptr<SerialPort> port = m_ports ? m_ports(target) : nullptr;
        std::unique_ptr<Clock> clock = m_clocks ? m_clocks() : std::make_unique<SystemClock>();
        if (!port || !clock) {
            result.result = Result::fail(Status::PortError, QStringLiteral("no port for %1").arg(target.device));
        } else {
            const FleetPortJob::Progress progress = [this, index](FleetPhase phase, int done, int total) {
                Post({index, phase, done, total, std::nullopt});
            };
            result = FleetPortJob(*port, *clock, m_cancel).Run(target, order, image, progress);
        }
        // The port is closed and released here, before the caller hears
        // that it has finished and may open the device again.
    }
    const FleetPhase phase = result.phase;
    Post({index, phase, 0, 0, std::move(result)});
}

void FleetRunner::Post(Event event)
{
    const std::lock_guard<std::mutex> lock(m_inboxMutex);
    m_inbox.push_back(std::move(event));
}

void FleetRunner::Deliver()
{
    std::vector<Event> events;
    {
        const std::lock_guard<std::mutex> lock(m_inboxMutex);
        events.swap(m_inbox);
    }
    for (Event &e : events) {
        if (!e.result) {
            emit portProgress(e.index, e.phase, e.done, e.total);
            continue;
        }
        m_results[std::size_t(e.index)] = std::move(*e.result);
        --m_pending;
        emit portFinished(e.index);
    }
    if (m_pending > 0 || !m_running)
        return;
    m_delivery.stop();
    JoinAll();
    m_running = false;
    emit finished();
}

void FleetRunner::JoinAll()
{
    for (const std::unique_ptr<QThread> &t : m_threads)
        t->wait();
    m_threads.clear();
}

} // namespace corvane
