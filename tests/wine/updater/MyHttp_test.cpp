// CMyHttp against the reference server: file names, lengths, blocks, progress and speed, and
// every way a transfer can go wrong.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "MyHttp_win.h"
#include "TestKit.h"
#include "UpdaterKit_win.h"
#include "winfx/App.h"

using testkit::Wide;

namespace {

struct Report {
    int item;
    uint32_t total, received, speed;
};

void Record(void* context, int item, uint32_t total, uint32_t received, uint32_t speed) {
    static_cast<std::vector<Report>*>(context)->push_back({item, total, received, speed});
}

std::string BinDir() {
    const std::string self = winfx::ModuleFileName();
    return self.substr(0, self.rfind('\\'));
}

bool IsPattern(const std::string& data, size_t size) {
    if (data.size() != size) return false;
    for (size_t i = 0; i < size; ++i)
        if (static_cast<uint8_t>(data[i]) != i % 251) return false;
    return true;
}

class Http : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server = new updkit::Server(BinDir(),
                                    "file /f/a.bin size=5000\n"
                                    "file /f/nolen.bin size=3000 mode=nolength\n"
                                    "file /f/x.zip size=10\n"
                                    "file /f/get.asp size=10\n"
                                    "file /f/missing.bin mode=404\n"
                                    "file /f/cut.bin size=9000 cut=4000\n"
                                    "file /f/extra.bin size=2000 extra=500\n"
                                    "file /f/empty.bin size=0\n"
                                    "file /f/garbage.bin size=100 mode=garbage\n"
                                    "file /f/slow.bin size=6144 slow=400\n");
    }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(server->Running());
        dir = testkit::RunDir() + "\\dl-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryW(Wide(dir).c_str(), nullptr);
        http.m_pContext = &reports;
        http.m_pfnProgress = &Record;
    }
    std::string Url(const std::string& path) const { return server->HttpBase() + path; }
    int Get(const std::string& path, const char* name = nullptr) {
        return http.Download(Url(path).c_str(), 7, name, dir.c_str());
    }

    static updkit::Server* server;
    std::string dir;
    CMyHttp http;
    std::vector<Report> reports;
};

updkit::Server* Http::server = nullptr;

}  // namespace

TEST_F(Http, StartsInTheSystemDirectory) {
    CMyHttp fresh;
    EXPECT_FALSE(fresh.m_strDir.empty());
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(fresh.m_strDir, testkit::Narrow(system));
    EXPECT_EQ(fresh.m_hSession, nullptr);
    EXPECT_EQ(fresh.Download(nullptr, 0, nullptr, nullptr), 0);
}

TEST_F(Http, ReportsLengthFirstThenEveryBlockOfAtMost1024Bytes) {
    ASSERT_EQ(Get("/f/a.bin"), 1);
    EXPECT_TRUE(http.LastComplete());
    EXPECT_EQ(http.m_strFileName, "a.bin");
    EXPECT_EQ(http.m_strDir, dir);
    EXPECT_EQ(http.LocalPath(), dir + "\\a.bin");
    EXPECT_EQ(http.m_hSession, nullptr);
    EXPECT_TRUE(IsPattern(testkit::ReadFile(dir + "\\a.bin"), 5000));
    ASSERT_GE(reports.size(), 6u);
    EXPECT_EQ(reports[0].received, 0u);
    EXPECT_EQ(reports[0].total, 5000u);
    uint32_t last = 0;
    for (size_t i = 1; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i].item, 7);
        EXPECT_EQ(reports[i].total, 5000u);
        EXPECT_GT(reports[i].received, last);
        EXPECT_LE(reports[i].received - last, 1024u);
        EXPECT_EQ(reports[i].speed, 0u);  // well under a second
        last = reports[i].received;
    }
    EXPECT_EQ(last, 5000u);
    const auto head = server->Requests("http").back();
    EXPECT_EQ(std::string(head.begin(), head.begin() + 20), "GET /f/a.bin HTTP/1.");
}

