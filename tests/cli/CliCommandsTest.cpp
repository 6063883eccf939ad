// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "commands/CliCommands.h"
#include "curves/FrequencyGrid.h"
#include "model/Audio_Data.h"
#include "model/ProgramFile.h"

namespace fs = std::filesystem;

namespace {

class CliCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("sonavel-cli-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    int Run(const std::vector<std::string>& words) {
        out.str("");
        err.str("");
        return cli::RunCommandLine(words, out, err);
    }
    std::string PathOf(const std::string& name) const { return (folder / name).string(); }
    static std::string ReadAll(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path folder;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(CliCommands, NewWritesADefaultProgramThatResavesUnchanged) {
    ASSERT_EQ(Run({"new", PathOf("a.dia")}), cli::kSuccess) << err.str();
    EXPECT_EQ(fs::file_size(PathOf("a.dia")), 7253u);
    ASSERT_EQ(Run({"resave", PathOf("a.dia"), PathOf("b")}), cli::kSuccess) << err.str();
    EXPECT_EQ(ReadAll(PathOf("b.dia")), ReadAll(PathOf("a.dia")));
}

TEST_F(CliCommands, ImagePrintsTheDeviceImageAsOneHexLine) {
    ASSERT_EQ(Run({"new", PathOf("a.dia")}), cli::kSuccess);
    ASSERT_EQ(Run({"image", PathOf("a.dia")}), cli::kSuccess) << err.str();
    const std::string line = out.str();
    ASSERT_EQ(line.size(), 2 * 1032u + 1u);
    EXPECT_EQ(line.back(), '\n');
    // Input 0: name "A", level 30, aux level 50.
    EXPECT_EQ(line.substr(0, 20), "41000000000000001e32");
    // Output 0 starts at byte 504 with the name "1".
    EXPECT_EQ(line.substr(2 * 504, 4), "3100");
    EXPECT_EQ(line.find_first_not_of("0123456789abcdef"), line.size() - 1);
}

TEST_F(CliCommands, BadFileFailsWithTheReadErrorAndWritesNothing) {
    {
        std::ofstream broken(PathOf("broken.dia"), std::ios::binary);
        broken << "\x0aNewProg";
    }
    for (const std::string command : {"image", "curves"}) {
        EXPECT_EQ(Run({command, PathOf("broken.dia")}), cli::kFailure) << command;
        EXPECT_NE(err.str().find("File read Error"), std::string::npos) << command;
        EXPECT_TRUE(out.str().empty()) << command;
    }
    EXPECT_EQ(Run({"resave", PathOf("broken.dia"), PathOf("out.dia")}), cli::kFailure);
    EXPECT_FALSE(fs::exists(PathOf("out.dia")));
    EXPECT_EQ(Run({"new", PathOf("no-such-folder/x.dia")}), cli::kFailure);
    EXPECT_NE(err.str().find("MusicFile Write Error"), std::string::npos);
}

TEST_F(CliCommands, CurvesListsTheGridAndEveryChannel) {
    ASSERT_EQ(Run({"new", PathOf("a.dia")}), cli::kSuccess);
    ASSERT_EQ(Run({"curves", PathOf("a.dia")}), cli::kSuccess) << err.str();
    const std::string json = out.str();
    EXPECT_EQ(json.rfind("{\"grid\":[19.", 0), 0u);
    for (const char* channel :
         {"\"in0\":[", "\"in2\":[", "\"out0\":[", "\"out5\":[", "\"effect\":["}) {
        EXPECT_NE(json.find(channel), std::string::npos) << channel;
    }
    EXPECT_EQ(json.find("null"), std::string::npos);

    ASSERT_EQ(Run({"curves", PathOf("a.dia"), "--csv"}), cli::kSuccess) << err.str();
    std::istringstream csv(out.str());
    std::string header;
    std::getline(csv, header);
    EXPECT_EQ(header, "hz,in0,in1,in2,out0,out1,out2,out3,out4,out5,effect");
    std::vector<std::string> rows;
    for (std::string row; std::getline(csv, row);) {
        rows.push_back(row);
    }
    ASSERT_EQ(rows.size(), 241u);
    EXPECT_EQ(rows.back(), "20000.00,0.000,0.000,0.000,0.000,0.000,0.000,0.000,0.000,0.000,0.000")
        << "a new program is flat everywhere";
}

TEST_F(CliCommands, CurvesFollowTheChainButNotTheChannelGain) {
    CAudio_Data program;
    CFilter& band = program.GetOutput(3).GetBand(3);
    band.SetFrequency(1000);
    band.SetGainIndex(260);  // +6 dB
    program.GetOutput(3).SetGain(52);
    ASSERT_TRUE(SaveProgramFile(PathOf("peak.dia"), program).ok);

    ASSERT_EQ(Run({"curves", PathOf("peak.dia"), "--csv"}), cli::kSuccess) << err.str();
    std::istringstream csv(out.str());
    std::string row;
    for (int line = 0; line <= NearestGridIndex(1000.0) + 1; ++line) {
        std::getline(csv, row);
    }
    EXPECT_EQ(row.rfind("1000.00,0.000,0.000,0.000,0.000,0.000,0.000,6.000,0.000,0.000,0.000", 0),
              0u)
        << row;
}

TEST_F(CliCommands, WrongUsageIsRefused) {
    const std::vector<std::vector<std::string>> cases{
        {}, {"play"}, {"new"}, {"image", "a", "b"}, {"resave", "a"}, {"curves", "a", "--xml"},
    };
    for (const auto& words : cases) {
        EXPECT_EQ(Run(words), cli::kUsageError) << words.size();
        EXPECT_NE(err.str().find("usage"), std::string::npos);
    }
}

}  // namespace
