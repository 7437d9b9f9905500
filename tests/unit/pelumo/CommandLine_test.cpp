#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CommandLine.h"

namespace {

using cmdline::ForwardAction;

TEST(ForwardedCommandLine, EncodedAsDollarTextAndNul) {
    const auto bytes = cmdline::EncodeForward("-AddFace 3|smile|C:\\x\\smile.gif");
    const std::string expected = std::string("$-AddFace 3|smile|C:\\x\\smile.gif") + '\0';
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);
    EXPECT_FALSE(cmdline::ShouldForward(""));  // "$" alone is never sent
    EXPECT_TRUE(cmdline::ShouldForward("-quit"));
}

TEST(ForwardedCommandLine, DecodeRoundTripsAndRecognisesQuit) {
    for (const std::string text : {"-quit", "-AddFace 3|smile|C:\\x\\smile.gif", "x"}) {
        const auto bytes = cmdline::EncodeForward(text);
        const auto f = cmdline::DecodeForward(bytes.data(), bytes.size());
        EXPECT_EQ(f.text, text);
        EXPECT_EQ(f.action, text == "-quit" ? ForwardAction::Quit : ForwardAction::Launch);
    }
    EXPECT_EQ(cmdline::DecodeForward("-quit", 6).action, ForwardAction::Quit);  // no "$"
    EXPECT_EQ(cmdline::DecodeForward("$-QUIT", 7).action, ForwardAction::Launch);  // case matters
    EXPECT_EQ(cmdline::DecodeForward("$-quit ", 8).action, ForwardAction::Launch);
}

TEST(ForwardedCommandLine, HostileBlocksStayInsideTheirBytes) {
    EXPECT_EQ(cmdline::DecodeForward("$abc", 0).action, ForwardAction::None);
    EXPECT_EQ(cmdline::DecodeForward(nullptr, 100).action, ForwardAction::None);
    EXPECT_EQ(cmdline::DecodeForward("$", 1).action, ForwardAction::None);
    EXPECT_EQ(cmdline::DecodeForward("$\0junk", 6).action, ForwardAction::None);
    // No terminator: only the bytes given are read.
    const char noNul[5] = {'$', '-', 'q', 'u', 'i'};
    const auto f = cmdline::DecodeForward(noNul, sizeof noNul);
    EXPECT_EQ(f.text, "-qui");
    EXPECT_EQ(f.action, ForwardAction::Launch);
    // A block claiming more than the longest command line is cut.
    std::vector<char> huge(100000, 'a');
    huge[0] = '$';
    const auto h = cmdline::DecodeForward(huge.data(), huge.size());
    EXPECT_EQ(h.text.size(), cmdline::kMaxForwarded);
}

TEST(DroppedFiles, PicturesAddFacesOtherFilesGoToTheEditorWhole) {
    EXPECT_EQ(cmdline::EditorParamsForDrop("C:\\x\\Happy.GIF", std::nullopt), "-AddFace |Happy|C:\\x\\Happy.GIF");
    EXPECT_EQ(cmdline::EditorParamsForDrop("C:\\x\\a.b.jpg", 7), "-AddFace 7|a.b|C:\\x\\a.b.jpg");
    EXPECT_EQ(cmdline::EditorParamsForDrop("D:\\表情\\笑.bmp", 12), "-AddFace 12|笑|D:\\表情\\笑.bmp");
    EXPECT_EQ(cmdline::EditorParamsForDrop("C:\\x\\pack.zip", 3), "C:\\x\\pack.zip");
    EXPECT_EQ(cmdline::EditorParamsForDrop("C:\\x\\.gif", std::nullopt), "-AddFace ||C:\\x\\.gif");
    EXPECT_FALSE(cmdline::EditorParamsForDrop("C:\\x\\README", 3).has_value());
    // A dot in a folder name with no extension on the file: the text after it is the extension.
    EXPECT_EQ(cmdline::EditorParamsForDrop("C:\\a.gif\\file", 3), "C:\\a.gif\\file");
}

TEST(UpdateCheck, ProgramUpdateFirstThenTheFaceSchedule) {
    using cmdline::UpdateLaunch;
    const int64_t now = 1700000000;
    cmdline::UpdateValues v;  // an empty key: the first start is due
    EXPECT_EQ(cmdline::DueUpdate(now, v), UpdateLaunch::Program);
    v.nextUpdate = static_cast<uint32_t>(now + 100);
    v.faceFlag = 4;
    EXPECT_EQ(cmdline::DueUpdate(now, v), UpdateLaunch::None);
    v.faceFlag = 0;
    v.nextFaceUpdate = static_cast<uint32_t>(now);
    EXPECT_EQ(cmdline::DueUpdate(now, v), UpdateLaunch::Faces);
    v.nextFaceUpdate = static_cast<uint32_t>(now + 1);
    EXPECT_EQ(cmdline::DueUpdate(now, v), UpdateLaunch::None);
    v.faceFlag = 1;  // "LastFaceUpdate" never written: due at every start
    EXPECT_EQ(cmdline::DueUpdate(now, v), UpdateLaunch::Faces);
    v.lastFaceUpdate = static_cast<uint32_t>(now - 86399);
    EXPECT_EQ(cmdline::DueUpdate(now, v), UpdateLaunch::None);
    v.faceFlag = 2;
    v.lastFaceUpdate = static_cast<uint32_t>(now - 604800);
    EXPECT_EQ(cmdline::DueUpdate(now, v), UpdateLaunch::Faces);
    v.faceFlag = 3;
    v.lastFaceUpdate = static_cast<uint32_t>(now - 2592000 + 1);
    EXPECT_EQ(cmdline::DueUpdate(now, v), UpdateLaunch::None);
    // Values read as signed 32-bit: a stored 0xFFFFFFFF is -1, so always past.
    v.nextUpdate = 0xFFFFFFFFu;
    EXPECT_EQ(cmdline::DueUpdate(now, v), UpdateLaunch::Program);
    // The schedule sum wraps in 32 bits before it is widened.
    v.nextUpdate = 0x7FFFFFFFu;
    v.faceFlag = 1;
    v.lastFaceUpdate = 0x7FFFFFFFu;
    EXPECT_EQ(cmdline::DueUpdate(now, v), UpdateLaunch::Faces);
}

}  // namespace
