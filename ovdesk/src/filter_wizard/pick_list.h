// The pick lists of the filter pages' combo boxes: labels the user chooses
// from, each standing for the value it puts into the field.
#pragma once
#include <windows.h>
#include <string>
#include <utility>
#include <vector>

typedef std::vector<std::pair<std::string, std::string>> PickRows; // label, value

// The rows of a "TEXT" resource of label and value lines in pairs
// (trailing carriage returns dropped); the user-address list goes on with a
// row per country of the country table. Loaded once.
const PickRows& GetPickList(UINT listId);
// Fills the combo with the list's labels; the field keeps its text.
void FillPickCombo(HWND page, int item, UINT listId);
// The combo's behaviour: opening the list selects the label of the field's
// value, choosing a label puts its value into the field, and closing the
// list without a choice puts the field's text back. TRUE when the message
// was the pick list's.
BOOL PickListMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam, int item, UINT listId);
