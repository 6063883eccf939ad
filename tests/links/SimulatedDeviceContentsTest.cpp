// SPDX-License-Identifier: GPL-3.0-or-later
// What the simulated device holds is what a real device's own editor could
// have stored there: every parameter the pages show, in every program, preset
// and effect group, reads back as a value its field takes, and the system
// volumes lie within 0..50 with the levels of each program below them. The
// demos, the screenshots and the end-to-end tests show these values; a field
// outside its range would show marked instead of as the device holds it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/DemoContents.h"
#include "core/SimulatedDevice.h"
#include "model/Audio_Data.h"
#include "model/ChannelIndex.h"
#include "model/ProgramParameters.h"
#include "model/SystemData.h"

namespace {

using devsim::SimulatedDevice;

struct NamedImage {
    std::string what;
    devsim::ProgramImage image;
};

std::vector<NamedImage> EveryImage(const SimulatedDevice& device) {
    std::vector<NamedImage> images{{"the current program", device.CurrentImage()}};
    for (int slot = 1; slot <= devsim::kPresetCount; ++slot) {
        images.push_back({"preset " + std::to_string(slot), device.PresetImage(slot)});
    }
    for (const int group : devsim::kEffectGroups) {
        NamedImage withGroup{"effect group " + std::to_string(group), device.CurrentImage()};
        const devsim::EffectRecord record = devsim::MakeEffectGroupRecord(group);
        std::copy(record.begin(), record.end(),
                  withGroup.image.begin() + devsim::kEffectRecordOffset);
        images.push_back(withGroup);
    }
    return images;
}

void LoadImage(const devsim::ProgramImage& image, CAudio_Data& program) {
    CAudio_Data::Block block{};
    std::copy(image.begin(), image.end(), block.begin());
    program.LoadBlock(block);
}

SystemData SystemOf(const SimulatedDevice& device) {
    const devsim::SystemBytes bytes = device.GetSystemBytes();
    SystemData system;
    for (int index = 0; index < kSystemDataSize; ++index) {
        system.SetByte(index, bytes[static_cast<size_t>(index)]);
    }
    return system;
}

void ExpectEveryFieldInRange(const SimulatedDevice& device) {
    const SystemData system = SystemOf(device);
    for (const VolumeChannel channel :
         {VolumeChannel::Effect, VolumeChannel::Microphone, VolumeChannel::Music}) {
        SCOPED_TRACE(SystemData::VolumeItem(channel));
        const uint8_t maximum = system.MaximumVolume(channel);
        EXPECT_LE(maximum, kStartMaximumVolume);
        EXPECT_LE(system.CurrentVolume(channel), maximum);
        EXPECT_LE(system.StartVolume(channel), maximum);
    }
    EXPECT_LE(system.Byte(SystemByte::kSourceMode), kHighestSourceMode);
    EXPECT_LE(system.Byte(SystemByte::kOperatingMode), 1);
    EXPECT_LE(system.Byte(SystemByte::kPanelLock), 2);

    for (const NamedImage& named : EveryImage(device)) {
        SCOPED_TRACE(named.what);
        CAudio_Data program;
        LoadImage(named.image, program);
        std::vector<ParameterEdit> edits;
        for (const auto& [path, value] : ReadProgramParameters(program)) {
            auto parsed = ParseParameterEdit(path + "=" + value);
            if (const std::string* error = std::get_if<std::string>(&parsed)) {
                ADD_FAILURE() << *error;
            } else {
                edits.push_back(std::get<ParameterEdit>(std::move(parsed)));
            }
        }
        // Shelf frequencies, high-pass below low-pass: what a page would refuse.
        EXPECT_EQ(CheckParameterEdits(program, edits), std::nullopt);
        // Levels no page edits, which the editor holds below the maximum volumes.
        const uint8_t music = system.MaximumVolume(VolumeChannel::Music);
        EXPECT_LE(program.GetInput(InputChannel::kMusicLeft).GetLevel(), music);
        EXPECT_LE(program.GetInput(InputChannel::kMusicRight).GetLevel(), music);
        EXPECT_LE(program.GetInput(InputChannel::kMicrophone).GetLevel(),
                  system.MaximumVolume(VolumeChannel::Microphone));
        EXPECT_LE(program.GetEffect().GetEffectParam(EffectParam::kOutputLevel),
                  system.MaximumVolume(VolumeChannel::Effect));
    }
}

TEST(SimulatedDeviceContents, FactoryProgramsPresetsAndSettingsLieInTheirRanges) {
    ExpectEveryFieldInRange(SimulatedDevice());
}

TEST(SimulatedDeviceContents, DemoProgramsPresetsAndSettingsLieInTheirRanges) {
    SimulatedDevice device;
    devsim::LoadDemoContents(device);
    ExpectEveryFieldInRange(device);
}

}  // namespace
