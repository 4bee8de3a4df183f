// The driver's poll until ready: the standard library only.
#include "tests/e2e/Waiting.h"

#include <thread>

namespace e2e {

namespace {

constexpr Milliseconds kPollInterval{20};

}  // namespace

void WaitUntil(const std::function<bool()>& ready, const std::string& what, Milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (ready())
            return;
        if (std::chrono::steady_clock::now() >= deadline)
            throw DriverError("timed out after " + std::to_string(limit.count()) + " ms waiting for " + what);
        std::this_thread::sleep_for(kPollInterval);
    }
}

}  // namespace e2e
