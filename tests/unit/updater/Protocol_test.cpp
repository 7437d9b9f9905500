// The update query protocol: request bytes, and replies read as untrusted input.
#include <gtest/gtest.h>

#include "ReplyBuilder.h"
#include "UpdateProtocol.h"

using namespace update;

namespace {

Bytes ProgramReplyBytes(const std::string& base) {
    ReplyBuilder r;
    r.U8(1).Le16(102).Le16(3600).U8(static_cast<unsigned>(base.size())).Text(base).U8(2);
    r.Le16(102).Le16(0x8005).Sized("Pelumo.exe").Sized("-x y").U8(3).U8(1);
    r.Le16(101).Le16(5).Sized("http://other/agent.dll").Sized("").U8(0).U8(2);
    return r.Done();
}

Bytes FaceReplyBytes(const std::string& base) {
    ReplyBuilder r(17);
    r.U8(1).Le16(0xBEEF).Le16(60).U8(static_cast<unsigned>(base.size())).Text(base).U8(2);
    r.Le16(9).Sized("packs/动物").Sized("a.mpk");
    r.Le16(9).Sized("B").Sized("http://x/b.zip");
    return r.Done();
}

}  // namespace

TEST(ProgramRequest, CarriesFrameCidAndVersionByteForByte) {
    const Bytes req = BuildProgramRequest("{ABC}", 0x1234);
    ASSERT_EQ(req.size(), 58u);
    EXPECT_EQ((Bytes{req.begin(), req.begin() + 5}), (Bytes{2, 10, 16, 0, 58}));
    EXPECT_EQ(std::string(req.begin() + 5, req.begin() + 10), "{ABC}");
    for (size_t i = 10; i < 51; ++i) EXPECT_EQ(req[i], 0) << i;
    EXPECT_EQ(req[51], 0x34);
    EXPECT_EQ(req[52], 0x12);
    for (size_t i = 53; i < 57; ++i) EXPECT_EQ(req[i], 0) << i;
    EXPECT_EQ(req[57], 3);
}

TEST(ProgramRequest, CidLongerThanItsFieldIsCutNotSpilled) {
    const Bytes req = BuildProgramRequest(std::string(60, 'C'), 101);
    ASSERT_EQ(req.size(), 58u);
    EXPECT_EQ(std::string(req.begin() + 5, req.begin() + 45), std::string(40, 'C'));
    EXPECT_EQ(req[45], 0);
    EXPECT_EQ(req[51], 101);
}

TEST(FaceRequest, CarriesIdsLittleEndianAfterTheCount) {
    const Bytes req = BuildFaceRequest("{CID}", 0x0102, {1, 2, 0x0303});
    ASSERT_EQ(req.size(), 57u);
    EXPECT_EQ((Bytes{req.begin(), req.begin() + 5}), (Bytes{2, 10, 17, 0, 57}));
    EXPECT_EQ(std::string(req.begin() + 5, req.begin() + 10), "{CID}");
    for (size_t i = 10; i < 46; ++i) EXPECT_EQ(req[i], 0) << i;
    EXPECT_EQ((Bytes{req.begin() + 46, req.end()}), (Bytes{2, 1, 3, 0, 1, 0, 2, 0, 3, 3, 3}));
}

TEST(FaceRequest, NoPacksIs51BytesAndTooManyStopAtTheDatagram) {
    EXPECT_EQ(BuildFaceRequest("c", 1, {}).size(), 51u);
    const Bytes full = BuildFaceRequest("c", 1, std::vector<uint16_t>(300, 7));
    ASSERT_EQ(full.size(), 511u);
    EXPECT_EQ(full[48] | full[49] << 8, 230);
    EXPECT_EQ(full[3] << 8 | full[4], 511);  // big-endian length above 255
    EXPECT_EQ(full.back(), 3);
}

TEST(ProgramReply, ReadsHeaderBaseAndItems) {
    const auto reply = ParseProgramReply(ProgramReplyBytes("http://h/up/"));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, 1);
    EXPECT_EQ(reply->newest, 102);
    EXPECT_EQ(reply->interval, 3600);
    ASSERT_EQ(reply->items.size(), 2u);
    EXPECT_EQ(reply->items[0].url, "http://h/up/Pelumo.exe");
    EXPECT_EQ(reply->items[0].params, "-x y");
    EXPECT_EQ(reply->items[0].sizeField, 0x8005);
    EXPECT_EQ(reply->items[0].dirCode, 3);
    EXPECT_EQ(reply->items[0].action, 1);
    EXPECT_EQ(reply->items[1].url, "http://other/agent.dll");  // absolute: the base is ignored
    EXPECT_EQ(reply->items[1].params, "");
    EXPECT_EQ(reply->items[1].action, 2);
}

