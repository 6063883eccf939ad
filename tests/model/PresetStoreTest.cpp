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

    // Six three-byte characters are 18 bytes: five fit, the sixth is not split.
    store.SetName(2, "热舞热舞热舞");
    EXPECT_EQ(store.Name(2), "热舞热舞热");
    EXPECT_EQ(store.NameBytes(2)[15], 0);
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
