#pragma once
// Time as the transfer sees it: the fixed protocol pauses and a monotonic
// reading for logs. Tests inject a fake so no test sleeps.
#include <cstdint>

namespace corvane {

class Clock {
public:
    virtual ~Clock() = default;
    // Pauses the calling thread for ms milliseconds.
    virtual void Sleep(int ms) = 0;
    // Microseconds since an arbitrary fixed start; never decreases.
    virtual int64_t Now() const = 0;
};

} // namespace corvane
