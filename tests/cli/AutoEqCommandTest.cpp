// SPDX-License-Identifier: GPL-3.0-or-later
// `autoeq` on files: three positions in three formats, a calibration and a
// target file fitted onto a channel and saved; bad files and arguments give
// one line and write nothing.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "commands/CliCommands.h"
#include "model/Audio_Data.h"
#include "model/ProgramFile.h"

namespace fs = std::filesystem;

namespace {

const std::string kRooms = std::string(SONAVEL_TEST_DATA_DIR) + "/roomeq/";

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

Result RunCli(const std::vector<std::string>& words) {
    std::ostringstream out;
    std::ostringstream err;
    Result result;
    result.status = cli::RunCommandLine(words, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

double Member(const std::string& json, const std::string& object, const std::string& name) {
    const size_t start = json.find("\"" + object + "\": {");
    const size_t at = json.find("\"" + name + "\": ", start);
    return std::stod(json.substr(at + name.size() + 4));
}

class AutoEqFiles : public ::testing::Test {
  protected:
    std::string Temporary(const std::string& name) {
        const fs::path path =
            fs::temp_directory_path() / ("sonavel-autoeq-" + std::to_string(::getpid()) + name);
        made_.push_back(path);
        return path.string();
    }
    void TearDown() override {
        for (const fs::path& path : made_) {
            fs::remove(path);
        }
    }

  private:
    std::vector<fs::path> made_;
};

TEST_F(AutoEqFiles, ThreePositionsWithCalibrationAndTargetAreFittedAndSaved) {
    CAudio_Data original;
    original.GetOutput(0).SetGain(40);
    original.GetOutput(0).GetChain().GetElement(6).SetGainIndex(170);
    const std::string in = Temporary("in.dia");
    ASSERT_TRUE(SaveProgramFile(in, original).ok);
    const std::string out = Temporary("out.dia");
    const Result result = RunCli({"autoeq", kRooms + "room-rew.txt", kRooms + "room-position2.csv",
                                  kRooms + "room-position3.txt", "--calibration",
                                  kRooms + "mic.cal", "--target", kRooms + "house-target.frd",
                                  "--channel", "out0", "--bands", "6", "--in", in, "--out", out});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("\"channel\": \"out0\""), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("\"path\": \"out0.band6\""), std::string::npos);
    EXPECT_EQ(result.out.find("\"path\": \"out0.band7\""), std::string::npos);
    const double before = Member(result.out, "error before", "rms");
    const double after = Member(result.out, "error after", "rms");
    EXPECT_LT(after, before * 0.5) << result.out;

    CAudio_Data saved;
    ASSERT_TRUE(LoadProgramFile(out, saved).ok);
    // The first mode of the room (50 Hz, +8 dB) is cut by one of the bands.
    bool cutsTheMode = false;
    for (int band = 0; band < 6; ++band) {
        const CFilter& element = saved.GetOutput(0).GetChain().GetElement(band);
        cutsTheMode |= element.GetFrequency() > 40 && element.GetFrequency() < 60 &&
                       element.GetGainIndex() < 160;
    }
    EXPECT_TRUE(cutsTheMode);
    // The seventh band is left as the --in file had it.
    EXPECT_EQ(saved.GetOutput(0).GetChain().GetElement(6).GetGainIndex(), 170);
    const size_t gainChange = result.out.find("\"gain change\": ");
    ASSERT_NE(gainChange, std::string::npos);
    EXPECT_EQ(saved.GetOutput(0).GetGain(), 40 + std::stoi(result.out.substr(gainChange + 15)));
}

TEST_F(AutoEqFiles, BadFilesAndArgumentsSayOneLineAndWriteNothing) {
    const std::string out = Temporary("never.dia");
    struct Case {
        std::vector<std::string> words;
        int status;
        std::string firstLine;
    };
    const std::vector<Case> cases = {
        {{"autoeq", kRooms + "bad-order.txt", "--channel", "out0", "--out", out},
         1,
         "bad-order.txt, line 4: the frequencies do not increase (30)"},
        {{"autoeq", kRooms + "room-rew.txt", kRooms + "bad-nan.txt", "--channel", "in0", "--out",
          out},
         1,
         "bad-nan.txt, line 2: a value is not a number (NaN)"},
        {{"autoeq", kRooms + "room-rew.txt", "--calibration", kRooms + "missing.cal", "--channel",
          "in0", "--out", out},
         1,
         kRooms + "missing.cal: cannot be read"},
        {{"autoeq", kRooms + "room-rew.txt", "--channel", "in1", "--out", out},
         2,
         "bad --channel 'in1': in0, in2, fx or out0..out5"},
        {{"autoeq", kRooms + "room-rew.txt", "--channel", "out3", "--bands", "7", "--out", out},
         2,
         "bad --bands or --max-boost: bands: 1..5 on out3"},
        {{"autoeq", kRooms + "room-rew.txt", "--channel", "in2", "--range", "16000:40", "--out",
          out},
         2,
         "bad --range '16000:40': LO:HI in Hz within 20:20000, LO below HI"},
        {{"autoeq", kRooms + "room-rew.txt", "--channel", "in2", "--smooth", "1/0", "--out", out},
         2,
         "bad --smooth '1/0': 1/1, 1/3, 1/6, 1/12, 1/24 or none"},
        {{"autoeq", kRooms + "room-rew.txt", "--channel", "in2", "--max-boost", "12", "--out", out},
         2,
         "bad --max-boost '12': 0..10 dB"},
        {{"autoeq", kRooms + "room-rew.txt", "--channel", "in2", "--range", "10000:11000", "--out",
          out},
         1,
         "room-rew.txt: fewer than 10 points lie inside the fitting range"},
        {{"autoeq", kRooms + "room-rew.txt", "--channel", "in2"},
         2,
         "autoeq needs --out FILE.dia, or --link to set a device"},
    };
    for (const Case& bad : cases) {
        const Result result = RunCli(bad.words);
        EXPECT_EQ(result.status, bad.status) << bad.firstLine;
        EXPECT_EQ(result.err.substr(0, result.err.find('\n')), bad.firstLine);
        EXPECT_TRUE(result.out.empty());
        EXPECT_FALSE(fs::exists(out)) << bad.firstLine;
    }
}

TEST_F(AutoEqFiles, TheMusicPairIsSetAsTheMusicPageSetsIt) {
    const std::string out = Temporary("music.dia");
    const Result result = RunCli({"autoeq", kRooms + "room-rew.txt", "--channel", "in0", "--target",
                                  "tilt:-1", "--smooth", "1/3", "--range", "30:12k", "--max-boost",
                                  "3", "--no-shelves", "--out", out});
    ASSERT_EQ(result.status, 0) << result.err;
    CAudio_Data saved;
    ASSERT_TRUE(LoadProgramFile(out, saved).ok);
    int changed = 0;
    for (int band = 0; band < 16; ++band) {
        const CFilter& left = saved.GetInput(0).GetChain().GetElement(band);
        const CFilter& right = saved.GetInput(1).GetChain().GetElement(band);
        EXPECT_EQ(left.GetFrequency(), right.GetFrequency());
        EXPECT_EQ(left.GetGainIndex(), right.GetGainIndex());
        EXPECT_EQ(left.GetType(), ElementType::kPeaking);
        EXPECT_LE(left.GetGainIndex(), 230);
        changed += left.GetGainIndex() != 200 ? 1 : 0;
    }
    EXPECT_GT(changed, 3);
    // Bands 14..16 are not on the music page, and stay as they were.
    for (int band = 13; band < 16; ++band) {
        EXPECT_EQ(saved.GetInput(0).GetChain().GetElement(band).GetGainIndex(), 200);
    }
}
}  // namespace
