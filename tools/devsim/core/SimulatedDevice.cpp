// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SimulatedDevice.h"

#include <algorithm>
#include <cstdio>

#include "protocol/Frame.h"

namespace devsim {
namespace {

constexpr int kLastSlot = kPresetCount;
constexpr uint8_t kRowWrite = 1;
constexpr uint8_t kMicrophoneRowWrite = 2;
constexpr uint8_t kEffectRowWrite = 3;
constexpr uint8_t kOutputRowWrite = 4;
constexpr uint8_t kNameData = 5;
constexpr uint8_t kSystemData = 6;
constexpr uint8_t kEffectGroupData = 3;
constexpr size_t kPlainPayloadSize = 8;

// Which system data bytes one numbered item covers.
struct ItemBytes {
    size_t first = 0;
    size_t count = 0;
};

std::optional<ItemBytes> SystemItemBytes(int item) {
    switch (item) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 5:
        case 6:
            return ItemBytes{static_cast<size_t>(item), 1};
        case 4:
            return ItemBytes{16, 1};
        case 7:
            return ItemBytes{7, 3};
        case 8:
            return ItemBytes{10, 3};
        case 9:
            return ItemBytes{13, 3};
        default:
            return std::nullopt;
    }
}

SystemBytes FactorySystemBytes() {
    // Modes, then maximum/current/start volume of effect, microphone and music
    // (each within the device's 0..50), then the panel lock byte carried by item 4.
    return {1, 0, 0, 0, 0, 0, 2, 45, 30, 25, 48, 35, 30, 50, 40, 35, 0};
}

}  // namespace

SimulatedDevice::SimulatedDevice() {
    current_ = MakeFactoryImage(0);
    names_[0] = MakeName("Current");
    for (int slot = 1; slot <= kLastSlot; ++slot) {
        presets_[static_cast<size_t>(slot)] = MakeFactoryImage(slot);
        char text[kNameSize + 1];
        std::snprintf(text, sizeof text, "Preset %02d", slot);
        names_[static_cast<size_t>(slot)] = MakeName(text);
    }
    system_ = FactorySystemBytes();
}

std::vector<DeviceResponse> SimulatedDevice::Receive(std::span<const uint8_t> bytes) {
    std::lock_guard lock(mutex_);
    std::vector<DeviceResponse> responses;
    for (ReceivedFrame& frame : assembler_.Add(bytes)) {
        log_.push_back(frame);
        if (!frame.valid) {
            continue;
        }
        if (faults_.silentAfterFrames && log_.size() > *faults_.silentAfterFrames) {
            continue;
        }
        const FrameHeader header = ReadFrameHeader(frame.bytes);
        const std::optional<FaultAction> fault = ChooseFault(header.command, header.subCommand);
        if (fault == FaultAction::Silence) {
            continue;
        }
        if (fault == FaultAction::CloseConnection) {
            DeviceResponse closing;
            closing.closeConnection = true;
            responses.push_back(std::move(closing));
            continue;
        }
        std::optional<std::vector<uint8_t>> reply;
        if (fault != FaultAction::Refuse) {
            reply = Execute(frame.bytes);
        }
        if (!reply) {
            reply = Reply(Command::kRefused, header.command, header.a, header.c,
                          std::vector<uint8_t>(kPlainPayloadSize, 0));
        }
        if (fault == FaultAction::BadChecksum) {
            (*reply)[reply->size() - 2] ^= 0xFF;
        } else if (fault == FaultAction::BadTerminator) {
            reply->back() = 0x55;
        }
        responses.push_back(Shape(std::move(*reply)));
    }
    return responses;
}

void SimulatedDevice::ResetReceiver() {
    std::lock_guard lock(mutex_);
    assembler_.Reset();
}

void SimulatedDevice::SetFaults(const DeviceFaults& faults) {
    std::lock_guard lock(mutex_);
    faults_ = faults;
    ruleStates_.assign(faults_.rules.size(), RuleState{});
}

