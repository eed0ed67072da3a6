#pragma once
// The core of the COM Setup dialog: which of the four ports open at this
// moment, and the stored choice "com" in the per-user store (a 32-bit
// number, 1 for COM1 to 4 for COM4, default 1).
#include <QString>
#include <array>

class UserStore;

namespace corvane {

class SerialPort;

// "com" followed by the number in decimal ("com1".."com4"; "com0" for no
// selection, which no device answers to).
QString ComPortName(int number);

// Opens "comN" and closes it at once; true when the open succeeded.
bool ProbePort(SerialPort &port, int number);
// ProbePort for 1 to 4; element n - 1 tells port n.
std::array<bool, 4> ProbePorts(SerialPort &port);

// The stored number as the store holds it (it may lie outside 1 to 4);
// 1 when the value is missing or unreadable.
int ReadStoredCom(const UserStore &store);
void WriteStoredCom(UserStore &store, int number);

} // namespace corvane
