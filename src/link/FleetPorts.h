#pragma once
// The ports of a fleet as users name them ("COM2", "/dev/ttyUSB0",
// "/dev/serial/by-id/..."), turned into the devices to open, with the
// checks that keep two engines off one device.
#include "image/Result.h"
#include "link/FleetTypes.h"

#include <QStringList>
#include <vector>

class CProfileFile;

namespace corvane {

// One target per name, in order, each with the device PortNames.h assigns
// (empty for a COM name with no device: that port then fails to open).
// Fails with Status::Usage when two names stand for the same device
// (after following symbolic links); out is then empty.
Result ResolveFleetTargets(const QStringList &names, const CProfileFile *settings, const QStringList &devices,
                           std::vector<FleetTarget> &out);

// "COM1 and /dev/ttyUSB0 are the same device (/dev/ttyUSB0)" or "COM1 is
// given twice" for the first two targets that share a device (after
// following symbolic links); empty when every device is different.
QString FindSameDevice(const std::vector<FleetTarget> &targets);

// What a fleet may be given on this machine: COM1 to COM4 (each with its
// device, possibly none), then every system device. devices as ordered by
// OrderSerialDevices.
std::vector<FleetTarget> FleetCandidates(const CProfileFile *settings, const QStringList &devices);

// A port name as part of a file name: the path below /dev with '/' as '-'
// ("/dev/pts/3" -> "pts-3", "/dev/ttyUSB0" -> "ttyUSB0"); a COM name as
// it is.
QString PortFileTag(const QString &name);

} // namespace corvane
