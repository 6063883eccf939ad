// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/ReplyMatching.h"

#include "protocol/Requests.h"

bool IsAnswerCommand(uint8_t command) {
    switch (command) {
        case Command::kAccepted:
        case Command::kRead:
        case Command::kEffectGroupRead:
        case Command::kRecallPreset:
        case Command::kProgramRead:
        case Command::kStatusPoll:
            return true;
        default:
            return false;
    }
}

bool AnswersRequest(const FrameHeader& reply, std::span<const uint8_t> request) {
    if (request.size() < kFrameHeaderSize) {
        return false;
    }
    const FrameHeader asked = ReadFrameHeader(request);
    switch (reply.command) {
        case Command::kAccepted:
            return asked.command == Command::kWrite ||
                   asked.command == Command::kOutputRecordWrite ||
                   asked.command == Command::kStorePreset ||
                   asked.command == Command::kProgramWrite;
        case Command::kRead:
            if (asked.command != Command::kRead || asked.subCommand != reply.subCommand) {
                return false;
            }
            // A name names its slot, a system item its number.
            if (reply.subCommand == SubCommand::kProgramName) {
                return asked.a == reply.a;
            }
            if (reply.subCommand == SubCommand::kSystemItem) {
                return asked.c == reply.c;
            }
            return true;
        case Command::kEffectGroupRead:
        case Command::kRecallPreset:
        case Command::kProgramRead:
        case Command::kStatusPoll:
            return asked.command == reply.command;
        default:
            return false;
    }
}

void LateReplies::Expect(uint8_t replyCommand, int count, int forTicks) {
    command_ = replyCommand;
    count_ = count;
    ticksLeft_ = forTicks;
}

void LateReplies::Tick() {
    if (count_ > 0 && --ticksLeft_ <= 0) {
        count_ = 0;
    }
}
