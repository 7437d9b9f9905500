// The online download window: skinned, titled, the browser's box between the skin's caption
// band and bottom border; without an HTML engine it says so and opens the catalogue in the
// user's default browser; the skin's close button ends it.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "HtmlCtrl_win.h"
#include "OnlineDownDlg_win.h"
#include "RecStubClient_win.h"
#include "TestKit.h"

namespace {

using testkit::Narrow;
using testkit::Wide;

std::string Text(HWND hwnd) {
    wchar_t buf[512] = {};
    GetWindowTextW(hwnd, buf, 512);
    return Narrow(buf);
}

std::string ClassOf(HWND hwnd) {
    wchar_t buf[64] = {};
    GetClassNameW(hwnd, buf, 64);
    return Narrow(buf);
}

RECT ChildRect(HWND dialog, HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class OnlineDown : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { CoUninitialize(); }
    std::string ProgramDir() const { return testkit::AppDir() + "\\"; }
};

TEST_F(OnlineDown, WithoutAnHtmlEngineTheWindowSaysSoWhereTheBrowserWouldBe) {
    ASSERT_FALSE(CHtmlCtrl::EngineAvailable()) << "this prefix was meant to have no HTML engine";
    COnlineDownFaceDlg dialog(ProgramDir());
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    const HWND w = dialog.Hwnd();
    ShowWindow(w, SW_SHOW);
    EXPECT_EQ(ClassOf(w), "#32770");
    EXPECT_EQ(Text(w), "Pelu表情在线下载");
    EXPECT_FALSE(dialog.BrowserShown());

    // The box: below the caption band (top bitmap 26 high) + 2, above the bottom border
    // (8 high), 4 pixels in from each side; the white panel fills it.
    RECT client;
    GetClientRect(w, &client);
    const RECT box = dialog.BrowserRect();
    EXPECT_EQ(box.left, 4);
    EXPECT_EQ(box.top, 26 + 2);
    EXPECT_EQ(box.right, client.right - 4);
    EXPECT_EQ(box.bottom, client.bottom - 8);
    const HWND panel = dialog.Item(COnlineDownFaceDlg::kPlaceholderId);
    ASSERT_TRUE(panel);
    const RECT pr = ChildRect(w, panel);
    EXPECT_TRUE(EqualRect(&pr, &box));

    const std::string notice = Text(dialog.Item(COnlineDownFaceDlg::kNoticeId));
    EXPECT_NE(notice.find("网页浏览组件"), std::string::npos) << notice;
    EXPECT_EQ(Text(dialog.Item(COnlineDownFaceDlg::kAddressId)), dialog.catalogueUrl);
    EXPECT_NE(dialog.catalogueUrl.find("/pelux/facelist.html"), std::string::npos);
    EXPECT_EQ(dialog.catalogueUrl.rfind("http://", 0), 0u);
    for (int id : {COnlineDownFaceDlg::kNoticeId, COnlineDownFaceDlg::kAddressId, COnlineDownFaceDlg::kOpenButtonId}) {
        const RECT r = ChildRect(w, dialog.Item(id));
        RECT inside;
        IntersectRect(&inside, &r, &box);
        EXPECT_TRUE(EqualRect(&inside, &r)) << "control " << id << " leaves the browser's box";
    }
    testkit::WaitUntil([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_TRUE(testkit::Screenshot("onlinedown-fallback"));
}

// The user's default browser for http links, replaced by the recording stub for one test.
class DefaultBrowser {
public:
    explicit DefaultBrowser(const std::string& exe) {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr);
        if (!key) return;
        wchar_t old[1024] = {};
        DWORD size = sizeof old - sizeof(wchar_t), type = 0;
        m_had = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
        m_old = old;
        const std::wstring cmd = L"\"" + Wide(exe) + L"\" \"%1\"";
        m_set = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(cmd.c_str()),
                               static_cast<DWORD>((cmd.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    ~DefaultBrowser() {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return;
        if (m_had)
            RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(m_old.c_str()),
                           static_cast<DWORD>((m_old.size() + 1) * sizeof(wchar_t)));
        else
            RegDeleteValueW(key, nullptr);
        RegCloseKey(key);
    }
    bool Ok() const { return m_set; }

private:
    bool m_had = false, m_set = false;
    std::wstring m_old;
};

TEST_F(OnlineDown, OpenButtonHandsTheCatalogueToTheDefaultBrowser) {
    const std::string folder = testkit::RunDir() + "\\browser";
    CreateDirectoryW(Wide(folder).c_str(), nullptr);
    ASSERT_TRUE(recstub::PlaceStub(testkit::AppDir(), folder, "browser.exe"));
    DefaultBrowser browser(folder + "\\browser.exe");
    ASSERT_TRUE(browser.Ok());

    COnlineDownFaceDlg dialog(ProgramDir());
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    const HWND button = dialog.Item(COnlineDownFaceDlg::kOpenButtonId);
    ASSERT_TRUE(button);
    SendMessageW(button, BM_CLICK, 0, 0);
    ASSERT_TRUE(testkit::WaitUntil([&] { return !recstub::RecordedArguments(folder, "browser").empty(); },
                                   std::chrono::seconds(30)));
    const std::string args = recstub::RecordedArguments(folder, "browser").at(0);
    EXPECT_NE(args.find(dialog.catalogueUrl), std::string::npos) << args;
    EXPECT_TRUE(IsWindow(dialog.Hwnd())) << "the window stays open";
}

TEST_F(OnlineDown, SkinCloseButtonEndsTheModalWindow) {
    COnlineDownFaceDlg dialog(ProgramDir());
    std::atomic<bool> clicked{false};
    std::thread user([&] {
        HWND w = nullptr;
        for (int i = 0; i < 500 && !w; ++i) {
            w = FindWindowW(L"#32770", L"Pelu表情在线下载");
            if (!w) Sleep(20);
        }
        if (!w) return;
        // The close button: the caption band's rightmost child window.
        HWND close = nullptr;
        LONG best = -1;
        for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            const RECT r = ChildRect(w, c);
            if (r.top < 26 && r.bottom <= 30 && r.left > best) {
                best = r.left;
                close = c;
            }
        }
        if (!close) {
            PostMessageW(w, WM_CLOSE, 0, 0);  // no hang when the button is missing
            return;
        }
        PostMessageW(close, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        PostMessageW(close, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(close, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        clicked = true;
    });
    const INT_PTR result = dialog.DoModal(nullptr);
    user.join();
    EXPECT_TRUE(clicked);
    EXPECT_NE(result, -1);
    EXPECT_FALSE(FindWindowW(L"#32770", L"Pelu表情在线下载"));
}

}  // namespace
