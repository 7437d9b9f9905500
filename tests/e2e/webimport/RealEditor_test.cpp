// The script client against the real editor: the picture a page showed ends up in the face
// library under the page's description, through WM_COPYDATA to the running Tessel.exe.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "EditorDriver_win.h"
#include "TestKit.h"
#include "WebImportKit_win.h"

namespace {

using testkit::Wide;

class RealEditor : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(webkit::Regsvr32(false), 0); }
    static void TearDownTestSuite() { webkit::Regsvr32(true); }
};

TEST_F(RealEditor, PictureFromThePageLandsInTheLibraryUnderItsDescription) {
    webkit::PictureServer server;
    ASSERT_TRUE(server.Ok());
    const std::string url = server.Url("/faces/happy.gif");
    const std::string cached = webkit::FetchIntoCacheAs(url, "gif");
    ASSERT_FALSE(cached.empty());

    edtest::EditorProcess editor;
    ASSERT_TRUE(editor.Start());
    ASSERT_TRUE(editor.Window());

    const std::string script = testkit::RunDir() + "\\page.js";
    FILE* f = _wfopen(Wide(script).c_str(), L"wb");
    ASSERT_TRUE(f);
    // "开心" written as escapes: the script file stays ASCII.
    const std::string text = "new ActiveXObject(\"Pelumo.FaceImport\").AddFace(\"" + url + "\", \"\\u5F00\\u5FC3\");\r\n";
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = Wide("\"" + webkit::SystemDir() + "\\cscript.exe\" //nologo \"" + script + "\"");
    ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    CloseHandle(pi.hThread);

    // The editor asks with its add dialog while the page's call waits for it.
    const HWND dialog = edtest::WaitDialog(editor.Pid(), "添加表情", 60000);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(edtest::TextOf(GetDlgItem(dialog, 1054)), "开心");
    EXPECT_EQ(edtest::TextOf(GetDlgItem(dialog, 1052)), cached);
    edtest::ClickButton(dialog, IDOK);
    EXPECT_TRUE(WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0) << "the page's call returns after";
    CloseHandle(pi.hProcess);
    EXPECT_TRUE(testkit::WaitUntil(
        [&] {
            const auto names = edtest::Library(testkit::AppDir()).Names(1);
            return names.size() == 1 && names[0] == "开心";
        },
        std::chrono::seconds(30)));
    EXPECT_TRUE(editor.Close());
}

}  // namespace
