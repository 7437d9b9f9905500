// Clicking a face in the panel puts it into the fake messenger's chat window: the picture
// lands in the face cache folder under its own name, the clipboard carries the fragment
// under three formats, Ctrl+V (and Ctrl+Enter to send) arrive with their scan codes - for
// the classic and the TX window shapes. A face that cannot be put on the clipboard types
// nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FaceFragment.h"
#include "FaceSender_win.h"
#include "FakeQQClient_win.h"
#include "MienkosPanel_win.h"
#include "PanelTestKit.h"
#include "PictureTestKit.h"
#include "TestKit.h"

using fakeqq::FakeQQProcess;
using fakeqq::LogField;
using namespace pictest;

namespace {

// Sends the way the picker does: a click inserts, a double or right click sends.
class SendingOwner : public PanelOwner {
public:
    SendingOwner(CMienkosPanel& panel, panel::FaceSender& sender) : m_panel(panel), m_sender(sender) {}
    void OnFaceClick(int cell) override { Send(cell, false); }
    void OnFaceDoubleClick(int cell) override { Send(cell, true); }
    void OnFaceRightClick(int cell, POINT) override { Send(cell, true); }
    HWND chat = nullptr;
    std::vector<bool> results;

private:
    void Send(int cell, bool send) {
        if (const PanelFace* face = m_panel.Face(cell))
            results.push_back(m_sender.SendFace(*face, m_panel.Hwnd(), chat, send));
    }
    CMienkosPanel& m_panel;
    panel::FaceSender& m_sender;
};

std::string ReadClipboardText(UINT format) {
    std::string text;
    if (!OpenClipboard(nullptr))
        return "<closed>";
    if (HANDLE h = GetClipboardData(format)) {
        if (const char* p = static_cast<const char*>(GlobalLock(h))) {
            text.assign(p, strnlen(p, GlobalSize(h)));
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

bool PutMarker(HWND owner, const std::string& text) {
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    const bool ok = SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    return ok;
}

void Down(HWND h) { SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); }
void Up(HWND h) { SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5)); }

class FaceSend : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        app = testkit::AppDir();
        ASSERT_FALSE(app.empty()) << "run through the harness (--install)";
        kind = GetParam();
        // The failure paths do not depend on the window's shape: one shape is enough.
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        if (kind == "tx" && (test.find("CannotBeCached") != std::string::npos ||
                             test.find("WithoutAVisibleChatWindow") != std::string::npos))
            GTEST_SKIP() << "shape-independent";
        // A log of its own per test: the last test's messenger may still hold its file.
        static int run = 0;
        ASSERT_TRUE(qq.Start(app + "\\FakeQQ.exe", "--window " + kind + fakeqq::SafetyLifetimeArg(),
                             testkit::RunDir() + "\\fakeqq-send-" + std::to_string(++run) + ".log"));
        ASSERT_TRUE(qq.WaitReady()) << testkit::ReadFile(qq.LogPath());
        owner.chat = qq.Window(1);
        ASSERT_TRUE(IsWindow(owner.chat));
        ASSERT_TRUE(panel.Create(host.Get(), {0, 0, 100, 100}, 1031));
        ASSERT_TRUE(panel.CreateGrid(5, 2, 10, &owner));
        smile = panel_test::Sample("wide.gif");
        ASSERT_FALSE(smile.empty());
        ASSERT_TRUE(panel.LoadFace(0, Face("smile.gif")));
        ASSERT_TRUE(panel.LoadFace(1, Face("old/folder\\grin.gif")));
        ASSERT_TRUE(panel.LoadFace(2, Face("C:\\x\\..")));  // no usable name
    }

    PanelFace Face(const std::string& name) {
        PanelFace f;
        f.id = std::string(32, 'c');
        f.fileName = name;
        f.thumbnail = panel_test::Sample("still.jpg");
        f.image = smile;
        return f;
    }

    // Waits for the messenger's reaction and lets a possible late second one show up.
    int WaitFor(const std::vector<std::string>& needles, size_t from) {
        const int line = qq.WaitLine(needles, from, std::chrono::seconds(15));
        Pump(1500);
        return line;
    }

    int Count(const std::string& needle, size_t from) {
        int n = 0;
        const auto lines = qq.Lines();
        for (size_t i = from; i < lines.size(); ++i)
            n += lines[i].find(needle) != std::string::npos;
        return n;
    }

    std::string app, kind;
    FakeQQProcess qq;
    HostWindow host{300, 200, L"send test"};
    CMienkosPanel panel;
    panel::FaceSender sender{testkit::AppDir()};
    SendingOwner owner{panel, sender};
    std::vector<uint8_t> smile;
};

}  // namespace

