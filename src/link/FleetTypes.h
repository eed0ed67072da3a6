#pragma once
// What a fleet run is made of: the job every port does, the ports, and
// what each port ended with. Shared by the runner, the report, the command
// line and the desktop dialog.
#include "image/MemoryImage.h"
#include "image/Result.h"

#include <QString>
#include <cstdint>

namespace corvane {

enum class FleetJob {
    Write,       // the image into every radio
    WriteVerify, // the same, then each radio read back and compared
    Verify,      // each radio read and compared with the image, nothing sent
    Read         // each radio's whole memory read
};

// What a port is doing; progress events carry it.
enum class FleetPhase { Writing, Verifying, Reading };

// One port of the fleet: the name the user gave ("COM2", a device path)
// and the device it stands for (what is opened).
struct FleetTarget {
    QString name;
    QString device;
};

struct FleetOrder {
    FleetJob job = FleetJob::Write;
    // Rounds of 15 handshake attempts added when one round gets no answer:
    // the automatic Retry of the communication-error prompt. 0: a handshake
    // that fails 15 attempts ends the port.
    int retryRounds = 0;
};

// How one port ended. result.status is Ok, PortError, CommError,
// Interrupted, Cancelled or Mismatch; result.text holds the detail (the
// system's reason, the block that failed) and is empty for Ok.
struct FleetPortResult {
    FleetTarget target;
    Result result;
    FleetPhase phase = FleetPhase::Writing; // the phase the port ended in
    int mismatchBytes = 0;                  // bytes that differ (Mismatch)
    int firstMismatch = -1;                 // lowest differing offset (Mismatch)
    int64_t elapsedMs = 0;
    MemoryImage image;                      // Read: the radio's memory (when Ok)

    bool ok() const { return result.ok(); }
};

// Blocks one port moves for a job: 922 per write, 1024 per read.
int FleetJobBlocks(FleetJob job);

} // namespace corvane
