// Control views: item models of list, combo and list-view controls, image lists that
// stay owned by their ImageList, and subclassing of a template control.
#include <gtest/gtest.h>

#include <stdexcept>

#include "TestKit.h"
#include "winfx/Winfx.h"

using namespace winfx;

namespace {

class Host : public Window {
public:
    Host() {
        WindowArgs a;
        a.className = "WinfxTestHost";
        a.title = "controls";
        a.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
        a.x = a.y = 20;
        a.width = 520;
        a.height = 400;
        Create(a);
    }
};

RECT Rc(int x, int y, int w, int h) {
    return RECT{x, y, x + w, y + h};
}

// A 16x16 bitmap: white with a red 8x8 square in the middle.
UniqueBitmap WhiteWithRedCentre() {
    WindowDc screen(nullptr);
    UniqueMemDc dc(CreateCompatibleDC(screen.Get()));
    UniqueBitmap bmp(CreateCompatibleBitmap(screen.Get(), 16, 16));
    {
        SelectGuard sel(dc.Get(), bmp.Get());
        UniqueBrush white(CreateSolidBrush(RGB(255, 255, 255))), red(CreateSolidBrush(RGB(255, 0, 0)));
        RECT all{0, 0, 16, 16}, centre{4, 4, 12, 12};
        FillRect(dc.Get(), &all, white.Get());
        FillRect(dc.Get(), &centre, red.Get());
    }
    return bmp;
}

// Draws image i of the list on green and returns the colours of a corner and the centre.
std::pair<COLORREF, COLORREF> DrawOnGreen(const ImageList& list, int i) {
    WindowDc screen(nullptr);
    UniqueMemDc dc(CreateCompatibleDC(screen.Get()));
    UniqueBitmap bmp(CreateCompatibleBitmap(screen.Get(), 16, 16));
    SelectGuard sel(dc.Get(), bmp.Get());
    UniqueBrush green(CreateSolidBrush(RGB(0, 255, 0)));
    RECT all{0, 0, 16, 16};
    FillRect(dc.Get(), &all, green.Get());
    list.Draw(i, dc.Get(), 0, 0);
    return {GetPixel(dc.Get(), 1, 1), GetPixel(dc.Get(), 8, 8)};
}

}  // namespace

TEST(Controls, ListBoxAndComboBoxItemModel) {
    App app;
    Host host;
    ListBox lb(CreateControl(host.Hwnd(), WC_LISTBOXW, "", LBS_NOTIFY | WS_BORDER, Rc(10, 10, 150, 100), 10));
    ComboBox cb(CreateControl(host.Hwnd(), WC_COMBOBOXW, "", CBS_DROPDOWN, Rc(170, 10, 150, 200), 11));
    ASSERT_TRUE(lb && cb);
    EXPECT_EQ(lb.Id(), 10);
    EXPECT_EQ(lb.Add("一"), 0);
    EXPECT_EQ(lb.Add("二"), 1);
    EXPECT_EQ(lb.Insert(0, "零"), 0);
    lb.SetItemData(2, 77);
    EXPECT_EQ(lb.Count(), 3);
    EXPECT_EQ(lb.ItemText(0), "零");
    EXPECT_EQ(lb.ItemText(2), "二");
    EXPECT_EQ(lb.ItemData(2), 77);
    EXPECT_EQ(lb.ItemText(5), "") << "past the end";
    EXPECT_EQ(lb.Selection(), -1);
    lb.Select(1);
    EXPECT_EQ(lb.Selection(), 1);
    lb.Remove(0);
    EXPECT_EQ(lb.ItemText(0), "一");

    EXPECT_EQ(cb.Add("搜索历史"), 0);
    EXPECT_EQ(cb.Insert(0, "最近"), 0);
    EXPECT_EQ(cb.FindExact("搜索历史"), 1);
    EXPECT_EQ(cb.FindExact("搜索"), -1) << "exact, not prefix";
    cb.SetItemData(1, -1);
    EXPECT_EQ(cb.ItemData(1), -1);
    cb.Select(1);
    EXPECT_EQ(cb.Text(), "搜索历史");
    cb.Clear();
    EXPECT_EQ(cb.Count(), 0);
    EXPECT_EQ(cb.ItemText(0), "");
}

