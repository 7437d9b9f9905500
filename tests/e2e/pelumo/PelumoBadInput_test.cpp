// Bad input has a clear outcome: a library that cannot be opened, a broken
// configuration, forwarded command lines that lie about their length.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>

#include "DbConnection.h"
#include "PelumoKit_win.h"
#include "RecStubClient_win.h"
#include "TestKit.h"

namespace {

using pelumo::Picker;
using testkit::Wide;

class PelumoBadInput : public ::testing::Test {
protected:
    void SetUp() override {
        app = testkit::AppDir();
        ASSERT_FALSE(app.empty()) << "run through the harness (--install)";
        ASSERT_TRUE(recstub::PlaceStub(app, app, "Tessel.exe"));
        ASSERT_TRUE(recstub::PlaceStub(app, app, "Volte.exe"));
        pelumo::QuietUpdates();
    }
    void TearDown() override { pelumo::ClearRegistry(); }
    void WriteBytes(const std::string& path, const std::string& bytes) {
        HANDLE f = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n = 0;
        WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
        CloseHandle(f);
    }
    std::string app;
};

TEST_F(PelumoBadInput, UnopenableLibraryIsReportedAndTheProgramEndsWritingNothing) {
    const std::string db = app + "\\data\\mienko.db";
    const std::string config = app + "\\config.xml";
    enum class Library { Missing, Text, WrongPassword };
    for (Library kind : {Library::Missing, Library::Text, Library::WrongPassword}) {
        SCOPED_TRACE(static_cast<int>(kind));
        DeleteFileW(Wide(db).c_str());
        DeleteFileW(Wide(config).c_str());
        if (kind == Library::Text) WriteBytes(db, "this is not a database, just text");
        // A face database in every respect but its password.
        if (kind == Library::WrongPassword) {
            ASSERT_TRUE(DbCreateFile(db, "not the library's password"));
        }
        const std::string before = testkit::ReadFile(db);
        Picker picker;
        ASSERT_TRUE(picker.Start(app));
        EXPECT_EQ(picker.TakeMessageBox(), "数据库连接失败,程序无法继续运行!");
        DWORD code = 99;
        EXPECT_TRUE(picker.WaitExit(30000, &code));
        // Nothing written: no configuration, the file as it was (none made where none was).
        EXPECT_FALSE(testkit::FileExists(config));
        EXPECT_EQ(testkit::FileExists(db), kind != Library::Missing);
        EXPECT_TRUE(testkit::ReadFile(db) == before);
        EXPECT_FALSE(testkit::FileExists(db + "-wal"));
        EXPECT_TRUE(recstub::RecordedArguments(app, "Volte").empty());
    }
}

TEST_F(PelumoBadInput, BrokenConfigurationRunsOnDefaults) {
    ASSERT_TRUE(pelumo::MakeLibrary(app, {{"默认表情", 3}}));
    std::string config = "<ROOT version=\"1\"><StartShowTool bool=\"0\"/><SendFaceList>";
    for (int i = 0; i < 50; ++i) config += "<Item id=\"" + std::string(31, 'f') + std::to_string(i % 10) + "\" n=\"1\"/>";
    config += "</SendFaceList><Future x=\"1\"><Deeper/></Future><TableList><Item id=\"1\"";  // truncated
    WriteBytes(app + "\\config.xml", config);
    Picker picker;
    ASSERT_TRUE(picker.Start(app));
    ASSERT_TRUE(picker.WaitWindow());
    EXPECT_TRUE(pelumo::WaitFor([&] { return picker.Text(pelumo::kPageLabel) == "[页:1/1]"; }, 10000));
    PostMessageW(picker.Window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(picker.WaitExit(30000));
    // A fresh file is written: readable, with the root and the lists.
    const std::string saved = testkit::ReadFile(app + "\\config.xml");
    EXPECT_NE(saved.find("<ROOT version=\"1\""), std::string::npos) << saved;
    EXPECT_NE(saved.find("<TableList>"), std::string::npos) << saved;

    // Unknown elements survive a load and a save; 50 frequent faces (none in the library)
    // load as 40 and, all gone from the library, leave the list.
    config.resize(config.find("<TableList>"));
    config += "</ROOT>";
    WriteBytes(app + "\\config.xml", config);
    Picker again;
    ASSERT_TRUE(again.Start(app));
    ASSERT_TRUE(again.WaitWindow());
    PostMessageW(again.Window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(again.WaitExit(30000));
    const std::string kept = testkit::ReadFile(app + "\\config.xml");
    EXPECT_NE(kept.find("<Future x=\"1\">"), std::string::npos) << kept;
    EXPECT_EQ(kept.find("<Item id=\"fff"), std::string::npos) << kept;
}

TEST_F(PelumoBadInput, ForwardedBlocksAreReadOnlyAsFarAsTheyGo) {
    ASSERT_TRUE(pelumo::MakeLibrary(app, {{"默认表情", 3}}));
    Picker picker;
    ASSERT_TRUE(picker.Start(app));
    ASSERT_TRUE(picker.WaitWindow());
    auto send = [&](const void* data, DWORD size) {
        COPYDATASTRUCT cds{0, size, const_cast<void*>(data)};
        DWORD_PTR result = 0;
        SendMessageTimeoutW(picker.Window(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, 20000,
                            &result);
        return result;
    };
    // Nothing to do: no text.
    EXPECT_EQ(send("$-quit", 0), 1u);
    // The text stops where the block ends, terminator or not.
    send("$-AddFace 1|a|C:\\a.gif", 9);
    ASSERT_TRUE(pelumo::WaitFor([&] { return !recstub::RecordedArguments(app, "Tessel").empty(); }));
    EXPECT_EQ(recstub::RecordedArguments(app, "Tessel"), std::vector<std::string>{"-AddFace"});
    // A huge block without a terminator: read within its bytes, the program carries on.
    std::vector<char> huge(1 << 20, 'a');
    huge[0] = '$';
    send(huge.data(), static_cast<DWORD>(huge.size()));
    EXPECT_TRUE(IsWindow(picker.Window()));
    EXPECT_EQ(picker.Text(pelumo::kPageLabel), "[页:1/1]");
    // "$-quit" of exactly six bytes ends the picker.
    const char quit[] = {'$', '-', 'q', 'u', 'i', 't', '!', '!'};
    send(quit, 6);
    EXPECT_TRUE(picker.WaitExit(30000));
}

}  // namespace
