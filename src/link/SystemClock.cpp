#include "link/SystemClock.h"

#include <chrono>
#include <thread>

namespace corvane {

void SystemClock::Sleep(int ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

int64_t SystemClock::Now() const
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace corvane
