// Operations on a bar shared by the library's files.
#pragma once
#include "bar.h"

namespace bandolet {

constexpr const char* kFrameClass = "Ostrevane Toolbar Frame Window Class";
constexpr const char* kTipClass = "Ostrevane Tooltip Window Class";
constexpr const char* kCaption = "Ostrevane";

// The parent's bar, or null when it has none (or its window is gone).
BandoletBar* BarOf(HWND parent);
// Builds a bar from specs (copied) and gives it to parent; null on failure
// (a message box tells why). ownFile may be null.
BandoletBar* CreateBar(HWND parent, const ButtonSpec* specs, int count, DWORD options,
                       UINT leftmost, const char* ownFile);
void DestroyBar(HWND parent);

// Layout: places the buttons from the leftmost one, shows or hides the
// scroll buttons for the bar's width, and repaints.
void LayOut(BandoletBar* bar);
void ResizeBar(BandoletBar* bar, int width);
// Scrolls by one button; false when there is none that way.
bool ScrollBar(BandoletBar* bar, bool right);
int ButtonIndex(const BandoletBar* bar, UINT command);
void RedrawButton(BandoletBar* bar, int index);

void PaintBar(BandoletBar* bar, HDC dc);

// The tooltip of the bar's hot button.
void ShowTooltip(BandoletBar* bar, int index);
void RemoveTooltip(BandoletBar* bar);

LRESULT CALLBACK BandoletFrameWndProc(HWND window, UINT message, WPARAM wp, LPARAM lp);
LRESULT CALLBACK BandoletTipWndProc(HWND window, UINT message, WPARAM wp, LPARAM lp);

// The options pop-up at a point of the screen.
void ShowOptionsMenu(BandoletBar* bar, POINT screen);
// Adds the "Toolbar" menu to the host's menu bar once per host window.
void AddToolbarMenu(HWND parent);
void ForgetMenuHosts();

void Warn(HWND parent, const char* text);

} // namespace bandolet
