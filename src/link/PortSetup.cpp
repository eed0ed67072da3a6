#include "link/PortSetup.h"

#include "link/PortNames.h"
#include "link/SerialPort.h"
#include "settings/UserStore.h"

namespace corvane {

namespace {
const QString kComValue = QStringLiteral("com");
}

QString ComPortName(int number) { return QStringLiteral("com%1").arg(number); }

bool ProbePort(SerialPort &port, int number)
{
    const bool opened = port.Open(ComPortName(number)).ok();
    port.Close();
    return opened;
}

std::array<bool, 4> ProbePorts(SerialPort &port)
{
    std::array<bool, 4> usable{};
    for (int n = 1; n <= kComPortCount; ++n)
        usable[static_cast<std::size_t>(n - 1)] = ProbePort(port, n);
    return usable;
}

int ReadStoredCom(const UserStore &store)
{
    uint32_t value = 1;
    if (!store.ReadNumber(kComValue, value))
        return 1;
    // A 4-byte number: a stored 0xFFFFFFFF reads as -1, selecting nothing.
    return static_cast<int>(static_cast<int32_t>(value));
}

void WriteStoredCom(UserStore &store, int number) { store.WriteNumber(kComValue, static_cast<uint32_t>(number)); }

} // namespace corvane
