#include "cli/CancelSignal.h"

#include <csignal>

namespace corvane {

namespace {
std::atomic<bool> g_cancel{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set from a signal handler");

extern "C" void OnCancelSignal(int) { g_cancel.store(true); }
} // namespace

const std::atomic<bool> &CancelSignal::Install()
{
    struct sigaction sa {};
    sa.sa_handler = OnCancelSignal;
    sigemptyset(&sa.sa_mask);
    // One-shot: a second signal takes the default action and ends the process.
    sa.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    return g_cancel;
}

bool CancelSignal::Raised() { return g_cancel.load(); }

} // namespace corvane
