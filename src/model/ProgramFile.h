// SPDX-License-Identifier: GPL-3.0-or-later
// ".dia" program files: the program's archive bytes, nothing else. A load is
// all or nothing (a short or corrupt file leaves the program exactly as it
// was) and a save goes through a temporary file in the same folder, so a
// failed save never damages the file that was there.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "curves/BilingualText.h"

class CAudio_Data;

inline constexpr BilingualText kFileReadError{"File read Error", "File read Error"};
inline constexpr BilingualText kFileWriteError{"MusicFile Write Error", "MusicFile Write Error"};

struct ProgramFileResult {
    bool ok = false;
    // What to tell the user when `ok` is false.
    BilingualText error{};
    // The file read or written.
    std::filesystem::path path;
};

std::vector<uint8_t> SerializeProgram(CAudio_Data& program);
// Reads a whole program; on failure (too short, or a chain whose last two elements are not its
// high-pass and low-pass) `program` is untouched and false is returned. Bytes left over after a
// complete program are ignored.
bool DeserializeProgram(std::span<const uint8_t> bytes, CAudio_Data& program);

// The path a save writes: ".dia" is appended unless the path already contains it anywhere.
std::filesystem::path ProgramFilePath(const std::filesystem::path& chosen);

// A successful load also puts every output back in a link group of its own.
ProgramFileResult LoadProgramFile(const std::filesystem::path& path, CAudio_Data& program);
ProgramFileResult SaveProgramFile(const std::filesystem::path& chosen, CAudio_Data& program);
