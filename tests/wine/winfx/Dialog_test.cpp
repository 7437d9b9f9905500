// Dialogs from .rc and in-memory templates: modal results, in/out fields, modeless
// dialogs driven by the App's IsDialogMessage, and exceptions in dialog handlers.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "TestKit.h"
#include "WinfxTestRes.h"
#include "winfx/Winfx.h"

using namespace winfx;

namespace {

constexpr UINT kAct = WM_APP + 1;  // runs the test's scripted user action inside the dialog loop

// The model of a small form: public fields in and out, the user acts through `user`.
class NameDlg : public Dialog {
public:
    using Dialog::Dialog;
    NameDlg() : Dialog(IDD_WINFX_NAME) {}

    std::string name;  // in/out
    bool flag = false;  // in/out
    std::function<void(NameDlg&)> user;
    bool throwOnInit = false, throwOnCommand = false;
    std::string exception;

protected:
    bool OnInitDialog() override {
        if (throwOnInit) throw std::runtime_error("init");
        SetItemText(IDE_WINFX_NAME, name);
        SetChecked(IDX_WINFX_FLAG, flag);
        PostMessageW(Hwnd(), kAct, 0, 0);
        return true;
    }
    void OnOK() override {
        name = ItemText(IDE_WINFX_NAME);
        flag = IsChecked(IDX_WINFX_FLAG);
        Dialog::OnOK();
    }
    bool OnCommand(int id, int code, HWND ctl) override {
        if (id == 555 && throwOnCommand) throw std::logic_error("command");
        return Dialog::OnCommand(id, code, ctl);
    }
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == kAct) {
            if (user) user(*this);
            return 0;
        }
        return Dialog::OnMessage(msg, wp, lp);
    }
    void OnException(const char* what) noexcept override { exception = what; }
};

void PostKey(HWND to, UINT vk) {
    PostMessageW(to, WM_KEYDOWN, vk, 1);
    PostMessageW(to, WM_KEYUP, vk, 0xC0000001);
}

}  // namespace

TEST(ModalDialog, ResourceTemplateReturnsIdokAndOutputFields) {
    App app;
    NameDlg dlg;
    dlg.name = "旧名字";
    dlg.user = [](NameDlg& d) {
        EXPECT_EQ(d.ItemText(IDE_WINFX_NAME), "旧名字");
        EXPECT_EQ(HwndGetText(d.Hwnd()), "名字");
        d.SetItemText(IDE_WINFX_NAME, "新名字");
        d.SetChecked(IDX_WINFX_FLAG, true);
        PostMessageW(d.Item(IDOK), BM_CLICK, 0, 0);
    };
    EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
    EXPECT_EQ(dlg.name, "新名字");
    EXPECT_TRUE(dlg.flag);
    EXPECT_EQ(dlg.Hwnd(), nullptr);
}

TEST(ModalDialog, EscapeAndCloseCancelWithoutTouchingFields) {
    App app;
    for (bool useClose : {false, true}) {
        NameDlg dlg;
        dlg.name = "keep";
        dlg.user = [useClose](NameDlg& d) {
            d.SetItemText(IDE_WINFX_NAME, "changed");
            if (useClose)
                PostMessageW(d.Hwnd(), WM_CLOSE, 0, 0);
            else
                PostKey(d.Item(IDE_WINFX_NAME), VK_ESCAPE);
        };
        EXPECT_EQ(dlg.DoModal(nullptr), IDCANCEL) << (useClose ? "WM_CLOSE" : "Esc");
        EXPECT_EQ(dlg.name, "keep");
    }
}

