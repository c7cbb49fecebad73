// The text view control driven by its messages, as the report viewer drives it.
#include "cstctls4.h"
#include <gtest/gtest.h>
#include <string>

namespace {

class TextView : public ::testing::Test {
  protected:
    void SetUp() override {
        library_ = LoadLibraryA("CSTCTLS4.dll");
        ASSERT_TRUE(library_);
        auto registerControls = (CstRegisterControlsProc)GetProcAddress(
            library_, MAKEINTRESOURCEA(CSTCTLS4_ORDINAL_REGISTER));
        ASSERT_TRUE(registerControls);
        ASSERT_EQ(1, registerControls(GetModuleHandleA(nullptr)));
        WNDCLASSA parentClass = {};
        parentClass.lpfnWndProc = ParentProc;
        parentClass.hInstance = GetModuleHandleA(nullptr);
        parentClass.lpszClassName = "TextViewTestParent";
        RegisterClassA(&parentClass);
        parent_ = CreateWindowA("TextViewTestParent", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        view_ =
            CreateWindowA(CSTCTLS4_VIEW_CLASS, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 300,
                          10 * 16, parent_, (HMENU)12055, GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(view_);
        SendMessageA(view_, WM_SETFONT, (WPARAM)GetStockObject(ANSI_FIXED_FONT), 0);
        notices_ = 0;
    }
    void TearDown() override {
        DestroyWindow(parent_);
        for (HANDLE file : files_)
            CloseHandle(file);
        for (const std::string& path : paths_)
            DeleteFileA(path.c_str());
        auto unregisterControls = (CstUnregisterControlsProc)GetProcAddress(
            library_, MAKEINTRESOURCEA(CSTCTLS4_ORDINAL_UNREGISTER));
        unregisterControls(GetModuleHandleA(nullptr));
        FreeLibrary(library_);
    }
    // A file holding text, open for reading and appending as the engine holds it.
    HANDLE File(const std::string& text) {
        char folder[MAX_PATH], path[MAX_PATH];
        GetTempPathA(sizeof folder, folder);
        GetTempFileNameA(folder, "tv", 0, path);
        HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        files_.push_back(file);
        paths_.push_back(path);
        Append(file, text);
        return file;
    }
    static void Append(HANDLE file, const std::string& text) {
        SetFilePointer(file, 0, nullptr, FILE_END);
        DWORD written = 0;
        WriteFile(file, text.data(), (DWORD)text.size(), &written, nullptr);
    }
    std::string Line(long n, UINT message = CSTV_GETLINE, WPARAM size = 256) {
        EXPECT_EQ(1, SendMessageA(view_, CSTV_SETCURLINE, 0, n));
        char buffer[256] = "";
        LRESULT length = SendMessageA(view_, message, size, (LPARAM)buffer);
        EXPECT_EQ(strlen(buffer), (size_t)length);
        return buffer;
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(view_, message, wParam, lParam);
    }
    static LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == CSTV_NOTIFY_PAGE)
            ++notices_;
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HMODULE library_ = nullptr;
    HWND parent_ = nullptr;
    HWND view_ = nullptr;
    std::vector<HANDLE> files_;
    std::vector<std::string> paths_;
    static int notices_;
};
int TextView::notices_ = 0;

TEST_F(TextView, LinesComeWithAndWithoutTheirAttributeCodes) {
    ASSERT_NE(0, Send(CSTV_NEWBUFFER, (WPARAM)File("\x01\x0EHello\x01\x01 world\r\n"
                                                   "\tTab\r\n\r\nlast\r\n"
                                                   "/dir/\x01\x0A"
                                                   "file\x01\x0D\r\n")));
    // The file-name mark is 1 and 10, and attribute 13 is 1 and 13: no line ends.
    EXPECT_EQ(5, Send(CSTV_GETLINECOUNT));
    EXPECT_EQ("/dir/file", Line(4));
    EXPECT_EQ("/dir/\x01\x0A"
              "file\x01\x0D",
              Line(4, CSTV_GETRAWLINE));
    EXPECT_EQ("Hello world", Line(0));
    EXPECT_EQ("\x01\x0EHello\x01\x01 world", Line(0, CSTV_GETRAWLINE));
    EXPECT_EQ("\tTab", Line(1));
    EXPECT_EQ("", Line(2));
    EXPECT_EQ("last", Line(3));
    EXPECT_EQ(0, Send(CSTV_SETCURLINE, 0, 5)) << "past the end";
}

TEST_F(TextView, ALineLongerThanTheBufferIsCutNeverInsideACode) {
    Send(CSTV_NEWBUFFER, (WPARAM)File("ab\x01\x0E"
                                      "cdef\r\n"));
    const struct {
        WPARAM size;
        const char* raw;
    } cases[] = {{1, ""},
                 {3, "ab"},
                 {4, "ab"},
                 {5, "ab\x01\x0E"},
                 {100, "ab\x01\x0E"
                       "cdef"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        EXPECT_EQ(c.raw, Line(0, CSTV_GETRAWLINE, c.size));
    }
    EXPECT_EQ("abc", Line(0, CSTV_GETLINE, 4));
}

TEST_F(TextView, TakesInWhatTheFileGainedAndFinishesAnOpenLine) {
    HANDLE file = File("one\r\ntw");
    Send(CSTV_NEWBUFFER, (WPARAM)file);
    EXPECT_EQ(2, Send(CSTV_GETLINECOUNT));
    Append(file, "o\r\nthree\r\n");
    int before = notices_;
    EXPECT_EQ(1, Send(CSTV_READMORE)) << "the open line is the same line";
    EXPECT_EQ(3, Send(CSTV_GETLINECOUNT));
    EXPECT_EQ("two", Line(1));
    EXPECT_EQ("three", Line(2));
    EXPECT_GT(notices_, before) << "the parent hears that the page may have changed";
    EXPECT_EQ(0, Send(CSTV_READMORE));
}

TEST_F(TextView, BuffersAreShownByIdAndBoundAgain) {
    HANDLE first = File("first\r\n");
    LRESULT a = Send(CSTV_NEWBUFFER, (WPARAM)first);
    LRESULT b = Send(CSTV_NEWBUFFER, (WPARAM)File("second\r\nmore\r\n"));
    ASSERT_NE(a, b);
    EXPECT_EQ(2, Send(CSTV_GETLINECOUNT));
    EXPECT_EQ(1, Send(CSTV_SHOWBUFFER, 0, a));
    EXPECT_EQ("first", Line(0));
    EXPECT_EQ(0, Send(CSTV_SHOWBUFFER, 0, 99));
    EXPECT_EQ(0, Send(CSTV_NEWBUFFER, (WPARAM)INVALID_HANDLE_VALUE));
    // The engine may close a buffer's file and open it anew.
    HANDLE again = File("first\r\nadded\r\n");
    EXPECT_EQ(1, Send(CSTV_REBIND, (WPARAM)again, a));
    Send(CSTV_READMORE);
    EXPECT_EQ("added", Line(1));
}

TEST_F(TextView, FindGoesOnFromTheLastFindAndSaysWhenItReachedTheEnd) {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += i == 5 || i == 30 ? "a NEEDLE here\r\n" : "hay\r\n";
    Send(CSTV_NEWBUFFER, (WPARAM)File(text));
    EXPECT_EQ(1, Send(CSTV_GETTOPLINE)) << "the top line counts from 1";
    EXPECT_EQ(CSTV_FIND_FOUND, Send(CSTV_FIND, 1, (LPARAM) "needle"));
    EXPECT_EQ("a NEEDLE here", Line(5)) << "the find made line 5 current";
    EXPECT_EQ(CSTV_FIND_FOUND, Send(CSTV_FIND, 1, (LPARAM) "needle"));
    LRESULT top = Send(CSTV_GETTOPLINE);
    EXPECT_LE(top - 1, 30);
    EXPECT_GT(top - 1 + 10, 30) << "the view scrolled to line 30";
    EXPECT_EQ(CSTV_FIND_END, Send(CSTV_FIND, 1, (LPARAM) "needle"));
    EXPECT_EQ(CSTV_FIND_FOUND, Send(CSTV_FIND, 0, (LPARAM) "needle"));
    EXPECT_EQ(CSTV_FIND_NOT_FOUND, Send(CSTV_FIND, 1, (LPARAM) "straw"))
        << "text that is nowhere is not found, also when going on";
    EXPECT_EQ(CSTV_FIND_NOT_FOUND, Send(CSTV_FIND, 0, (LPARAM) "straw"));
    EXPECT_EQ(CSTV_FIND_NOT_FOUND, Send(CSTV_FIND, 0, (LPARAM) ""));
}

TEST_F(TextView, ScrollingTellsTheParent) {
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line\r\n";
    Send(CSTV_NEWBUFFER, (WPARAM)File(text));
    int before = notices_;
    Send(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_GT(Send(CSTV_GETTOPLINE), 1);
    EXPECT_GT(notices_, before);
    Send(WM_VSCROLL, SB_BOTTOM);
    LRESULT top = Send(CSTV_GETTOPLINE);
    Send(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(top, Send(CSTV_GETTOPLINE)) << "the last page stays full";
}

// The pixels of the view's client area drawn into a bitmap.
struct Picture {
    std::vector<COLORREF> Pixels;
    bool Has(COLORREF colour) const {
        for (COLORREF p : Pixels)
            if (p == colour)
                return true;
        return false;
    }
};
Picture Draw(HWND view) {
    RECT client;
    GetClientRect(view, &client);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(view, WM_PRINTCLIENT, (WPARAM)dc, PRF_CLIENT);
    Picture picture;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            picture.Pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return picture;
}

TEST_F(TextView, AttributesDrawTheirColours) {
    CstTextAttribute red = {"Courier New", 12, CSTV_STYLE_BOLD, FIXED_PITCH, RGB(255, 0, 0)};
    CstTextAttribute plain = {"Courier New", 12, 0, FIXED_PITCH, 0};
    EXPECT_EQ(1, Send(CSTV_SETATTRIBUTE, 5, (LPARAM)&red));
    EXPECT_EQ(1, Send(CSTV_SETATTRIBUTE, 1, (LPARAM)&plain));
    EXPECT_EQ(0, Send(CSTV_SETATTRIBUTE, 17, (LPARAM)&plain));
    Send(CSTV_NEWBUFFER, (WPARAM)File("black \x01\x05WWWW\x01\x01 black\r\n"));
    EXPECT_TRUE(Draw(view_).Has(RGB(255, 0, 0)));
    Send(CSTV_SETATTRIBUTE, 5, (LPARAM)&plain);
    EXPECT_FALSE(Draw(view_).Has(RGB(255, 0, 0))) << "a colour of 0 keeps the default";
}

TEST_F(TextView, TabStopsPlaceTextAtTheirPixels) {
    LONG stops[] = {200};
    EXPECT_EQ(1, Send(CSTV_SETTABCOUNT, 1));
    EXPECT_EQ(1, Send(CSTV_SETTABS, 1, (LPARAM)stops));
    CstTextAttribute red = {"Courier New", 12, 0, FIXED_PITCH, RGB(255, 0, 0)};
    Send(CSTV_SETATTRIBUTE, 2, (LPARAM)&red);
    Send(CSTV_NEWBUFFER, (WPARAM)File("a\t\x01\x02WWW\r\n"));
    Picture picture = Draw(view_);
    RECT client;
    GetClientRect(view_, &client);
    int firstRed = -1;
    for (size_t i = 0; i < picture.Pixels.size() && firstRed < 0; ++i)
        if (picture.Pixels[i] == RGB(255, 0, 0))
            firstRed = (int)(i % client.right);
    EXPECT_GE(firstRed, 200);
    EXPECT_LT(firstRed, 215);
}

} // namespace