TEST_P(FaceSend, SingleClickPastesTheCachedFaceWithTheExactFragment) {
    const size_t from = qq.Lines().size();
    Down(panel.CellHwnd(0));
    Up(panel.CellHwnd(0));
    const int pasted = WaitFor({"PASTED id=1 "}, from);
    const std::string log = testkit::ReadFile(qq.LogPath());
    ASSERT_GE(pasted, 0) << log;
    EXPECT_EQ(0, Count("SENT id=1", from)) << log;
    EXPECT_EQ(1, Count("PASTED id=1", from)) << log;
    ASSERT_EQ(std::vector<bool>{true}, owner.results);

    const std::string path = app + "\\face\\smile.gif";
    EXPECT_EQ(path, sender.LastFilePath());
    EXPECT_EQ(std::string(smile.begin(), smile.end()), testkit::ReadFile(path));
    const auto lines = qq.Lines();
    const int face = qq.FindLine({"FACE id=1 exists=1"}, from);
    ASSERT_GE(face, 0) << log;
    EXPECT_EQ(path, LogField(lines[static_cast<size_t>(face)], "path"));
    EXPECT_EQ(std::to_string(smile.size()), LogField(lines[static_cast<size_t>(face)], "bytes"));

    const std::string fragment = panel::RichEditFragment(path);
    const int rich = qq.FindLine({"CLIP id=1 format=QQ_RichEdit_Format "}, from);
    ASSERT_GE(rich, 0) << log;
    EXPECT_EQ(fragment, LogField(lines[static_cast<size_t>(rich)], "text"));
    EXPECT_GE(qq.FindLine({"CLIP id=1 format=CF_TEXT ", "text=" + fragment}, from), 0) << log;
    EXPECT_GE(qq.FindLine({"CLIP id=1 format=CF_OEMTEXT ", "text=" + fragment}, from), 0) << log;
    EXPECT_GE(qq.FindLine({"CLIP id=1 formats=", "CF_OEMTEXT(7)", "CF_TEXT(1)",
                           "QQ_RichEdit_Format("}, from), 0) << log;

    // Ctrl down, V down, Ctrl up, V up, each with its own scan code.
    const int ctrl = qq.FindLine({"KEY id=1 down vk=0x11 scan=0x1D"}, from);
    const int v = qq.FindLine({"KEY id=1 down vk=0x56 scan=0x2F", "ctrl=1"}, from);
    const int ctrlUp = qq.FindLine({"KEY id=1 up vk=0x11"}, from);
    const int vUp = qq.FindLine({"KEY id=1 up vk=0x56"}, from);
    ASSERT_GE(ctrl, 0) << log;
    EXPECT_LT(ctrl, v);
    EXPECT_LT(v, ctrlUp);
    EXPECT_LT(ctrlUp, vUp);
    EXPECT_EQ("[face:" + path + "]", LogField(lines[static_cast<size_t>(pasted)], "text"));
    testkit::Screenshot("e2e_send_test_" + kind);
}

