// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/PresetStore.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

ProgramName NameField(const std::string& text) {
    ProgramName field{};
    std::copy(text.begin(), text.end(), field.begin());
    return field;
}

TEST(PresetStore, WritesTheTextThenZeros) {
    PresetStore store;
    store.SetName(4, "Party");
    EXPECT_EQ(store.NameBytes(4), NameField("Party"));
    EXPECT_EQ(store.Name(4), "Party");

    // A shorter name leaves nothing of the longer one behind.
    store.SetName(4, "Pop");
    EXPECT_EQ(store.NameBytes(4), NameField("Pop"));
}

TEST(PresetStore, CutsLongNamesSoTheFieldEndsInAZero) {
    PresetStore store;
    store.SetName(1, "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(store.NameBytes(1), NameField("ABCDEFGHIJKLMNO"));
    EXPECT_EQ(store.Name(1), "ABCDEFGHIJKLMNO");

    // Names are GBK: eight two-byte characters are 16 bytes; seven fit, the
    // eighth is not split.
    const std::string eightCharacters =
        "\xC8\xC8\xCE\xE8\xC8\xC8\xCE\xE8\xC8\xC8\xCE\xE8\xC8\xC8\xCE\xE8";
    store.SetName(2, eightCharacters);
    EXPECT_EQ(store.Name(2), eightCharacters.substr(0, 14));
    EXPECT_EQ(store.NameBytes(2)[14], 0);
    EXPECT_EQ(store.NameBytes(2)[15], 0);

    // A 16-byte name from the device shows its first 15 bytes, less a character cut in half.
    store.StoreNameReply(3, Bytes(eightCharacters));
    EXPECT_EQ(store.Name(3), eightCharacters.substr(0, 14));
    store.StoreNameReply(3, Bytes("A" + eightCharacters.substr(0, 15)));
    EXPECT_EQ(store.Name(3), "A" + eightCharacters.substr(0, 14));
}

TEST(PresetStore, ReadsNamesAsTheDeviceSendsThem) {
    PresetStore store;
    store.StoreNameReply(0, Bytes("0123456789ABCDEF"));
    EXPECT_EQ(store.Name(0), "0123456789ABCDE");
    EXPECT_EQ(store.NameBytes(0), NameField("0123456789ABCDEF"));

    store.StoreNameReply(20, Bytes("  Hall 2  \0junk"));
    EXPECT_EQ(store.Name(20), "Hall 2");

    store.StoreNameReply(3, Bytes("abc"));
    EXPECT_EQ(store.NameBytes(3), NameField("abc"));
}

TEST(PresetStore, IgnoresSlotsOutsideTheStore) {
    PresetStore store;
    store.StoreNameReply(21, Bytes("Stray"));
    store.StoreNameReply(-1, Bytes("Stray"));
    store.SetName(255, "Stray");
    for (int slot = 0; slot < kPresetSlotCount; ++slot) {
        EXPECT_EQ(store.NameBytes(slot), ProgramName{}) << "slot " << slot;
    }
    EXPECT_EQ(store.Name(21), "");
    EXPECT_EQ(store.NameBytes(21), ProgramName{});
}

TEST(PresetStore, TrimsSpacesOnBothSides) {
    EXPECT_EQ(TrimSpaces("  Live 1  "), "Live 1");
    EXPECT_EQ(TrimSpaces("    "), "");
    EXPECT_EQ(TrimSpaces(""), "");
}

}  // namespace
