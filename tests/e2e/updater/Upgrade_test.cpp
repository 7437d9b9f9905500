// Program update end to end: Volte.exe asks the reference server (command 16), keeps its
// registry bookkeeping, closes the picker and the editor, downloads the listed files into
// temp\ and runs, registers or opens each one.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <ctime>
#include <memory>

#include "RecStubClient_win.h"
#include "Siblings_win.h"
#include "TestKit.h"
#include "UpdaterKit_win.h"

using namespace std::chrono_literals;
using testkit::Wide;

namespace {

const std::string kUpgradeTitle = "PeluQQ表情精灵 - 在线升级";

// The in-process server file registered for a ProgID, or "".
std::string InprocServerOf(const wchar_t* progId) {
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(progId, &clsid))) return {};
    wchar_t text[64] = {};
    StringFromGUID2(clsid, text, 64);
    const std::wstring key = std::wstring(L"CLSID\\") + text + L"\\InprocServer32";
    wchar_t path[MAX_PATH] = {};
    DWORD size = sizeof path;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, path, &size) != ERROR_SUCCESS) return {};
    return testkit::Narrow(path);
}

void RunAndWait(const std::string& commandLine) {
    std::wstring cmd = Wide(commandLine);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    WaitForSingleObject(pi.hProcess, 60000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

class Upgrade : public ::testing::Test {
protected:
    void SetUp() override {
        records = testkit::RunDir() + "\\records-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryW(Wide(records).c_str(), nullptr);
        SetEnvironmentVariableW(L"RECSTUB_DIR", Wide(records).c_str());
        ASSERT_TRUE(recstub::PlaceStub(testkit::AppDir(), testkit::AppDir(), "Tessel.exe"));
    }
    void TearDown() override {
        if (volte) {
            TerminateProcess(volte, 1);
            CloseHandle(volte);
        }
        updkit::ClearRegistry();
        SetEnvironmentVariableW(L"RECSTUB_DIR", nullptr);
    }
    void StartServer(const std::string& config, long appVer) {
        server = std::make_unique<updkit::Server>(testkit::AppDir(), config);
        ASSERT_TRUE(server->Running());
        updkit::PrepareRegistry(server->UdpPort(), appVer);
    }
    void Start(const std::string& params) {
        volte = updkit::StartVolte(params);
        ASSERT_NE(volte, nullptr);
    }

    std::string records;
    std::unique_ptr<updkit::Server> server;
    HANDLE volte = nullptr;
};

}  // namespace

TEST_F(Upgrade, SilentCheckAgainstStatusZeroShowsNothingAndSchedulesTheNextCheck) {
    StartServer("udp16 status=0 interval=3600\n", 101);
    const auto before = static_cast<DWORD>(std::time(nullptr));
    Start("-upgrade -s");
    bool shown = false;
    ASSERT_TRUE(testkit::WaitUntil([&] {
        HWND w = updkit::FindDialog(kUpgradeTitle);
        shown = shown || (w && IsWindowVisible(w));
        return WaitForSingleObject(volte, 0) == WAIT_OBJECT_0;
    }, 60s));
    const auto after = static_cast<DWORD>(std::time(nullptr));
    EXPECT_FALSE(shown);
    const auto next = updkit::ReadUpdateDword("NextUpdate");
    ASSERT_TRUE(next);
    EXPECT_GE(*next, before + 3600);
    EXPECT_LE(*next, after + 3600);
    // The request: 58 bytes, the stored client identity and the installed version.
    const auto requests = server->Requests("udp");
    ASSERT_EQ(requests.size(), 1u);
    const auto& r = requests[0];
    ASSERT_EQ(r.size(), 58u);
    EXPECT_EQ((std::vector<uint8_t>(r.begin(), r.begin() + 5)), (std::vector<uint8_t>{2, 10, 16, 0, 58}));
    const std::string cid(r.begin() + 5, r.begin() + 43);
    EXPECT_EQ(cid.size(), 38u);
    EXPECT_EQ(cid.front(), '{');
    EXPECT_EQ(cid.back(), '}');
    EXPECT_EQ(r[43], 0);
    EXPECT_EQ(r[51] | r[52] << 8, 101);
    EXPECT_EQ(r[57], 3);
}

TEST_F(Upgrade, UpToDateIsToldEvenWhenTheServerListsFiles) {
    StartServer("udp16 status=1 newest=101 interval=60 base=http://127.0.0.1:{http}/\n"
                "item16 version=101 size=1 url=x.exe action=1\n", 101);
    Start("-upgrade");
    HWND box = updkit::WaitDialog("PeluQQ表情精灵", 60s);
    ASSERT_NE(box, nullptr);
    testkit::WaitUntil([box] { return !updkit::MessageText(box).empty(); }, 30s);  // shown before filled
    EXPECT_EQ(updkit::MessageText(box), "当前已是最新版, 无需升级!");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(updkit::WaitExit(volte, 30s));
    EXPECT_TRUE(updkit::ReadUpdateDword("NextUpdate").has_value());
    EXPECT_TRUE(server->Requests("http").empty());
}

TEST_F(Upgrade, ForeignReplyEndsSilentlyWithoutBookkeeping) {
    StartServer("raw16 hex=020a1100100100ff00ff00\n", 0);
    Start("-upgrade");
    EXPECT_TRUE(updkit::WaitExit(volte, 60s));
    EXPECT_EQ(updkit::FindDialog("PeluQQ表情精灵"), nullptr);
    EXPECT_FALSE(updkit::ReadUpdateDword("NextUpdate").has_value());
}

TEST_F(Upgrade, NewerVersionClosesSiblingsDownloadsAndActsOnEachFile) {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\FacelibTest", L"RegProbe");
    const std::string app = testkit::AppDir();
    StartServer("udp16 status=1 newest=102 interval=60 base=http://127.0.0.1:{http}/up/\n"
                "item16 version=102 size=0x8001 url=Runner.exe params=-x%201 action=1\n"
                "item16 version=102 size=40 url=RegProbe.dll action=2\n"
                "item16 version=103 size=5 url=pack.mpk action=3\n"
                "item16 version=102 size=1 url=Cut.exe action=1\n"
                "item16 version=102 size=300 url=MienkoAgent.dll action=2\n"
                "item16 version=102 size=60 url=http://127.0.0.1:{http}/slow.bin action=0\n"
                "file /up/Runner.exe src=" + app + "\\RecStub.exe\n"
                "file /up/RegProbe.dll src=" + app + "\\RegProbe.dll\n"
                "file /up/pack.mpk size=5000\n"
                "file /up/Cut.exe src=" + app + "\\RecStub.exe cut=1000\n"
                "file /up/MienkoAgent.dll src=" + app + "\\MienkoAgent.dll\n"
                "file /slow.bin size=60000 slow=40\n", -1);  // no AppVer: version 0
    updkit::SiblingWindow picker("PeluQQ表情精灵"), editor("PeluQQ表情编辑器");
    ASSERT_TRUE(picker.Hwnd() && editor.Hwnd());
    Start("-upgrade");
    ASSERT_TRUE(testkit::WaitUntil([&] { return picker.GotClose() && editor.GotClose(); }, 60s));
    EXPECT_TRUE(picker.Gone());
    EXPECT_TRUE(editor.Gone());

    HWND window = updkit::WaitDialog(kUpgradeTitle, 60s);
    ASSERT_NE(window, nullptr);
    HWND list = GetDlgItem(window, 1001);
    ASSERT_NE(list, nullptr);
    // The first four rows are settled while the last one still trickles in.
    ASSERT_TRUE(testkit::WaitUntil([&] { return updkit::ListCell(list, 3, 2) == "下载失败"; }, 60s))
        << updkit::ListCell(list, 3, 2);
    testkit::Screenshot("updater-upgrade-list");
    ASSERT_EQ(updkit::ListRows(list), 6);
    EXPECT_EQ(updkit::ListCell(list, 0, 0), "Runner.exe");
    EXPECT_EQ(updkit::ListCell(list, 5, 0), "slow.bin");
    EXPECT_EQ(updkit::ListCell(list, 0, 4), "V1.02");
    EXPECT_EQ(updkit::ListCell(list, 2, 4), "V1.03");
    for (int row = 0; row < 3; ++row) EXPECT_EQ(updkit::ListCell(list, row, 2), "100%") << row;
    // Sizes: from the server's length once the transfer starts.
    EXPECT_EQ(updkit::ListCell(list, 2, 1), "4 KB");
    EXPECT_TRUE(updkit::WaitExit(volte, 120s));  // the worker closes the window when done

    const std::string temp = app + "\\temp\\";
    EXPECT_EQ(updkit::ReadText(temp + "pack.mpk").size(), 5000u);
    EXPECT_EQ(updkit::ReadText(temp + "slow.bin").size(), 60000u);
    EXPECT_EQ(updkit::ReadText(temp + "Runner.exe"), updkit::ReadText(app + "\\RecStub.exe"));
    ASSERT_TRUE(testkit::WaitUntil([&] { return !recstub::RecordedArguments(records, "Runner").empty(); }, 30s));
    EXPECT_EQ(recstub::RecordedArguments(records, "Runner"), std::vector<std::string>{"-x 1"});
    EXPECT_TRUE(recstub::RecordedArguments(records, "Cut").empty());  // cut short: never run
    ASSERT_TRUE(testkit::WaitUntil([&] { return !recstub::RecordedArguments(records, "Tessel").empty(); }, 30s));
    EXPECT_EQ(recstub::RecordedArguments(records, "Tessel"), std::vector<std::string>{temp + "\\pack.mpk"});
    // Wine's own regsvr32 loaded the downloaded file and called its registration.
    std::string registered;
    testkit::WaitUntil([&] {
        wchar_t value[MAX_PATH] = {};
        DWORD size = sizeof value;
        if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\FacelibTest", L"RegProbe", RRF_RT_REG_SZ, nullptr, value, &size) == ERROR_SUCCESS)
            registered = testkit::Narrow(value);
        return !registered.empty();
    }, 30s);
    EXPECT_EQ(_wcsicmp(Wide(registered).c_str(), Wide(temp + "\\RegProbe.dll").c_str()) == 0 ||
              _wcsicmp(Wide(registered).c_str(), Wide(temp + "RegProbe.dll").c_str()) == 0, true) << registered;
    // The web import component itself, registered from where it was downloaded.
    const std::string agent = InprocServerOf(L"Pelumo.FaceImport");
    EXPECT_TRUE(_wcsicmp(Wide(agent).c_str(), Wide(temp + "\\MienkoAgent.dll").c_str()) == 0 ||
                _wcsicmp(Wide(agent).c_str(), Wide(temp + "MienkoAgent.dll").c_str()) == 0) << agent;
    RunAndWait("regsvr32.exe /u /s \"" + temp + "\\MienkoAgent.dll\"");
    // Every file was asked for once, with a plain GET.
    EXPECT_EQ(server->Requests("http").size(), 6u);
}

TEST_F(Upgrade, ServerThatNeverAnswersEndsSilentlyAfterItsWait) {
    StartServer("silent16\n", 101);
    const auto start = GetTickCount64();
    Start("-upgrade");
    ASSERT_TRUE(updkit::WaitExit(volte, 120s));
    EXPECT_GE(GetTickCount64() - start, 19000u);
    EXPECT_EQ(updkit::FindDialog("PeluQQ表情精灵"), nullptr);
    EXPECT_FALSE(updkit::ReadUpdateDword("NextUpdate").has_value());
    EXPECT_EQ(server->Requests("udp").size(), 1u);
}

TEST_F(Upgrade, SecondUpgradeStartOnlyBringsTheFirstWindowForward) {
    StartServer("udp16 status=1 newest=102 interval=60 base=http://127.0.0.1:{http}/\n"
                "item16 version=102 size=1 url=slow.bin action=0\n"
                "file /slow.bin size=100000 slow=100\n", 101);  // ten seconds: outlasts a second start
    Start("-upgrade");
    HWND window = updkit::WaitDialog(kUpgradeTitle, 60s);
    ASSERT_NE(window, nullptr);
    HANDLE second = updkit::StartVolte("-upgrade");
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(updkit::WaitExit(second, 30s));
    CloseHandle(second);
    EXPECT_EQ(server->Requests("udp").size(), 1u);
    EXPECT_EQ(updkit::FindDialog(kUpgradeTitle), window);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(updkit::WaitExit(volte, 30s));
}

TEST_F(Upgrade, HiddenUpgradeButtonStartsTheUpdaterBesideItself) {
    // A copy of the updater whose "Volte.exe" neighbour is a recording stub.
    const std::string folder = testkit::RunDir() + "\\copy";
    CreateDirectoryW(Wide(folder).c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(Wide(testkit::AppDir() + "\\Volte.exe").c_str(), Wide(folder + "\\Updater.exe").c_str(), FALSE));
    ASSERT_TRUE(recstub::PlaceStub(testkit::AppDir(), folder, "Volte.exe"));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + Wide(folder + "\\Updater.exe") + L"\"";
    ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, Wide(folder).c_str(), &si, &pi));
    CloseHandle(pi.hThread);
    volte = pi.hProcess;
    HWND window = updkit::WaitDialog("PeluQQ表情下载", 60s);  // no command line: an empty list
    ASSERT_NE(window, nullptr);
    HWND button = GetDlgItem(window, 1000);
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(IsWindowVisible(button));
    EXPECT_EQ(updkit::WindowText(button), "升级");
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(1000, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    ASSERT_TRUE(testkit::WaitUntil([&] { return !recstub::RecordedArguments(records, "Volte").empty(); }, 30s));
    EXPECT_EQ(recstub::RecordedArguments(records, "Volte"), std::vector<std::string>{"-upgrade"});
    EXPECT_EQ(updkit::ListRows(GetDlgItem(window, 1001)), 0);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(updkit::WaitExit(volte, 30s));
}
