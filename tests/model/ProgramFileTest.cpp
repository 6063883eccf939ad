// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "EveryFieldProgram.h"
#include "model/Audio_Data.h"
#include "model/GbkText.h"
#include "model/ProgramFile.h"

namespace fs = std::filesystem;

namespace {

using every_field::ChangeEveryStoredField;
using every_field::ExpectSameStoredFields;

TEST(ProgramFile, NewProgramIs7253Bytes) {
    CAudio_Data program;
    EXPECT_EQ(SerializeProgram(program).size(), 7253u);
}

TEST(ProgramFile, EveryStoredFieldSurvivesSaveAndLoad) {
    CAudio_Data original;
    ChangeEveryStoredField(original);
    const std::vector<uint8_t> bytes = SerializeProgram(original);

    CAudio_Data loaded;
    ASSERT_TRUE(DeserializeProgram(bytes, loaded));
    ExpectSameStoredFields(loaded, original);
    EXPECT_EQ(SerializeProgram(loaded), bytes) << "re-saving must reproduce the file";
    EXPECT_EQ(loaded.GetInput(0).GetName(), "in0-name") << "names are cut to eight bytes";
}

TEST(ProgramFile, GbkNamesFromOtherSoftwareOpenAsTheirCharactersAndSaveUnchanged) {
    // A new program's file with the program name and the name of input 0
    // ("A" at offset 11) replaced by GBK text, as the device's own software writes it.
    CAudio_Data fresh;
    std::vector<uint8_t> file = SerializeProgram(fresh);
    const std::string programName =
        "\x0E"
        "\xD6\xD0\xCE\xC4\xC3\xFB\xB3\xC6\xC6\xDF\xB8\xF6\xD7\xD6";
    const std::string inputName =
        "\x04"
        "\xB0\xFC\xCF\xE1";
    ASSERT_EQ(file[0], 10);
    ASSERT_EQ(file[11], 1);
    file.erase(file.begin() + 11, file.begin() + 13);
    file.insert(file.begin() + 11, inputName.begin(), inputName.end());
    file.erase(file.begin(), file.begin() + 11);
    file.insert(file.begin(), programName.begin(), programName.end());

    CAudio_Data loaded;
    ASSERT_TRUE(DeserializeProgram(file, loaded));
    EXPECT_EQ(DecodeGbk(loaded.GetName()), "中文名称七个字");
    EXPECT_EQ(DecodeGbk(loaded.GetInput(0).GetName()), "包厢");
    EXPECT_EQ(SerializeProgram(loaded), file);
}

TEST(ProgramFile, AShortOrCorruptFileLeavesTheProgramAsItWas) {
    CAudio_Data donor;
    ChangeEveryStoredField(donor);
    const std::vector<uint8_t> good = SerializeProgram(donor);

    std::vector<std::vector<uint8_t>> bad;
    for (size_t length : {size_t{0}, size_t{1}, size_t{60}, size_t{2000}, good.size() - 1}) {
        bad.emplace_back(good.begin(), good.begin() + static_cast<long>(length));
    }
    // A name whose 32-bit length prefix claims four gigabytes.
    std::vector<uint8_t> hugeName{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    hugeName.insert(hugeName.end(), good.begin(), good.end());
    bad.push_back(hugeName);

    // Output 0's high-pass turned into a band: its record starts after the program name, the
    // three inputs and output 0's name, fields and seven bands.
    std::vector<uint8_t> movedCrossover = good;
    const size_t highPassOffset =
        (1 + donor.GetName().size()) + 3 * (1 + 8 + 29 + 18 * 60) + (1 + 4 + 56) + 7 * 60;
    ASSERT_EQ(movedCrossover[highPassOffset], ElementType::kHighPass);
    movedCrossover[highPassOffset] = ElementType::kPeaking;
    bad.push_back(movedCrossover);

    for (const std::vector<uint8_t>& bytes : bad) {
        CAudio_Data program;
        program.GetOutput(2).SetGain(12);
        const std::vector<uint8_t> before = SerializeProgram(program);
        EXPECT_FALSE(DeserializeProgram(bytes, program)) << bytes.size() << " bytes";
        EXPECT_EQ(SerializeProgram(program), before) << bytes.size() << " bytes";
    }
}

TEST(ProgramFile, DamagedNumbersInAnAcceptedFileStillGiveADefinedImage) {
    CAudio_Data donor;
    std::vector<uint8_t> bytes = SerializeProgram(donor);
    // Input 0's band 0 record follows the program name, the input's name and its 29 bytes; its
    // bandwidth is the double after type, three frequencies, gain and two bypass flags.
    const size_t bandwidthOffset = 11 + 2 + 29 + 4 * 4 + 8 + 2 * 4;
    const double damaged = -1e300;
    std::memcpy(bytes.data() + bandwidthOffset, &damaged, sizeof damaged);

    CAudio_Data program;
    ASSERT_TRUE(DeserializeProgram(bytes, program));
    ASSERT_EQ(program.GetInput(0).GetBand(0).GetBandwidth(), damaged);
    program.GetInput(0).GetBand(0).SetGainIndex(250);
    program.BuildImage();  // the sanitizer build catches any overflow on the way
    EXPECT_EQ(program.GetImage()[24 + 6], 250);
}

TEST(ProgramFile, BytesAfterACompleteProgramAreIgnored) {
    CAudio_Data donor;
    donor.SetName("Tail");
    std::vector<uint8_t> bytes = SerializeProgram(donor);
    bytes.insert(bytes.end(), {1, 2, 3});
    CAudio_Data program;
    EXPECT_TRUE(DeserializeProgram(bytes, program));
    EXPECT_EQ(program.GetName(), "Tail");
}

TEST(ProgramFile, ExtensionIsAddedOnlyWhenTheTextIsMissing) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"show", "show.dia"},
        {"show.dia", "show.dia"},
        {"show.dia.bak", "show.dia.bak"},
        {"dir/show.DIA", "dir/show.DIA.dia"},
        {"my.diaries/show", "my.diaries/show"},
    };
    for (const auto& [chosen, written] : cases) {
        EXPECT_EQ(ProgramFilePath(chosen), fs::path(written)) << chosen;
    }
}

class ProgramFileOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("sonavel-programfile-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    static std::vector<uint8_t> ReadAll(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void WriteAll(const fs::path& path, const std::vector<uint8_t>& bytes) {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    size_t EntriesInFolder() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
    }

    fs::path folder;
};

TEST_F(ProgramFileOnDisk, SaveAddsTheExtensionAndLoadReadsItBack) {
    CAudio_Data program;
    program.SetName("Disk");
    const ProgramFileResult saved = SaveProgramFile(folder / "show", program);
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.path, folder / "show.dia");
    EXPECT_EQ(fs::file_size(folder / "show.dia"), 7247u);
    EXPECT_EQ(EntriesInFolder(), 1u) << "no temporary file is left behind";

    CAudio_Data loaded;
    loaded.LinkOutputs(0, 1, true);
    ASSERT_TRUE(LoadProgramFile(folder / "show.dia", loaded).ok);
    EXPECT_EQ(loaded.GetName(), "Disk");
    EXPECT_EQ(loaded.GetOutputLinks().GetGroup(1), 1) << "loading unlinks every output";
}

TEST_F(ProgramFileOnDisk, SaveReplacesAnExistingFileWhole) {
    WriteAll(folder / "old.dia", std::vector<uint8_t>(20000, 0xAB));
    CAudio_Data program;
    ASSERT_TRUE(SaveProgramFile(folder / "old.dia", program).ok);
    EXPECT_EQ(ReadAll(folder / "old.dia"), SerializeProgram(program));
}

TEST_F(ProgramFileOnDisk, FailedSaveKeepsWhatWasThere) {
    const fs::path target = folder / "taken.dia";
    fs::create_directory(target);
    WriteAll(target / "keep", {1, 2, 3});
    CAudio_Data program;
    const ProgramFileResult saved = SaveProgramFile(target, program);
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.error.english, "MusicFile Write Error");
    EXPECT_EQ(ReadAll(target / "keep"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(EntriesInFolder(), 1u) << "no temporary file is left behind";

    EXPECT_FALSE(SaveProgramFile(folder / "missing" / "x.dia", program).ok);
}

TEST_F(ProgramFileOnDisk, UnreadableOrShortFileReportsTheReadError) {
    CAudio_Data donor;
    std::vector<uint8_t> bytes = SerializeProgram(donor);
    bytes.resize(bytes.size() / 2);
    WriteAll(folder / "short.dia", bytes);

    for (const fs::path& path : {folder / "short.dia", folder / "absent.dia", folder}) {
        CAudio_Data program;
        program.GetInput(0).SetLevel(3);
        program.LinkOutputs(4, 5, true);
        const ProgramFileResult loaded = LoadProgramFile(path, program);
        EXPECT_FALSE(loaded.ok) << path;
        EXPECT_EQ(loaded.error.english, "File read Error");
        EXPECT_EQ(program.GetInput(0).GetLevel(), 3);
        EXPECT_EQ(program.GetOutputLinks().GetGroup(5), 4) << "a failed load changes nothing";
    }
}

}  // namespace
