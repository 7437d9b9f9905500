// Sending a face into the fake messenger's chat window with the real picker: a single
// click inserts, a double click sends once, a right click sends; the face file is in the
// face cache and the face leads the frequent list afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

#include "FakeQQClient_win.h"
#include "Md5.h"
#include "PelumoKit_win.h"
#include "RecStubClient_win.h"
#include "TestKit.h"

namespace {

using fakeqq::FakeQQProcess;
using fakeqq::LogField;
using pelumo::Picker;
using testkit::Wide;

bool WriteText(const std::string& path, const std::string& text) {
    FILE* f = _wfopen(Wide(path).c_str(), L"wb");
    if (!f) return false;
    const bool ok = fwrite(text.data(), 1, text.size(), f) == text.size();
    return fclose(f) == 0 && ok;
}

class PelumoSend : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        app = testkit::AppDir();
        ASSERT_FALSE(app.empty()) << "run through the harness (--install)";
        kind = GetParam();
        ASSERT_TRUE(recstub::PlaceStub(app, app, "Tessel.exe"));
        ASSERT_TRUE(recstub::PlaceStub(app, app, "Volte.exe"));
        pelumo::QuietUpdates();
        // Docking off: docked, the picker would take the chat window's height and show
        // fewer faces per page than this test counts on (docking has tests of its own).
        ASSERT_TRUE(WriteText(app + "\\config.xml",
                              "<ROOT version=\"1\"><Menu_QQHook bool=\"0\" /></ROOT>\n"));
        ASSERT_TRUE(pelumo::MakeLibrary(app, {{"默认表情", 45}}));
        ASSERT_TRUE(qq.Start(app + "\\FakeQQ.exe", "--window " + kind + fakeqq::SafetyLifetimeArg(),
                             testkit::RunDir() + "\\fakeqq-send-" + kind + ".log"));
        ASSERT_TRUE(qq.WaitReady()) << testkit::ReadFile(qq.LogPath());
        chat = qq.Window(1);
        ASSERT_TRUE(IsWindow(chat));
        ASSERT_TRUE(picker.Start(app));
        ASSERT_TRUE(picker.WaitWindow());
        ASSERT_TRUE(pelumo::WaitFor([&] { return picker.Cell(0) != nullptr; }));
        // What the hook posts when the user activates a chat window.
        PostMessageW(picker.Window(), pelumo::kChatActive, reinterpret_cast<WPARAM>(chat), 0);
    }
    void TearDown() override { pelumo::ClearRegistry(); }

    // The FACE line of the paste at or after `from`: the file it named and its state.
    void ExpectFaceFile(size_t from, int faceIndex) {
        const int line = qq.WaitLine({"FACE id=1 "}, from);
        ASSERT_GE(line, 0) << testkit::ReadFile(qq.LogPath());
        const std::string text = qq.Lines()[static_cast<size_t>(line)];
        const std::string file = app + "\\face\\f" + std::to_string(faceIndex) + ".gif";
        EXPECT_EQ(LogField(text, "exists"), "1") << text;
        EXPECT_EQ(LogField(text, "bytes"), std::to_string(pelumo::FacePicture(faceIndex).size())) << text;
        EXPECT_EQ(LogField(text, "path"), file) << text;
        EXPECT_EQ(testkit::ReadFile(file).size(), pelumo::FacePicture(faceIndex).size());
    }

    std::string app, kind;
    FakeQQProcess qq;
    HWND chat = nullptr;
    Picker picker;
};

