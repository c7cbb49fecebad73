#include "control_fixture.h"
#include "ovkit/clickable.h"
#include "ovkit/resources.h"
#include <cstring>
#include <string>

namespace {

// The library's picture 1157, with four hot quarters in its top-left 16 x 16.
OvkitClickItem Item(WORD id, int left, int top, WORD flags, const char* help = nullptr) {
    OvkitClickItem item = {};
    item.id = id;
    item.hot = {left, top, left + 8, top + 8};
    item.flags = flags;
    item.helpText = help;
    return item;
}

class ClickableTest : public ovtest::ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        first_[0] = Item(42, 0, 0, 0, "Forty-two");
        first_[1] = Item(43, 8, 0, OVKIT_ITEM_CLOSE);
        first_[2] = Item(OVKIT_CLICK_NEXT, 0, 8, 0);
        first_[3] = Item(OVKIT_CLICK_CLOSE, 8, 8, 0);
        second_[0] = Item(OVKIT_CLICK_PREVIOUS, 0, 0, 0);
        second_[1] = Item(OVKIT_CLICK_NEXT, 8, 0, 0);
        std::memset(pages_, 0, sizeof pages_);
        MakePage(pages_[1], "First page", first_, 4);
        MakePage(pages_[2], "Second page", second_, 2);
    }
    void MakePage(OvkitClickPage& page, const char* title, OvkitClickItem* items, WORD count) {
        lstrcpyA(page.title, title);
        page.items = items;
        page.itemCount = count;
        page.bitmapId = static_cast<WORD>(OVKIT_GetBitmapResource(6));
        page.bitmapModule = OVKIT_GetBitmapInstance();
    }
    // Opens the window on the first page and waits until it is set up.
    HWND Open() {
        HWND window = OVKIT_CreateClickableWindow("", WS_POPUP | WS_CAPTION, 0, 0, 50, 50,
                                                  parent_->window(), nullptr, 0, &pages_[1]);
        EXPECT_TRUE(ovtest::WaitUntil([&] { return (pages_[1].flags & OVKIT_PAGE_SET_UP) != 0; }));
        return window;
    }
    std::string Title(HWND window) {
        char text[300] = "";
        GetWindowTextA(window, text, sizeof text);
        return text;
    }
    void Click(HWND window, int x, int y) {
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ovtest::PumpMessages();
    }
    // The shown picture's size, as the library's resource has it.
    SIZE PictureSize() {
        SIZE size = {};
        HBITMAP bitmap =
            LoadBitmapA(OVKIT_GetBitmapInstance(), MAKEINTRESOURCEA(OVKIT_GetBitmapResource(6)));
        BITMAP info = {};
        if (bitmap && GetObjectA(bitmap, sizeof info, &info))
            size = {info.bmWidth, info.bmHeight};
        if (bitmap)
            DeleteObject(bitmap);
        return size;
    }
    bool Closed(HWND window) {
        return ovtest::WaitUntil([&] { return !IsWindow(window); });
    }

    OvkitClickItem first_[4];
    OvkitClickItem second_[2];
    OvkitClickPage pages_[4]; // empty-titled records on either side
};

TEST_F(ClickableTest, OpensOverTheDisabledOwnerAtThePictureSize) {
    HWND window = Open();
    EXPECT_FALSE(IsWindowEnabled(parent_->window()));
    EXPECT_EQ(Title(window), "First page");
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, PictureSize().cx);
    EXPECT_EQ(client.bottom, PictureSize().cy);
    EXPECT_EQ(parent_->Received(WM_ENTERMENULOOP).size(), 1u);
    ovtest::ClientPicture picture(window);
    EXPECT_EQ(picture.At(0, 0), RGB(0, 0, 0)); // the black outline
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Closed(window));
    EXPECT_TRUE(IsWindowEnabled(parent_->window()));
    EXPECT_TRUE(ovtest::WaitUntil([&] { return parent_->Received(WM_EXITMENULOOP).size() == 1; }));
}

