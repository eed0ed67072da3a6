// Without a window system whose lock state can be read, the panes follow
// the lock keys pressed in the program.
#include "frame/LockKeyPanes.h"

std::optional<LockKeyState> ReadSystemLockKeys() { return std::nullopt; }