TEST(Controls, ComboBoxExKeepsImagesAndData) {
    App app;
    Host host;
    ComboBoxEx cbx(CreateControl(host.Hwnd(), WC_COMBOBOXEXW, "", CBS_DROPDOWNLIST, Rc(10, 10, 200, 200), 12));
    ASSERT_TRUE(cbx);
    ImageList images(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4);
    UniqueBitmap bmp = WhiteWithRedCentre();
    EXPECT_EQ(images.AddMasked(bmp.Get(), RGB(255, 255, 255)), 0);
    EXPECT_EQ(images.AddMasked(bmp.Get(), RGB(255, 255, 255)), 1);
    cbx.SetImageList(images.Get());
    EXPECT_EQ(cbx.Insert(-1, "我的常用表情", 0, -1), 0);
    EXPECT_EQ(cbx.Insert(-1, "默认", 1, 5), 1);
    EXPECT_EQ(cbx.Count(), 2);
    EXPECT_EQ(cbx.ItemText(0), "我的常用表情");
    EXPECT_EQ(cbx.ItemImage(1), 1);
    EXPECT_EQ(cbx.ItemData(0), -1);
    EXPECT_EQ(cbx.ItemData(1), 5);
    cbx.Select(1);
    EXPECT_EQ(cbx.Selection(), 1);
    EXPECT_NE(cbx.Combo(), nullptr);
    cbx.Remove(0);
    EXPECT_EQ(cbx.ItemText(0), "默认");
    EXPECT_EQ(cbx.ItemText(3), "") << "past the end";
    EXPECT_EQ(cbx.ItemImage(3), -1);
    cbx.Clear();
    EXPECT_EQ(cbx.Count(), 0);
}

TEST(Controls, ListViewReportCellsAndSharedImageList) {
    App app;
    ImageList images(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4);
    UniqueBitmap bmp = WhiteWithRedCentre();
    images.AddMasked(bmp.Get(), RGB(255, 255, 255));
    {
        Host host;
        // Created without LVS_SHAREIMAGELISTS, as a template might: SetImageList adds it.
        ListView lv(CreateControl(host.Hwnd(), WC_LISTVIEWW, "", LVS_REPORT, Rc(10, 10, 480, 300), 13));
        ASSERT_TRUE(lv);
        lv.SetImageList(images.Get());
        EXPECT_EQ(lv.AddColumn("Item", 200), 0);
        EXPECT_EQ(lv.AddColumn("进度", 100), 1);
        EXPECT_EQ(lv.ColumnCount(), 2);
        EXPECT_EQ(lv.InsertItem(-1, "<Default>", 0, 11), 0);
        EXPECT_EQ(lv.InsertItem(-1, "动物", 0, 12), 1);
        EXPECT_EQ(lv.InsertItem(0, "first", -1, 10), 0);
        EXPECT_TRUE(lv.SetItemText(2, 1, "50%"));
        EXPECT_EQ(lv.Count(), 3);
        EXPECT_EQ(lv.ItemText(2, 0), "动物");
        EXPECT_EQ(lv.ItemText(2, 1), "50%");
        const std::string longText(600, 'x');  // longer than the first buffer
        lv.SetItemText(0, 1, longText);
        EXPECT_EQ(lv.ItemText(0, 1), longText);
        EXPECT_EQ(lv.ItemData(1), 11);
        EXPECT_EQ(lv.ItemImage(1), 0);
        EXPECT_EQ(lv.ItemImage(0), I_IMAGENONE);
        EXPECT_EQ(lv.FindData(12), 2);
        EXPECT_EQ(lv.FindData(99), -1);
        EXPECT_EQ(lv.Selection(), -1);
        lv.Select(2);
        EXPECT_EQ(lv.Selection(), 2);
        const RECT cell = lv.CellRect(2, 1);
        EXPECT_GT(cell.right - cell.left, 50);
        int column = -1;
        EXPECT_EQ(lv.HitTest(POINT{cell.left + 5, (cell.top + cell.bottom) / 2}, &column), 2);
        EXPECT_EQ(column, 1);
        testkit::Screenshot("winfx_listview");
        EXPECT_TRUE(lv.Remove(0));
        EXPECT_EQ(lv.FindData(12), 1);
    }
    EXPECT_EQ(images.Count(), 1) << "the list view destroyed an image list it did not own";
}

