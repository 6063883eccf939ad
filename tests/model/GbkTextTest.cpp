// SPDX-License-Identifier: GPL-3.0-or-later
// Names between the interface's UTF-8 and the device's GBK: every name of
// the shared table encodes to its hand-written bytes and back, a character
// GBK cannot hold is named and never replaced, and bytes that are no GBK
// show as replacement characters instead of vanishing.
#include <gtest/gtest.h>

#include "fixtures/GbkNameCases.h"
#include "model/GbkText.h"

namespace {

TEST(GbkText, NamesEncodeToTheirBytesAndDecodeBack) {
    for (const GbkNameCase& c : kGbkNameCases) {
        SCOPED_TRACE(c.label);
        const GbkEncoding encoding = EncodeGbk(c.typed);
        EXPECT_EQ(encoding.bytes, c.gbk);
        EXPECT_EQ(encoding.refused, c.refused);
        if (c.fate == NameFate::NotGbk) {
            EXPECT_FALSE(encoding.Ok());
            EXPECT_EQ(c.typed.substr(encoding.refusedAt, c.refused.size()), c.refused);
            // Counted as a two-byte character, as the name field does while it is typed.
            EXPECT_EQ(GbkLength(c.typed), c.gbk.size() + 2);
        } else {
            EXPECT_TRUE(encoding.Ok());
            EXPECT_EQ(DecodeGbk(c.gbk), c.typed);
            EXPECT_EQ(GbkLength(c.typed), c.gbk.size());
        }
    }
}

TEST(GbkText, TheCodePageOfWindowsIsMeantEuroSignIncluded) {
    EXPECT_EQ(EncodeGbk("5€").bytes, "5\x80");
    EXPECT_EQ(DecodeGbk("5\x80"), "5€");
}

TEST(GbkText, BytesThatAreNoGbkShowAsReplacementsOnePerByte) {
    // A lead byte without its trail (a name cut at 15 bytes) and 0xFF.
    EXPECT_EQ(DecodeGbk("A\xD6\xD0\xCE"), "A中\xEF\xBF\xBD");
    EXPECT_EQ(DecodeGbk("\xFF"
                        "B"),
              "\xEF\xBF\xBD"
              "B");
    // UTF-8 from software that ignored the code page is shown, not guessed.
    EXPECT_EQ(DecodeGbk("\xE4\xB8\xAD").find("中"), std::string::npos);
}

TEST(GbkText, TextThatIsNoUtf8IsRefusedAsAReplacementCharacter) {
    const GbkEncoding encoding = EncodeGbk("AB\xC3");
    EXPECT_EQ(encoding.bytes, "AB");
    EXPECT_EQ(encoding.refused, "\xEF\xBF\xBD");
    EXPECT_EQ(encoding.refusedAt, 2U);
}

TEST(GbkText, PrefixesNeverCutACharacterInHalf) {
    const std::string_view name =
        "A\xD6\xD0\xCE\xC4"
        "B";
    EXPECT_EQ(WholeGbkPrefixLength(name, 6), 6U);
    EXPECT_EQ(WholeGbkPrefixLength(name, 5), 5U);
    EXPECT_EQ(WholeGbkPrefixLength(name, 4), 3U);
    EXPECT_EQ(WholeGbkPrefixLength(name, 2), 1U);
    EXPECT_EQ(WholeGbkPrefixLength(name, 0), 0U);
    // A lone lead byte at the end counts as one byte.
    EXPECT_EQ(WholeGbkPrefixLength("AB\xD6", 15), 3U);
}

}  // namespace
