#include "bandolet_fixture.h"

#include <cstring>

#include "wait_until.h"

namespace bandolet_test {

namespace {

constexpr const char* kHostClass = "BandoletTestHost";

template <typename F> bool Bind(HMODULE m, const char* name, F* f) {
    *f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name)));
    return *f != nullptr;
}

std::string ExeFolder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1);
}

} // namespace

LRESULT CALLBACK HostWindow::Proc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<HostWindow*>(GetPropA(hwnd, "host"));
    if (self && message == WM_COMMAND)
        self->commands.push_back(LOWORD(wp));
    if (self && message == BANDOLET_MSG_TOOLTIP && wp == self->ownTipFor && !self->ownTip.empty())
        // All 256 bytes, without a terminator when the text fills them.
        memcpy(reinterpret_cast<char*>(lp), self->ownTip.c_str(),
               self->ownTip.size() < 256 ? self->ownTip.size() + 1 : 256);
    return DefWindowProcA(hwnd, message, wp, lp);
}

HostWindow::HostWindow(int width, int height) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kHostClass;
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    RegisterClassA(&wc);
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "&File");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "&View");
    hwnd_ = CreateWindowExA(0, kHostClass, "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, width,
                            height, nullptr, menu, wc.hInstance, nullptr);
    SetPropA(hwnd_, "host", this);
    RECT rc = {};
    GetClientRect(hwnd_, &rc);
    // Make the client area the width asked for.
    SetWindowPos(hwnd_, nullptr, 0, 0, width + (width - rc.right), height,
                 SWP_NOMOVE | SWP_NOZORDER);
    SetForegroundWindow(hwnd_);
    SetActiveWindow(hwnd_);
}

HostWindow::~HostWindow() {
    RemovePropA(hwnd_, "host");
    DestroyWindow(hwnd_);
}

BandoletFixture::BandoletFixture() {
    std::string dll = install_.Path("Bandolet.dll");
    if (!CopyFileA((ExeFolder() + "Bandolet.dll").c_str(), dll.c_str(), FALSE))
        return;
    module_ = LoadLibraryA(dll.c_str());
    if (!module_)
        return;
    bool ok = Bind(module_, "Bandolet_CreateDefaultBandolet", &api.CreateDefault) &&
              Bind(module_, "Bandolet_CreateSubsetBandolet", &api.CreateSubset) &&
              Bind(module_, "Bandolet_DestroyBandolet", &api.Destroy) &&
              Bind(module_, "Bandolet_MatchButtons", &api.MatchButtons) &&
              Bind(module_, "Bandolet_EnableButton", &api.EnableButton) &&
              Bind(module_, "Bandolet_SetOptions", &api.SetOptions) &&
              Bind(module_, "Bandolet_Command", &api.Command) &&
              Bind(module_, "Bandolet_Resize", &api.Resize) &&
              Bind(module_, "Bandolet_GetToolbarHWND", &api.GetToolbarHWND) &&
              Bind(module_, "Bandolet_SetINIFilename", &api.SetINIFilename) &&
              Bind(module_, "Bandolet_TipOfTheDay", &api.TipOfTheDay) &&
              Bind(module_, "Bandolet_ShowSplash", &api.ShowSplash) &&
              Bind(module_, "Bandolet_AddButton", &api.AddButton);
    if (!ok) {
        FreeLibrary(module_);
        module_ = nullptr;
    }
}

BandoletFixture::~BandoletFixture() {
    if (module_)
        FreeLibrary(module_);
}

bool BandoletFixture::Write(const std::string& name, const std::string& bytes) const {
    return install_.Write(name, bytes);
}

int BandoletFixture::IniInt(const std::string& file, const char* key, int fallback) const {
    return static_cast<int>(
        GetPrivateProfileIntA("Main", key, fallback, install_.Path(file).c_str()));
}

int ButtonAt(const BandoletBar* bar, UINT command) {
    for (int i = 0; i < bar->count; ++i)
        if (bar->buttons[i].command == command && !bar->buttons[i].separator)
            return i;
    return -1;
}

POINT ButtonCentre(const BandoletBar* bar, UINT command) {
    const RECT& r = bar->buttons[ButtonAt(bar, command)].rect;
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

} // namespace bandolet_test
