// Files dropped on the picker go to the editor: a picture with the category last shown (or
// none yet), any other file by its path alone, only the first of several, nothing for a name
// without an extension.
#include <gtest/gtest.h>

#include <windows.h>

#include "DropSource_win.h"
#include "Md5.h"
#include "PelumoKit_win.h"
#include "RecStubClient_win.h"
#include "TestKit.h"

namespace {

using pelumo::Picker;
using testkit::Wide;

class PelumoDrop : public ::testing::Test {
protected:
    void SetUp() override {
        app = testkit::AppDir();
        ASSERT_FALSE(app.empty()) << "run through the harness (--install)";
        ASSERT_TRUE(recstub::PlaceStub(app, app, "Tessel.exe"));
        ASSERT_TRUE(recstub::PlaceStub(app, app, "Volte.exe"));
        pelumo::QuietUpdates();
        ASSERT_TRUE(pelumo::MakeStandardLibrary(app));
    }
    void TearDown() override { pelumo::ClearRegistry(); }

    // Drops on the faces panel, as from a folder window.
    void Drop(const std::vector<std::string>& paths) {
        RECT r;
        GetWindowRect(GetDlgItem(picker.Window(), 1031 + 1000), &r);
        testkit::DropPaths(POINT{r.left + 60, r.top + 60}, paths);
    }
    std::vector<std::string> Launches() { return recstub::RecordedArguments(app, "Tessel"); }
    bool WaitLaunches(size_t n) {
        return pelumo::WaitFor([&] { return Launches().size() >= n; });
    }

    std::string app;
    Picker picker;
};

TEST_F(PelumoDrop, DroppedFilesStartTheEditorWithTheirParameters) {
    // A frequent face: the picker opens on the frequent view, no category shown yet.
    const std::vector<uint8_t> first = pelumo::FacePicture(0);
    const std::string config = "<ROOT version=\"1\"><Menu_QQHook bool=\"0\" /><SendFaceList><Item id=\"" +
                               FaceDigestText(first.data(), first.size()) + "\" n=\"1\" /></SendFaceList></ROOT>";
    HANDLE f = CreateFileW(Wide(app + "\\config.xml").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(f, config.data(), static_cast<DWORD>(config.size()), &n, nullptr);
    CloseHandle(f);
    ASSERT_TRUE(picker.Start(app));
    ASSERT_TRUE(picker.WaitWindow());
    ASSERT_TRUE(pelumo::WaitFor([&] { return picker.Text(pelumo::kPageLabel) == "[页:1/1]"; }));

    // The extension counts in any case; no category yet: an empty category field.
    Drop({"C:\\x\\Happy.GIF"});
    ASSERT_TRUE(WaitLaunches(1));
    EXPECT_EQ(Launches().back(), "-AddFace |Happy|C:\\x\\Happy.GIF");

    // A category shown: its id. Only the first of several files; a zip by its path alone.
    picker.ChooseCategory(2);  // "可爱动物", id 2 (handled before the call returns)
    Drop({"C:\\packs\\new faces.zip", "C:\\x\\b.gif", "C:\\x\\c.bmp"});
    ASSERT_TRUE(WaitLaunches(2));
    EXPECT_EQ(Launches().back(), "C:\\packs\\new faces.zip");

    // A name without "." starts nothing; the base name ends at the last ".".
    Drop({"C:\\x\\README"});
    Drop({"C:\\x.d\\my.face.jpg"});
    ASSERT_TRUE(WaitLaunches(3));
    EXPECT_EQ(Launches().back(), "-AddFace 2|my.face|C:\\x.d\\my.face.jpg");

    // Back on the frequent view, the category last shown still counts.
    picker.ChooseCategory(0);
    ASSERT_TRUE(pelumo::WaitFor([&] { return picker.Text(pelumo::kPageLabel) == "[页:1/1]"; }));
    Drop({"C:\\x\\wave.bmp"});
    ASSERT_TRUE(WaitLaunches(4));
    EXPECT_EQ(Launches(), (std::vector<std::string>{"-AddFace |Happy|C:\\x\\Happy.GIF", "C:\\packs\\new faces.zip",
                                                    "-AddFace 2|my.face|C:\\x.d\\my.face.jpg",
                                                    "-AddFace 2|wave|C:\\x\\wave.bmp"}));
    PostMessageW(picker.Window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(picker.WaitExit(30000));
}

}  // namespace
