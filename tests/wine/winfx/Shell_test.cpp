// Tray icon (add, remove, re-add on "TaskbarCreated"), tooltips and popup menus.
#include <gtest/gtest.h>

#include "TestKit.h"
#include "WinfxTestRes.h"
#include "winfx/Winfx.h"

using namespace winfx;

namespace {

constexpr UINT kTrayNotify = WM_USER + 10;
constexpr UINT kTrayId = 136;

// The owner window forwards every message to its tray icon first, as programs do.
class TrayOwner : public Window {
public:
    TrayOwner() {
        WindowArgs a;
        a.className = "WinfxTestTrayOwner";
        a.title = "tray owner";
        Create(a);
        tray = std::make_unique<TrayIcon>(Hwnd(), kTrayId, kTrayNotify);
    }
    std::unique_ptr<TrayIcon> tray;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (tray && tray->HandleTaskbarCreated(msg)) return 0;
        return Window::OnMessage(msg, wp, lp);
    }
};

// Whether the shell has an icon (owner, id): modifying a missing icon fails.
bool TrayHas(HWND owner, UINT id) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = owner;
    nid.uID = id;
    nid.uFlags = NIF_TIP;
    wcscpy(nid.szTip, L"probe");
    return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

}  // namespace

TEST(TrayIcon, AddRemoveAndRemovedOnDestruction) {
    App app;
    TrayOwner owner;
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    ASSERT_TRUE(owner.tray->Add(icon, "PeluQQ表情精灵"));
    EXPECT_TRUE(owner.tray->IsShown());
    EXPECT_TRUE(TrayHas(owner.Hwnd(), kTrayId));
    EXPECT_TRUE(owner.tray->SetTip("新的提示"));
    testkit::Screenshot("winfx_tray");
    EXPECT_TRUE(owner.tray->Remove());
    EXPECT_FALSE(owner.tray->IsShown());
    EXPECT_FALSE(TrayHas(owner.Hwnd(), kTrayId));
    EXPECT_FALSE(owner.tray->Remove()) << "nothing left to remove";
    EXPECT_FALSE(owner.tray->SetTip("x")) << "not shown";

    ASSERT_TRUE(owner.tray->Add(icon, "again"));
    owner.tray.reset();
    EXPECT_FALSE(TrayHas(owner.Hwnd(), kTrayId)) << "the destructor removes the icon";
}

