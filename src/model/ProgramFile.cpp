// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ProgramFile.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <system_error>

#include "model/Archive.h"
#include "model/Audio_Data.h"

namespace {
constexpr std::string_view kExtension = ".dia";

// Same folder, so the final rename never crosses file systems; a short name of its own, so a
// target name near the system's length limit still leaves room for it.
std::filesystem::path TemporaryPathBeside(const std::filesystem::path& target) {
    std::random_device random;
    return target.parent_path() / (".sonavel-save-" + std::to_string(random()) + ".tmp");
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path) {
    // A folder or a device opens fine on some systems and only fails, by exception, once read.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    try {
        std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
        if (in.bad()) {
            return std::nullopt;
        }
        return bytes;
    } catch (const std::ios_base::failure&) {
        return std::nullopt;
    }
}

// Element kinds come from the file like every other field, but a chain only works with its
// high-pass and low-pass in the last two places; a file that moves them is corrupt.
bool CrossoversInPlace(const CEQ& chain) {
    const int count = chain.GetCount();
    return chain.GetElement(count - 2).GetType() == ElementType::kHighPass &&
           chain.GetElement(count - 1).GetType() == ElementType::kLowPass;
}

bool EveryChainIsWellFormed(const CAudio_Data& program) {
    for (int i = 0; i < CAudio_InRoute::kCount; ++i) {
        if (!CrossoversInPlace(program.GetInput(i).GetChain())) {
            return false;
        }
    }
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i) {
        if (!CrossoversInPlace(program.GetOutput(i).GetChain())) {
            return false;
        }
    }
    return CrossoversInPlace(program.GetEffect().GetChain());
}

bool WriteWholeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.flush();
    out.close();
    return !out.fail();
}
}  // namespace

std::vector<uint8_t> SerializeProgram(CAudio_Data& program) {
    CArchive archive = CArchive::ForStoring();
    program.Serialize(archive);
    return archive.StoredBytes();
}

bool DeserializeProgram(std::span<const uint8_t> bytes, CAudio_Data& program) {
    // A trial read into a scratch program finds any fault before the real program is touched;
    // the same bytes then read into it the same way, so the second read cannot fail.
    try {
        CAudio_Data scratch;
        CArchive trial = CArchive::ForTrialLoading(bytes);
        scratch.Serialize(trial);
        if (!EveryChainIsWellFormed(scratch)) {
            return false;
        }
    } catch (const ArchiveError&) {
        return false;
    }
    CArchive archive = CArchive::ForLoading(bytes);
    program.Serialize(archive);
    return true;
}

std::filesystem::path ProgramFilePath(const std::filesystem::path& chosen) {
    if (chosen.string().find(kExtension) != std::string::npos) {
        return chosen;
    }
    std::filesystem::path withExtension = chosen;
    withExtension += kExtension;
    return withExtension;
}

ProgramFileResult LoadProgramFile(const std::filesystem::path& path, CAudio_Data& program) {
    ProgramFileResult result{false, kFileReadError, path};
    const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path);
    if (!bytes || !DeserializeProgram(*bytes, program)) {
        return result;
    }
    program.ResetOutputLinks();
    result.ok = true;
    result.error = {};
    return result;
}

ProgramFileResult SaveProgramFile(const std::filesystem::path& chosen, CAudio_Data& program) {
    const std::filesystem::path target = ProgramFilePath(chosen);
    ProgramFileResult result{false, kFileWriteError, target};
    const std::filesystem::path temporary = TemporaryPathBeside(target);
    std::error_code ignored;
    if (!WriteWholeFile(temporary, SerializeProgram(program))) {
        std::filesystem::remove(temporary, ignored);
        return result;
    }
    std::error_code renameError;
    std::filesystem::rename(temporary, target, renameError);
    if (renameError) {
        std::filesystem::remove(temporary, ignored);
        return result;
    }
    result.ok = true;
    result.error = {};
    return result;
}
