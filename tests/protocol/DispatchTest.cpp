// SPDX-License-Identifier: GPL-3.0-or-later
// What replies do once assembled: where their data lands, which events the
// view gets, and whether the head request is complete.
#include <gtest/gtest.h>

#include <vector>

#include "ProtocolFakes.h"
#include "protocol/Command.h"

namespace {

class Dispatch : public testing::Test {
  protected:
    // Queues one request to be answered.
    void Expect(std::unique_ptr<CSendData> request) { engine.Post(std::move(request)); }

    FakeSource source;
    DeviceStores stores;
    FakeEvents events;
    CCommand engine{source, stores.targets, events};
};

TEST_F(Dispatch, ItemNineReplyFillsMusicVolumeBytes) {
    Expect(BuildSystemRead(9));
    engine.FeedNetwork(DeviceReply(Command::kRead, 6, 0, 9, {0x28, 0x05, 0x00, 0, 0, 0, 0, 0}));
    EXPECT_EQ(stores.system.Byte(13), 0x28);
    EXPECT_EQ(stores.system.Byte(14), 0x05);
    EXPECT_EQ(stores.system.Byte(15), 0x00);
    EXPECT_EQ(engine.Queue().Count(), 0);
    EXPECT_TRUE(events.log.empty());
}

TEST_F(Dispatch, ItemFourReplyEndsTheSystemRead) {
    Expect(BuildSystemRead(4));
    engine.FeedNetwork(DeviceReply(Command::kRead, 6, 0, 4, {0x03}));
    EXPECT_EQ(stores.system.Byte(16), 0x03);
    EXPECT_EQ(events.log, std::vector<std::string>{"system"});
}

TEST_F(Dispatch, NameReplyStoresTheSlotName) {
    Expect(BuildNameRead(7));
    std::vector<uint8_t> name(16, 0);
    name[0] = 'P';
    name[1] = 'O';
    engine.FeedNetwork(DeviceReply(Command::kRead, 5, 7, 4, name));
    EXPECT_EQ(stores.presets.NameBytes(7)[0], 'P');
    EXPECT_EQ(stores.presets.NameBytes(7)[1], 'O');
    EXPECT_EQ(engine.Queue().Count(), 0);
}

TEST_F(Dispatch, RepliesOutsideTheStoresAreNotReplies) {
    struct Case {
        const char* what;
        std::vector<uint8_t> reply;
    };
    const std::vector<Case> cases{
        {"name slot 21", DeviceReply(Command::kRead, 5, 21, 4, std::vector<uint8_t>(16, 'x'))},
        {"name slot 255", DeviceReply(Command::kRead, 5, 255, 4, std::vector<uint8_t>(16, 'x'))},
        {"system item 17", DeviceReply(Command::kRead, 6, 0, 17, std::vector<uint8_t>(8, 9))},
        {"system item 200", DeviceReply(Command::kRead, 6, 0, 200, std::vector<uint8_t>(8, 9))},
        {"unknown command", DeviceReply(0xB0, 0, 0, 0, std::vector<uint8_t>(8, 9))},
    };
    for (const Case& c : cases) {
        DeviceStores fresh;
        CCommand engineForCase(source, fresh.targets, events);
        engineForCase.Post(BuildNameRead(1));
        engineForCase.FeedNetwork(c.reply);
        EXPECT_EQ(engineForCase.Queue().Count(), 1) << c.what;
        for (int slot = 0; slot < kPresetSlotCount; ++slot) {
            EXPECT_EQ(fresh.presets.NameBytes(slot), ProgramName{}) << c.what;
        }
        EXPECT_EQ(fresh.system.Bytes(), SystemData{}.Bytes()) << c.what;
        // The assembler is searching again: the real answer still gets through.
        engineForCase.FeedNetwork(
            DeviceReply(Command::kRead, 5, 1, 4, std::vector<uint8_t>(16, 'n')));
        EXPECT_EQ(engineForCase.Queue().Count(), 0) << c.what;
    }
}

TEST_F(Dispatch, ReceivedProgramIsLimitedBySystemVolumes) {
    stores.system.SetByte(7, 30);   // effect maximum
    stores.system.SetByte(10, 40);  // microphone maximum
    stores.system.SetByte(13, 50);  // music maximum
    std::vector<uint8_t> image(1032, 0);
    image[8] = 60;        // music left level
    image[152 + 8] = 45;  // music right level, already below
    image[304 + 8] = 99;  // microphone level
    image[456 + 6] = 31;  // effect level
    Expect(BuildProgramRead());
    engine.FeedSerial(DeviceReply(Command::kProgramRead, 0, 0, 0xFF, image));
    const ProgramBlock& block = engine.ReceivedBlock();
    EXPECT_EQ(block[8], 50);
    EXPECT_EQ(block[152 + 8], 45);
    EXPECT_EQ(block[304 + 8], 40);
    EXPECT_EQ(block[456 + 6], 30);
    EXPECT_EQ(events.log, (std::vector<std::string>{"program", "finished"}));
    EXPECT_EQ(engine.Queue().Count(), 0);
}

TEST_F(Dispatch, RecalledPresetIsTheNewCurrentProgram) {
    for (int i = 0; i < kSystemDataSize; ++i) {
        stores.system.SetByte(i, 0xFF);
    }
    std::vector<uint8_t> image(1032, 0x11);
    Expect(BuildRecallPreset(3));
    engine.FeedSerial(DeviceReply(Command::kRecallPreset, 0, 3, 0xFF, image));
    EXPECT_EQ(engine.ReceivedBlockCopy()[1031], 0x11);
    EXPECT_EQ(engine.ReceivedBlock()[1032], 0x00);  // the name part is never written
    EXPECT_EQ(events.log, (std::vector<std::string>{"program", "finished"}));
}

TEST_F(Dispatch, EffectRecordLandsInTheEffectSlotOnly) {
    stores.system.SetByte(7, 20);
    std::vector<uint8_t> record(48, 0x33);
    // A device that sends more than a record must not overwrite the outputs.
    record.resize(200, 0x77);
    Expect(BuildEffectGroupRead(24));
    engine.FeedNetwork(DeviceReply(Command::kEffectGroupRead, 3, 24, 0xFF, record));
    const ProgramBlock& block = engine.ReceivedBlock();
    EXPECT_EQ(block[455], 0x00);
    EXPECT_EQ(block[456], 0x33);
    EXPECT_EQ(block[456 + 6], 20);
    EXPECT_EQ(block[503], 0x33);
    EXPECT_EQ(block[504], 0x00);
    EXPECT_EQ(events.log, (std::vector<std::string>{"effect", "finished"}));
}

TEST_F(Dispatch, OtherSubCommandsCompleteWithoutStoring) {
    Expect(BuildEffectGroupRead(22));
    engine.FeedNetwork(
        DeviceReply(Command::kEffectGroupRead, 9, 22, 0xFF, std::vector<uint8_t>(48, 1)));
    EXPECT_EQ(engine.Queue().Count(), 0);
    EXPECT_EQ(engine.ReceivedBlock()[456], 0);
    EXPECT_TRUE(events.log.empty());
}

TEST_F(Dispatch, RefusalDropsTheMessageOnSerialAndNetwork) {
    Expect(BuildStorePreset(4));
    Expect(BuildStatusPoll());
    engine.FeedNetwork(DeviceReply(Command::kRefused, 0, 0, 0, std::vector<uint8_t>(8, 0)));
    ASSERT_EQ(engine.Queue().Count(), 1);
    EXPECT_EQ(engine.Queue().Head()->command, Command::kStatusPoll);
}

TEST_F(Dispatch, RefusalKeepsTheMessageOnUsbAndAsksForRecovery) {
    Expect(BuildStorePreset(4));
    const UsbFeedResult result =
        engine.FeedUsb(DeviceReply(Command::kRefused, 0, 0, 0, std::vector<uint8_t>(8, 0)));
    EXPECT_TRUE(result.frameComplete);
    EXPECT_TRUE(result.error);
    EXPECT_TRUE(result.refused);
    EXPECT_EQ(engine.Queue().Count(), 1);
}

TEST_F(Dispatch, UsbReplyCompletesTheHead) {
    Expect(BuildSystemWrite(3, std::vector<uint8_t>(8, 1)));
    std::vector<uint8_t> report = Accepted();
    report.resize(64, 0x00);
    const UsbFeedResult result = engine.FeedUsb(report);
    EXPECT_TRUE(result.frameComplete);
    EXPECT_FALSE(result.error);
    EXPECT_EQ(engine.Queue().Count(), 0);
}

TEST_F(Dispatch, UsbBadFrameAndUnknownCommandLeaveTheHead) {
    Expect(BuildStatusPoll());
    std::vector<uint8_t> bad = Accepted();
    bad[21] = 0xAB;
    EXPECT_TRUE(engine.FeedUsb(bad).error);
    engine.ResetUsbReceiver();
    const UsbFeedResult unknown = engine.FeedUsb(DeviceReply(0x42, 0, 0, 0, {1}));
    EXPECT_TRUE(unknown.frameComplete);
    EXPECT_FALSE(unknown.error);  // the worker simply sends the head again
    EXPECT_EQ(engine.Queue().Count(), 1);
}

TEST_F(Dispatch, UnsolicitedReplyWithNothingQueuedIsIgnored) {
    engine.FeedNetwork(
        DeviceReply(Command::kProgramRead, 0, 0, 0xFF, std::vector<uint8_t>(1032, 9)));
    EXPECT_EQ(engine.ReceivedBlock()[0], 0);
    EXPECT_TRUE(events.log.empty());
}

TEST(FixedFilterFields, AreForcedOnInputsAndEffectOnly) {
    ProgramBlock block{};
    ForceFixedFilterFields(block);
    for (const size_t record : {0u, 152u, 304u, 456u}) {
        EXPECT_EQ(block[record + 18], 2) << record;
        EXPECT_EQ(block[record + 22], 2) << record;
        EXPECT_EQ(block[record + 19], 3) << record;
        EXPECT_EQ(block[record + 23], 3) << record;
    }
    EXPECT_EQ(block[504 + 18], 0);
}

}  // namespace
