// The program update: the command-16 check with its bookkeeping, and the worker's actions.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "ProgramUpdate.h"
#include "ReplyBuilder.h"

using namespace update;

namespace {

struct Check : ::testing::Test {
    fakes::Udp udp;
    fakes::Store store;
    fakes::FixedClock clock;
    fakes::View view;
    CheckEnv env{udp, store, clock, view};
    std::vector<UpdateItem> queue;

    int Run(uint32_t appVer, bool silent) { return RunProgramCheck(env, "{CID}", appVer, silent, queue); }
};

Bytes Reply(unsigned status, unsigned newest, unsigned interval, int items) {
    ReplyBuilder r;
    r.U8(status).Le16(newest).Le16(interval).U8(12).Text("http://h/up/").U8(static_cast<unsigned>(items));
    const char* names[] = {"Pelumo.exe", "MienkoAgent.dll", "pack.mpk"};
    for (int i = 0; i < items; ++i)
        r.Le16(101 + static_cast<unsigned>(i)).Le16(i == 0 ? 0x8002u : 300u).Sized(names[i % 3]).Sized(i == 0 ? "-q" : "").U8(0).U8(static_cast<unsigned>(i + 1));
    return r.Done();
}

}  // namespace

TEST_F(Check, SilentStatusZeroAdvancesNextUpdateAndShowsNothing) {
    udp.reply = Reply(0, 0, 3600, 0);
    EXPECT_EQ(Run(101, true), -3);
    EXPECT_EQ(store.dwords[kValueNextUpdate], clock.now + 3600);
    EXPECT_TRUE(view.events.empty());
    ASSERT_EQ(udp.sent.size(), 1u);
    EXPECT_EQ(udp.sent[0], BuildProgramRequest("{CID}", 101));
    EXPECT_EQ(udp.waited, 20000u);
}

TEST_F(Check, UpToDateDespiteStatusOneIsToldUnlessSilent) {
    udp.reply = Reply(1, 101, 60, 1);
    EXPECT_EQ(Run(101, false), -3);
    EXPECT_EQ(view.events, std::vector<std::string>{"uptodate"});
    EXPECT_TRUE(queue.empty());
    EXPECT_EQ(Run(150, true), -3);
    EXPECT_EQ(view.events.size(), 1u);
}

TEST_F(Check, NoReplyOrForeignReplyLeavesNextUpdateAlone) {
    EXPECT_EQ(Run(0, false), -1);
    Bytes other = Reply(1, 200, 60, 0);
    other[2] = 17;
    udp.reply = other;
    EXPECT_EQ(Run(0, false), -2);
    udp.reply = Bytes{2, 10, 16, 0, 9, 1};  // right command, too short for its interval
    EXPECT_EQ(Run(0, false), -2);
    EXPECT_EQ(store.dwords.count(kValueNextUpdate), 0u);
    EXPECT_TRUE(view.events.empty());
}

TEST_F(Check, NewerVersionClosesSiblingsAndListsEveryItem) {
    udp.reply = Reply(1, 102, 10, 3);
    ASSERT_EQ(Run(0, true), 0);  // missing AppVer reads as 0
    EXPECT_EQ(view.events, (std::vector<std::string>{"close", "row 0 Pelumo.exe|2 MB|V1.01",
                                                     "row 1 MienkoAgent.dll|300 KB|V1.02", "row 2 pack.mpk|300 KB|V1.03"}));
    ASSERT_EQ(queue.size(), 3u);
    EXPECT_EQ(queue[0].url, "http://h/up/Pelumo.exe");
    EXPECT_EQ(queue[0].params, "-q");
    EXPECT_EQ(queue[2].action, 3);
    EXPECT_EQ(store.dwords[kValueNextUpdate], clock.now + 10);
}

TEST_F(Check, NewerVersionWithNoItemsStillClosesSiblings) {
    udp.reply = Reply(1, 102, 10, 0);
    EXPECT_EQ(Run(101, false), 0);
    EXPECT_EQ(view.events, std::vector<std::string>{"close"});
    EXPECT_TRUE(queue.empty());
}

TEST(ProgramWorker, RunsRegistersAndOpensEachFileInTheTempFolder) {
    fakes::Downloads downloads;
    fakes::Starts starts;
    fakes::View view;
    const std::vector<UpdateItem> queue = {{"http://h/a.exe", 1, "-x 1"}, {"http://h/b.dll", 2, ""},
                                           {"http://h/c.mpk", 3, ""}, {"http://h/d.txt", 9, ""}};
    RunProgramUpdate(queue, "C:\\app", downloads, starts, view);
    EXPECT_EQ(downloads.urls, (std::vector<std::string>{"http://h/a.exe @0 C:\\app\\temp\\", "http://h/b.dll @1 C:\\app\\temp\\",
                                                        "http://h/c.mpk @2 C:\\app\\temp\\", "http://h/d.txt @3 C:\\app\\temp\\"}));
    EXPECT_EQ(starts.opened, (std::vector<std::string>{"C:\\app\\temp\\\\a.exe | -x 1",
                                                       "regsvr32.exe | /s \"C:\\app\\temp\\\\b.dll\"",
                                                       "C:\\app\\Tessel.exe | C:\\app\\temp\\\\c.mpk"}));
}

TEST(ProgramWorker, IncompleteDownloadIsReportedAndNeverActedOn) {
    fakes::Downloads downloads;
    downloads.incomplete = {"http://h/a.exe"};
    fakes::Starts starts;
    fakes::View view;
    RunProgramUpdate({{"http://h/a.exe", 1, ""}, {"http://h/b.dll", 2, ""}}, "C:\\app", downloads, starts, view);
    EXPECT_EQ(starts.opened, std::vector<std::string>{"regsvr32.exe | /s \"C:\\app\\temp\\\\b.dll\""});
    EXPECT_EQ(view.events, (std::vector<std::string>{"failed 0", "done 1"}));
}
