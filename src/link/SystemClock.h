#pragma once
// The real clock: steady time and thread sleeps.
#include "link/Clock.h"

namespace corvane {

class SystemClock : public Clock {
public:
    void Sleep(int ms) override;
    int64_t Now() const override;
};

} // namespace corvane
