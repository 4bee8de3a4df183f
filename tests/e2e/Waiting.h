// The driver's bounded waits: how long it is patient, the error it throws, and the poll until ready.
#pragma once

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>

namespace e2e {

using Milliseconds = std::chrono::milliseconds;

/// How long a window may take to appear, change or go away before the driver gives up: sized for
/// a loaded two-core machine running Wine, where a dialog can take seconds to come.
inline constexpr Milliseconds kPatience{60000};

/// Thrown when a bounded wait runs out or a window stops answering; the message says what was
/// awaited.
class DriverError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Polls `ready` until it returns true; throws DriverError naming `what` once `limit` has passed.
void WaitUntil(const std::function<bool()>& ready, const std::string& what, Milliseconds limit = kPatience);

}  // namespace e2e
