// The options sheet in a window of the host's, and its pictures.
#include "host_options.h"
#include "host_pictures.h"
#include "ovkit/propsheet.h"
#include <commctrl.h>
#include <cstdio>
#include <string>

namespace {
enum { PICTURE_TICK_MS = 300, PICTURE_TICKS = 400, GAP = 4 };
const char kFrameClass[] = "OvhostOptionsFrame";

struct OptionsRun {
    decltype(&OptionsSheetClosed) Closed = nullptr;
    HWND Frame = nullptr;
    HWND Sheet = nullptr;
    HBITMAP Header = nullptr;
    RECT HeaderRect = {};
    const char* Title = "";
    const char* Subtitle = "";
    int Answer = 0; // IDOK or IDCANCEL once the sheet reported
    // Pictures.
    std::string Prefix;
    int Page = 0;
    int Pages = 0;
    bool Redrawn = false;
    int Ticks = 0;
    int Written = 0;
};
OptionsRun g_run;

void PaintHeader(HWND frame) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(frame, &paint);
    if (g_run.Header) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, g_run.Header);
        BitBlt(dc, 0, 0, g_run.HeaderRect.right, g_run.HeaderRect.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    RECT text = {g_run.HeaderRect.right + 8, 4, 600, g_run.HeaderRect.bottom};
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    DrawTextA(dc, g_run.Title, -1, &text, DT_LEFT | DT_NOPREFIX);
    text.left += 110;
    DrawTextA(dc, g_run.Subtitle, -1, &text, DT_LEFT | DT_NOPREFIX | DT_SINGLELINE);
    SelectObject(dc, font);
    EndPaint(frame, &paint);
}

// The sheet reported OK or Cancel: the host closes it and tells the plug-in.
void OnSheetClosed(HWND frame, int answer) {
    g_run.Answer = answer;
    if (g_run.Sheet && IsWindow(g_run.Sheet))
        DestroyWindow(g_run.Sheet);
    g_run.Sheet = nullptr;
    if (g_run.Closed)
        g_run.Closed(answer == IDOK ? 1 : 0);
    DestroyWindow(frame);
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintHeader(frame);
        return 0;
    case WM_COMMAND:
        if ((wParam == IDOK || wParam == IDCANCEL) && lParam == 0) {
            OnSheetClosed(frame, (int)wParam);
            return 0;
        }
        break;
    case WM_CLOSE:
        if (g_run.Sheet)
            SendMessageA(g_run.Sheet, WM_COMMAND, IDCANCEL, 0);
        else
            DestroyWindow(frame);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(frame, message, wParam, lParam);
}

HWND MakeFrame() {
    WNDCLASSA frameClass = {};
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = GetModuleHandleA(nullptr);
    frameClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    frameClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    frameClass.lpszClassName = kFrameClass;
    RegisterClassA(&frameClass);
    return CreateWindowExA(0, kFrameClass, "Options", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                           CW_USEDEFAULT, CW_USEDEFAULT, 400, 300, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// The sheet below the header, the frame round both, centred on the screen.
void Arrange(HWND frame, HWND sheet) {
    RECT size;
    GetWindowRect(sheet, &size);
    int top = g_run.HeaderRect.bottom + GAP;
    int width = size.right - size.left, height = size.bottom - size.top;
    SetWindowPos(sheet, nullptr, 0, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT outer = {0, 0, width, top + height};
    AdjustWindowRect(&outer, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, FALSE);
    int w = outer.right - outer.left, h = outer.bottom - outer.top;
    SetWindowPos(frame, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, SWP_NOZORDER);
}

int PageCount(HWND sheet) {
    HWND tabs = FindWindowExA(sheet, nullptr, WC_TABCONTROLA, nullptr);
    return tabs ? (int)SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) : 0;
}

// One tick: let the page paint once, take its picture, show the next page;
// after the last one, Cancel.
void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    OptionsRun& run = g_run;
    if (!run.Sheet || ++run.Ticks > PICTURE_TICKS) {
        KillTimer(nullptr, timer);
        return;
    }
    if (!run.Redrawn) {
        RedrawWindow(run.Frame, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        run.Redrawn = true;
        return;
    }
    run.Redrawn = false;
    run.Written +=
        WritePicture((run.Prefix + std::to_string(run.Page + 1) + ".bmp").c_str()) ? 1 : 0;
    if (++run.Page < run.Pages) {
        SendMessageA(run.Sheet, PSM_SETCURSEL, run.Page, 0);
        return;
    }
    KillTimer(nullptr, timer);
    PostMessageA(run.Sheet, WM_COMMAND, IDCANCEL, 0);
}

void RunLoop(decltype(&IsPropertySheetMessage) isSheetMessage) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (g_run.Sheet && isSheetMessage && isSheetMessage(g_run.Sheet, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
} // namespace

int ShowOptions(HostSession& session, const char* picturePrefix) {
    auto show = reinterpret_cast<decltype(&ShowOptionsSheet)>(session.Entry(22));
    g_run = OptionsRun();
    g_run.Closed = reinterpret_cast<decltype(&OptionsSheetClosed)>(session.Entry(23));
    HMODULE ovkit = GetModuleHandleA("ovkit.dll");
    auto isSheetMessage = reinterpret_cast<decltype(&IsPropertySheetMessage)>(
        ovkit ? GetProcAddress(ovkit, "IsPropertySheetMessage") : nullptr);
    if (!show || !g_run.Closed || !isSheetMessage) {
        fprintf(stderr, "ovhost: the plug-in has no options sheet\n");
        return 1;
    }
    g_run.Frame = MakeFrame();
    g_run.Sheet = g_run.Frame ? show(g_run.Frame, &g_run.Header, &g_run.HeaderRect, &g_run.Title,
                                     &g_run.Subtitle)
                              : nullptr;
    if (!g_run.Sheet) {
        fprintf(stderr, "ovhost: the options sheet could not be shown\n");
        if (g_run.Frame)
            DestroyWindow(g_run.Frame);
        return 1;
    }
    Arrange(g_run.Frame, g_run.Sheet);
    ShowWindow(g_run.Frame, SW_SHOW);
    UINT_PTR timer = 0;
    if (picturePrefix) {
        g_run.Prefix = picturePrefix;
        g_run.Pages = PageCount(g_run.Sheet);
        SendMessageA(g_run.Sheet, PSM_SETCURSEL, 0, 0);
        timer = SetTimer(nullptr, 0, PICTURE_TICK_MS, Tick);
    }
    RunLoop(isSheetMessage);
    if (timer)
        KillTimer(nullptr, timer);
    printf("closed\t%s\n", g_run.Answer == IDOK ? "OK" : "Cancel");
    if (picturePrefix)
        return g_run.Written == g_run.Pages && g_run.Pages > 0 ? 0 : 1;
    return g_run.Answer ? 0 : 1;
}
