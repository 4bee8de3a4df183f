// A dialog's controls worked as the operator would: buttons, texts and list entries.
#pragma once

#include "tests/e2e/Waiting.h"

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

/// Presses a push button by posting the command it sends to its dialog (BN_CLICKED); the command
/// is posted even when the dialog has no such button, as for IDCANCEL from Escape.
void Press(HWND dialog, int id);
/// Clicks a button in place (BM_CLICK), for radio buttons and check boxes.
void Click(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
void SetText(HWND dialog, int id, const std::string& text);
/// The entries of a combo box's list, in list order.
std::vector<std::string> ListEntries(HWND combo);
/// Selects the entry spelt exactly `text` and tells the dialog, as the operator's choice would;
/// throws DriverError when the list has no such entry.
void Select(HWND combo, const std::string& text);
/// The selected entry's text, or "" when nothing is selected.
std::string SelectedEntry(HWND combo);

}  // namespace e2e
