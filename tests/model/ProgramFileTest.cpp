// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "model/Audio_Data.h"
#include "model/GbkText.h"
#include "model/ProgramFile.h"

namespace fs = std::filesystem;

namespace {

void ChangeChain(CEQ& chain, int seed) {
    chain.GetElement(1).SetGainIndex(210 + seed);
    chain.GetElement(1).SetFrequency(300 + seed);
    chain.GetElement(1).SetBandwidthIndex(40 + seed);
    chain.GetElement(0).SetType(ElementType::kLowShelf);
    chain.GetElement(0).SetSlope(1);
    chain.GetElement(0).SetGainIndex(180);
    chain.GetElement(0).SetBypass(1);
    chain.GetElement(2).SetGainIndex(250);
    chain.GetElement(2).SetAllBypass(1);
    chain.GetElement(2).SetGeqFrequency(77 + seed);
    chain.GetHighPass().SetFrequency(90 + seed);
    chain.GetHighPass().StepSentFrequency(0);
    chain.GetHighPass().SetFamily(1);
    chain.GetLowPass().SetFrequency(9000);
    chain.GetLowPass().SetSlope(2);
}

// Every field a program file carries, each away from its default and different per channel.
void ChangeEveryStoredField(CAudio_Data& program) {
    program.SetName("A much longer program name than the device keeps");
    for (int i = 0; i < CAudio_InRoute::kCount; ++i) {
        CAudio_InData& input = program.GetInput(i);
        input.SetName("in" + std::to_string(i) + "-name");
        input.SetStoredByteA(static_cast<uint8_t>(10 + i));
        input.SetPolarity(0);
        input.SetDelay(-100 - i);
        input.SetGain(33 + i);
        input.SetStoredByteD(static_cast<uint8_t>(20 + i));
        input.SetStoredIntegerE(-30000 - i);
        input.SetStoredByteF(static_cast<uint8_t>(30 + i));
        input.SetLinkSlot(static_cast<uint8_t>(5 + i));
        input.SetLevel(static_cast<uint8_t>(11 + i));
        input.SetAuxLevel(static_cast<uint8_t>(12 + i));
        input.SetMute(1 + i);
        input.SetFeedbackMode(static_cast<uint8_t>(1 + i));
        input.SetBassAttenuation(static_cast<uint8_t>(15 + i));
        for (int code = 0; code < 4; ++code) {
            input.SetEffectCode(code, static_cast<uint8_t>(2 * code + i + 1));
        }
        ChangeChain(input.GetChain(), i);
    }
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i) {
        CAudio_OutData& output = program.GetOutput(i);
        output.SetOutputKind((i + 2) % 6);
        output.SetName("out" + std::to_string(i));
        output.SetStoredIntegerB(1000 + i);
        output.SetStoredByteA(static_cast<uint8_t>(40 + i));
        output.SetStoredByteC(static_cast<uint8_t>(50 + i));
        output.SetGain(20 + i);
        output.SetPolarity(0);
        output.SetSwitchBits(static_cast<uint8_t>(3 + i));
        output.SetDelay(-500 - i);
        output.SetStoredByteE(static_cast<uint8_t>(60 + i));
        output.SetEqMode(2 + i);
        output.SetLimiterThreshold(-7 - i);
        output.SetLimiterAttack(8 + i);
        output.SetLimiterRelease(2 + i);
        output.SetStoredByteG(static_cast<uint8_t>(70 + i));
        output.SetStoredByteH(static_cast<uint8_t>(80 + i));
        output.SetMixMicBoth(static_cast<uint8_t>(1 + i));
        output.SetMixMusicBoth(static_cast<uint8_t>(2 + i));
        output.SetMixMic(static_cast<uint8_t>(90 + i));
        output.SetMicOn(0);
        output.SetMusicOn(7);
        ChangeChain(output.GetChain(), 10 + i);
    }
    CAudio_EffectData& effect = program.GetEffect();
    for (int i = 0; i < EffectParam::kCount; ++i) {
        effect.SetEffectParam(i, static_cast<uint8_t>(200 + i));
    }
    effect.SetEffectMode(8);
    effect.SetEffectMute(0);
    ChangeChain(effect.GetChain(), 20);
}

void ExpectSameChain(const CEQ& actual, const CEQ& expected) {
    ASSERT_EQ(actual.GetCount(), expected.GetCount());
    for (int i = 0; i < actual.GetCount(); ++i) {
        const CFilter& a = actual.GetElement(i);
        const CFilter& e = expected.GetElement(i);
        SCOPED_TRACE("element " + std::to_string(i));
        EXPECT_EQ(a.GetType(), e.GetType());
        EXPECT_EQ(a.GetFrequency(), e.GetFrequency());
        EXPECT_EQ(a.GetGeqFrequency(), e.GetGeqFrequency());
        EXPECT_EQ(a.GetSentFrequency(), e.GetSentFrequency());
        EXPECT_EQ(a.GetGain(), e.GetGain());
        EXPECT_EQ(a.GetAllBypass(), e.GetAllBypass());
        EXPECT_EQ(a.GetBypass(), e.GetBypass());
        EXPECT_EQ(a.GetBandwidth(), e.GetBandwidth());
        EXPECT_EQ(a.GetGeqBandwidth(), e.GetGeqBandwidth());
        EXPECT_EQ(a.GetFamily(), e.GetFamily());
        EXPECT_EQ(a.GetSlope(), e.GetSlope());
        EXPECT_EQ(a.GetId(), e.GetId());
    }
}

