#pragma once
// Why a serial port could not be opened, told so that the user can act:
// the lines shown below message 61453, in the language of the texts.
//
//   Port: COM1 (/dev/ttyUSB0)          the port and the device tried
//   Reason: Permission denied          the system's reason
//   <advice>                           for a permission problem only
//
// Permission advice follows the device's owner, group and mode. Joining
// the device's group is suggested only when that group may read and write
// the device and is not "root"; a user the group database lists but whose
// session started before is told to log in again; in every other case (only
// the owner may use it, the group may not write, the group is root) a
// udev rule that hands the device to group dialout. A device this user may
// read and write that still refuses to open is held by another program.
#include <QString>
#include <QStringList>

class LanguageBundle;

namespace corvane {

// Facts about a device node and the user of this process.
struct DeviceAccess {
    bool exists = false;
    bool userMayReadWrite = false; // access(R_OK | W_OK) succeeds
    QString mode;                  // "crw-rw----"
    QString owner;
    QString group;
    bool groupMayReadWrite = false;
    bool inGroup = false;          // this process holds the group
    bool listedInGroup = false;    // the group database names the user
    QString user;
};

// Looks at path with stat() and the user and group databases.
DeviceAccess InspectDevice(const QString &path);

struct OpenFailure {
    QString portName;       // as given: "COM1", "com2", "/dev/pts/3"
    QString device;         // empty: no device stands for the port
    QString systemReason;   // the system's text, e.g. "Permission denied"
    bool permission = false; // the system refused access
    DeviceAccess access;    // meaningful when permission is set
};

QStringList DescribeOpenFailure(const OpenFailure &failure, const LanguageBundle &texts);

// The kernel name pattern of a device for a udev rule: "ttyUSB[0-9]*" for
// /dev/ttyUSB0, the base name itself when it ends in no number.
QString KernelPattern(const QString &device);

} // namespace corvane
