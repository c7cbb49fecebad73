#include "control_fixture.h"

namespace ovtest {

namespace {

const char kParentClass[] = "OvkitTestRecordingParent";

bool Watched(UINT message) {
    return message >= WM_USER || message == WM_ENTERMENULOOP || message == WM_EXITMENULOOP;
}

} // namespace

RecordingParent::RecordingParent() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kParentClass;
    RegisterClassA(&wc); // may already be registered
    window_ = CreateWindowExA(0, kParentClass, "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                              400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), this);
}

RecordingParent::~RecordingParent() {
    if (IsWindow(window_))
        DestroyWindow(window_);
}

std::vector<SentMessage> RecordingParent::Received(UINT message) const {
    std::vector<SentMessage> out;
    for (const SentMessage& m : seen_) {
        if (m.message == message)
            out.push_back(m);
    }
    return out;
}

LRESULT CALLBACK RecordingParent::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<RecordingParent*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<RecordingParent*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && Watched(message))
        self->seen_.push_back({message, wParam, lParam});
    if (message == WM_NCDESTROY)
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return DefWindowProcA(window, message, wParam, lParam);
}

ClientPicture::ClientPicture(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
}

ClientPicture::~ClientPicture() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF ClientPicture::At(int x, int y) const {
    return GetPixel(dc_, x, y);
}

void ControlTest::SetUp() {
    ASSERT_TRUE(OvkitProcessAttach(GetModuleHandleA(nullptr)));
    parent_ = new RecordingParent;
    ASSERT_NE(parent_->window(), nullptr);
}

void ControlTest::TearDown() {
    delete parent_;
    PumpMessages();
    OvkitProcessDetach();
}

} // namespace ovtest
