// The policy of a quiet run: no window of any kind.
#pragma once

#include "platform/ForwardingPlatform.h"

/// Passes every call on, but opens no window: a message goes to standard error instead of a box
/// (and nowhere when the program has none), and a command runs without a console window.
class QuietPlatform : public ForwardingPlatform {
public:
    using ForwardingPlatform::ForwardingPlatform;

    std::optional<int> RunCommand(const CommandRun& run) override;
    void ShowMessage(const std::string& text) override;
};