TEST_P(FaceSend, DoubleClickSendsOnceWithoutAnExtraInsert) {
    const size_t from = qq.Lines().size();
    const HWND cell = panel.CellHwnd(1);
    Down(cell);
    Up(cell);
    SendMessageW(cell, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    Up(cell);
    const int sent = WaitFor({"SENT id=1 "}, from);
    const std::string log = testkit::ReadFile(qq.LogPath());
    ASSERT_GE(sent, 0) << log;
    EXPECT_EQ(1, Count("PASTED id=1", from)) << log;
    EXPECT_EQ(1, Count("SENT id=1", from)) << log;
    EXPECT_GE(qq.FindLine({"KEY id=1 down vk=0x0D scan=0x1C", "ctrl=1"}, from), 0) << log;
    // The folder part of the stored name is dropped.
    EXPECT_TRUE(testkit::FileExists(app + "\\face\\grin.gif"));
    EXPECT_EQ("[face:" + app + "\\face\\grin.gif]",
              LogField(qq.Lines()[static_cast<size_t>(sent)], "text"));
}

TEST_P(FaceSend, RightClickSendsAtOnce) {
    const size_t from = qq.Lines().size();
    SendMessageW(panel.CellHwnd(0), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    const int sent = WaitFor({"SENT id=1 "}, from);
    ASSERT_GE(sent, 0) << testkit::ReadFile(qq.LogPath());
    EXPECT_EQ(1, Count("HOTKEY id=1 Ctrl+V", from));
    EXPECT_EQ(1, Count("HOTKEY id=1 Ctrl+Enter", from));
}

TEST_P(FaceSend, FaceThatCannotBeCachedTypesNothingAndKeepsTheClipboard) {
    ASSERT_TRUE(PutMarker(host.Get(), "earlier text"));
    const size_t from = qq.Lines().size();
    SendMessageW(panel.CellHwnd(2), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    Pump(2000);
    EXPECT_EQ(std::vector<bool>{false}, owner.results);
    EXPECT_EQ(0, Count("KEY id=1", from)) << testkit::ReadFile(qq.LogPath());
    EXPECT_EQ("earlier text", ReadClipboardText(CF_TEXT));
}

TEST_P(FaceSend, WithoutAVisibleChatWindowTheFaceWaitsOnTheClipboard) {
    const size_t from = qq.Lines().size();
    owner.chat = nullptr;
    SendMessageW(panel.CellHwnd(0), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    Pump(300);
    EXPECT_EQ(panel::RichEditFragment(app + "\\face\\smile.gif"),
              ReadClipboardText(RegisterClipboardFormatW(L"QQ_RichEdit_Format")));
    owner.chat = qq.Window(1);
    ASSERT_NE(0, qq.Command("hide 1"));
    SendMessageW(panel.CellHwnd(0), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    Pump(1500);
    EXPECT_EQ((std::vector<bool>{false, false}), owner.results);
    EXPECT_EQ(0, Count("KEY id=1", from)) << testkit::ReadFile(qq.LogPath());
}

// Focus rule: in a "#32770" chat window the input is the first "Tencent_QQBar", else the
// "RichEdit20A" inside an "AfxWnd42"; TX windows get no focus step.
TEST_P(FaceSend, FocusGoesToTheBarOrTheClassicInput) {
    if (kind == "tx") {
        EXPECT_EQ(nullptr, panel::FindChatInput(owner.chat));
        return;
    }
    EXPECT_EQ(qq.Input(1), panel::FindChatInput(owner.chat));
    FakeQQProcess bar;
    ASSERT_TRUE(bar.Start(app + "\\FakeQQ.exe", "--window classic-bar --tag FakeQQBar" + fakeqq::SafetyLifetimeArg(),
                          testkit::RunDir() + "\\fakeqq-bar.log"));
    ASSERT_TRUE(bar.WaitReady()) << testkit::ReadFile(bar.LogPath());
    const HWND barChat = bar.Window(1);
    const HWND target = panel::FindChatInput(barChat);
    ASSERT_NE(nullptr, target);
    wchar_t cls[64] = {};
    GetClassNameW(target, cls, 64);
    EXPECT_STREQ(L"Tencent_QQBar", cls);
    owner.chat = barChat;
    const size_t from = bar.Lines().size();
    SendMessageW(panel.CellHwnd(0), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_GE(bar.WaitLine({"SENT id=1 "}, from, std::chrono::seconds(15)), 0)
        << testkit::ReadFile(bar.LogPath());
}

INSTANTIATE_TEST_SUITE_P(ChatWindows, FaceSend, ::testing::Values("classic", "tx"),
                         [](const auto& info) { return std::string(info.param); });
