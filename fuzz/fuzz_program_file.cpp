// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes read as a ".dia" program: no crash, no sanitizer report,
// and a refused file must leave the program exactly as it was. The first
// 1048 bytes are also taken as a program block from the device, whose values
// reach the same objects by another road.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "model/Audio_Data.h"
#include "model/ProgramFile.h"

namespace {
void LoadAsDeviceBlock(const uint8_t* data) {
    CAudio_Data program;
    program.LoadBlock(
        std::span<const uint8_t, CAudio_Data::kBlockSize>(data, CAudio_Data::kBlockSize));
    program.ClearPendingChanges();
    program.SetPlotRect({0, 0, 723, 300});
    program.BuildImage();
    CAudio_Data reloaded;
    if (!DeserializeProgram(SerializeProgram(program), reloaded)) {
        std::abort();
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size >= CAudio_Data::kBlockSize) {
        LoadAsDeviceBlock(data);
    }
    CAudio_Data program;
    program.GetOutput(1).SetGain(47);
    program.GetInput(2).GetBand(4).SetGainIndex(233);
    const std::vector<uint8_t> before = SerializeProgram(program);

    if (!DeserializeProgram(std::span<const uint8_t>(data, size), program)) {
        if (SerializeProgram(program) != before) {
            std::abort();
        }
        return 0;
    }
    // An accepted program must survive the other paths its values reach.
    program.BuildImage();
    CAudio_Data::Block block = program.GetImage();
    program.LoadBlock(block);
    program.SetPlotRect({0, 0, 723, 300});
    const std::vector<uint8_t> saved = SerializeProgram(program);
    CAudio_Data reloaded;
    if (!DeserializeProgram(saved, reloaded) || SerializeProgram(reloaded) != saved) {
        std::abort();
    }
    return 0;
}