std::optional<FaultAction> SimulatedDevice::ChooseFault(uint8_t command, uint8_t subCommand) {
    for (size_t i = 0; i < faults_.rules.size(); ++i) {
        const FaultRule& rule = faults_.rules[i];
        RuleState& state = ruleStates_[i];
        if ((rule.command != 0 && rule.command != command) ||
            (rule.subCommand >= 0 && rule.subCommand != subCommand)) {
            continue;
        }
        if (state.seen++ < rule.skip) {
            continue;
        }
        if (rule.count != 0 && state.applied >= rule.count) {
            continue;
        }
        ++state.applied;
        return rule.action;
    }
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> SimulatedDevice::Execute(std::span<const uint8_t> frame) {
    const FrameHeader header = ReadFrameHeader(frame);
    const std::span<const uint8_t> payload =
        frame.subspan(kFrameHeaderSize, AnnouncedPayloadLength(frame));
    const std::vector<uint8_t> noPayload(kPlainPayloadSize, 0);
    const auto accept = [&] {
        return Reply(Command::kAccepted, header.command, header.a, header.c, noPayload);
    };
    const bool validSlot = header.a >= 1 && header.a <= kLastSlot;

    switch (header.command) {
        case Command::kWrite:
            if (header.subCommand >= kRowWrite && header.subCommand <= kOutputRowWrite) {
                const std::optional<size_t> offset =
                    RowOffset(header.subCommand, header.b, header.c);
                if (!offset || payload.size() != kRowSize) {
                    return std::nullopt;
                }
                std::copy(payload.begin(), payload.end(), current_.begin() + *offset);
                return accept();
            }
            if (header.subCommand == kNameData) {
                if (header.a > kLastSlot || payload.size() != kNameSize) {
                    return std::nullopt;
                }
                std::copy(payload.begin(), payload.end(), names_[header.a].begin());
                return accept();
            }
            if (header.subCommand == kSystemData) {
                const std::optional<ItemBytes> item = SystemItemBytes(header.c);
                if (!item || payload.size() < item->count) {
                    return std::nullopt;
                }
                std::copy_n(payload.begin(), item->count, system_.begin() + item->first);
                return accept();
            }
            return std::nullopt;

        case Command::kRead:
            if (header.subCommand == kNameData && header.a <= kLastSlot) {
                return Reply(Command::kRead, kNameData, header.a, header.c, names_[header.a]);
            }
            if (header.subCommand == kSystemData) {
                const std::optional<ItemBytes> item = SystemItemBytes(header.c);
                if (!item) {
                    return std::nullopt;
                }
                // Item 4 travels as its single byte, the others padded to eight.
                std::vector<uint8_t> data(header.c == 4 ? 1 : kPlainPayloadSize, 0);
                std::copy_n(system_.begin() + item->first, item->count, data.begin());
                return Reply(Command::kRead, kSystemData, 0, header.c, data);
            }
            return std::nullopt;

        case Command::kOutputRecordWrite: {
            if (header.b >= 6 || payload.size() != kOutputRecordSize) {
                return std::nullopt;
            }
            std::copy(payload.begin(), payload.end(),
                      current_.begin() + kOutputRecordOffset + kOutputRecordSize * header.b);
            return accept();
        }

        case Command::kEffectGroupRead: {
            if (header.subCommand != kEffectGroupData ||
                std::find(kEffectGroups.begin(), kEffectGroups.end(), header.a) ==
                    kEffectGroups.end()) {
                return std::nullopt;
            }
            const EffectRecord record = MakeEffectGroupRecord(header.a);
            std::copy(record.begin(), record.end(), current_.begin() + kEffectRecordOffset);
            return Reply(Command::kEffectGroupRead, kEffectGroupData, header.a, header.c, record);
        }

        case Command::kStorePreset:
            if (!validSlot) {
                return std::nullopt;
            }
            presets_[header.a] = current_;
            return accept();

        case Command::kRecallPreset:
            if (!validSlot) {
                return std::nullopt;
            }
            current_ = presets_[header.a];
            names_[0] = names_[header.a];
            return Reply(Command::kRecallPreset, 0, header.a, header.c, current_);

        case Command::kProgramWrite:
            if (payload.size() != kImageSize) {
                return std::nullopt;
            }
            std::copy(payload.begin(), payload.end(), current_.begin());
            return accept();

        case Command::kProgramRead:
            return Reply(Command::kProgramRead, 0, 0, header.c, current_);

        case Command::kStatusPoll: {
            // Status bytes the editor ignores: current volumes of effect, microphone, music.
            const std::vector<uint8_t> status = {system_[8], system_[11], system_[14], 0,
                                                 0,          0,           0,           0};
            return Reply(Command::kStatusPoll, 0, 0, 0, status);
        }

        default:
            return std::nullopt;
    }
}

std::vector<uint8_t> SimulatedDevice::Reply(uint8_t command, uint8_t subCommand, uint8_t a,
                                            uint8_t c, std::span<const uint8_t> payload) const {
    return AssembleFrame(FrameHeader{command, subCommand, a, 0, c}, payload);
}

DeviceResponse SimulatedDevice::Shape(std::vector<uint8_t> reply) const {
    DeviceResponse response;
    response.delay = faults_.replyDelay;
    if (!faults_.strayBytesBefore.empty()) {
        reply.insert(reply.begin(), faults_.strayBytesBefore.begin(),
                     faults_.strayBytesBefore.end());
    }
    const size_t pieceSize = faults_.replyPieceSize == 0 ? reply.size() : faults_.replyPieceSize;
    for (size_t start = 0; start < reply.size(); start += pieceSize) {
        const size_t end = std::min(reply.size(), start + pieceSize);
        response.pieces.emplace_back(reply.begin() + static_cast<std::ptrdiff_t>(start),
                                     reply.begin() + static_cast<std::ptrdiff_t>(end));
    }
    return response;
}

ProgramImage SimulatedDevice::CurrentImage() const {
    std::lock_guard lock(mutex_);
    return current_;
}

void SimulatedDevice::SetCurrentImage(const ProgramImage& image) {
    std::lock_guard lock(mutex_);
    current_ = image;
}

ProgramImage SimulatedDevice::PresetImage(int slot) const {
    std::lock_guard lock(mutex_);
    return presets_.at(static_cast<size_t>(slot));
}

void SimulatedDevice::SetPresetImage(int slot, const ProgramImage& image) {
    std::lock_guard lock(mutex_);
    presets_.at(static_cast<size_t>(slot)) = image;
}

void SimulatedDevice::SetName(int slot, const ProgramName& name) {
    std::lock_guard lock(mutex_);
    names_.at(static_cast<size_t>(slot)) = name;
}

ProgramName SimulatedDevice::Name(int slot) const {
    std::lock_guard lock(mutex_);
    return names_.at(static_cast<size_t>(slot));
}

SystemBytes SimulatedDevice::GetSystemBytes() const {
    std::lock_guard lock(mutex_);
    return system_;
}

void SimulatedDevice::SetSystemBytes(const SystemBytes& bytes) {
    std::lock_guard lock(mutex_);
    system_ = bytes;
}

std::vector<ReceivedFrame> SimulatedDevice::Log() const {
    std::lock_guard lock(mutex_);
    return log_;
}

size_t SimulatedDevice::CountRequests(uint8_t command) const {
    std::lock_guard lock(mutex_);
    return static_cast<size_t>(std::count_if(log_.begin(), log_.end(), [&](const auto& frame) {
        return frame.valid && frame.bytes[5] == command;
    }));
}

void SimulatedDevice::ClearLog() {
    std::lock_guard lock(mutex_);
    log_.clear();
}

}  // namespace devsim
