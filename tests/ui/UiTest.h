// The fixture of the dialog tests: an application on a clean test drive whose services record
// messages and help requests, so that no message box blocks.
#pragma once

#include "tests/e2e/Session.h"
#include "tests/support/TestDrive.h"
#include "tests/ui/DialogDriver.h"
#include "ui/SetupApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace e2e;

/// A step that waits for `count` recorded messages.
inline DialogDriver::Step Messages(RecordingPlatform& os, size_t count)
{
    return DialogDriver::Step([&os, count] { return os.messages.size() >= count; }, std::to_string(count) + " messages");
}

/// Every test gets a fresh application on the drive's recording services.
class UiTest : public ::testing::Test {
protected:
    UiTest() : app(drive.Os()) {}

    TestDrive drive;
    CSetupApp app;
    DialogDriver driver;
};