TEST_F(ClickableTest, ClicksReportTheItemAndCloseByFlagOrOutside) {
    const struct {
        int x, y;
        WPARAM reported; // 0: nothing reported
        bool closes;
    } cases[] = {
        {4, 4, 42, false},
        {12, 4, 43, true},   // item flag 1
        {12, 12, 0, true},   // the close item
        {100, 100, 0, true}, // outside every item
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        size_t before = parent_->Received(OVKIT_CLICKABLE_CLICKED).size();
        HWND window = Open();
        Click(window, c.x, c.y);
        auto reports = parent_->Received(OVKIT_CLICKABLE_CLICKED);
        ASSERT_EQ(reports.size(), before + (c.reported ? 1 : 0));
        if (c.reported) {
            EXPECT_EQ(reports.back().wParam, c.reported);
            EXPECT_EQ(static_cast<WORD>(reports.back().lParam),
                      LOWORD(reinterpret_cast<UINT_PTR>(window)));
        }
        if (c.closes) {
            EXPECT_TRUE(Closed(window));
        } else {
            EXPECT_TRUE(IsWindow(window));
            DestroyWindow(window);
        }
    }
}

// Guards: turning back to a page already shown re-posted its set-up for ever,
// because releasing a page left it marked as set up.
TEST_F(ClickableTest, PagesTurnBothWaysAndNextOnTheLastPageCloses) {
    HWND window = Open();
    Click(window, 4, 12); // next
    EXPECT_EQ(Title(window), "Second page");
    EXPECT_EQ(pages_[1].flags & OVKIT_PAGE_SET_UP, 0u);
    Click(window, 4, 4); // previous
    EXPECT_EQ(Title(window), "First page");
    EXPECT_NE(pages_[1].flags & OVKIT_PAGE_SET_UP, 0u);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, window, 2024, 2024, PM_NOREMOVE));
    Click(window, 4, 12); // next again
    Click(window, 12, 4); // next on the last page
    EXPECT_TRUE(Closed(window));
}

TEST_F(ClickableTest, HoverOpensQuickHelpUnderTheItem) {
    HWND window = Open();
    SetActiveWindow(window);
    SetCapture(window);
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(pages_[1].hoverIndex, 0);
    EXPECT_NE(pages_[1].hoverTimer, 0);
    SendMessageA(window, WM_TIMER, OVKIT_HOVER_TIMER, 0);
    ASSERT_NE(pages_[1].popup, nullptr);
    EXPECT_STREQ(pages_[1].popupRecord.text, "Forty-two");
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(200, 200)); // off every item
    EXPECT_EQ(pages_[1].popup, nullptr);
    EXPECT_EQ(pages_[1].hoverIndex, -1);
    DestroyWindow(window);
}

TEST_F(ClickableTest, CaptionLineBelowThePictureGoesWithItsPage) {
    pages_[1].flags = OVKIT_PAGE_CAPTION_LINE;
    pages_[1].captionControlId = 300;
    pages_[1].captionStringId = 2; // one of the library's own texts
    pages_[1].captionModule = GetModuleHandleA(nullptr);
    HWND window = Open();
    HWND line = GetDlgItem(window, 300);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(Title(line), "Unable to register a window class.");
    RECT client, rect;
    GetClientRect(window, &client);
    GetWindowRect(line, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 4);
    EXPECT_EQ(rect.top, PictureSize().cy + 4);
    EXPECT_EQ(client.bottom,
              PictureSize().cy + (rect.bottom - rect.top - 4) +
                  12);                                 // grown by the text height + 12
    EXPECT_NE(pages_[1].flags & OVKIT_PAGE_ERASE, 0u); // a caption line is erased behind
    Click(window, 4, 12);                              // next page: no caption line there
    EXPECT_EQ(GetDlgItem(window, 300), nullptr);
    EXPECT_EQ(pages_[1].captionFont, nullptr);
    DestroyWindow(window);
}

TEST_F(ClickableTest, MissingPictureTellsAndCloses) {
    pages_[1].bitmapId = 4321;
    HWND window = OVKIT_CreateClickableWindow("", WS_POPUP, 0, 0, 50, 50, parent_->window(),
                                              nullptr, 0, &pages_[1]);
    ASSERT_TRUE(boxes_.WaitFor(1));
    EXPECT_EQ(boxes_.Seen()[0].text, "Failed to load a bitmap resource.");
    EXPECT_EQ(boxes_.Seen()[0].caption, OVKIT_CAPTION);
    EXPECT_TRUE(Closed(window));
    EXPECT_TRUE(IsWindowEnabled(parent_->window()));
}

} // namespace
