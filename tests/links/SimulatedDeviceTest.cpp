// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "core/SimulatedDevice.h"
#include "protocol/Frame.h"

namespace {

using devsim::DeviceFaults;
using devsim::DeviceResponse;
using devsim::FaultAction;
using devsim::SimulatedDevice;

std::vector<uint8_t> Request(uint8_t command, uint8_t sub, uint8_t a, uint8_t b, uint8_t c,
                             std::vector<uint8_t> payload = std::vector<uint8_t>(8, 0)) {
    return AssembleFrame(FrameHeader{command, sub, a, b, c}, payload);
}

DeviceFaults WithRule(devsim::FaultRule rule) {
    DeviceFaults faults;
    faults.rules.push_back(rule);
    return faults;
}

std::vector<uint8_t> Joined(const DeviceResponse& response) {
    std::vector<uint8_t> bytes;
    for (const auto& piece : response.pieces) {
        bytes.insert(bytes.end(), piece.begin(), piece.end());
    }
    return bytes;
}

// The one reply to one request, checked to be a valid frame.
std::vector<uint8_t> Ask(SimulatedDevice& device, const std::vector<uint8_t>& request) {
    const std::vector<DeviceResponse> responses = device.Receive(request);
    EXPECT_EQ(responses.size(), 1u);
    if (responses.size() != 1) {
        return {};
    }
    std::vector<uint8_t> reply = Joined(responses[0]);
    EXPECT_TRUE(IsValidFrame(reply));
    return reply;
}

TEST(SimulatedDevice, RowWritesLandAtTheirImageOffsets) {
    struct Case {
        uint8_t block, channel, row;
        size_t offset;
    };
    const Case cases[] = {
        {1, 0, 0, 0},    {1, 1, 3, 152 + 24}, {2, 0, 18, 304 + 144}, {3, 0, 19, 456},
        {3, 0, 24, 496}, {4, 0, 0, 504},      {4, 5, 10, 944 + 80},
    };
    for (const Case& c : cases) {
        SimulatedDevice device;
        const std::vector<uint8_t> row = {1, 2, 3, 4, 5, 6, 7, c.row};
        const auto reply = Ask(device, Request(0xA1, c.block, 0, c.channel, c.row, row));
        ASSERT_FALSE(reply.empty());
        EXPECT_EQ(reply[5], 0xAA) << "block " << int(c.block) << " row " << int(c.row);
        const auto image = device.CurrentImage();
        EXPECT_TRUE(std::equal(row.begin(), row.end(), image.begin() + c.offset))
            << "block " << int(c.block) << " channel " << int(c.channel) << " row " << int(c.row);
    }
}

TEST(SimulatedDevice, RowsOutsideARecordAreRefusedAndChangeNothing) {
    SimulatedDevice device;
    const auto before = device.CurrentImage();
    const std::vector<uint8_t> row(8, 0xEE);
    for (const auto& request : {Request(0xA1, 1, 0, 2, 0, row), Request(0xA1, 1, 0, 0, 19, row),
                                Request(0xA1, 3, 0, 0, 18, row), Request(0xA1, 4, 0, 6, 0, row),
                                Request(0xA1, 4, 0, 0, 11, row), Request(0xA1, 9, 0, 0, 0, row),
                                Request(0xA5, 0, 21, 0, 0), Request(0xA6, 0, 0, 0, 255),
                                Request(0xA4, 3, 23, 0, 255), Request(0xB0, 0, 0, 0, 0)}) {
        const auto reply = Ask(device, request);
        ASSERT_FALSE(reply.empty());
        EXPECT_EQ(reply[5], 0xAB) << "request command " << int(request[5]);
    }
    EXPECT_EQ(device.CurrentImage(), before);
}

TEST(SimulatedDevice, SystemItemsMapOntoTheSystemBytes) {
    SimulatedDevice device;
    // Item 4 is the single frame with one payload byte; it lands in byte [16].
    Ask(device, Request(0xA1, 6, 0, 0, 4, {0x01}));
    Ask(device, Request(0xA1, 6, 0, 0, 9, {0x28, 0x05, 0x00, 0, 0, 0, 0, 0}));
    Ask(device, Request(0xA1, 6, 0, 0, 2, {0x03, 0, 0, 0, 0, 0, 0, 0}));
    const auto bytes = device.GetSystemBytes();
    EXPECT_EQ(bytes[16], 0x01);
    EXPECT_EQ(bytes[13], 0x28);
    EXPECT_EQ(bytes[14], 0x05);
    EXPECT_EQ(bytes[15], 0x00);
    EXPECT_EQ(bytes[2], 0x03);

    const auto item8 = Ask(device, Request(0xA2, 6, 0, 0, 8));
    ASSERT_EQ(item8.size(), 22u);
    EXPECT_EQ(item8[9], 8);
    EXPECT_EQ(item8[12], bytes[10]);
    EXPECT_EQ(item8[13], bytes[11]);
    EXPECT_EQ(item8[14], bytes[12]);
    const auto item4 = Ask(device, Request(0xA2, 6, 0, 0, 4));
    ASSERT_EQ(item4.size(), 15u);
    EXPECT_EQ(item4[12], 0x01);
}

TEST(SimulatedDevice, NamesAreReadAndWrittenBySlot) {
    SimulatedDevice device;
    std::vector<uint8_t> name(16, 0);
    name[0] = 'K';
    name[1] = 'T';
    Ask(device, Request(0xA1, 5, 3, 0, 4, name));
    const auto reply = Ask(device, Request(0xA2, 5, 3, 0, 4));
    ASSERT_EQ(reply.size(), 30u);
    EXPECT_EQ(reply[5], 0xA2);
    EXPECT_EQ(reply[6], 5);
    EXPECT_EQ(reply[7], 3);
    EXPECT_TRUE(std::equal(name.begin(), name.end(), reply.begin() + 12));
    // Every preset has a name of its own.
    EXPECT_NE(device.Name(1), device.Name(2));
}

TEST(SimulatedDevice, ProgramTransfersMoveWholeImages) {
    SimulatedDevice device;
    const auto read = Ask(device, Request(0xA8, 0, 0, 0, 255));
    ASSERT_EQ(read.size(), 1046u);
    const auto current = device.CurrentImage();
    EXPECT_TRUE(std::equal(current.begin(), current.end(), read.begin() + 12));

    std::vector<uint8_t> download(1032, 0x11);
    EXPECT_EQ(Ask(device, Request(0xA7, 0, 0, 0, 0, download))[5], 0xAA);
    EXPECT_EQ(device.CurrentImage()[500], 0x11);

    // Store puts the current program into a preset; recall brings a preset back.
    EXPECT_EQ(Ask(device, Request(0xA5, 0, 7, 0, 0))[5], 0xAA);
    EXPECT_EQ(device.PresetImage(7), device.CurrentImage());
    const auto preset2 = device.PresetImage(2);
    const auto recall = Ask(device, Request(0xA6, 0, 2, 0, 255));
    ASSERT_EQ(recall.size(), 1046u);
    EXPECT_EQ(recall[5], 0xA6);
    EXPECT_TRUE(std::equal(preset2.begin(), preset2.end(), recall.begin() + 12));
    EXPECT_EQ(device.CurrentImage(), preset2);
}

TEST(SimulatedDevice, EffectGroupsAreDistinctAndBecomeTheEffectRecord) {
    SimulatedDevice device;
    std::vector<std::vector<uint8_t>> records;
    for (int group : devsim::kEffectGroups) {
        const auto reply = Ask(device, Request(0xA4, 3, static_cast<uint8_t>(group), 0, 255));
        ASSERT_EQ(reply.size(), 62u);
        EXPECT_EQ(reply[6], 3);
        records.emplace_back(reply.begin() + 12, reply.end() - 2);
        const auto image = device.CurrentImage();
        EXPECT_TRUE(std::equal(records.back().begin(), records.back().end(), image.begin() + 456));
    }
    for (size_t i = 1; i < records.size(); ++i) {
        EXPECT_NE(records[i], records[i - 1]);
    }
}

TEST(SimulatedDevice, RequestsArriveInAnyPiecesAndNoiseIsSkipped) {
    SimulatedDevice device;
    const auto poll = Request(0xA9, 0, 0, 0, 0);
    std::vector<uint8_t> stream = {0x13, 0x5A, 0xAA};
    stream.insert(stream.end(), poll.begin(), poll.end());
    stream.insert(stream.end(), poll.begin(), poll.end());
    size_t replies = 0;
    for (uint8_t byte : stream) {
        replies += device.Receive(std::span(&byte, 1)).size();
    }
    EXPECT_EQ(replies, 2u);
    EXPECT_EQ(device.CountRequests(0xA9), 2u);
}

TEST(SimulatedDevice, AFrameWithABadChecksumIsLoggedButNotAnswered) {
    SimulatedDevice device;
    auto poll = Request(0xA9, 0, 0, 0, 0);
    poll[poll.size() - 2] ^= 1;
    EXPECT_TRUE(device.Receive(poll).empty());
    ASSERT_EQ(device.Log().size(), 1u);
    EXPECT_FALSE(device.Log()[0].valid);
}

TEST(SimulatedDevice, FaultRulesShapeTheReplies) {
    const auto poll = Request(0xA9, 0, 0, 0, 0);
    const auto write = Request(0xA1, 1, 0, 0, 3, std::vector<uint8_t>(8, 0x42));

    SimulatedDevice refusing;
    refusing.SetFaults(WithRule({0xA1, FaultAction::Refuse, 0, 1}));
    EXPECT_EQ(Ask(refusing, poll)[5], 0xA9);
    EXPECT_EQ(Ask(refusing, write)[5], 0xAB);
    EXPECT_NE(refusing.CurrentImage()[24], 0x42) << "a refused write must not be applied";
    EXPECT_EQ(Ask(refusing, write)[5], 0xAA) << "the rule applies once by default";

    SimulatedDevice corrupting;
    corrupting.SetFaults(WithRule({0, FaultAction::BadChecksum, 1, 1}));
    EXPECT_TRUE(IsValidFrame(Joined(corrupting.Receive(poll)[0])));
    EXPECT_FALSE(IsValidFrame(Joined(corrupting.Receive(poll)[0])));

    SimulatedDevice closing;
    closing.SetFaults(WithRule({0, FaultAction::CloseConnection, 0, 1}));
    const auto closed = closing.Receive(poll);
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_TRUE(closed[0].closeConnection);
    EXPECT_TRUE(closed[0].pieces.empty());

    SimulatedDevice silent;
    DeviceFaults silence;
    silence.silentAfterFrames = 2;
    silent.SetFaults(silence);
    EXPECT_EQ(silent.Receive(poll).size(), 1u);
    EXPECT_EQ(silent.Receive(poll).size(), 1u);
    EXPECT_TRUE(silent.Receive(poll).empty());
    EXPECT_EQ(silent.Log().size(), 3u);
}

TEST(SimulatedDevice, SplitAndNoisyRepliesStillCarryTheWholeFrame) {
    SimulatedDevice device;
    DeviceFaults noisy;
    noisy.replyPieceSize = 5;
    noisy.strayBytesBefore = {0x01, 0x02};
    noisy.replyDelay = std::chrono::milliseconds(30);
    device.SetFaults(noisy);
    const auto responses = device.Receive(Request(0xA9, 0, 0, 0, 0));
    ASSERT_EQ(responses.size(), 1u);
    EXPECT_EQ(responses[0].delay, std::chrono::milliseconds(30));
    EXPECT_EQ(responses[0].pieces.size(), 5u);  // 2 + 22 bytes in pieces of 5
    const auto bytes = Joined(responses[0]);
    ASSERT_EQ(bytes.size(), 24u);
    EXPECT_EQ(bytes[0], 0x01);
    EXPECT_TRUE(IsValidFrame(std::span(bytes).subspan(2)));
}

}  // namespace