TEST(Controls, ImageListMasksAndReplaces) {
    ImageList images(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4);
    ASSERT_TRUE(images);
    ASSERT_EQ(images.AddMasked(WhiteWithRedCentre().Get(), RGB(255, 255, 255)), 0);
    auto [corner, centre] = DrawOnGreen(images, 0);
    EXPECT_EQ(corner, RGB(0, 255, 0)) << "white is transparent";
    EXPECT_EQ(centre, RGB(255, 0, 0));
    ASSERT_EQ(images.AddMasked(WhiteWithRedCentre().Get(), RGB(255, 0, 0)), 1);
    std::tie(corner, centre) = DrawOnGreen(images, 1);
    EXPECT_EQ(corner, RGB(255, 255, 255));
    EXPECT_EQ(centre, RGB(0, 255, 0));
    EXPECT_TRUE(images.ReplaceMasked(1, WhiteWithRedCentre().Get(), RGB(255, 255, 255)));
    EXPECT_EQ(images.Count(), 2);
    std::tie(corner, centre) = DrawOnGreen(images, 1);
    EXPECT_EQ(corner, RGB(0, 255, 0)) << "the replacement is masked by its own colour";
    EXPECT_EQ(centre, RGB(255, 0, 0));
    std::tie(corner, centre) = DrawOnGreen(images, 0);
    EXPECT_EQ(centre, RGB(255, 0, 0)) << "the other image is untouched";
    EXPECT_FALSE(images.ReplaceMasked(2, WhiteWithRedCentre().Get(), 0)) << "no image 2";
    EXPECT_EQ(images.Count(), 2);
    images.Clear();
    EXPECT_EQ(images.Count(), 0);
}

TEST(Controls, ButtonsEditsAndProgress) {
    App app;
    Host host;
    Button check(CreateControl(host.Hwnd(), WC_BUTTONW, "吸附", BS_AUTOCHECKBOX, Rc(10, 10, 100, 20), 20));
    Edit edit(CreateControl(host.Hwnd(), WC_EDITW, "abc", ES_AUTOHSCROLL | WS_BORDER, Rc(10, 40, 200, 22), 21));
    ProgressBar bar(CreateControl(host.Hwnd(), PROGRESS_CLASSW, "", 0, Rc(10, 70, 200, 16), 22));
    Static label(host.Hwnd(), 999);
    EXPECT_FALSE(label) << "no such control";
    EXPECT_FALSE(check.IsChecked());
    check.Click();
    EXPECT_TRUE(check.IsChecked());
    check.SetChecked(false);
    EXPECT_FALSE(check.IsChecked());
    EXPECT_EQ(check.Text(), "吸附");
    edit.SelectAll();
    edit.ReplaceSelection("表情");
    EXPECT_EQ(edit.Text(), "表情");
    edit.SetLimit(3);
    edit.Select(2, 2);
    edit.ReplaceSelection("名字");
    EXPECT_EQ(edit.Text(), "表情名") << "the limit cuts typed text";
    edit.Enable(false);
    EXPECT_FALSE(edit.IsEnabled());
    bar.SetRange(0, 9);
    bar.SetPos(4);
    bar.Step();
    EXPECT_EQ(bar.Pos(), 5);
    bar.SetPos(20);
    EXPECT_EQ(bar.Pos(), 9) << "clamped to the range";
    edit.Move(Rc(20, 100, 150, 22));
    const RECT r = edit.RectInParent();
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 100);
}

namespace {

class UpperCase : public Subclass {
public:
    int seen = 0;
    std::string exception;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_CHAR) {
            ++seen;
            if (wp == '!') throw std::runtime_error("bang");
            if (wp >= 'a' && wp <= 'z') wp -= 'a' - 'A';
        }
        return DefaultProc(msg, wp, lp);
    }
    void OnException(const char* what) noexcept override { exception = what; }
};

}  // namespace

TEST(Subclass, TakesMessagesUntilTheControlIsDestroyed) {
    App app;
    Host host;
    HWND edit = CreateControl(host.Hwnd(), WC_EDITW, "", 0, Rc(0, 0, 100, 20), 30);
    UpperCase sub;
    ASSERT_TRUE(sub.Attach(edit));
    EXPECT_FALSE(sub.Attach(edit)) << "one window per object";
    SendMessageW(edit, WM_CHAR, 'q', 1);
    SendMessageW(edit, WM_CHAR, '!', 1);  // throws; the edit still gets the character
    EXPECT_EQ(HwndGetText(edit), "Q!");
    EXPECT_EQ(sub.exception, "bang");
    DestroyWindow(edit);
    EXPECT_EQ(sub.Hwnd(), nullptr);

    HWND edit2 = CreateControl(host.Hwnd(), WC_EDITW, "", 0, Rc(0, 0, 100, 20), 31);
    {
        UpperCase gone;
        ASSERT_TRUE(gone.Attach(edit2));
    }
    SendMessageW(edit2, WM_CHAR, 'q', 1);  // must not reach the destroyed object
    EXPECT_EQ(HwndGetText(edit2), "q");
}