TEST(TrayIcon, TaskbarCreatedAddsTheIconAgain) {
    App app;
    TrayOwner owner;
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    ASSERT_TRUE(owner.tray->Add(icon, "tip"));
    // A restarted taskbar has lost every icon.
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = owner.Hwnd();
    nid.uID = kTrayId;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &nid));
    ASSERT_FALSE(TrayHas(owner.Hwnd(), kTrayId));
    SendMessageW(owner.Hwnd(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayHas(owner.Hwnd(), kTrayId));
    EXPECT_TRUE(owner.tray->IsShown());
    // A broadcast while the icon is still there keeps it.
    SendMessageW(owner.Hwnd(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(owner.tray->IsShown());
    EXPECT_TRUE(TrayHas(owner.Hwnd(), kTrayId));
    // A hidden icon stays hidden.
    owner.tray->Remove();
    SendMessageW(owner.Hwnd(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_FALSE(TrayHas(owner.Hwnd(), kTrayId));
}

TEST(Tooltip, ToolsForControlsAndRectangles) {
    App app;
    Window host;
    WindowArgs a;
    a.className = "WinfxTestTipHost";
    ASSERT_TRUE(host.Create(a));
    HWND search = CreateControl(host.Hwnd(), WC_EDITW, "", 0, RECT{0, 0, 100, 20}, 1046);
    Tooltip tip;
    ASSERT_TRUE(tip.Create(host.Hwnd()));
    EXPECT_TRUE(tip.AddTool(search, "输入想要搜索的表情名称"));
    EXPECT_TRUE(tip.AddRect(1, RECT{0, 30, 45, 75}, "cell"));
    EXPECT_EQ(tip.ToolCount(), 2);
    EXPECT_EQ(Window::FromHwnd(host.Hwnd()), &host) << "the tooltip's subclass hides nothing";
    EXPECT_EQ(tip.ToolText(search), "输入想要搜索的表情名称");
    EXPECT_EQ(tip.RectText(1), "cell");
    tip.SetRectText(1, "左键单击：插入\n双击或右击：直接发送");
    EXPECT_EQ(tip.RectText(1), "左键单击：插入\n双击或右击：直接发送");
    tip.SetToolText(search, "");
    EXPECT_EQ(tip.ToolText(search), "");
    tip.RemoveTool(search);
    tip.RemoveRect(1);
    EXPECT_EQ(tip.ToolCount(), 0);
}

TEST(Tooltip, OwnerDestroyedFirstIsHarmless) {
    App app;
    auto tip = std::make_unique<Tooltip>();
    HWND tipHwnd;
    {
        Window host;
        WindowArgs a;
        a.className = "WinfxTestTipHost";
        ASSERT_TRUE(host.Create(a));
        ASSERT_TRUE(tip->Create(host.Hwnd()));
        tipHwnd = tip->Hwnd();
    }
    EXPECT_FALSE(IsWindow(tipHwnd)) << "owned windows go with their owner";
    tip.reset();  // must not destroy whatever window has the handle now
}

TEST(PopupMenu, LoadedFromResourceKeepsChecksDefaultAndTexts) {
    PopupMenu menu = PopupMenu::Load(ThisModule(), IDM_WINFX_TRAY);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu.Count(), 4);
    EXPECT_EQ(menu.IdAt(0), static_cast<UINT>(IDC_WINFX_HIDE));
    EXPECT_EQ(menu.Text(IDC_WINFX_DOCK), "吸附QQ窗口");
    menu.Check(IDC_WINFX_DOCK, true);
    EXPECT_TRUE(menu.IsChecked(IDC_WINFX_DOCK));
    menu.Check(IDC_WINFX_DOCK, false);
    EXPECT_FALSE(menu.IsChecked(IDC_WINFX_DOCK));
    EXPECT_TRUE(menu.SetText(IDC_WINFX_HIDE, "显示主窗口"));
    menu.Check(IDC_WINFX_HIDE, true);
    EXPECT_EQ(menu.Text(IDC_WINFX_HIDE), "显示主窗口");
    EXPECT_TRUE(menu.IsChecked(IDC_WINFX_HIDE)) << "a new text keeps the check mark";
    menu.SetDefault(IDC_WINFX_HIDE);
    EXPECT_EQ(menu.Default(), static_cast<UINT>(IDC_WINFX_HIDE));
    EXPECT_FALSE(menu.IsChecked(4242));
    EXPECT_FALSE(PopupMenu::Load(ThisModule(), 4242)) << "missing resource";

    PopupMenu moved = std::move(menu);
    EXPECT_FALSE(menu);
    EXPECT_EQ(moved.Count(), 4);
}

TEST(PopupMenu, BuiltMenuOwnsItsSubmenus) {
    PopupMenu menu;
    EXPECT_TRUE(menu.Append(1, "一"));
    EXPECT_TRUE(menu.AppendSeparator());
    PopupMenu sub;
    sub.Append(2, "二");
    HMENU subHandle = sub.Get();
    EXPECT_TRUE(menu.AppendSubmenu(std::move(sub), "更多"));
    EXPECT_FALSE(sub);
    EXPECT_EQ(menu.Count(), 3);
    HMENU root = menu.Get();
    { PopupMenu gone = std::move(menu); }
    EXPECT_FALSE(IsMenu(root));
    EXPECT_FALSE(IsMenu(subHandle)) << "destroyed with its parent";
}

TEST(PopupMenu, TrackReturnsTheChosenCommand) {
    App app;
    Window owner;
    WindowArgs a;
    a.className = "WinfxTestMenuOwner";
    a.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    ASSERT_TRUE(owner.Create(a));
    PopupMenu menu = PopupMenu::Load(ThisModule(), IDM_WINFX_TRAY);
    // Keys queued before the menu opens are read by its loop: down twice, then Enter.
    for (UINT vk : {VK_DOWN, VK_DOWN, VK_RETURN}) {
        PostMessageW(owner.Hwnd(), WM_KEYDOWN, vk, 1);
        PostMessageW(owner.Hwnd(), WM_KEYUP, vk, 0xC0000001);
    }
    EXPECT_EQ(menu.Track(owner.Hwnd(), POINT{100, 100}), static_cast<UINT>(IDC_WINFX_DOCK));
    PostMessageW(owner.Hwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(menu.Track(owner.Hwnd(), POINT{100, 100}), 0u) << "Esc chooses nothing";
}
