// The delivery of a face end to end, against the fake messenger: the picture lands in the
// program folder's face cache, the fragment naming it goes on the clipboard, the chat window
// comes forward, Ctrl+V pastes the face and Ctrl+Enter sends it.
#include <gtest/gtest.h>

#include "FakeQQClient_win.h"
#include "SmokeKit_win.h"
#include "TestKit.h"

namespace {

using fakeqq::FakeQQProcess;
using fakeqq::LogField;

class SmokeSend : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        app = testkit::AppDir();
        ASSERT_FALSE(app.empty()) << "run through the harness (--install)";
        kind = GetParam();
        ASSERT_TRUE(qq.Start(app + "\\FakeQQ.exe", "--window " + kind + fakeqq::SafetyLifetimeArg(),
                             testkit::RunDir() + "\\fakeqq-" + kind + ".log"));
        ASSERT_TRUE(qq.WaitReady()) << testkit::ReadFile(qq.LogPath());
        chat = qq.Window(1);
        input = qq.Input(1);
        ASSERT_TRUE(IsWindow(chat));
        ASSERT_TRUE(IsWindow(input));
    }

    std::string app, kind;
    FakeQQProcess qq;
    HWND chat = nullptr, input = nullptr;
    smoke::ClipboardOwner clipboard;
};

TEST_P(SmokeSend, FaceIsPastedFromTheCacheFolderAndSent) {
    const std::string face = app + "\\face\\smile.gif";
    ASSERT_TRUE(smoke::WriteBytes(face, smoke::SmileGif()));
    const std::string fragment = smoke::Fragment(face);
    ASSERT_TRUE(clipboard.Put(fragment, "smoke plain text"));

    ASSERT_TRUE(smoke::BringForward(chat, input)) << "foreground or focus not on the input";
    const size_t from = qq.Lines().size();
    smoke::TypeChord(VK_CONTROL, 'V');
    const int pasted = qq.WaitLine({"PASTED id=1 "}, from);
    ASSERT_GE(pasted, 0) << testkit::ReadFile(qq.LogPath());
    smoke::TypeChord(VK_CONTROL, VK_RETURN);
    const int sent = qq.WaitLine({"SENT id=1 "}, from);
    ASSERT_GE(sent, 0) << testkit::ReadFile(qq.LogPath());
    testkit::Screenshot("e2e_smoke_test_" + kind);

    const std::string log = testkit::ReadFile(qq.LogPath());
    // The keys arrived in the input box, in order.
    const int ctrlV = qq.FindLine({"HOTKEY id=1 Ctrl+V"}, from);
    const int ctrlEnter = qq.FindLine({"HOTKEY id=1 Ctrl+Enter"}, from);
    ASSERT_GE(ctrlV, 0) << log;
    ASSERT_GE(ctrlEnter, 0) << log;
    EXPECT_LT(ctrlV, pasted);
    EXPECT_LT(pasted, ctrlEnter);
    EXPECT_GE(qq.FindLine({"KEY id=1 down vk=0x56", "ctrl=1"}, from), 0) << log;

    // What the messenger read from the clipboard.
    EXPECT_GE(qq.FindLine({"CLIP id=1 formats=", "QQ_RichEdit_Format(", "CF_TEXT(1)"}, from), 0)
        << log;
    const int fragmentLine = qq.FindLine({"CLIP id=1 format=QQ_RichEdit_Format "}, from);
    ASSERT_GE(fragmentLine, 0) << log;
    const std::vector<std::string> lines = qq.Lines();
    EXPECT_EQ(LogField(lines[static_cast<size_t>(fragmentLine)], "text"), fragment);
    // The block holds the text and its NUL (the system may round the block up).
    EXPECT_GE(std::stoul(LogField(lines[static_cast<size_t>(fragmentLine)], "bytes")),
              fragment.size() + 1);
    EXPECT_GE(qq.FindLine({"CLIP id=1 format=CF_TEXT ", "text=smoke plain text"}, from), 0) << log;

    // The file it names exists, with the picture's bytes.
    const int faceLine = qq.FindLine({"FACE id=1 "}, from);
    ASSERT_GE(faceLine, 0) << log;
    EXPECT_EQ(LogField(lines[static_cast<size_t>(faceLine)], "exists"), "1");
    EXPECT_EQ(LogField(lines[static_cast<size_t>(faceLine)], "bytes"),
              std::to_string(smoke::SmileGif().size()));
    EXPECT_EQ(LogField(lines[static_cast<size_t>(faceLine)], "path"), face);

    // The face went into the input and out with Ctrl+Enter; the input is empty again.
    EXPECT_EQ(LogField(lines[static_cast<size_t>(pasted)], "text"), "[face:" + face + "]");
    EXPECT_EQ(LogField(lines[static_cast<size_t>(sent)], "text"), "[face:" + face + "]");
    EXPECT_EQ(GetWindowTextLengthW(input), 0);
}

INSTANTIATE_TEST_SUITE_P(ChatWindows, SmokeSend,
                         ::testing::Values("classic", "classic-bar", "tx"),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name;
                         });

}  // namespace
