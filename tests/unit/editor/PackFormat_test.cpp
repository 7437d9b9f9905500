// Pack files and entry naming: the header's messages, categories from folders, face names.
#include <gtest/gtest.h>

#include "PackEntries.h"
#include "PackHeader.h"

using namespace editor;

namespace {

PackHeaderStatus Parse(const std::vector<unsigned char>& bytes, PackHeader& out) {
    return ParsePackHeader(bytes.data(), bytes.size(), out);
}

}  // namespace

TEST(PackHeader, ReadsNumberNameAndArchiveOffset) {
    auto bytes = BuildPackHeader(-7, "\xBF\xAA\xD0\xC4");  // GBK bytes kept as they are
    bytes.push_back('P');
    PackHeader h;
    ASSERT_EQ(Parse(bytes, h), PackHeaderStatus::Ok);
    EXPECT_EQ(h.number, -7);
    EXPECT_EQ(h.name, "\xBF\xAA\xD0\xC4");
    EXPECT_EQ(h.archiveOffset, 17u + 4u);
    EXPECT_EQ(bytes[h.archiveOffset], 'P');
}

TEST(PackHeader, LongestAndEmptyNames) {
    PackHeader h;
    auto longest = BuildPackHeader(1, std::string(300, 'x'));
    ASSERT_EQ(Parse(longest, h), PackHeaderStatus::Ok);
    EXPECT_EQ(h.name.size(), 255u);
    EXPECT_EQ(h.archiveOffset, kPackHeaderMaxSize);
    ASSERT_EQ(Parse(BuildPackHeader(1, ""), h), PackHeaderStatus::Ok);
    EXPECT_EQ(h.name, "");
    EXPECT_EQ(h.archiveOffset, 17u);
}

TEST(PackHeader, VersionOtherThanOneIsTheVersionError) {
    PackHeader h;
    EXPECT_EQ(Parse(BuildPackHeader(3, "a", 2), h), PackHeaderStatus::VersionError);
    EXPECT_EQ(Parse(BuildPackHeader(3, "a", 0), h), PackHeaderStatus::VersionError);
}

TEST(PackHeader, DamageIsTheFormatError) {
    PackHeader h;
    EXPECT_EQ(Parse(BuildPackHeader(3, "a", 1, 'q'), h), PackHeaderStatus::FormatError);
    EXPECT_EQ(Parse(BuildPackHeader(0, "a"), h), PackHeaderStatus::FormatError);
    auto wrongMagic = BuildPackHeader(3, "a");
    wrongMagic[0] = 'm';
    EXPECT_EQ(Parse(wrongMagic, h), PackHeaderStatus::FormatError);
    // Cut at every offset: never read past the end, never accepted.
    auto good = BuildPackHeader(3, "abc");
    for (size_t n = 0; n < good.size(); ++n) {
        std::vector<unsigned char> cut(good.begin(), good.begin() + std::ptrdiff_t(n));
        EXPECT_EQ(Parse(cut, h), PackHeaderStatus::FormatError) << n;
    }
}

TEST(PackHeader, MessagesNameThePath) {
    EXPECT_EQ(PackCannotOpenText("C:\\a.mpk"), "不能打开文件: C:\\a.mpk。");
    EXPECT_EQ(PackVersionErrorText("C:\\a.mpk"), "文件: C:\\a.mpk 版本错误。");
    EXPECT_EQ(PackFormatErrorText("C:\\a.mpk"), "文件: C:\\a.mpk 格式错误。");
    EXPECT_EQ(PackInstalledQuestion("兔斯基"), "表情包: \"兔斯基\" 已经存在，是否重新导入！");
}

TEST(PackEntries, KindByLastExtensionAnyCase) {
    EXPECT_EQ(PackKindOf("c:\\x\\a.ZIP"), PackKind::Zip);
    EXPECT_EQ(PackKindOf("c:\\x.mpk\\a.Mpk"), PackKind::Mpk);
    EXPECT_EQ(PackKindOf("c:\\x\\a.zip.gz"), PackKind::Other);
    EXPECT_EQ(PackKindOf("c:\\x\\zip"), PackKind::Other);
}

TEST(PackEntries, DefaultCategoryIsPackNameOrFileBaseName) {
    EXPECT_EQ(DefaultCategoryName("c:\\p\\cute.faces.mpk", 5, "萌"), "萌");
    EXPECT_EQ(DefaultCategoryName("c:\\p\\cute.faces.mpk", 5, ""), "cute.faces");
    EXPECT_EQ(DefaultCategoryName("c:/p/开心包.zip", 0, "ignored"), "开心包");
    EXPECT_EQ(DefaultCategoryName("noext", 0, ""), "noext");
}

TEST(PackEntries, CategoryIsTheFolderDirectlyAbove) {
    EXPECT_EQ(EntryCategory("开心/a.gif", "D"), "开心");
    EXPECT_EQ(EntryCategory("root/sub/a.gif", "D"), "sub");
    EXPECT_EQ(EntryCategory("c.gif", "D"), "D");
    EXPECT_EQ(EntryCategory("/a.gif", "D"), "");
    EXPECT_EQ(EntryCategory("x//a.gif", "D"), "");
    EXPECT_TRUE(IsFolderEntry("开心/"));
    EXPECT_TRUE(IsFolderEntry(""));
    EXPECT_FALSE(IsFolderEntry("开心/a.gif"));
    EXPECT_EQ(EntryFileName("../../etc/a.gif"), "a.gif");
    EXPECT_EQ(EntryCategory("../../etc/a.gif", "D"), "etc");
    EXPECT_EQ(EntryCategory("a/../b.gif", "D"), "..");  // a name, never a path on disk
}

TEST(PackEntries, OnlyJpgGifBmpAreFaces) {
    EXPECT_TRUE(IsFaceFile("a.GIF"));
    EXPECT_TRUE(IsFaceFile("a.b.jpg"));
    EXPECT_TRUE(IsFaceFile(".bmp"));
    EXPECT_FALSE(IsFaceFile("a.jpeg"));
    EXPECT_FALSE(IsFaceFile("readme.txt"));
    EXPECT_FALSE(IsFaceFile("unknown"));
    EXPECT_FALSE(IsFaceFile("gif"));
}

TEST(PackEntries, SevenBitNamesTakeTheCategoryName) {
    EXPECT_EQ(EntryFaceName("smile01.gif", "开心"), "开心");
    EXPECT_EQ(EntryFaceName("开心01.gif", "开心"), "开心01");
    EXPECT_EQ(EntryFaceName(".gif", "开心"), "开心");
    EXPECT_EQ(EntryFaceName("a.b.gif", "Happy"), "Happy");
    EXPECT_EQ(EntryFaceName("smile.gif", ""), "smile");
    EXPECT_EQ(EntryFaceName(".gif", ""), "");  // skipped by the import
}
