// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/DeviceImage.h"

#include <cstring>
#include <span>

namespace devsim {
namespace {

constexpr int kInputRowCount = 19;
constexpr int kOutputRowCount = 11;
constexpr int kFirstEffectRow = 19;
constexpr int kLastEffectRow = 24;

void PutU16(std::span<uint8_t> bytes, size_t offset, uint16_t value) {
    bytes[offset] = static_cast<uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

// kind 0 peaking; bandwidth index 29 is 0.3 octave; gain index 200 is 0 dB.
void PutBand(std::span<uint8_t> row, uint16_t frequency, uint16_t gainIndex) {
    row[0] = 0;
    row[1] = 0;
    PutU16(row, 2, 29);
    PutU16(row, 4, frequency);
    PutU16(row, 6, gainIndex);
}

void PutCrossover(std::span<uint8_t> row, uint16_t highPass, uint16_t lowPass, uint8_t family,
                  uint8_t slope) {
    PutU16(row, 0, highPass);
    row[2] = family;
    row[3] = slope;
    PutU16(row, 4, lowPass);
    row[6] = family;
    row[7] = slope;
}

void PutChannelName(std::span<uint8_t> row, const char* name) {
    std::memset(row.data(), 0, kRowSize);
    std::memcpy(row.data(), name, std::min(std::strlen(name), kRowSize));
}

void FillInput(std::span<uint8_t> record, int channel, int variant) {
    static constexpr const char* kNames[] = {"A", "B", "C"};
    PutChannelName(record.subspan(0, kRowSize), kNames[channel]);
    record[8] = 30;  // level
    record[9] = 50;  // second level
    for (int i = 10; i < 14; ++i) {
        record[i] = channel == 2 ? 2 : 0;  // effect codes
    }
    record[14] = 0;  // bass attenuation
    record[15] = 0;  // feedback mode
    PutCrossover(record.subspan(16, kRowSize), 20, 20000, 2, 3);
    // One band lifted by 1..10 dB; the pages take gain indices up to 300 (+10 dB).
    for (int band = 0; band < 16; ++band) {
        const auto frequency = static_cast<uint16_t>(25 * (band + 1) * (band + 1));
        const auto gain =
            static_cast<uint16_t>(band == variant % 16 ? 200 + 10 * (variant % 10 + 1) : 200);
        PutBand(record.subspan(24 + kRowSize * static_cast<size_t>(band), kRowSize), frequency,
                gain);
    }
}

void FillEffect(std::span<uint8_t> record, int variant) {
    // Byte 6, the effect output level, stays below every maximum effect volume
    // the device is given, as the editor would hold it.
    static constexpr uint8_t kParams[16] = {60,  25, 40, 20, 70,  40, 40, 20,
                                            120, 30, 40, 60, 130, 35, 40, 70};
    std::memcpy(record.data(), kParams, sizeof kParams);
    record[1] = static_cast<uint8_t>(20 + variant % 40);  // reverb time
    PutCrossover(record.subspan(16, kRowSize), 20, 20000, 2, 3);
    static constexpr uint16_t kBands[3] = {20, 33, 54};
    for (size_t band = 0; band < 3; ++band) {
        PutBand(record.subspan(24 + kRowSize * band, kRowSize), kBands[band], 200);
    }
}

void FillOutput(std::span<uint8_t> record, int channel, int variant) {
    const char name[2] = {static_cast<char>('1' + channel), 0};
    PutChannelName(record.subspan(0, kRowSize), name);
    PutU16(record, 8, 0);                                     // limiter threshold
    record[10] = 10;                                          // limiter attack
    record[11] = static_cast<uint8_t>(variant % 6);           // limiter release, 2X..32X
    PutU16(record, 12, static_cast<uint16_t>(channel * 10));  // delay
    record[14] = static_cast<uint8_t>(40 + variant % 10);     // gain, 0..+9 dB
    record[15] = 0;
    const uint16_t highPass = channel == 3 ? 20 : 80;
    const uint16_t lowPass = channel == 3 ? 120 : 20000;
    PutCrossover(record.subspan(16, kRowSize), highPass, lowPass, 0, 2);
    static constexpr uint8_t kMix[6][4] = {{99, 0, 99, 0}, {0, 99, 0, 99}, {99, 99, 50, 50},
                                           {0, 0, 99, 99}, {99, 0, 99, 0}, {0, 99, 0, 99}};
    std::memcpy(record.data() + 24, kMix[channel], 4);
    std::memset(record.data() + 28, 1, 4);  // mix switches on
    for (int band = 0; band < 7; ++band) {
        const auto frequency = static_cast<uint16_t>(50 * (band + 1) * (band + 1));
        PutBand(record.subspan(32 + kRowSize * static_cast<size_t>(band), kRowSize), frequency,
                200);
    }
}

}  // namespace

std::optional<size_t> RowOffset(int block, int channel, int row) {
    switch (block) {
        case 1:
            if ((channel == 0 || channel == 1) && row >= 0 && row < kInputRowCount) {
                return kInputRecordSize * static_cast<size_t>(channel) +
                       kRowSize * static_cast<size_t>(row);
            }
            return std::nullopt;
        case 2:
            if (row >= 0 && row < kInputRowCount) {
                return 2 * kInputRecordSize + kRowSize * static_cast<size_t>(row);
            }
            return std::nullopt;
        case 3:
            if (row >= kFirstEffectRow && row <= kLastEffectRow) {
                return kEffectRecordOffset + kRowSize * static_cast<size_t>(row - kFirstEffectRow);
            }
            return std::nullopt;
        case 4:
            if (channel >= 0 && channel < 6 && row >= 0 && row < kOutputRowCount) {
                return kOutputRecordOffset + kOutputRecordSize * static_cast<size_t>(channel) +
                       kRowSize * static_cast<size_t>(row);
            }
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

ProgramImage MakeFactoryImage(int variant) {
    ProgramImage image{};
    std::span<uint8_t> bytes(image);
    for (int channel = 0; channel < 3; ++channel) {
        FillInput(bytes.subspan(kInputRecordSize * static_cast<size_t>(channel), kInputRecordSize),
                  channel, variant);
    }
    FillEffect(bytes.subspan(kEffectRecordOffset, kEffectRecordSize), variant);
    for (int channel = 0; channel < 6; ++channel) {
        FillOutput(
            bytes.subspan(kOutputRecordOffset + kOutputRecordSize * static_cast<size_t>(channel),
                          kOutputRecordSize),
            channel, variant);
    }
    return image;
}

EffectRecord MakeEffectGroupRecord(int group) {
    ProgramImage image = MakeFactoryImage(0);
    EffectRecord record{};
    std::memcpy(record.data(), image.data() + kEffectRecordOffset, kEffectRecordSize);
    // Each group is a different room: longer reverb and echo for higher numbers.
    record[0] = static_cast<uint8_t>(group * 2);
    record[1] = static_cast<uint8_t>(group);
    record[8] = static_cast<uint8_t>(group * 5);
    record[12] = static_cast<uint8_t>(group * 5 + 3);
    return record;
}

ProgramName MakeName(const char* text) {
    ProgramName name{};
    std::memcpy(name.data(), text, std::min(std::strlen(text), kNameSize));
    return name;
}

}  // namespace devsim
