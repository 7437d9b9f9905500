// The fake messenger shows the window shapes the main program and the hook library tell
// chat windows by, and the look-alikes they must pass over.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeQQClient_win.h"
#include "TestKit.h"

namespace {

std::wstring ClassOf(HWND h) {
    wchar_t name[257] = {};
    GetClassNameW(h, name, 257);
    return name;
}

std::wstring TitleOf(HWND h) {
    wchar_t text[257] = {};
    GetWindowTextW(h, text, 257);
    return text;
}

BOOL CALLBACK CollectChild(HWND h, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
    return TRUE;
}

std::vector<HWND> Descendants(HWND root) {
    std::vector<HWND> all;
    EnumChildWindows(root, CollectChild, reinterpret_cast<LPARAM>(&all));
    return all;
}

int CountClass(HWND root, const std::wstring& cls, bool prefix) {
    int n = 0;
    for (HWND h : Descendants(root)) {
        const std::wstring c = ClassOf(h);
        if (prefix ? c.compare(0, cls.size(), cls) == 0 : c == cls) ++n;
    }
    return n;
}

bool HasRichEditInAfx(HWND root) {
    for (HWND h : Descendants(root))
        if (ClassOf(h) == L"AfxWnd42" && CountClass(h, L"RichEdit20A", false) > 0) return true;
    return false;
}

// The two tests the system applies, as their rules are written.
bool MainProgramSeesChat(HWND w) {
    const std::wstring c = ClassOf(w);
    if (c == L"#32770") return HasRichEditInAfx(w);
    if (c == L"TXGuiFoundation")
        return CountClass(w, L"ATL:", true) == 1 && CountClass(w, L"Shell Embedding", false) == 1 &&
               TitleOf(w) != L"重新登录";
    return false;
}

bool HookSeesChat(HWND w) {
    const std::wstring c = ClassOf(w);
    if (c == L"#32770") return HasRichEditInAfx(w);
    if (c == L"TXGuiFoundation")
        return CountClass(w, L"ATL:", true) == 1 && TitleOf(w).compare(0, 6, L"QQ2009") != 0 &&
               TitleOf(w) != L"重新登录";
    return false;
}

struct Expected {
    const char* kind;
    const wchar_t* cls;
    bool mainSees;
    bool hookSees;
};

TEST(FakeQQShapes, EachKindIsTheShapeItStandsFor) {
    const Expected table[] = {
        {"classic", L"#32770", true, true},
        {"classic-bar", L"#32770", true, true},
        {"classic-plain", L"#32770", false, false},
        {"tx", L"TXGuiFoundation", true, true},
        {"tx-noshell", L"TXGuiFoundation", false, true},
        {"tx-main", L"TXGuiFoundation", true, false},  // only the hook checks the title
        {"tx-relogin", L"TXGuiFoundation", false, false},
        {"tx-twoatl", L"TXGuiFoundation", false, false},
    };
    std::string args = fakeqq::SafetyLifetimeArg();
    for (const Expected& e : table) args += std::string(" --window ") + e.kind;
    fakeqq::FakeQQProcess qq;
    ASSERT_TRUE(qq.Start(testkit::AppDir() + "\\FakeQQ.exe", args,
                         testkit::RunDir() + "\\fakeqq-shapes.log"));
    ASSERT_TRUE(qq.WaitReady()) << testkit::ReadFile(qq.LogPath());
    testkit::Screenshot("e2e_fakeqq_test_shapes");

    for (int i = 0; i < 8; ++i) {
        const Expected& e = table[i];
        SCOPED_TRACE(e.kind);
        HWND w = qq.Window(i + 1);
        ASSERT_TRUE(IsWindow(w));
        EXPECT_EQ(GetParent(w), nullptr);
        EXPECT_TRUE(IsWindowVisible(w));
        EXPECT_EQ(ClassOf(w), e.cls);
        EXPECT_EQ(MainProgramSeesChat(w), e.mainSees);
        EXPECT_EQ(HookSeesChat(w), e.hookSees);
        EXPECT_GE(qq.FindLine({"WINDOW id=" + std::to_string(i + 1) + " kind=" + e.kind + " "}), 0);
    }
    EXPECT_EQ(TitleOf(qq.Window(6)), L"QQ2009");
    EXPECT_EQ(TitleOf(qq.Window(7)), L"重新登录");
    EXPECT_EQ(CountClass(qq.Window(8), L"ATL:", true), 2);
    EXPECT_EQ(CountClass(qq.Window(2), L"Tencent_QQBar", false), 1);
    EXPECT_EQ(CountClass(qq.Window(1), L"Tencent_QQBar", false), 0);
    // "Shell Embedding" is a direct child of the chat window.
    EXPECT_NE(FindWindowExW(qq.Window(4), nullptr, L"Shell Embedding", nullptr), nullptr);

    // The input of each chat kind is the rich edit inside its host.
    HWND classicInput = qq.Input(1);
    EXPECT_EQ(ClassOf(classicInput), L"RichEdit20A");
    EXPECT_EQ(ClassOf(GetParent(classicInput)), L"AfxWnd42");
    HWND txInput = qq.Input(4);
    EXPECT_EQ(ClassOf(txInput), L"RichEdit20W");
    EXPECT_EQ(ClassOf(GetParent(txInput)), L"ATL:FakeQQInput");
    EXPECT_EQ(qq.Input(3), nullptr);  // classic-plain has none
}

TEST(FakeQQShapes, TitlesAndPlacementsFromTheCommandLine) {
    fakeqq::FakeQQProcess qq;
    ASSERT_TRUE(qq.Start(testkit::AppDir() + "\\FakeQQ.exe",
                         "--window \"tx@150,120,360,300:与 张三 聊天中\"" + fakeqq::SafetyLifetimeArg(),
                         testkit::RunDir() + "\\fakeqq-titles.log"));
    ASSERT_TRUE(qq.WaitReady()) << testkit::ReadFile(qq.LogPath());
    HWND w = qq.Window(1);
    EXPECT_EQ(TitleOf(w), L"与 张三 聊天中");
    RECT r{};
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 150);
    EXPECT_EQ(r.top, 120);
    EXPECT_EQ(r.right - r.left, 360);
    EXPECT_EQ(r.bottom - r.top, 300);
    EXPECT_GE(qq.FindLine({"WINDOW id=1 ", "title=与 张三 聊天中"}), 0)
        << testkit::ReadFile(qq.LogPath());
}

TEST(FakeQQShapes, ABadCommandLineEndsWithCodeTwoAndSaysWhy) {
    fakeqq::FakeQQProcess qq;
    ASSERT_TRUE(qq.Start(testkit::AppDir() + "\\FakeQQ.exe", "--window icq",
                         testkit::RunDir() + "\\fakeqq-bad.log"));
    DWORD code = 0;
    ASSERT_TRUE(qq.WaitExit(std::chrono::seconds(10), &code));
    EXPECT_EQ(code, 2u);
    EXPECT_GE(qq.FindLine({"ERROR ", "icq"}), 0) << testkit::ReadFile(qq.LogPath());
}

}  // namespace
