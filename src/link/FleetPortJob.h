#pragma once
// The whole job of one fleet port on the calling thread: one transfer
// engine run (two for write-and-verify: the write, then a read back), the
// comparison of the ranges a write sends, and the time taken.
//
// The engine runs unchanged, with these answers in place of a user: the
// pump reports the shared cancel flag (so a cancel ends the port after the
// block in flight); the communication-error prompt answers Retry while
// retry rounds are left, else Cancel, which ends the port as CommError;
// no message is shown and no document is touched.
#include "link/FleetTypes.h"

#include <atomic>
#include <functional>

namespace corvane {

class Clock;
class SerialPort;

class FleetPortJob {
public:
    // phase, blocks done and blocks in all of the job (a write-and-verify
    // counts the write's 922 blocks, then the read's 1024 on top).
    using Progress = std::function<void(FleetPhase phase, int done, int total)>;

    // Nothing is owned; all must outlive Run.
    FleetPortJob(SerialPort &port, Clock &clock, const std::atomic<bool> &cancel);

    // Runs the job against target.device. progress may be empty; it is
    // called on this thread at 0 when a phase starts and then at most about
    // every half per cent.
    FleetPortResult Run(const FleetTarget &target, const FleetOrder &order, const MemoryImage &image,
                        const Progress &progress);

private:
    Result Transfer(const QString &device, MemoryImage &image, bool write, int retryRounds, FleetPhase phase,
                    int offset, int total, const Progress &progress);

    SerialPort &m_port;
    Clock &m_clock;
    const std::atomic<bool> &m_cancel;
};

} // namespace corvane