TEST_P(PelumoSend, ClickInsertsDoubleClickAndRightClickSend) {
    // Single click: inserted, not sent.
    size_t from = qq.Lines().size();
    HWND cell = picker.Cell(0);
    PostMessageW(cell, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(cell, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    ASSERT_GE(qq.WaitLine({"PASTED id=1 "}, from), 0) << testkit::ReadFile(qq.LogPath());
    ExpectFaceFile(from, 0);
    const int ctrlV = qq.FindLine({"HOTKEY id=1 Ctrl+V"}, from);
    EXPECT_GE(ctrlV, 0);
    EXPECT_GE(qq.FindLine({"CLIP id=1 format=QQ_RichEdit_Format ",
                           "<QQRichEditFormat><Info version=\"1001\"></Info><EditElement type=\"1\" filepath=\""},
                          from),
              0)
        << testkit::ReadFile(qq.LogPath());
    EXPECT_LT(qq.WaitLine({"SENT id=1 "}, from, std::chrono::milliseconds(1500)), 0) << "a single click sends nothing";
    testkit::Screenshot("e2e_pelumo_sent_" + kind);

    // The mouse over a face: the preview plays it enlarged (a picture for the eye only).
    RECT cr;
    GetWindowRect(picker.Cell(13), &cr);
    SetCursorPos((cr.left + cr.right) / 2, (cr.top + cr.bottom) / 2);
    PostMessageW(picker.Cell(13), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    pelumo::WaitFor([] { return false; }, 700);
    testkit::Screenshot("e2e_pelumo_sent_" + kind + "_hover");

    // Double click: one send, no extra insert.
    from = qq.Lines().size();
    cell = picker.Cell(1);
    PostMessageW(cell, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(cell, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    PostMessageW(cell, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(cell, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    const int sent = qq.WaitLine({"SENT id=1 "}, from);
    ASSERT_GE(sent, 0) << testkit::ReadFile(qq.LogPath());
    ExpectFaceFile(from, 1);
    const int firstPaste = qq.FindLine({"PASTED id=1 "}, from);
    EXPECT_LT(qq.WaitLine({"PASTED id=1 "}, static_cast<size_t>(firstPaste) + 1, std::chrono::milliseconds(1500)), 0)
        << "no extra insert after a double click\n"
        << testkit::ReadFile(qq.LogPath());

    // Right click: sent at once; an empty cell does nothing.
    from = qq.Lines().size();
    cell = picker.Cell(2);
    PostMessageW(cell, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    PostMessageW(cell, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    ASSERT_GE(qq.WaitLine({"SENT id=1 "}, from), 0) << testkit::ReadFile(qq.LogPath());
    ExpectFaceFile(from, 2);

    // A face of the second page: the cell shows face 40.
    picker.Click(pelumo::kPage1 + 1);
    ASSERT_TRUE(pelumo::WaitFor([&] { return picker.Text(pelumo::kPageLabel) == "[页:2/2]"; }));
    from = qq.Lines().size();
    cell = picker.Cell(0);
    PostMessageW(cell, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    ASSERT_GE(qq.WaitLine({"SENT id=1 "}, from), 0) << testkit::ReadFile(qq.LogPath());
    ExpectFaceFile(from, 40);
    from = qq.Lines().size();
    PostMessageW(picker.Cell(5), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));  // empty
    EXPECT_LT(qq.WaitLine({"PASTED id=1 "}, from, std::chrono::milliseconds(1500)), 0);

    // The frequent list leads with the last face; the cache is emptied at exit.
    PostMessageW(picker.Window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(picker.WaitExit(30000));
    EXPECT_FALSE(testkit::FileExists(app + "\\face\\f0.gif"));
    const std::string config = testkit::ReadFile(app + "\\config.xml");
    auto digest = [](int i) {
        const auto bytes = pelumo::FacePicture(i);
        return FaceDigestText(bytes.data(), bytes.size());
    };
    const std::string expected = "<SendFaceList>\n        <Item id=\"" + digest(40) + "\" n=\"0\" />\n"
                                 "        <Item id=\"" + digest(2) + "\" n=\"0\" />\n"
                                 "        <Item id=\"" + digest(1) + "\" n=\"0\" />\n"
                                 "        <Item id=\"" + digest(0) + "\" n=\"0\" />\n    </SendFaceList>";
    EXPECT_NE(config.find(expected), std::string::npos) << config;
}

INSTANTIATE_TEST_SUITE_P(ChatWindows, PelumoSend, ::testing::Values("classic", "tx"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
