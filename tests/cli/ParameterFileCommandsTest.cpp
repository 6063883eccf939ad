// SPDX-License-Identifier: GPL-3.0-or-later
// `show` and `diff` on program files.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "commands/CliCommands.h"
#include "model/Audio_Data.h"
#include "model/ProgramFile.h"
#include "model/ProgramParameters.h"

namespace fs = std::filesystem;

namespace {

const std::string kData = SONAVEL_TEST_DATA_DIR;

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

// new.dia with a few parameters changed, saved next to the test.
class ChangedProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        path = (fs::temp_directory_path() /
                ("sonavel-parameters-" + std::to_string(::getpid()) + ".dia"))
                   .string();
        CAudio_Data program;
        ASSERT_TRUE(LoadProgramFile(kData + "/new.dia", program).ok);
        std::vector<ParameterEdit> edits;
        for (const char* line :
             {"in0.band1.gain=3.0", "out2.delay=1.5ms", "out2.band3.type=Lo_EQ"}) {
            edits.push_back(std::get<ParameterEdit>(ParseParameterEdit(line)));
        }
        ASSERT_EQ(CheckParameterEdits(program, edits), std::nullopt);
        ApplyParameterEdits(program, edits);
        ASSERT_TRUE(SaveProgramFile(path, program).ok);
    }
    void TearDown() override { fs::remove(path); }

    std::string path;
};

TEST(ParameterFileCommands, ShowPrintsOneJsonMemberPerLineKeyedByPath) {
    const Result shown = RunCli({"show", kData + "/new.dia"});
    ASSERT_EQ(shown.status, cli::kSuccess) << shown.err;
    EXPECT_TRUE(shown.out.starts_with("{\n  \"in0.band1.type\": \"PEQ\",\n"));
    EXPECT_TRUE(shown.out.ends_with("\n}\n"));
    EXPECT_NE(shown.out.find("\n  \"out5.lp.family\": \"Lin_Ril\"\n}"), std::string::npos);
    EXPECT_NE(shown.out.find("\n  \"out2.delay\": 0.000,\n"), std::string::npos);
}

TEST_F(ChangedProgram, DiffPrintsTheDifferingPathsWithBothValuesAndExitsAsDiffDoes) {
    const Result same = RunCli({"diff", kData + "/new.dia", kData + "/new.dia"});
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(same.out, "{}\n");

    const Result changed = RunCli({"diff", kData + "/new.dia", path});
    EXPECT_EQ(changed.status, 1) << changed.err;
    EXPECT_EQ(changed.out,
              "{\n"
              "  \"in0.band1.gain\": [0.0, 3.0],\n"
              "  \"in0.band1.bypass\": [true, false],\n"
              "  \"out2.delay\": [0.000, 1.491],\n"
              "  \"out2.band3.type\": [\"PEQ\", \"Lo_EQ\"],\n"
              "  \"out2.band3.q\": [4.800, null],\n"
              "  \"out2.band3.slope\": [null, \"6dB\"]\n"
              "}\n");
}

TEST(ParameterFileCommands, AFileThatCannotBeReadIsTroubleForDiffAndAFailureForShow) {
    const Result diff = RunCli({"diff", kData + "/new.dia", kData + "/no-such.dia"});
    EXPECT_EQ(diff.status, 2);
    EXPECT_NE(diff.err.find("no-such.dia"), std::string::npos);
    EXPECT_EQ(RunCli({"diff", kData + "/new.dia"}).status, 2);
    const Result show = RunCli({"show", kData + "/no-such.dia"});
    EXPECT_EQ(show.status, cli::kFailure);
    EXPECT_TRUE(show.out.empty());
}

}  // namespace
