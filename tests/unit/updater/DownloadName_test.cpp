// Download file names and the download list's texts.
#include <gtest/gtest.h>

#include "DownloadName.h"

using namespace update;

TEST(DownloadName, NoNameTakesTheLastSegmentQueryIncluded) {
    EXPECT_EQ(LocalFileName("http://h/a/b.zip", ""), "b.zip");
    EXPECT_EQ(LocalFileName("http://h/get.asp?id=5", ""), "get.asp?id=5");
    EXPECT_EQ(LocalFileName("http://h/a/", ""), "");
    EXPECT_EQ(LocalPath("C:\\t\\", "http://h/a/b.zip", ""), "C:\\t\\\\b.zip");
}

TEST(DownloadName, NameWithoutDotBorrowsTheUrlExtensionAndLosesTheQuery) {
    EXPECT_EQ(LocalPath("C:\\t", "http://h/x.zip?id=3", "abc"), "C:\\t\\abc.zip");
    EXPECT_EQ(LocalFileName("http://h/x.zip?id=3", "abc"), "abc.zip?id=3");
    EXPECT_EQ(LocalFileName("http://h/x", "abc"), "abc");  // the URL has no extension to lend
}

TEST(DownloadName, NameWithDotIsKept) {
    EXPECT_EQ(LocalFileName("http://h/x.zip?id=3", "my.pack"), "my.pack");
    EXPECT_EQ(LocalPath("C:\\t", "http://h/x.zip?id=3", "a.b?c"), "C:\\t\\a.b?c");
}

TEST(ListTexts, VersionsAndItemSizes) {
    EXPECT_EQ(VersionText(101), "V1.01");
    EXPECT_EQ(VersionText(1230), "V12.30");
    EXPECT_EQ(VersionText(0), "V0.00");
    EXPECT_EQ(ItemSizeText(0x8005), "5 MB");
    EXPECT_EQ(ItemSizeText(5), "5 KB");
    EXPECT_EQ(ItemSizeText(0xFFFF), "32767 MB");
}

TEST(ListTexts, TotalSizeAndSpeedSwitchUnitsAboveTheBoundary) {
    EXPECT_EQ(TotalSizeText(1024), "1024 B");
    EXPECT_EQ(TotalSizeText(1025), "1 KB");
    EXPECT_EQ(TotalSizeText(1048576), "1024 KB");
    EXPECT_EQ(TotalSizeText(1048577), "1 MB");
    EXPECT_EQ(SpeedText(1024), "1024 B/S");
    EXPECT_EQ(SpeedText(2048), "2 KB/S");
}

TEST(ListTexts, ProgressIsClampedAndSafeForLargeFilesAndNoTotal) {
    EXPECT_EQ(ProgressPercent(0, 5000), 0);
    EXPECT_EQ(ProgressPercent(200, 100), 50);
    EXPECT_EQ(ProgressPercent(100, 300), 100);
    EXPECT_EQ(ProgressPercent(4000000000u, 3000000000u), 75);  // received * 100 needs 64 bits
}
