// SPDX-License-Identifier: GPL-3.0-or-later
// Measurement files in every format users bring, and the bad ones: each gets
// one message naming the file and the line, and nothing is taken from it.
#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "roomeq/MeasurementText.h"

namespace {
struct FormatCase {
    const char* name;
    const char* text;
    const char* column;
    double firstHertz;
    double firstDb;
    double lastHertz;
    double lastDb;
    size_t points;
};

const FormatCase kFormats[] = {
    {"measurement software export, spaces",
     "* Measurement data measured by the analyser\n"
     "* Source: Microphone, 48000 Hz\n"
     "* Freq(Hz) SPL(dB) Phase(degrees)\n"
     "20.000 74.812 -120.5\n"
     "20.500 75.100 -118.0\n"
     "21.000 75.250 -115.2\n",
     "", 20.0, 74.812, 21.0, 75.25, 3},
    {"commas and Windows line ends",
     "* Freq(Hz), SPL(dB), Phase(degrees)\r\n20, 70.5, 10\r\n40, 71.5, 11\r\n80, 72.5, 12\r\n", "",
     20.0, 70.5, 80.0, 72.5, 3},
    {"tabs", "20\t-1.5\n1000\t0\n20000\t-3.25\n", "", 20.0, -1.5, 20000.0, -3.25, 3},
    {"FRD with hash comments", "# driver response\n# freq dB phase\n10 80 0\n100 85 -30\n", "",
     10.0, 80.0, 100.0, 85.0, 2},
    {"rig export: quoted titles, header, scientific notation, thousands",
     "\"Sound pressure\"\n\"Measured 2026-01-04\"\n"
     "Freq[Hz]\tdBSPL\tPhase[Deg]\n"
     "2.000000e+01\t7.512e+01\t0\n"
     "1,000.5\t8.0e1\t-12\n"
     "12,500\t78.25\t-40\n",
     "", 20.0, 75.12, 12500.0, 78.25, 3},
    {"rig export: the second named pair by its column name",
     "Freq[Hz]\tLeft dBSPL\tFreq[Hz]\tRight dBSPL\n20\t70\t20\t60\n40\t71\t40\t61\n", "Right dBSPL",
     20.0, 60.0, 40.0, 61.0, 2},
    {"CSV with a header, the level found by its name",
     "frequency,error,raw,smoothed\n20,1,-3,-2\n30,1,-2,-2\n", "", 20.0, -3.0, 30.0, -2.0, 2},
    {"CSV with magnitude", "Frequency;Magnitude\n100;1.5\n200;2.5\n", "", 100.0, 1.5, 200.0, 2.5,
     2},
    {"plain two columns, a blank line and a byte-order mark",
     "\xEF\xBB\xBF"
     "50 1\n\n100 2\n",
     "", 50.0, 1.0, 100.0, 2.0, 2},
};

class MeasurementFormats : public testing::TestWithParam<FormatCase> {};

TEST_P(MeasurementFormats, TakesTheFirstPairOrTheNamedColumn) {
    const FormatCase& format = GetParam();
    const MeasurementRead read = ParseMeasurementText(format.text, "room.txt", format.column);
    ASSERT_TRUE(std::holds_alternative<MeasurementCurve>(read))
        << DescribeProblem(std::get<RoomEqProblem>(read), Language::English);
    const MeasurementCurve& curve = std::get<MeasurementCurve>(read);
    ASSERT_EQ(curve.hertz.size(), format.points);
    EXPECT_DOUBLE_EQ(curve.hertz.front(), format.firstHertz);
    EXPECT_DOUBLE_EQ(curve.db.front(), format.firstDb);
    EXPECT_DOUBLE_EQ(curve.hertz.back(), format.lastHertz);
    EXPECT_DOUBLE_EQ(curve.db.back(), format.lastDb);
    EXPECT_EQ(curve.name, "room.txt");
}

INSTANTIATE_TEST_SUITE_P(EachFormat, MeasurementFormats, testing::ValuesIn(kFormats));

struct BadCase {
    const char* name;
    const char* text;
    const char* column;
    RoomEqProblemKind kind;
    int line;
    const char* message;
};

const BadCase kBadFiles[] = {
    {"no numbers", "* nothing here\nhello world\n", "", RoomEqProblemKind::NoNumbers, 0,
     "room.txt: holds no frequency and level numbers"},
    {"frequencies going down", "20 1\n40 2\n30 3\n", "", RoomEqProblemKind::NotIncreasing, 3,
     "room.txt, line 3: the frequencies do not increase (30)"},
    {"a repeated frequency", "20 1\n20 2\n", "", RoomEqProblemKind::NotIncreasing, 2,
     "room.txt, line 2: the frequencies do not increase (20)"},
    {"NaN", "* header\n20 1\n40 nan\n", "", RoomEqProblemKind::NotANumber, 3,
     "room.txt, line 3: a value is not a number (nan)"},
    {"text among the numbers", "20 1\n40 loud\n", "", RoomEqProblemKind::NotANumber, 2,
     "room.txt, line 2: a value is not a number (loud)"},
    {"a short row", "f,db,phase\n20,1,0\n40\n", "", RoomEqProblemKind::TooFewColumns, 3,
     "room.txt, line 3: the row has fewer columns than the header (40)"},
    {"a zero frequency", "0 1\n20 2\n", "", RoomEqProblemKind::BadFrequency, 1,
     "room.txt, line 1: a frequency is zero or negative (0)"},
    {"a column no header names", "Freq[Hz]\tdBSPL\n20\t1\n", "Right",
     RoomEqProblemKind::NoSuchColumn, 0, "room.txt: no column has this name (Right)"},
    {"a column asked of a file without a header", "20 1\n40 2\n", "dBSPL",
     RoomEqProblemKind::NoSuchColumn, 0, "room.txt: no column has this name (dBSPL)"},
};

class BadMeasurementFiles : public testing::TestWithParam<BadCase> {};

TEST_P(BadMeasurementFiles, GiveOneMessageNamingFileAndLine) {
    const BadCase& bad = GetParam();
    const MeasurementRead read = ParseMeasurementText(bad.text, "room.txt", bad.column);
    ASSERT_TRUE(std::holds_alternative<RoomEqProblem>(read));
    const RoomEqProblem& problem = std::get<RoomEqProblem>(read);
    EXPECT_EQ(problem.kind, bad.kind);
    EXPECT_EQ(problem.line, bad.line);
    EXPECT_EQ(DescribeProblem(problem, Language::English), bad.message);
    EXPECT_FALSE(DescribeProblem(problem, Language::Chinese).empty());
}

INSTANTIATE_TEST_SUITE_P(EachFault, BadMeasurementFiles, testing::ValuesIn(kBadFiles));

TEST(MeasurementFile, AMissingFileIsNamed) {
    const MeasurementRead read = ReadMeasurementFile("/nonexistent/room.txt");
    ASSERT_TRUE(std::holds_alternative<RoomEqProblem>(read));
    EXPECT_EQ(DescribeProblem(std::get<RoomEqProblem>(read), Language::English),
              "/nonexistent/room.txt: cannot be read");
}

TEST(MeasurementFile, ChineseMessageNamesTheLine) {
    const MeasurementRead read = ParseMeasurementText("20 1\n10 2\n", "房间.txt");
    EXPECT_EQ(DescribeProblem(std::get<RoomEqProblem>(read), Language::Chinese),
              "房间.txt，第 2 行：频率没有递增（10）");
}
}  // namespace
