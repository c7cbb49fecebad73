// What the custom-control tests share: the library attached to the test
// program (its classes registered with the program's module), a visible
// top-level parent that records the messages the controls send it, and
// drawing a window into a memory bitmap to read its pixels.
#pragma once
#include <gtest/gtest.h>
#include "msgbox_watcher.h"
#include "wait_until.h"
#include "ovkit/startup.h"
#include <vector>

namespace ovtest {

struct SentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Records every message of the messages it watches (see Watched()).
class RecordingParent {
  public:
    RecordingParent();
    ~RecordingParent();
    RecordingParent(const RecordingParent&) = delete;
    RecordingParent& operator=(const RecordingParent&) = delete;

    HWND window() const { return window_; }
    std::vector<SentMessage> Received(UINT message) const;

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    std::vector<SentMessage> seen_;
};

// The window's client area drawn by WM_PRINTCLIENT into a 32-bit bitmap.
class ClientPicture {
  public:
    explicit ClientPicture(HWND window);
    ~ClientPicture();
    ClientPicture(const ClientPicture&) = delete;
    ClientPicture& operator=(const ClientPicture&) = delete;

    COLORREF At(int x, int y) const;
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

class ControlTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    MsgBoxWatcher boxes_;
    RecordingParent* parent_ = nullptr;
};

inline COLORREF Sys(int index) {
    return GetSysColor(index);
}

// Posts a mouse message with client coordinates.
inline void PostMouse(HWND window, UINT message, int x, int y) {
    PostMessageA(window, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}

} // namespace ovtest