TEST(ModalDialog, InMemoryTemplateBuildsControlsAndReturnsIdok) {
    App app;
    DialogTemplate t("PeluQQ表情编辑器", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 160, 60);
    t.Add("Edit", "abc", IDE_WINFX_NAME, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 5, 5, 150, 12)
        .Add("RichEdit20A", "", 300, 0, 5, 20, 50, 12)
        .Add("Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 50, 40, 50, 14);
    LoadLibraryW(L"riched20.dll");  // registers RichEdit20A, as the messenger does
    NameDlg dlg(t.Bytes());
    dlg.user = [](NameDlg& d) {
        EXPECT_EQ(HwndGetClassName(d.Hwnd()), "#32770");
        EXPECT_EQ(HwndGetText(d.Hwnd()), "PeluQQ表情编辑器");
        EXPECT_EQ(HwndGetClassName(d.Item(300)), "RichEdit20A");
        EXPECT_EQ(d.ItemText(IDE_WINFX_NAME), "");  // OnInitDialog put the empty name in
        d.SetItemText(IDE_WINFX_NAME, "typed");
        PostKey(d.Item(IDE_WINFX_NAME), VK_RETURN);  // the default button
    };
    EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
    EXPECT_EQ(dlg.name, "typed");
}

TEST(ModalDialog, LoadedResourceTemplateCanBeUsedInMemory) {
    App app;
    std::vector<BYTE> bytes = LoadDialogTemplate(ThisModule(), IDD_WINFX_NAME);
    ASSERT_FALSE(bytes.empty());
    EXPECT_TRUE(LoadDialogTemplate(ThisModule(), 9999).empty());
    NameDlg dlg(std::move(bytes));
    dlg.user = [](NameDlg& d) { d.End(IDCANCEL); };
    EXPECT_EQ(dlg.DoModal(nullptr), IDCANCEL);
}

TEST(ModalDialog, MissingTemplateReturnsMinusOne) {
    App app;
    NameDlg dlg(9999);
    EXPECT_EQ(dlg.DoModal(nullptr), -1);
}

TEST(ModalDialog, ExceptionInInitEndsWithMinusOne) {
    App app;
    NameDlg dlg;
    dlg.throwOnInit = true;
    EXPECT_EQ(dlg.DoModal(nullptr), -1);
    EXPECT_EQ(dlg.exception, "init");
}

TEST(ModalDialog, ExceptionInCommandIsCaughtAndDialogGoesOn) {
    App app;
    NameDlg dlg;
    dlg.throwOnCommand = true;
    dlg.user = [](NameDlg& d) {
        SendMessageW(d.Hwnd(), WM_COMMAND, 555, 0);
        EXPECT_EQ(d.exception, "command");
        EXPECT_TRUE(IsWindow(d.Hwnd()));
        d.End(IDOK);
    };
    EXPECT_EQ(dlg.DoModal(nullptr), IDOK);
}

TEST(ModelessDialog, RegisteredDialogGetsKeyboardNavigation) {
    App app;
    NameDlg dlg;
    ASSERT_TRUE(dlg.CreateModeless(nullptr, &app));
    EXPECT_EQ(app.ModelessCount(), 1u);
    ShowWindow(dlg.Hwnd(), SW_SHOW);
    SetForegroundWindow(dlg.Hwnd());
    SetFocus(dlg.Item(IDE_WINFX_NAME));
    ASSERT_TRUE(testkit::WaitUntil([&] { return GetFocus() == dlg.Item(IDE_WINFX_NAME); }));
    testkit::Screenshot("winfx_modeless_dialog");

    PostKey(dlg.Item(IDE_WINFX_NAME), VK_TAB);
    app.PumpWaiting();
    EXPECT_EQ(GetFocus(), dlg.Item(IDE_WINFX_NOTE)) << "Tab moves to the next control";

    PostKey(dlg.Item(IDE_WINFX_NOTE), VK_ESCAPE);
    app.PumpWaiting();
    EXPECT_EQ(dlg.Hwnd(), nullptr) << "Esc cancels, and a modeless cancel destroys";
    EXPECT_EQ(app.ModelessCount(), 0u);
}

TEST(ModelessDialog, UnregisteredDialogIgnoresDialogKeys) {
    App app;
    NameDlg dlg;
    ASSERT_TRUE(dlg.CreateModeless(nullptr));
    EXPECT_EQ(app.ModelessCount(), 0u);
    PostKey(dlg.Item(IDE_WINFX_NAME), VK_ESCAPE);
    app.PumpWaiting();
    EXPECT_NE(dlg.Hwnd(), nullptr);
}

TEST(ModelessDialog, ExceptionInInitFailsCreation) {
    App app;
    NameDlg dlg;
    dlg.throwOnInit = true;
    EXPECT_FALSE(dlg.CreateModeless(nullptr, &app));
    EXPECT_EQ(dlg.Hwnd(), nullptr);
    EXPECT_EQ(app.ModelessCount(), 0u);
    EXPECT_EQ(dlg.exception, "init");
}

TEST(ModelessDialog, DestroyingTheObjectUnregistersIt) {
    App app;
    HWND h;
    {
        NameDlg dlg;
        ASSERT_TRUE(dlg.CreateModeless(nullptr, &app));
        h = dlg.Hwnd();
        EXPECT_EQ(Window::FromHwnd(h), &dlg);
    }
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(app.ModelessCount(), 0u);
}

TEST(App, RunReturnsTheQuitCode) {
    App app;
    PostQuitMessage(7);
    EXPECT_EQ(app.Run(), 7);
}
