// Face packs end to end: "-FaceUpdate" asks the server for new packs of the library's
// categories and downloads them side by side; links from web pages (plain and encoded,
// given on the command line or forwarded by a second start) download one pack each; every
// pack that arrived whole goes to the editor with "-S".
#include <gtest/gtest.h>

#include <memory>

#include "AdoConnection.h"
#include "AdoRecordSet.h"
#include "FaceDatabase.h"
#include "FaceLibrary.h"
#include "RecStubClient_win.h"
#include "TestKit.h"
#include "UpdaterKit_win.h"

using namespace std::chrono_literals;
using testkit::Wide;

namespace {

const std::string kTitle = "PeluQQ表情下载";

// Standard base64 in the link alphabet: "+" "/" "=" written "%" "$" "@".
std::string EncodeLink(const std::string& text) {
    static const char* abc = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789%$";
    std::string out;
    for (size_t i = 0; i < text.size(); i += 3) {
        uint32_t v = static_cast<uint8_t>(text[i]) << 16;
        if (i + 1 < text.size()) v |= static_cast<uint8_t>(text[i + 1]) << 8;
        if (i + 2 < text.size()) v |= static_cast<uint8_t>(text[i + 2]);
        out += abc[v >> 18 & 63];
        out += abc[v >> 12 & 63];
        out += i + 1 < text.size() ? abc[v >> 6 & 63] : '@';
        out += i + 2 < text.size() ? abc[v & 63] : '@';
    }
    return out;
}

bool PatternOf(const std::string& data, size_t size) {
    if (data.size() != size) return false;
    for (size_t i = 0; i < size; ++i)
        if (static_cast<uint8_t>(data[i]) != i % 251) return false;
    return true;
}

// A visible message box with OK and Cancel (not the download window with its list).
BOOL CALLBACK FindQuestion(HWND w, LPARAM out) {
    wchar_t cls[32] = {};
    GetClassNameW(w, cls, 32);
    if (IsWindowVisible(w) && !wcscmp(cls, L"#32770") && GetDlgItem(w, 0xFFFF) && GetDlgItem(w, IDCANCEL) && !GetDlgItem(w, 1001)) {
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
    }
    return TRUE;
}

// A visible message box with only an OK button.
BOOL CALLBACK FindMessage(HWND w, LPARAM out) {
    wchar_t cls[32] = {};
    GetClassNameW(w, cls, 32);
    if (IsWindowVisible(w) && !wcscmp(cls, L"#32770") && GetDlgItem(w, 0xFFFF) && GetDlgItem(w, IDOK) && !GetDlgItem(w, IDCANCEL)) {
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
    }
    return TRUE;
}

class FacePacks : public ::testing::Test {
protected:
    void SetUp() override {
        records = testkit::RunDir() + "\\records-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryW(Wide(records).c_str(), nullptr);
        SetEnvironmentVariableW(L"RECSTUB_DIR", Wide(records).c_str());
        ASSERT_TRUE(recstub::PlaceStub(testkit::AppDir(), testkit::AppDir(), "Tessel.exe"));
        temp = testkit::AppDir() + "\\temp\\";
    }
    void TearDown() override {
        for (HANDLE p : processes) {
            TerminateProcess(p, 1);
            CloseHandle(p);
        }
        updkit::ClearRegistry();
        SetEnvironmentVariableW(L"RECSTUB_DIR", nullptr);
    }
    // Categories with these pack lists, in order.
    void AddPacks(const std::vector<std::pair<std::string, int>>& packs) {
        CAdoConnection db;
        ASSERT_TRUE(FaceDatabase::Open(db, testkit::AppDir() + "\\data\\mienko.db"));
        CAdoRecordSet rs;
        rs.SetConnection(&db);
        FaceLibrary library(db, rs, nullptr);
        ASSERT_TRUE(library.EnsureTables());
        for (const auto& [name, pack] : packs) ASSERT_GE(library.CreateCategory(name, pack), 0);
    }
    void StartServer(const std::string& config) {
        server = std::make_unique<updkit::Server>(testkit::AppDir(), config);
        ASSERT_TRUE(server->Running());
        updkit::PrepareRegistry(server->UdpPort(), 101);
    }
    HANDLE Start(const std::string& params) {
        HANDLE p = updkit::StartVolte(params);
        if (p) processes.push_back(p);
        return p;
    }
    std::vector<std::string> Editor() { return recstub::RecordedArguments(records, "Tessel"); }

