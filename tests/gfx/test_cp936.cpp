// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "gfx/cp936.h"

using namespace yhb;

TEST(Cp936, RoundTripsChineseAndAscii) {
    const std::string utf8 = "当前题号 x^2+1=0 ★●〓■｛";
    const std::string gb = cp936::fromUtf8(utf8);
    EXPECT_EQ(gb.substr(0, 2), "\xB5\xB1"); // 当
    EXPECT_EQ(cp936::toUtf8(gb), utf8);
    // Two bytes per Chinese character, one per ASCII byte.
    EXPECT_EQ(cp936::fromUtf8("一次函数").size(), 8u);
}

TEST(Cp936, InvalidBytesBecomeReplacementsWithoutLosingTheRest) {
    // A lone lead byte at the end, a lead byte followed by an invalid trail, and 0x80.
    EXPECT_EQ(cp936::toUtf8("ab\x81"), "ab\xEF\xBF\xBD");
    EXPECT_EQ(cp936::toUtf8(std::string("x\xFF" "y", 3)), "x\xEF\xBF\xBDy");
    const std::string withZero("a\0b", 3);
    EXPECT_EQ(cp936::toUtf8(withZero), withZero);
    // Characters outside CP936 become '?'; broken UTF-8 too.
    EXPECT_EQ(cp936::fromUtf8("a\xF0\x9F\x98\x80z"), "a?z");
    EXPECT_EQ(cp936::fromUtf8("a\xE4\xB8z"), "a?z");
}

TEST(Cp936, DoubleByteDetectionAndValidation) {
    const std::string gb = "ab" + cp936::fromUtf8("中") + "c";
    EXPECT_FALSE(cp936::isDoubleByteAt(gb, 0));
    EXPECT_TRUE(cp936::isDoubleByteAt(gb, 2));
    EXPECT_FALSE(cp936::isDoubleByteAt(gb, 4));
    EXPECT_EQ(cp936::firstInvalid(gb), std::string::npos);
    EXPECT_EQ(cp936::firstInvalid("ok\xFF"), 2u);
    EXPECT_EQ(cp936::firstInvalid("ok\x81"), 2u);
}

// Text is UTF-8 inside; the classic layouts still give a character as many cells as it takes
// bytes in CP936, so that old questions keep their places.
TEST(Cp936, CellsOfUtf8TextAreItsCp936Bytes) {
    for (const char* utf8 : {"当前题号 x^2+1=0 ★●〓■｛", "abc", "", "√π±≤≥∵∴"})
        EXPECT_EQ(cp936::cp936Width(utf8), static_cast<int>(cp936::fromUtf8(utf8).size())) << utf8;
    // A character CP936 lacks takes two cells, drawn, not one "?".
    EXPECT_EQ(cp936::cp936Width("⊆∅⇒⩽x²"), 11);
    EXPECT_EQ(cp936::cp936Width("a\xF0\x9F\x98\x80"), 3);
    // A cell inside a character rounds down to its start.
    const std::string t = "ab中c";
    EXPECT_EQ(cp936::byteAtCell(t, 2), 2u);
    EXPECT_EQ(cp936::byteAtCell(t, 3), 2u);
    EXPECT_EQ(cp936::byteAtCell(t, 4), 5u);
    EXPECT_EQ(cp936::byteAtCell(t, 99), t.size());
    std::size_t n = 0;
    EXPECT_EQ(cp936::decodeAt("\xE4\xB8", 0, n), U'\uFFFD'); // cut short
    EXPECT_EQ(n, 1u);
    EXPECT_EQ(cp936::encodeUtf8(U'\u2286') + cp936::encodeUtf8(U'\U0001F600'), "⊆\xF0\x9F\x98\x80");
}