void ExpectSameStoredFields(CAudio_Data& actual, CAudio_Data& expected) {
    EXPECT_EQ(actual.GetName(), expected.GetName());
    for (int i = 0; i < CAudio_InRoute::kCount; ++i) {
        SCOPED_TRACE("input " + std::to_string(i));
        CAudio_InData& a = actual.GetInput(i);
        CAudio_InData& e = expected.GetInput(i);
        EXPECT_EQ(a.GetName(), e.GetName());
        EXPECT_EQ(a.GetStoredByteA(), e.GetStoredByteA());
        EXPECT_EQ(a.GetPolarity(), e.GetPolarity());
        EXPECT_EQ(a.GetDelay(), e.GetDelay());
        EXPECT_EQ(a.GetGain(), e.GetGain());
        EXPECT_EQ(a.GetStoredByteD(), e.GetStoredByteD());
        EXPECT_EQ(a.GetStoredIntegerE(), e.GetStoredIntegerE());
        EXPECT_EQ(a.GetStoredByteF(), e.GetStoredByteF());
        EXPECT_EQ(a.GetLinkSlot(), e.GetLinkSlot());
        EXPECT_EQ(a.GetLevel(), e.GetLevel());
        EXPECT_EQ(a.GetAuxLevel(), e.GetAuxLevel());
        EXPECT_EQ(a.GetMute(), e.GetMute());
        EXPECT_EQ(a.GetFeedbackMode(), e.GetFeedbackMode());
        EXPECT_EQ(a.GetBassAttenuation(), e.GetBassAttenuation());
        for (int code = 0; code < 4; ++code) {
            EXPECT_EQ(a.GetEffectCode(code), e.GetEffectCode(code));
        }
        ExpectSameChain(a.GetChain(), e.GetChain());
    }
    for (int i = 0; i < CAudio_OutRoute::kCount; ++i) {
        SCOPED_TRACE("output " + std::to_string(i));
        const CAudio_OutData& a = actual.GetOutput(i);
        const CAudio_OutData& e = expected.GetOutput(i);
        EXPECT_EQ(a.GetName(), e.GetName());
        EXPECT_EQ(a.GetStoredIntegerB(), e.GetStoredIntegerB());
        EXPECT_EQ(a.GetStoredByteA(), e.GetStoredByteA());
        EXPECT_EQ(a.GetStoredByteC(), e.GetStoredByteC());
        EXPECT_EQ(a.GetGain(), e.GetGain());
        EXPECT_EQ(a.GetPolarity(), e.GetPolarity());
        EXPECT_EQ(a.GetSwitchBits(), e.GetSwitchBits());
        EXPECT_EQ(a.GetDelay(), e.GetDelay());
        EXPECT_EQ(a.GetStoredByteE(), e.GetStoredByteE());
        EXPECT_EQ(a.GetEqMode(), e.GetEqMode());
        EXPECT_EQ(a.GetLimiterThreshold(), e.GetLimiterThreshold());
        EXPECT_EQ(a.GetLimiterAttack(), e.GetLimiterAttack());
        EXPECT_EQ(a.GetLimiterRelease(), e.GetLimiterRelease());
        EXPECT_EQ(a.GetStoredByteG(), e.GetStoredByteG());
        EXPECT_EQ(a.GetOutputKind(), e.GetOutputKind());
        EXPECT_EQ(a.GetStoredByteH(), e.GetStoredByteH());
        EXPECT_EQ(a.GetMixMicL(), e.GetMixMicL());
        EXPECT_EQ(a.GetMixMicR(), e.GetMixMicR());
        EXPECT_EQ(a.GetMixMusicL(), e.GetMixMusicL());
        EXPECT_EQ(a.GetMixMusicR(), e.GetMixMusicR());
        EXPECT_EQ(a.GetMicOnL(), e.GetMicOnL());
        EXPECT_EQ(a.GetMicOnR(), e.GetMicOnR());
        EXPECT_EQ(a.GetMusicOnL(), e.GetMusicOnL());
        EXPECT_EQ(a.GetMusicOnR(), e.GetMusicOnR());
        ExpectSameChain(a.GetChain(), e.GetChain());
    }
    const CAudio_EffectData& a = actual.GetEffect();
    const CAudio_EffectData& e = expected.GetEffect();
    for (int i = 0; i < EffectParam::kCount; ++i) {
        EXPECT_EQ(a.GetEffectParam(i), e.GetEffectParam(i)) << "effect parameter " << i;
    }
    EXPECT_EQ(a.GetEffectMode(), e.GetEffectMode());
    EXPECT_EQ(a.GetEffectMute(), e.GetEffectMute());
    ExpectSameChain(a.GetChain(), e.GetChain());
}

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
