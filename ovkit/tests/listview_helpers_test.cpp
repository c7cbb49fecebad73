#include "control_fixture.h"
#include "ovkit/listview_helpers.h"
#include <string>

namespace {

class ListViewTest : public ovtest::ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        INITCOMMONCONTROLSEX init = {sizeof init, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&init);
        list_ = CreateWindowExA(0, WC_LISTVIEWA, "",
                                WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED, 0, 0, 300,
                                200, parent_->window(), nullptr, nullptr, nullptr);
        ASSERT_NE(list_, nullptr);
    }
    std::string Cell(int item, int sub) {
        char text[300] = "";
        LVITEMA cell = {};
        cell.iSubItem = sub;
        cell.pszText = text;
        cell.cchTextMax = sizeof text;
        SendMessageA(list_, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&cell));
        return text;
    }
    void Choose(int item, UINT state) {
        LVITEMA change = {};
        change.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        change.state = state;
        SendMessageA(list_, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&change));
    }
    HWND list_ = nullptr;
};

std::string ColumnTitle(HWND list, int index, int* width) {
    char text[300] = "";
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    if (!SendMessageA(list, LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(&column)))
        return "<none>";
    *width = column.cx;
    return text;
}

TEST_F(ListViewTest, ColumnsFromSpec) {
    std::string longTitle(300, 'T');
    std::string spec = "120,Name\tSize\t\t80 Date\t" + longTitle;
    EXPECT_EQ(OVKIT_ListViewInsertColumns(list_, spec.c_str()), 0);
    const struct {
        const char* title;
        int width;
    } expected[] = {{"Name", 120}, {"Size", 100}, {"Date", 80}};
    for (int i = 0; i < 3; ++i) {
        int width = 0;
        EXPECT_EQ(ColumnTitle(list_, i, &width), expected[i].title);
        EXPECT_EQ(width, expected[i].width);
    }
    int width = 0;
    EXPECT_EQ(ColumnTitle(list_, 3, &width).substr(0, 10),
              longTitle.substr(0, 10)); // past 199 characters
    EXPECT_EQ(ColumnTitle(list_, 4, &width), "<none>");
}

TEST_F(ListViewTest, RowsFillItemAndSubItemsSkippingEmptyFields) {
    const char* titles[] = {"a", "b", "c"};
    const int widths[] = {50, 50, 50};
    OVKIT_ListViewInsertColumnArray(list_, 3, titles, widths);
    EXPECT_EQ(OVKIT_ListViewAddRow(list_, "one\ttwo\tthree"), 0);
    EXPECT_EQ(OVKIT_ListViewAddRow(list_, "a\t\tc"), 1);
    EXPECT_EQ(OVKIT_ListViewAddRow(list_, ""), -1);
    std::string longRow = std::string(1500, 'r') + "\tend";
    EXPECT_EQ(OVKIT_ListViewAddRow(list_, longRow.c_str()), 2);
    EXPECT_EQ(Cell(0, 0), "one");
    EXPECT_EQ(Cell(0, 1), "two");
    EXPECT_EQ(Cell(0, 2), "three");
    EXPECT_EQ(Cell(1, 1), "c"); // the empty field is skipped: "c" moves left
    EXPECT_EQ(Cell(1, 2), "");
    EXPECT_EQ(Cell(2, 1), "end");
}

TEST_F(ListViewTest, ChosenItemsAreSelectedOrFocused) {
    OVKIT_ListViewInsertColumns(list_, "Name");
    for (int i = 0; i < 5; ++i)
        OVKIT_ListViewAddRow(list_, "row");
    int chosen[5] = {};
    EXPECT_EQ(OVKIT_ListViewGetSelection(list_), -1);
    EXPECT_EQ(OVKIT_ListViewCountChosen(list_), 0);
    EXPECT_EQ(OVKIT_ListViewGetChosen(list_, 5, chosen), 0);
    Choose(1, LVIS_FOCUSED);
    Choose(3, LVIS_SELECTED);
    Choose(4, LVIS_SELECTED);
    EXPECT_EQ(OVKIT_ListViewGetSelection(list_), 1);
    EXPECT_EQ(OVKIT_ListViewCountChosen(list_), 3);
    EXPECT_EQ(OVKIT_ListViewGetChosen(list_, 2, chosen), 2); // bounded by the maximum
    EXPECT_EQ(chosen[0], 1);
    EXPECT_EQ(chosen[1], 3);
    EXPECT_EQ(OVKIT_ListViewMakeVisible(list_, 4), 0);
}

// Guards: shortening a cell wrote the dots past a 100-byte buffer for texts of
// 97 characters or more.
TEST_F(ListViewTest, FitTextKeepsLeadingCharactersAndDots) {
    auto width = [&](const std::string& text) {
        return static_cast<int>(
            SendMessageA(list_, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text.c_str())));
    };
    const std::string longCell(150, 'w');
    const struct {
        std::string text;
        int columnWidth;
    } cases[] = {{"short", 200}, {"abcdefghijklmnop", 60}, {longCell, 120}, {"wide", 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        char out[300];
        std::string fitted =
            OVKIT_ListViewFitText(list_, c.text.c_str(), c.columnWidth, out, sizeof out);
        if (width(c.text) <= c.columnWidth - 2) {
            EXPECT_EQ(fitted, c.text);
            continue;
        }
        ASSERT_GE(fitted.size(), 3u);
        std::string kept = fitted.substr(0, fitted.size() - 3);
        EXPECT_EQ(fitted.substr(kept.size()), "...");
        EXPECT_EQ(kept, c.text.substr(0, kept.size()));
        if (!kept.empty()) {
            EXPECT_LE(width(fitted), c.columnWidth - 2);
            // One more character would not fit.
            EXPECT_GT(width(c.text.substr(0, kept.size() + 1) + "..."), c.columnWidth - 2);
        }
    }
    char small[8];
    std::string bounded = OVKIT_ListViewFitText(list_, longCell.c_str(), 60, small, sizeof small);
    EXPECT_LE(bounded.size(), 7u);
    EXPECT_EQ(bounded.substr(bounded.size() - 3), "...");
}

TEST_F(ListViewTest, DrawItemPaintsSelectionAndSkipsOtherActions) {
    OVKIT_ListViewInsertColumns(list_, "100,Name\t100,Size");
    OVKIT_ListViewAddRow(list_, "x\ty");
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, 200, -20, 1, 32};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_LISTVIEW;
    item.hwndItem = list_;
    item.hDC = dc;
    item.rcItem = {0, 0, 200, 20};
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = ODS_SELECTED;
    EXPECT_EQ(OVKIT_ListViewDrawItem(&item), 1);
    EXPECT_EQ(GetPixel(dc, 0, 0), ovtest::Sys(COLOR_WINDOW));
    EXPECT_EQ(GetPixel(dc, 150, 18), ovtest::Sys(COLOR_HIGHLIGHT));
    item.itemAction = 0;
    EXPECT_EQ(OVKIT_ListViewDrawItem(&item), 0);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

} // namespace
