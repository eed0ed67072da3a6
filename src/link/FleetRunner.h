#pragma once
// Runs one job on many radios at once: one transfer engine per port, each
// on its own thread with its own port, clock and copy of the image. The
// threads share nothing but the cancel flag and an inbox: each puts its
// progress and finally its result there under a mutex, and a timer of the
// runner's thread takes them out every few milliseconds. So the signals
// below are always emitted on the thread that owns the runner (which must
// run an event loop while the fleet works), and every hand-over is a plain
// mutex that thread checkers can follow.
//
// A port's failure (busy, silent radio, missing acknowledgement, hang-up,
// verify mismatch) ends that port only. Cancel ends every port after the
// block it is moving (during a handshake: before the next attempt); ports
// already finished keep their results.
#include "link/FleetTypes.h"

#include <QObject>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace corvane {

class Clock;
class SerialPort;

class FleetRunner : public QObject {
    Q_OBJECT
public:
    // Called on the port's own thread, once per port and run; must be safe
    // to call from several threads at once. The port is not yet open.
    using PortFactory = std::function<std::unique_ptr<SerialPort>(const FleetTarget &target)>;
    using ClockFactory = std::function<std::unique_ptr<Clock>()>;

    // How often the inbox is emptied while a fleet runs.
    static constexpr int kDeliveryMs = 20;

    explicit FleetRunner(PortFactory ports, QObject *parent = nullptr);
    // Cancels a running fleet and waits for its threads.
    ~FleetRunner() override;

    // The clock of every port; SystemClock unless set.
    void SetClockFactory(ClockFactory clocks);

    // Starts one thread per target. False, and nothing started, while a
    // fleet is running or when targets is empty.
    bool Start(const std::vector<FleetTarget> &targets, const MemoryImage &image, const FleetOrder &order);
    void Cancel();
    bool IsRunning() const { return m_running; }
    bool CancelRequested() const { return m_cancel.load(); }

    // One entry per target of the last Start, in target order; an entry is
    // complete once portFinished has been emitted for it.
    const std::vector<FleetPortResult> &Results() const { return m_results; }

signals:
    void portProgress(int index, corvane::FleetPhase phase, int done, int total);
    void portFinished(int index);
    // Every port has finished and every thread has ended.
    void finished();

private:
    struct Event {
        int index;
        FleetPhase phase;
        int done;
        int total;
        std::optional<FleetPortResult> result; // set: the port has finished
    };

    void Work(int index, FleetTarget target, MemoryImage image, FleetOrder order);
    void Post(Event event);
    void Deliver();
    void JoinAll();

    PortFactory m_ports;
    ClockFactory m_clocks;
    std::atomic<bool> m_cancel{false};
    std::mutex m_inboxMutex;
    std::vector<Event> m_inbox; // guarded by m_inboxMutex
    QTimer m_delivery;
    // QThreads, so that the ports' notifiers have an event dispatcher.
    std::vector<std::unique_ptr<QThread>> m_threads;
    std::vector<FleetPortResult> m_results;
    int m_pending = 0;
    bool m_running = false;
};

} // namespace corvane
