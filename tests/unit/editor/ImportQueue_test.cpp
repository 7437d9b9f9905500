// The pack-import queue: paths compared without case, no duplicates while running, the
// user's spelling kept for messages, clear = cancel.
#include <gtest/gtest.h>

#include "ImportQueue.h"

using namespace editor;

TEST(ImportQueue, FirstPackStartsFurtherOnesWaitOnce) {
    ImportQueue q;
    EXPECT_FALSE(q.IsRunning());
    EXPECT_EQ(q.Enqueue("C:\\Temp\\A.MPK"), QueueResult::Started);
    EXPECT_TRUE(q.IsRunning());
    EXPECT_EQ(q.Enqueue("c:\\temp\\a.mpk"), QueueResult::AlreadyQueued);  // the running one
    EXPECT_EQ(q.Enqueue("C:\\Temp\\b.zip"), QueueResult::Appended);
    EXPECT_EQ(q.Enqueue("C:\\TEMP\\B.ZIP"), QueueResult::AlreadyQueued);
    std::string head;
    ASSERT_TRUE(q.Head(head));
    EXPECT_EQ(head, "C:\\Temp\\A.MPK");  // as first queued
    EXPECT_TRUE(q.FinishHead());
    ASSERT_TRUE(q.Head(head));
    EXPECT_EQ(head, "C:\\Temp\\b.zip");
    EXPECT_TRUE(q.FinishHead());
    EXPECT_FALSE(q.IsRunning());
    EXPECT_FALSE(q.FinishHead());
    EXPECT_EQ(q.Enqueue("C:\\Temp\\A.MPK"), QueueResult::Started);  // again after the end
}

TEST(ImportQueue, ClearingIsTheCancelAndKeepsNonAsciiBytes) {
    ImportQueue q;
    q.Enqueue("D:\\表情\\开心.MPK");
    q.Enqueue("D:\\x.zip");
    std::string head;
    ASSERT_TRUE(q.Head(head));
    EXPECT_EQ(head, "D:\\表情\\开心.MPK");
    EXPECT_EQ(LowerPath("D:\\表情\\开心.MPK"), "d:\\表情\\开心.mpk");
    q.Clear();
    EXPECT_FALSE(q.IsRunning());
    EXPECT_FALSE(q.Head(head));
    EXPECT_EQ(q.Size(), 0u);
}
