// A page-like script client: the Windows Script Host runs JScript that creates
// "Pelumo.FaceImport" by ProgID and calls AddFace through IDispatch.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "RecStubClient_win.h"
#include "TestKit.h"
#include "WebImportKit_win.h"

namespace {

using testkit::Wide;

// JScript string literal: every non-ASCII or special character as \uXXXX, so the script
// file itself is plain ASCII whatever the host's code page.
std::string JsLiteral(const std::string& utf8) {
    std::string out = "\"";
    for (wchar_t c : Wide(utf8)) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
            out += buf;
        }
    }
    return out + "\"";
}

class ScriptClient : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(webkit::Regsvr32(false), 0); }
    static void TearDownTestSuite() { webkit::Regsvr32(true); }

    void SetUp() override {
        ASSERT_TRUE(server.Ok());
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Pelux", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        if (key) {
            RegDeleteValueW(key, L"AppPath");
            RegCloseKey(key);
        }
    }

    // Runs AddFace(url, desc) from a JScript file under cscript; the script's exit code.
    int RunScript(const std::string& url, const std::string& desc) {
        const std::string script = testkit::RunDir() + "\\addface.js";
        FILE* f = _wfopen(Wide(script).c_str(), L"wb");
        if (!f) return -1;
        const std::string text = "var o = new ActiveXObject(\"Pelumo.FaceImport\");\r\n"
                                 "o.AddFace(" + JsLiteral(url) + ", " + JsLiteral(desc) + ");\r\n"
                                 "WScript.Quit(7);\r\n";
        fwrite(text.data(), 1, text.size(), f);
        fclose(f);
        return webkit::RunPumping("\"" + webkit::SystemDir() + "\\cscript.exe\" //nologo \"" + script + "\"");
    }

    void SetAppPath(const std::string& folder) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Pelux", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        const std::wstring w = Wide(folder);
        RegSetValueExW(key, L"AppPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(w.c_str()),
                       static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }

    webkit::PictureServer server;
};

TEST_F(ScriptClient, CachedPictureReachesTheRunningEditorByCopyData) {
    const std::string url = server.Url("/faces/smile.gif");
    const std::string cached = webkit::FetchIntoCache(url);
    ASSERT_FALSE(cached.empty()) << "WinINet did not cache " << url;
    webkit::EditorStandIn editor;
    ASSERT_TRUE(editor.Hwnd());

    ASSERT_EQ(RunScript(url, "微笑"), 7);
    ASSERT_EQ(editor.received.size(), 1u);
    // 8-bit in the system code page (GBK here), no "$", no terminator.
    EXPECT_EQ(editor.received[0], webkit::ToAnsi("-AddFace 0|微笑|" + cached));
    EXPECT_EQ(editor.received[0].substr(0, 11), "-AddFace 0|");
    EXPECT_EQ(editor.received[0].substr(11, 4), "\xce\xa2\xd0\xa6");
    EXPECT_EQ(editor.dataIds[0], 0u);
}

TEST_F(ScriptClient, UncachedAddressGivesAnEmptyPathAndNoDownload) {
    webkit::EditorStandIn editor;
    const int before = server.Requests();
    ASSERT_EQ(RunScript(server.Url("/never/fetched.gif"), "x|y"), 7);
    ASSERT_EQ(editor.received.size(), 1u);
    EXPECT_EQ(editor.received[0], "-AddFace 0|x|y|");
    EXPECT_EQ(server.Requests(), before) << "the component must not go to the network";
}

TEST_F(ScriptClient, WithoutARunningEditorTheEditorStartsFromAppPathWithTheText) {
    const std::string url = server.Url("/faces/wave.gif");
    const std::string cached = webkit::FetchIntoCache(url);
    ASSERT_FALSE(cached.empty());
    const std::string folder = testkit::RunDir() + "\\安装 dir";
    CreateDirectoryW(Wide(folder).c_str(), nullptr);
    ASSERT_TRUE(recstub::PlaceStub(testkit::AppDir(), folder, "Tessel.exe"));
    SetAppPath(folder);

    ASSERT_EQ(RunScript(url, "挥手 hi"), 7);
    ASSERT_TRUE(testkit::WaitUntil([&] { return !recstub::RecordedArguments(folder, "Tessel").empty(); },
                                   std::chrono::seconds(30)));
    EXPECT_EQ(recstub::RecordedArguments(folder, "Tessel"),
              std::vector<std::string>{"-AddFace 0|挥手 hi|" + cached});
}

}  // namespace