TEST_F(Http, WithoutLengthThereIsNoFirstReportAndTotalsAreZero) {
    ASSERT_EQ(Get("/f/nolen.bin"), 1);
    EXPECT_TRUE(http.LastComplete());
    EXPECT_TRUE(IsPattern(testkit::ReadFile(dir + "\\nolen.bin"), 3000));
    ASSERT_FALSE(reports.empty());
    EXPECT_NE(reports[0].received, 0u);
    for (const Report& r : reports) EXPECT_EQ(r.total, 0u);
    EXPECT_EQ(reports.back().received, 3000u);
}

TEST_F(Http, ReplacesAnExistingFile) {
    const std::string big(20000, 'z');
    HANDLE f = CreateFileW(Wide(dir + "\\a.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, big.data(), static_cast<DWORD>(big.size()), &written, nullptr);
    CloseHandle(f);
    ASSERT_EQ(Get("/f/a.bin"), 1);
    EXPECT_TRUE(IsPattern(testkit::ReadFile(dir + "\\a.bin"), 5000));
}

TEST_F(Http, FileNameRules) {
    ASSERT_EQ(http.Download(Url("/f/x.zip?id=3").c_str(), 0, "abc", dir.c_str()), 1);
    EXPECT_EQ(testkit::ReadFile(dir + "\\abc.zip").size(), 10u);
    ASSERT_EQ(http.Download(Url("/f/x.zip").c_str(), 0, "my.pack", dir.c_str()), 1);
    EXPECT_EQ(http.m_strFileName, "my.pack");
    EXPECT_EQ(testkit::ReadFile(dir + "\\my.pack").size(), 10u);
    // The query becomes part of the name, which the file system refuses.
    EXPECT_EQ(Get("/f/get.asp?id=5"), 0);
    // A URL ending in "/" names no file: the path is the folder itself.
    EXPECT_EQ(Get("/f/"), 0);
    // Without a directory the last one stays.
    ASSERT_EQ(http.Download(Url("/f/x.zip").c_str(), 0, nullptr, nullptr), 1);
    EXPECT_EQ(http.LocalPath(), dir + "\\x.zip");
}

TEST_F(Http, ErrorPagesAndDeadServersAreNoDownload) {
    EXPECT_EQ(Get("/f/missing.bin"), 0);
    EXPECT_EQ(Get("/f/not-configured.bin"), 0);
    EXPECT_FALSE(testkit::FileExists(dir + "\\missing.bin"));
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(http.Download("http://127.0.0.1:1/f/a.bin", 0, nullptr, dir.c_str()), 0);
}

TEST_F(Http, CutShortOrEmptyOrGarbageIsNeverComplete) {
    EXPECT_EQ(Get("/f/cut.bin"), 1);  // the loop ran to its end
    EXPECT_FALSE(http.LastComplete());
    EXPECT_EQ(testkit::ReadFile(dir + "\\cut.bin").size(), 4000u);
    EXPECT_EQ(Get("/f/empty.bin"), 1);
    EXPECT_FALSE(http.LastComplete());
}

// WinINet answers a reply without a status line with a made-up "HTTP/1.0 200 OK" and hands
// over what follows the first line: without a length the client cannot tell it from a file.
// It must keep no more than the server sent, and the next download must be unaffected.
TEST_F(Http, ServerSpeakingNoHttpGivesItsBytesUnchangedOrNothing) {
    const int result = Get("/f/garbage.bin");
    if (result == 1) EXPECT_LE(testkit::ReadFile(dir + "\\garbage.bin").size(), 30u);
    else EXPECT_FALSE(http.LastComplete());
    EXPECT_EQ(Get("/f/a.bin"), 1);  // and the next download is unaffected
}

TEST_F(Http, BodyLargerThanAnnouncedKeepsOnlyWhatWasAnnouncedOrFails) {
    const int result = Get("/f/extra.bin");
    const std::string data = testkit::ReadFile(dir + "\\extra.bin");
    if (result == 1 && http.LastComplete()) EXPECT_TRUE(IsPattern(data, 2000));
    else EXPECT_NE(data.size(), 2000u);
}

TEST_F(Http, SpeedAppearsOnceMoreThanASecondHasPassed) {
    ASSERT_EQ(Get("/f/slow.bin"), 1);
    EXPECT_TRUE(http.LastComplete());
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports[1].speed, 0u);
    EXPECT_GT(reports.back().speed, 0u);
    EXPECT_LT(reports.back().speed, 6144u);  // a few KB over more than a second
}

