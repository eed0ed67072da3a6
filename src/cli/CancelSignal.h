#pragma once
// Ctrl+C and SIGTERM for the command line: the first one sets a flag that
// the transfer's pump reports as the cancel flag (and that ends the
// virtual radio); a second one ends the process as usual.
#include <atomic>

namespace corvane {

class CancelSignal {
public:
    // Installs the handlers once and returns the flag they set.
    static const std::atomic<bool> &Install();
    static bool Raised();
};

} // namespace corvane
