#include <gtest/gtest.h>

#include "Variant.h"

TEST(VariantToText, EmptyAndNullReadAsEmptyText) {
    EXPECT_EQ(VariantToText(Variant()), "");
    EXPECT_EQ(VariantToText(Variant::Null()), "");
}

TEST(VariantToText, IntegersUseTheirOwnWidthAndSign) {
    EXPECT_EQ(VariantToText(Variant::Int(VT_I2, -5)), "-5");
    EXPECT_EQ(VariantToText(Variant::Int(VT_I2, 0x18000)), "-32768");  // only 16 bits count
    EXPECT_EQ(VariantToText(Variant::Long(-123456)), "-123456");
    EXPECT_EQ(VariantToText(Variant::Int(VT_UI4, 0xFFFFFFFF)), "-1");  // printed as %d
    EXPECT_EQ(VariantToText(Variant::Int(VT_I8, 0x100000007LL)), "7");  // low 32 bits
    EXPECT_EQ(VariantToText(Variant::Int(VT_I1, -1)), "255");          // byte as unsigned
    EXPECT_EQ(VariantToText(Variant::Int(VT_UI1, 200)), "200");
    EXPECT_EQ(VariantToText(Variant::Int(VT_UI2, 0xFFFF)), "65535");
    EXPECT_EQ(VariantToText(Variant::Int(VT_INT, 42)), "42");
    EXPECT_EQ(VariantToText(Variant::Int(VT_UINT, 42)), "42");
}

TEST(VariantToText, FloatingValuesHaveFixedDecimals) {
    EXPECT_EQ(VariantToText(Variant::Real(VT_R4, 1.5)), "1.5000");
    EXPECT_EQ(VariantToText(Variant::Real(VT_R8, 2.25)), "2.25000000");
    EXPECT_EQ(VariantToText(Variant::Real(VT_DECIMAL, -0.125)), "-0.12500000");
}

TEST(VariantToText, VoidIsTheFirstWordInPaddedHex) {
    EXPECT_EQ(VariantToText(Variant::Int(VT_VOID, 0xbeef)), "    beef");
}

TEST(VariantToText, CurrencyDropsTrailingZeros) {
    EXPECT_EQ(VariantToText(Variant::Int(VT_CY, 125000)), "12.5");
    EXPECT_EQ(VariantToText(Variant::Int(VT_CY, -30000)), "-3");
    EXPECT_EQ(VariantToText(Variant::Int(VT_CY, 1)), "0.0001");
}

TEST(VariantToText, DatesAreCalendarFieldsOrInvalid) {
    EXPECT_EQ(VariantToText(Variant::Real(VT_DATE, 0.0)), "1899-12-30 00:00:00");
    EXPECT_EQ(VariantToText(Variant::Real(VT_DATE, 36526.5)), "2000-01-01 12:00:00");
    EXPECT_EQ(VariantToText(Variant::Real(VT_DATE, 45000.75)), "2023-03-15 18:00:00");
    // Before 1899-12-30 the fraction still counts forward from midnight.
    EXPECT_EQ(VariantToText(Variant::Real(VT_DATE, -1.25)), "1899-12-29 06:00:00");
    EXPECT_EQ(VariantToText(Variant::Real(VT_DATE, 1e9)), "Invalid DateTime");
    EXPECT_EQ(VariantToText(Variant::Real(VT_DATE, -700000.0)), "Invalid DateTime");
}

TEST(VariantToText, BooleansTextsAndBinaries) {
    EXPECT_EQ(VariantToText(Variant::Bool(true)), "TRUE");
    EXPECT_EQ(VariantToText(Variant::Int(VT_BOOL, 5)), "TRUE");
    EXPECT_EQ(VariantToText(Variant::Bool(false)), "FALSE");
    EXPECT_EQ(VariantToText(Variant::Text("表情")), "表情");
    EXPECT_EQ(VariantToText(Variant::Bytes({1, 2, 3})), "[BLOB]");
    EXPECT_EQ(VariantToText(Variant::Typed(VT_BLOB)), "[BLOB]");
    EXPECT_EQ(VariantToText(Variant::Typed(VT_BLOB_OBJECT)), "[BLOB]");
    EXPECT_EQ(VariantToText(Variant::Typed(9)), "UN_KNOW");
}

TEST(VariantToLong, SixteenBitTypesAreSignExtended) {
    EXPECT_EQ(VariantToLong(Variant::Int(VT_I2, -2)), -2);
    EXPECT_EQ(VariantToLong(Variant::Bool(true)), -1);
    EXPECT_EQ(VariantToLong(Variant::Int(VT_UI2, 0xFFFF)), -1);
}

TEST(VariantToLong, BytesAreZeroExtended) {
    EXPECT_EQ(VariantToLong(Variant::Int(VT_I1, -1)), 255);
    EXPECT_EQ(VariantToLong(Variant::Int(VT_UI1, 7)), 7);
}

TEST(VariantToLong, RealsAddAHalfAndTruncateTowardZero) {
    EXPECT_EQ(VariantToLong(Variant::Real(VT_R8, 2.5)), 3);
    EXPECT_EQ(VariantToLong(Variant::Real(VT_R8, 2.49)), 2);
    EXPECT_EQ(VariantToLong(Variant::Real(VT_R8, -2.7)), -2);
    EXPECT_EQ(VariantToLong(Variant::Real(VT_R4, 9.6)), 10);
    EXPECT_EQ(VariantToLong(Variant::Real(VT_R8, 1e12)), INT32_MIN);  // no undefined cast
}

TEST(VariantToLong, CurrencyAndDecimalRoundHalfToEven) {
    EXPECT_EQ(VariantToLong(Variant::Int(VT_CY, 25000)), 2);
    EXPECT_EQ(VariantToLong(Variant::Int(VT_CY, 35000)), 4);
    EXPECT_EQ(VariantToLong(Variant::Real(VT_DECIMAL, -1.5)), -2);
    EXPECT_EQ(VariantToLong(Variant::Real(VT_DECIMAL, 1e20)), 0);
}

TEST(VariantToLong, TextsReadLikeAtol) {
    EXPECT_EQ(VariantToLong(Variant::Text("  -42abc")), -42);
    EXPECT_EQ(VariantToLong(Variant::Text("+7")), 7);
    EXPECT_EQ(VariantToLong(Variant::Text("abc")), 0);
    EXPECT_EQ(VariantToLong(Variant::Text("")), 0);
}

TEST(VariantToLong, OtherTypesGiveZero) {
    EXPECT_EQ(VariantToLong(Variant::Null()), 0);
    EXPECT_EQ(VariantToLong(Variant()), 0);
    EXPECT_EQ(VariantToLong(Variant::Int(VT_I8, 5)), 0);
    EXPECT_EQ(VariantToLong(Variant::Real(VT_DATE, 3.0)), 0);
    EXPECT_EQ(VariantToLong(Variant::Bytes({1})), 0);
    EXPECT_EQ(VariantToLong(Variant::Long(123456789)), 123456789);
    EXPECT_EQ(VariantToLong(Variant::Int(VT_UI4, 0xFFFFFFFE)), -2);
}
