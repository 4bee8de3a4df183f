// Layout, icon and message box checks on top of the driver, reported through gtest.
#include "tests/e2e/Checks.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace e2e {

namespace {

std::string Describe(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

void ExpectDialogLayout(HWND dialog, int width, int height, const std::vector<ExpectedControl>& controls)
{
    const std::string caption = Text(dialog);
    RECT client{};
    GetClientRect(dialog, &client);
    const RECT size = DialogUnits(0, 0, width, height);
    EXPECT_EQ(client.right, size.right) << caption << ": client width";
    EXPECT_EQ(client.bottom, size.bottom) << caption << ": client height";

    const std::vector<HWND> children = Children(dialog);
    ASSERT_EQ(children.size(), controls.size()) << caption << ": number of controls";
    for (size_t i = 0; i < controls.size(); ++i) {
        const ExpectedControl& want = controls[i];
        HWND child = children[i];
        const std::string where = caption + ", control " + std::to_string(i) + " (" + want.text + ")";
        // A static without an id of its own reports 0xFFFF.
        EXPECT_EQ(static_cast<WORD>(GetDlgCtrlID(child)), static_cast<WORD>(want.id)) << where;
        if (!want.className.empty()) {
            EXPECT_EQ(ClassName(child), want.className) << where;
            EXPECT_EQ(Text(child), want.text) << where;
        }
        EXPECT_EQ(Style(child) & want.styleMask, want.style) << where << ": style bits";
        EXPECT_TRUE(IsWindowVisible(child)) << where;

        RECT expected = DialogUnits(want.x, want.y, want.width, want.height);
        RECT shown = RectIn(child, dialog);
        if (ClassName(child) == "ComboBox") {
            // A drop-down list shows only its closed part; its height in the template includes the list.
            // Windows reports the dropped rectangle from the top of the box, Wine from the top of
            // the list, which starts a border's width below the closed part.
            RECT dropped{};
            Send(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&dropped), 2);
            const LONG closed = shown.bottom - shown.top;
            if (std::abs(dropped.bottom - dropped.top + closed - (expected.bottom - expected.top)) <= 4)
                dropped.bottom = expected.bottom;
            shown = dropped;
            // The list's scroll bar lives on the list window, which Wine makes a pop-up owned by
            // the dialog.
            for (HWND list : OwnedWindows(dialog, "ComboLBox"))
                EXPECT_NE(Style(list) & WS_VSCROLL, 0) << where << ": the list has no vertical scroll bar";
        }
        if ((Style(child) & SS_TYPEMASK) == SS_ICON && ClassName(child) == "Static") {
            // An icon control takes the size of its icon; only its place comes from the template.
            expected.right = expected.left + (shown.right - shown.left);
            expected.bottom = expected.top + (shown.bottom - shown.top);
        }
        EXPECT_TRUE(SameRect(shown, expected))
            << where << ": at " << Describe(shown) << ", template " << Describe(expected);
    }
}

void ExpectApplicationIcon(const Session& session, HWND dialog, bool shown)
{
    const std::string program = session.ProgramDirectory() + "corvane.exe";
    bool found = false;
    try {
        // The frame may not have been painted yet.
        WaitUntil([&] { return (found = CaptionShowsIcon(dialog, program, 128)) == shown; }, "the caption's icon",
                  Milliseconds(3000));
    } catch (const DriverError&) {
    }
    EXPECT_EQ(found, shown) << Text(dialog) << (shown ? ": the caption lacks" : ": the caption shows")
                            << " the program's icon";
}

void ExpectMessage(const MessageBoxView& box, const std::string& text)
{
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, "corvane") << box.text;
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK}) << box.text;
    ASSERT_NE(box.iconControl, nullptr) << box.text << ": no icon";
    // The box may not have painted yet: give it a moment to show its icon.
    LPCSTR icon = nullptr;
    try {
        WaitUntil(
            [&] {
                icon = ShownSystemIcon(box.iconControl);
                return icon == IDI_EXCLAMATION;
            },
            "the exclamation icon", Milliseconds(3000));
    } catch (const DriverError&) {
    }
    EXPECT_TRUE(icon == IDI_EXCLAMATION) << box.text << ": the icon is not the exclamation mark";
}

void ExpectCentredOver(HWND window, const RECT& area)
{
    const RECT r = WindowRect(window);
    const int dx = (r.left + r.right) - (area.left + area.right);
    const int dy = (r.top + r.bottom) - (area.top + area.bottom);
    // Twice the offset of the centres: an odd size leaves it one pixel off either way.
    EXPECT_LE(std::abs(dx), 2) << Text(window) << " at " << Describe(r) << ", area " << Describe(area);
    EXPECT_LE(std::abs(dy), 2) << Text(window) << " at " << Describe(r) << ", area " << Describe(area);
}

HWND OpenFromChoice(Session& session, HWND choice, int radio, const std::string& caption)
{
    Click(choice, radio);
    Press(choice, IDOK);
    return session.WaitForDialog(caption);
}

void ExpectCompletion(Session& session, HWND dialog)
{
    HWND done = session.WaitForDialog(kCompleteCaption);
    ExpectDialogLayout(done, 228, 137,
                       {
                           {IDOK, "Button", "OK", 90, 74, 50, 14, BS_TYPEMASK, BS_DEFPUSHBUTTON},
                           {1019, "Static", "Kelmor Setup has Completed Succesfully.", 37, 52, 157, 9},
                       });
    ExpectCentredOver(done, WindowRect(dialog));
    ExpectApplicationIcon(session, done);
    EXPECT_EQ(GetWindow(done, GW_OWNER), dialog) << "the completion dialog's owner";
    EXPECT_FALSE(IsWindowEnabled(dialog)) << Text(dialog) << " stays enabled under the completion dialog";
    Press(done, IDOK);
    WaitUntilGone(done, "the completion dialog");
    WaitUntilGone(dialog, "the dialog that ran the command");
}

}  // namespace e2e
