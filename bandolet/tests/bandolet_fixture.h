// The test's own copy of Bandolet.dll in a throw-away folder (its settings
// files go beside it), bound by name, and a host window with a menu bar that
// records the commands the bar sends it.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "bandolet/bandolet.h"
#include "bar.h"
#include "temp_install.h"

namespace bandolet_test {

struct BandoletApi {
    decltype(&Bandolet_CreateDefaultBandolet) CreateDefault = nullptr;
    decltype(&Bandolet_CreateSubsetBandolet) CreateSubset = nullptr;
    decltype(&Bandolet_DestroyBandolet) Destroy = nullptr;
    decltype(&Bandolet_MatchButtons) MatchButtons = nullptr;
    decltype(&Bandolet_EnableButton) EnableButton = nullptr;
    decltype(&Bandolet_SetOptions) SetOptions = nullptr;
    decltype(&Bandolet_Command) Command = nullptr;
    decltype(&Bandolet_Resize) Resize = nullptr;
    decltype(&Bandolet_GetToolbarHWND) GetToolbarHWND = nullptr;
    decltype(&Bandolet_SetINIFilename) SetINIFilename = nullptr;
    decltype(&Bandolet_TipOfTheDay) TipOfTheDay = nullptr;
    decltype(&Bandolet_ShowSplash) ShowSplash = nullptr;
    decltype(&Bandolet_AddButton) AddButton = nullptr;
};

class HostWindow {
  public:
    HostWindow(int width, int height);
    ~HostWindow();
    HWND hwnd() const { return hwnd_; }
    // Commands received by WM_COMMAND, in order.
    std::vector<UINT> commands;
    // Texts the host puts in for 8025 and 8026 (by command id; empty: none).
    UINT ownTipFor = 0;
    std::string ownTip;

  private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_ = nullptr;
};

class BandoletFixture {
    ovtest::TempInstall install_; // goes last, after the library

  public:
    BandoletFixture();
    ~BandoletFixture();
    bool Loaded() const { return module_ != nullptr; }
    HMODULE Module() const { return module_; }
    // Writes a file beside the library.
    bool Write(const std::string& name, const std::string& bytes) const;
    std::string Path(const std::string& name) const { return install_.Path(name); }
    int IniInt(const std::string& file, const char* key, int fallback = -1) const;

    BandoletApi api;

  private:
    HMODULE module_ = nullptr;
};

// The parent's bar record, read in place.
inline BandoletBar* BarOf(HWND parent) {
    return reinterpret_cast<BandoletBar*>(GetWindowLongPtrA(parent, GWLP_USERDATA));
}
// The centre of a button, in the bar's client coordinates.
POINT ButtonCentre(const BandoletBar* bar, UINT command);
int ButtonAt(const BandoletBar* bar, UINT command);

} // namespace bandolet_test
