#pragma once
// Port names as the program and its users write them, and the devices they
// stand for. "COM1" to "COM4" (in any letter case, so also the "com1" to
// "com4" of the port setup) name the device set in the settings file,
// section "Ports", keys COM1..COM4; without such a key, the n-th serial
// device the system lists, USB adapters first. Any other name, a device
// path such as "/dev/pts/3" among them, is used as it is.
#include <QString>
#include <QStringList>

class CProfileFile;

namespace corvane {

constexpr int kComPortCount = 4;

// n (1-4) when name is "COMn" in any letter case, else 0.
int ComNumber(const QString &name);

// The system's serial devices in the order the COM numbers take them:
// /dev/ttyUSB*, then /dev/ttyACM*, then other devices, then the built-in
// /dev/ttyS*; within a kind by number (ttyUSB2 before ttyUSB10).
QStringList OrderSerialDevices(QStringList devices);

// How a port shows in messages and the port setup: "COM1 (/dev/ttyUSB0)"
// for a COM name (in capitals, whatever case it was given in), the device
// alone for a device path; noDevice stands in for an empty device.
QString PortLabel(const QString &name, const QString &device, const QString &noDevice);

// The device to open for a port name. For "COMn": the settings value, else
// devices[n - 1] (devices already ordered), else an empty text (no such
// port). settings may be null.
QString ResolvePortName(const QString &name, const CProfileFile *settings, const QStringList &devices);

} // namespace corvane