    std::string records, temp;
    std::unique_ptr<updkit::Server> server;
    std::vector<HANDLE> processes;
};

}  // namespace

TEST_F(FacePacks, FaceUpdateSendsLibraryPackIdsAndDownloadsListedPacksSideBySide) {
    AddPacks({{"Cats", 1}, {"Cats", 2}, {"Dogs", 3}});  // |1|2| and |3|
    StartServer("udp17 status=1 interval=600 base=http://127.0.0.1:{http}/packs/\n"
                "item17 name=gallery/Cats%20two url=cats2.mpk\n"
                "item17 name=%C4%F1 url=birds.zip\n"  // GBK for 鸟
                "file /packs/cats2.mpk size=40000 slow=60\n"
                "file /packs/birds.zip size=30000 slow=60 mode=nolength\n");
    HANDLE volte = Start("-FaceUpdate");
    ASSERT_NE(volte, nullptr);
    HWND window = updkit::WaitDialog(kTitle, 60s);
    ASSERT_NE(window, nullptr);
    HWND list = GetDlgItem(window, 1001);
    ASSERT_EQ(updkit::ListRows(list), 2);
    EXPECT_EQ(updkit::ListCell(list, 0, 0), "Cats two");
    EXPECT_EQ(updkit::ListCell(list, 1, 0), "鸟");
    EXPECT_EQ(updkit::WindowText(GetDlgItem(window, IDCANCEL)), "取消");
    // Both transfers under way at once (the one without a length stays at 0 % until done).
    ASSERT_TRUE(testkit::WaitUntil([&] {
        const std::string a = updkit::ListCell(list, 0, 2), b = updkit::ListCell(list, 1, 3);
        return a != "0%" && a != "100%" && !b.empty();
    }, 60s));
    testkit::Screenshot("updater-download-list");
    EXPECT_NE(updkit::ListCell(list, 0, 3), "");
    EXPECT_EQ(updkit::ListCell(list, 0, 1), "39 KB");
    ASSERT_TRUE(testkit::WaitUntil([&] { return updkit::WindowText(GetDlgItem(window, IDCANCEL)) == "完成"; }, 120s));
    EXPECT_EQ(updkit::ListCell(list, 0, 2), "100%");
    EXPECT_EQ(updkit::ListCell(list, 1, 2), "100%");
    EXPECT_TRUE(PatternOf(updkit::ReadText(temp + "cats2.mpk"), 40000));
    EXPECT_TRUE(PatternOf(updkit::ReadText(temp + "birds.zip"), 30000));
    ASSERT_TRUE(testkit::WaitUntil([&] { return Editor().size() == 2; }, 30s));
    auto editor = Editor();
    std::sort(editor.begin(), editor.end());
    EXPECT_EQ(editor, (std::vector<std::string>{"-S " + temp + "\\birds.zip", "-S " + temp + "\\cats2.mpk"}));

    const auto udp = server->Requests("udp");
    ASSERT_EQ(udp.size(), 1u);
    ASSERT_EQ(udp[0].size(), 57u);
    EXPECT_EQ((std::vector<uint8_t>(udp[0].begin() + 46, udp[0].end())),
              (std::vector<uint8_t>{101, 0, 3, 0, 1, 0, 2, 0, 3, 0, 3}));
    EXPECT_TRUE(updkit::ReadUpdateDword("NextFaceUpdate").has_value());
    // The window stays until the user closes it.
    EXPECT_EQ(WaitForSingleObject(volte, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(updkit::WaitExit(volte, 30s));
}

TEST_F(FacePacks, LinksDownloadOnePackEachAndLaterStartsForwardTheirs) {
    AddPacks({{"Owls", 9}});
    StartServer("file /p/a.zip size=3000\n"
                "file /q/b.zip size=2000\n"
                "file /q/cut.zip size=9000 cut=4000\n");
    const std::string host = "127.0.0.1:" + std::to_string(server->HttpPort());
    const std::string encoded = "mienko://" + EncodeLink(host + "/p/a.zip?name=A&id=7");
    HANDLE volte = Start(encoded);
    ASSERT_NE(volte, nullptr);
    HWND window = updkit::WaitDialog(kTitle, 60s);
    ASSERT_NE(window, nullptr);
    HWND list = GetDlgItem(window, 1001);
    ASSERT_TRUE(testkit::WaitUntil([&] { return Editor().size() == 1; }, 60s));
    EXPECT_EQ(Editor()[0], "-S " + temp + "\\a.zip");
    EXPECT_TRUE(PatternOf(updkit::ReadText(temp + "a.zip"), 3000));
    EXPECT_EQ(updkit::ListCell(list, 0, 0), "A");
    EXPECT_EQ(updkit::ListCell(list, 0, 4), "7");
    ASSERT_EQ(server->Requests("http").size(), 1u);
    const auto head = server->Requests("http")[0];
    EXPECT_EQ(std::string(head.begin(), head.begin() + 19), "GET /p/a.zip HTTP/1");

    // The same link again, from a second start: told, nothing queued.
    HANDLE second = Start(encoded);
    HWND box = updkit::WaitDialog("重复添加", 60s);
    ASSERT_NE(box, nullptr);
    testkit::WaitUntil([box] { return !updkit::MessageText(box).empty(); }, 30s);
    EXPECT_EQ(updkit::MessageText(box), "添加的文件已存在！");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(updkit::WaitExit(second, 30s));
    EXPECT_EQ(updkit::ListRows(list), 1);

    // An installed pack: the user is asked; Cancel queues nothing, OK downloads again.
    const std::string owls = "mienko://" + host + "/q/b.zip?name=B&id=9";
    for (int answer : {IDCANCEL, IDOK}) {
        HANDLE forwarder = Start(owls);
        HWND question = nullptr;
        ASSERT_TRUE(testkit::WaitUntil([&] {
            question = nullptr;
            EnumWindows(&FindQuestion, reinterpret_cast<LPARAM>(&question));
            return question != nullptr;
        }, 60s));
        testkit::WaitUntil([&] { return !updkit::MessageText(question).empty(); }, 30s);
        EXPECT_EQ(updkit::MessageText(question), "表情包已经存在，是否重新下载！");
        PostMessageW(question, WM_COMMAND, answer, 0);
        EXPECT_TRUE(updkit::WaitExit(forwarder, 30s));
        EXPECT_EQ(updkit::ListRows(list), answer == IDOK ? 2 : 1);
    }
    ASSERT_TRUE(testkit::WaitUntil([&] { return Editor().size() == 2; }, 60s));
    EXPECT_EQ(Editor()[1], "-S " + temp + "\\b.zip");
    EXPECT_EQ(updkit::ListCell(list, 1, 0), "B");

    // Another scheme, or a text with a "." and no scheme: ignored without a word.
    for (const char* ignored : {"ftp://127.0.0.1/x.zip", "127.0.0.1/x.zip"}) {
        HANDLE forwarder = Start(ignored);
        EXPECT_TRUE(updkit::WaitExit(forwarder, 30s));
        EXPECT_EQ(updkit::ListRows(list), 2);
    }
    // A pack cut short is reported in its row and never handed to the editor.
    HANDLE cut = Start("http://" + host + "/q/cut.zip");
    EXPECT_TRUE(updkit::WaitExit(cut, 30s));
    ASSERT_TRUE(testkit::WaitUntil([&] { return updkit::ListCell(list, 2, 2) == "下载失败"; }, 60s));
    EXPECT_EQ(updkit::ListCell(list, 2, 0), "cut.zip");
    testkit::Screenshot("updater-links");
    EXPECT_EQ(Editor().size(), 2u);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(updkit::WaitExit(volte, 30s));
}

TEST_F(FacePacks, MissingLibraryIsToldAndTheUpdaterEnds) {
    const std::string db = testkit::AppDir() + "\\data\\mienko.db", aside = db + ".aside";
    ASSERT_TRUE(MoveFileExW(Wide(db).c_str(), Wide(aside).c_str(), MOVEFILE_REPLACE_EXISTING));
    StartServer("udp17 status=1 interval=600 base=http://127.0.0.1:{http}/\n");
    HANDLE volte = Start("-FaceUpdate");
    ASSERT_NE(volte, nullptr);
    HWND box = nullptr;
    const bool shown = testkit::WaitUntil([&] {
        box = nullptr;
        EnumWindows(&FindMessage, reinterpret_cast<LPARAM>(&box));
        return box && !updkit::MessageText(box).empty();
    }, 60s);
    MoveFileExW(Wide(aside).c_str(), Wide(db).c_str(), MOVEFILE_REPLACE_EXISTING);
    ASSERT_TRUE(shown);
    EXPECT_EQ(updkit::MessageText(box), "数据库连接失败,程序无法继续运行!");
    EXPECT_EQ(updkit::WindowText(box), "");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(updkit::WaitExit(volte, 30s));
    EXPECT_TRUE(server->Requests("udp").empty());  // nothing asked without a library
}