TEST(ProgramReply, StatusOtherThanOneNeedsNoListAfterTheInterval) {
    ReplyBuilder r;
    r.U8(0).Le16(0).Le16(77);
    const auto reply = ParseProgramReply(r.b);  // no end byte, nothing after the interval
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, 0);
    EXPECT_EQ(reply->interval, 77);
    EXPECT_TRUE(reply->items.empty());
}

TEST(ProgramReply, EveryTruncationIsRejectedNeverReadPast) {
    const Bytes whole = ProgramReplyBytes("http://h/");
    const size_t lastByteRead = whole.size() - 1;  // the end byte is not needed
    for (size_t n = 0; n < lastByteRead; ++n) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(n));
        ReplyError error;
        EXPECT_FALSE(ParseProgramReply(cut, &error)) << "length " << n << " of " << whole.size();
        EXPECT_EQ(error, n < 3 ? ReplyError::WrongCommand : ReplyError::Malformed) << n;
    }
    EXPECT_TRUE(ParseProgramReply(Bytes(whole.begin(), whole.begin() + static_cast<long>(lastByteRead))));
}

TEST(ProgramReply, WrongCommandOrMarkerIsTold) {
    Bytes other = ProgramReplyBytes("b/");
    other[2] = 17;
    ReplyError error;
    EXPECT_FALSE(ParseProgramReply(other, &error));
    EXPECT_EQ(error, ReplyError::WrongCommand);
    other[2] = 16;
    other[1] = 11;
    EXPECT_FALSE(ParseProgramReply(other, &error));
    EXPECT_EQ(error, ReplyError::WrongCommand);
}

TEST(ProgramReply, LimitsOnBaseAndFullUrlsRejectTheReply) {
    ReplyError error;
    EXPECT_FALSE(ParseProgramReply(ProgramReplyBytes(std::string(200, 'b')), &error));
    EXPECT_EQ(error, ReplyError::Malformed);
    // 127 characters in all is the most a full URL may have ("Pelumo.exe" is 10).
    EXPECT_FALSE(ParseProgramReply(ProgramReplyBytes(std::string(118, 'b'))));
    const auto fits = ParseProgramReply(ProgramReplyBytes(std::string(117, 'b')));
    ASSERT_TRUE(fits);
    EXPECT_EQ(fits->items[0].url.size(), 127u);
}

TEST(ProgramReply, CountOf255InAShortDatagramIsRejected) {
    ReplyBuilder r;
    r.U8(1).Le16(200).Le16(1).U8(2).Text("h/").U8(255);
    r.Le16(1).Le16(1).Sized("a").Sized("").U8(0).U8(0);
    EXPECT_FALSE(ParseProgramReply(r.Done()));
}

TEST(ProgramReply, LengthFieldsPointingPastTheEndAreRejected) {
    ReplyBuilder r;
    r.U8(1).Le16(200).Le16(1).U8(2).Text("h/").U8(1);
    r.Le16(1).Le16(1).Le16(60000).Text("abc");
    EXPECT_FALSE(ParseProgramReply(r.Done()));
}

TEST(ProgramReply, BytesBeyond512AreNotRead) {
    // An item that only completes past byte 512 counts as cut short.
    ReplyBuilder r;
    r.U8(1).Le16(200).Le16(1).U8(2).Text("h/").U8(5);
    for (int i = 0; i < 5; ++i) r.Le16(1).Le16(1).Sized(std::string(100, 'u')).Sized("").U8(0).U8(0);
    const Bytes big = r.Done();
    ASSERT_GT(big.size(), 512u);
    EXPECT_FALSE(ParseProgramReply(big));
}

TEST(FaceReply, ReadsPacksSkippingTheFirstItemField) {
    const auto reply = ParseFaceReply(FaceReplyBytes("http://h/f/"));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, 1);
    EXPECT_EQ(reply->interval, 60);
    ASSERT_EQ(reply->items.size(), 2u);
    EXPECT_EQ(reply->items[0].name, "packs/动物");
    EXPECT_EQ(reply->items[0].url, "http://h/f/a.mpk");
    EXPECT_EQ(reply->items[1].url, "http://x/b.zip");
}

TEST(FaceReply, EveryTruncationIsRejected) {
    const Bytes whole = FaceReplyBytes("http://h/");
    for (size_t n = 0; n + 1 < whole.size(); ++n) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(n));
        EXPECT_FALSE(ParseFaceReply(cut)) << "length " << n << " of " << whole.size();
    }
    Bytes program = ProgramReplyBytes("h/");
    ReplyError error;
    EXPECT_FALSE(ParseFaceReply(program, &error));
    EXPECT_EQ(error, ReplyError::WrongCommand);
}
