// The fixture of the dialog tests: an application on a clean test drive, with a recorded help viewer.
#pragma once

#include "tests/support/TestDrive.h"
#include "tests/ui/DialogDriver.h"
#include "ui/SetupApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

/// One request to the help viewer.
struct HelpCall {
    HWND owner;
    std::string file;
    UINT command;
    ULONG_PTR data;
};

/// Every test gets a fresh application whose services record messages and commands (so no message
/// box blocks) and whose help viewer records its requests and answers `helpStarts`.
class UiTest : public ::testing::Test {
protected:
    UiTest()
    {
        app.UsePlatform(drive.Os());
        app.m_helpViewer = &RecordHelp;
        HelpCalls().clear();
        HelpStarts() = TRUE;
    }

    static std::vector<HelpCall>& HelpCalls()
    {
        static std::vector<HelpCall> calls;
        return calls;
    }
    static BOOL& HelpStarts()
    {
        static BOOL starts = TRUE;
        return starts;
    }

    TestDrive drive;
    CSetupApp app;
    DialogDriver driver;

private:
    static BOOL WINAPI RecordHelp(HWND owner, LPCSTR file, UINT command, ULONG_PTR data)
    {
        HelpCalls().push_back(HelpCall{owner, file ? file : "", command, data});
        return HelpStarts();
    }
};
