// Face-pack downloads: the face check, the link dispatch and the per-pack worker.
#include <gtest/gtest.h>

#include <thread>

#include "FaceDownload.h"
#include "Fakes.h"
#include "ReplyBuilder.h"

using namespace update;

namespace {

struct Faces : ::testing::Test {
    fakes::Udp udp;
    fakes::Store store;
    fakes::FixedClock clock;
    fakes::View view;
    CheckEnv env{udp, store, clock, view};
    FaceQueue queue;
    std::vector<std::string> probed;
    bool installed = false;
    LibraryProbe probe = [this](const std::string& sql) { probed.push_back(sql); return installed; };

    LinkOutcome Link(const std::string& text) {
        int row = -1;
        return DispatchLink(text, queue, view, probe, row);
    }
};

Bytes PackReply(unsigned status, unsigned interval, std::vector<std::pair<std::string, std::string>> items) {
    ReplyBuilder r(17);
    r.U8(status).Le16(0).Le16(interval).U8(9).Text("http://h/").U8(static_cast<unsigned>(items.size()));
    for (auto& [name, url] : items) r.Le16(0).Sized(name).Sized(url);
    return r.Done();
}

}  // namespace

TEST_F(Faces, CheckSendsTheLibrarysPackIdsAndQueuesListedPacks) {
    udp.reply = PackReply(1, 600, {{"packs/Cats", "f/cats.mpk"}, {"Dogs", "http://o/dogs.zip"}});
    EXPECT_EQ(RunFaceCheck(env, "{CID}", 101, {"|1|2|", "", "|3|"}, queue), 0);
    ASSERT_EQ(udp.sent.size(), 1u);
    EXPECT_EQ(udp.sent[0], BuildFaceRequest("{CID}", 101, {1, 2, 3}));
    EXPECT_EQ(udp.sent[0].size(), 57u);
    EXPECT_EQ(store.dwords[kValueNextFaceUpdate], clock.now + 600);
    EXPECT_EQ(view.events, (std::vector<std::string>{"row 0 Cats||", "row 1 Dogs||", "button 取消"}));
    EXPECT_EQ(queue.PendingCount(), 2u);
    EXPECT_EQ(queue.Take()->url, "http://h/f/cats.mpk");
}

TEST_F(Faces, CheckResultsForSilenceStatusAndEmptyList) {
    EXPECT_EQ(RunFaceCheck(env, "c", 1, {}, queue), -1);
    EXPECT_EQ(udp.sent.at(0).size(), 51u);
    udp.reply = PackReply(0, 5, {});
    EXPECT_EQ(RunFaceCheck(env, "c", 1, {}, queue), -4);
    EXPECT_EQ(store.dwords[kValueNextFaceUpdate], clock.now + 5);
    udp.reply = PackReply(1, 5, {});
    EXPECT_EQ(RunFaceCheck(env, "c", 1, {}, queue), -3);
    Bytes program = PackReply(1, 5, {});
    program[2] = 16;
    udp.reply = program;
    EXPECT_EQ(RunFaceCheck(env, "c", 1, {}, queue), -2);
}

TEST_F(Faces, PlainLinkIsQueuedWithNameAndId) {
    EXPECT_EQ(Link("mienko://h.example/p/a.zip?name=Cats&id=7"), LinkOutcome::Queued);
    EXPECT_EQ(probed, std::vector<std::string>{"select * from  mmNameIndexTable where packid like '%|7|%'"});
    EXPECT_EQ(view.events, (std::vector<std::string>{"row 0 Cats||7", "button 取消"}));
    EXPECT_EQ(queue.Take()->url, "http://h.example/p/a.zip");
}

TEST_F(Faces, SameLinkTwiceIsADuplicateEvenWithTheOtherScheme) {
    ASSERT_EQ(Link("http://h.example/a.zip?id=1"), LinkOutcome::Queued);
    view.events.clear();
    EXPECT_EQ(Link("http://h.example/a.zip?id=1"), LinkOutcome::Duplicate);
    EXPECT_EQ(view.events, std::vector<std::string>{"duplicate"});
    // The comparison is on the whole link text: another query is another link.
    EXPECT_EQ(Link("http://h.example/a.zip?id=2"), LinkOutcome::Queued);
}

TEST_F(Faces, InstalledPackAsksAndCancelStops) {
    installed = true;
    view.answer = false;
    EXPECT_EQ(Link("http://h.example/a.zip?id=7"), LinkOutcome::Declined);
    EXPECT_EQ(view.events, std::vector<std::string>{"ask"});
    EXPECT_EQ(queue.PendingCount(), 0u);
    view.answer = true;
    EXPECT_EQ(Link("http://h.example/a.zip?id=7"), LinkOutcome::Queued);
}

TEST_F(Faces, LinksWithoutIdOrWithAnUnknownSchemeSkipTheLibrary) {
    EXPECT_EQ(Link("http://h.example/a.zip"), LinkOutcome::Queued);
    EXPECT_EQ(Link("ftp://h.example/a.zip?id=3"), LinkOutcome::Ignored);
    EXPECT_EQ(Link("h.example/a.zip"), LinkOutcome::Ignored);
    EXPECT_EQ(Link("mienko://!!!"), LinkOutcome::Ignored);
    EXPECT_TRUE(probed.empty());
}

TEST(FaceWorkers, EachTakesOnePackAndTheLastSetsDone) {
    FaceQueue queue;
    queue.Append("l1", "http://h/a.mpk");
    queue.Append("l2", "http://h/b.zip");
    fakes::Downloads downloads;
    downloads.incomplete = {"http://h/b.zip"};
    fakes::Starts starts;
    fakes::View view;
    RunFaceWorker(queue, "C:\\app", downloads, starts, view);
    RunFaceWorker(queue, "C:\\app", downloads, starts, view);
    RunFaceWorker(queue, "C:\\app", downloads, starts, view);  // nothing left: ends
    EXPECT_EQ(downloads.urls.size(), 2u);
    EXPECT_EQ(starts.opened, std::vector<std::string>{"C:\\app\\Tessel.exe | -S C:\\app\\temp\\\\a.mpk"});
    EXPECT_EQ(view.events, (std::vector<std::string>{"button 完成", "done 0", "button 完成", "failed 1"}));
}

TEST(FaceWorkers, ParallelWorkersTakeDistinctRowsAndDoneComesOnce) {
    FaceQueue queue;
    for (int i = 0; i < 8; ++i) queue.Append("l" + std::to_string(i), "u" + std::to_string(i));
    std::vector<std::optional<FaceQueue::Task>> taken(8);
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i) threads.emplace_back([&, i] { taken[static_cast<size_t>(i)] = queue.Take(); });
    for (auto& t : threads) t.join();
    std::vector<int> rows;
    for (auto& t : taken) rows.push_back(t->row);
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    int lastCount = 0;
    for (int i = 0; i < 8; ++i) lastCount += queue.Finish() ? 1 : 0;
    EXPECT_EQ(lastCount, 1);
}
