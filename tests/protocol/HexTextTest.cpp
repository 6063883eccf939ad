// SPDX-License-Identifier: GPL-3.0-or-later
// Hex text is how frames travel between transcripts, fault options and tests:
// what one side writes the other must read back byte for byte.
#include <gtest/gtest.h>

#include "protocol/HexText.h"

namespace {

TEST(HexText, WritesTranscriptAndImageStyles) {
    const std::vector<uint8_t> bytes = {0x5A, 0x00, 0xAB, 0x0F};
    EXPECT_EQ(HexText(bytes), "5A 00 AB 0F");
    EXPECT_EQ(HexText(bytes, "", HexCase::Lower), "5a00ab0f");
    EXPECT_EQ(HexText({}), "");
}

TEST(HexText, ReadsWhatItWritesAndRefusesMalformedText) {
    std::vector<uint8_t> every(256);
    for (size_t i = 0; i < every.size(); ++i) {
        every[i] = static_cast<uint8_t>(i);
    }
    EXPECT_EQ(ParseHexText(HexText(every)), every);
    EXPECT_EQ(ParseHexText(HexText(every, "", HexCase::Lower)), every);
    EXPECT_EQ(ParseHexText("5a,5A aa"), (std::vector<uint8_t>{0x5A, 0x5A, 0xAA}));
    EXPECT_EQ(ParseHexText(""), std::vector<uint8_t>{});
    for (const char* bad : {"5", "5A 0", "5 A", "5G", "0x5A", "5A\t00"}) {
        EXPECT_FALSE(ParseHexText(bad).has_value()) << bad;
    }
}

}  // namespace
