// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/DemoContents.h"

#include <algorithm>
#include <cstring>

namespace devsim {
namespace {

// GBK bytes; each comment gives the text.
constexpr const char* kInputNames[3] = {
    "\xD2\xF4\xC0\xD6\xD7\xF3",  // 音乐左 (music left)
    "\xD2\xF4\xC0\xD6\xD3\xD2",  // 音乐右 (music right)
    "Mic\xBB\xB0\xCD\xB2",       // Mic话筒
};
constexpr const char* kOutputNames[6] = {
    "Main L",
    "Main R",
    "\xD6\xD0\xD6\xC3",          // 中置 (centre)
    "Sub\xB5\xCD\xD2\xF4",       // Sub低音
    "\xBB\xB7\xC8\xC6\xD7\xF3",  // 环绕左 (surround left)
    "\xBB\xB7\xC8\xC6\xD3\xD2",  // 环绕右 (surround right)
};
constexpr const char* kPresetNames[kPresetCount + 1] = {
    "\xB5\xB1\xC7\xB0\xBD\xDA\xC4\xBF",  // 当前节目 (current program)
    "\xB1\xEA\xD7\xBC KTV",              // 标准 KTV
    "\xC5\xC9\xB6\xD4 Party",            // 派对 Party
    "\xD1\xDD\xB3\xAA\xBB\xE1 Live",     // 演唱会 Live
    "\xBB\xE1\xD2\xE9 Speech",           // 会议 Speech
    "\xC1\xF7\xD0\xD0 Pop",              // 流行 Pop
    "\xD2\xA1\xB9\xF6 Rock",             // 摇滚 Rock
    "\xBE\xF4\xCA\xBF Jazz",             // 爵士 Jazz
    "\xCA\xE3\xC7\xE9 Ballad",           // 抒情 Ballad
    "Small Room",
    "Large Hall",
    "Birthday",
    "Duet",
    "Rap",
    "Classic",
    "Karaoke Night",
    "Dance",
    "Acoustic",
    "Late Bar",
    "Quiet",
    "User 20",
};

void PutName(ProgramImage& image, size_t offset, const char* name) {
    std::memset(image.data() + offset, 0, kRowSize);
    std::memcpy(image.data() + offset, name, std::min(std::strlen(name), kRowSize));
}

ProgramImage DemoImage(int variant) {
    ProgramImage image = MakeFactoryImage(variant);
    for (size_t channel = 0; channel < 3; ++channel) {
        PutName(image, kInputRecordSize * channel, kInputNames[channel]);
    }
    for (size_t channel = 0; channel < 6; ++channel) {
        PutName(image, kOutputRecordOffset + kOutputRecordSize * channel, kOutputNames[channel]);
    }
    return image;
}

}  // namespace

void LoadDemoContents(SimulatedDevice& device) {
    device.SetCurrentImage(DemoImage(0));
    for (int slot = 0; slot <= kPresetCount; ++slot) {
        device.SetName(slot, MakeName(kPresetNames[slot]));
        if (slot > 0) {
            device.SetPresetImage(slot, DemoImage(slot));
        }
    }
    // Modes, then maximum/current/start volume of effect, microphone and
    // music (each within 0..50), then the panel lock byte.
    device.SetSystemBytes({1, 0, 0, 0, 0, 0, 1, 50, 30, 25, 45, 32, 28, 50, 35, 30, 0});
}

}  // namespace devsim
