// SPDX-License-Identifier: GPL-3.0-or-later
// Parameter paths: the grammar, the values in the pages' units, the checks an
// edit must pass before it may reach a device, and a listing that replays
// into the same program.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "curves/ResponseKinds.h"
#include "model/Audio_Data.h"
#include "model/ProgramFile.h"
#include "model/ProgramParameters.h"

namespace {

std::map<std::string, std::string> Listing(CAudio_Data& program) {
    std::map<std::string, std::string> listing;
    for (auto& [path, value] : ReadProgramParameters(program)) {
        listing.emplace(std::move(path), std::move(value));
    }
    return listing;
}

ParameterEdit Edit(const std::string& assignment) {
    auto parsed = ParseParameterEdit(assignment);
    if (const std::string* error = std::get_if<std::string>(&parsed)) {
        ADD_FAILURE() << assignment << ": " << *error;
        return {};
    }
    return std::get<ParameterEdit>(parsed);
}

std::optional<std::string> Check(CAudio_Data& program, const std::vector<std::string>& lines) {
    std::vector<ParameterEdit> edits;
    for (const std::string& line : lines) {
        edits.push_back(Edit(line));
    }
    return CheckParameterEdits(program, edits);
}

void Apply(CAudio_Data& program, const std::vector<std::string>& lines) {
    std::vector<ParameterEdit> edits;
    for (const std::string& line : lines) {
        edits.push_back(Edit(line));
    }
    ASSERT_EQ(CheckParameterEdits(program, edits), std::nullopt);
    ApplyParameterEdits(program, edits);
}

TEST(ParameterPath, EveryChannelAndElementFormatsBackToItsOwnText) {
    for (const char* text :
         {"in0.band1.freq", "in2.band16.gain", "fx.band3.q", "out5.band7.type", "out0.hp.family",
          "in1.lp.freq", "fx.echo.left.delay", "out2.mix.music-on", "in2.feedback"}) {
        auto parsed = ParseParameterPath(text);
        ASSERT_TRUE(std::holds_alternative<ParameterPath>(parsed)) << std::get<std::string>(parsed);
        EXPECT_EQ(FormatParameterPath(std::get<ParameterPath>(parsed)), text);
    }
    const ParameterPath band = std::get<ParameterPath>(ParseParameterPath("out3.band2.gain"));
    EXPECT_EQ(band.channel, PathChannel::Output);
    EXPECT_EQ(band.index, 3);
    EXPECT_EQ(band.element, PathElement::Band);
    EXPECT_EQ(band.band, 1);
    EXPECT_EQ(band.field, "gain");
}

TEST(ParameterPath, NamesThatAreNoChannelOrElementAreRefusedWithTheReason) {
    struct Case {
        const char* text;
        const char* reason;
    };
    for (const Case& c :
         {Case{"in3.band1.freq", "does not start with a channel"},
          Case{"out6.gain", "does not start with a channel"},
          Case{"fx1.noisegate", "does not start with a channel"},
          Case{"in0.band17.freq", "band1..band16"}, Case{"out0.band8.freq", "band1..band7"},
          Case{"fx.band4.freq", "band1..band3"}, Case{"in0.band01.freq", "band1..band16"},
          Case{"in0.band0.freq", "band1..band16"}, Case{"out0.band1", "no field"},
          Case{"out0.hp.", "no field"}, Case{"in0", "no parameter"}}) {
        auto parsed = ParseParameterPath(c.text);
        ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << c.text;
        EXPECT_NE(std::get<std::string>(parsed).find(c.reason), std::string::npos)
            << c.text << ": " << std::get<std::string>(parsed);
    }
}

TEST(ProgramParameters, ANewProgramReadsInThePagesUnitsAndShowsOnlyTheFieldsItsBandsHave) {
    CAudio_Data program;
    const auto listing = Listing(program);
    const std::map<std::string, std::string> expected{
        {"in0.band1.type", "\"PEQ\""},
        {"in0.band1.freq", "20"},
        {"in0.band1.q", "4.800"},
        {"in0.band1.gain", "0.0"},
        {"in0.band1.bypass", "true"},
        {"in0.lp.freq", "20000"},
        {"in2.feedback", "\"OFF\""},
        {"in2.auto-decay", "-20.0"},
        {"fx.noisegate", "-100"},
        {"fx.reverb.time", "0.0"},
        {"fx.echo.left.delay", "0"},
        {"fx.band3.freq", "54"},
        {"out0.gain", "0"},
        {"out0.delay", "0.000"},
        {"out0.limiter.threshold", "10.0"},
        {"out0.limiter.attack", "0.3"},
        {"out0.limiter.release", "\"2X\""},
        {"out0.hp.family", "\"Lin_Ril\""},
        {"out0.hp.slope", "\"12dB/Oct\""},
        {"out1.mix.music", "99"},
        {"out1.mix.mic", "99"},
        {"out3.mix.mic", "0"},
        {"out3.mix.music-on", "true"},
        {"out5.band7.freq", "8399"},
    };
    for (const auto& [path, value] : expected) {
        ASSERT_TRUE(listing.contains(path)) << path;
        EXPECT_EQ(listing.at(path), value) << path;
    }
    for (const char* absent : {"in0.band1.slope", "in0.gain", "in0.hp.family", "fx.band1.type",
                               "in1.feedback", "out0.band1.slope"}) {
        EXPECT_FALSE(listing.contains(absent)) << absent;
    }
}

TEST(ProgramParameters, ValuesAreReadInThePagesUnitsAndNeverClampedOrRounded) {
    struct Case {
        const char* assignment;
        int32_t code;
    };
    for (const Case& c : {Case{"in0.band1.gain=3.0", 230},
                          Case{"in0.band1.gain=-3.5dB", 165},
                          Case{"in0.band1.gain=+10", 300},
                          Case{"in0.band1.q=1.414", 99},
                          Case{"in0.band1.q=144.3", 0},
                          Case{"in2.band3.freq=2.5k", 2500},
                          Case{"in2.band3.freq=440Hz", 440},
                          Case{"out2.delay=1.5ms", 71},
                          Case{"out2.delay=9.996", 476},
                          Case{"out2.delay=99.996", 566},
                          Case{"out2.delay=3.392m", 475},
                          Case{"out0.gain=-40", 0},
                          Case{"out0.limiter.threshold=-30.0dB", 0},
                          Case{"out0.limiter.threshold=0.5", 61},
                          Case{"out0.limiter.attack=0.9ms", 6},
                          Case{"out0.limiter.attack=1", 7},
                          Case{"out0.limiter.release=16x", 4},
                          Case{"out0.hp.family=bessel", 1},
                          Case{"out0.lp.slope=48dB/Oct", 3},
                          Case{"out4.mix.music=70%", 70},
                          Case{"out4.mix.mic-on=off", 0},
                          Case{"in0.band2.type=Lo_EQ", 1},
                          Case{"in0.band2.type=\"Hi_EQ\"", 2},
                          Case{"in2.feedback=FBX3", 3},
                          Case{"in2.auto-decay=-6", 14},
                          Case{"fx.noisegate=0dB", 100},
                          Case{"fx.reverb.time=3.5s", 35},
                          Case{"fx.echo.right.delay=250ms", 250},
                          Case{"fx.band2.bypass=true", 1}}) {
        auto parsed = ParseParameterEdit(c.assignment);
        ASSERT_TRUE(std::holds_alternative<ParameterEdit>(parsed))
            << c.assignment << ": " << std::get<std::string>(parsed);
        EXPECT_EQ(std::get<ParameterEdit>(parsed).code, c.code) << c.assignment;
    }
}

TEST(ProgramParameters, AWrongValueFailsWithOneLineThatSaysWhy) {
    struct Case {
        const char* assignment;
        const char* reason;
    };
    for (const Case& c : {Case{"in0.band1.gain=10.1", "out of range -20.0..10.0 dB"},
                          Case{"in0.band1.freq=19", "out of range 20..20000 Hz"},
                          Case{"in0.band1.freq=25k", "out of range"},
                          Case{"in0.band1.q=0.3", "out of range 0.404..144.3"},
                          Case{"out0.delay=100ms", "out of range 0.000..99.996 ms"},
                          Case{"out0.delay=340m", "out of range 0.000..34.33"},
                          Case{"fx.noisegate=-120", "out of range -100..0 dB"},
                          Case{"fx.reverb.predelay=101", "out of range 0..100 %"},
                          Case{"out0.limiter.attack=0.95", "out of range"},
                          Case{"in0.band1.freq=1000.5", "between two steps"},
                          Case{"out0.gain=-3.5", "between two steps"},
                          Case{"in0.band1.gain=3.25", "between two steps"},
                          Case{"out0.delay=5furlongs", "not a unit"},
                          Case{"in0.band1.gain=3Hz", "not a unit"},
                          Case{"in0.band1.gain=loud", "not a number"},
                          Case{"in0.band1.type=notch", "not one of PEQ, Lo_EQ, Hi_EQ"},
                          Case{"out0.mix.mic-on=maybe", "not on or off"},
                          Case{"in0.gain=1", "in0 has no fields of its own"},
                          Case{"out0.band1.colour=red", "out0.band1 has type, slope, freq"},
                          Case{"in0.band1.gain", "not PATH=VALUE"}}) {
        auto parsed = ParseParameterEdit(c.assignment);
        ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << c.assignment;
        const std::string& message = std::get<std::string>(parsed);
        EXPECT_NE(message.find(c.reason), std::string::npos) << c.assignment << ": " << message;
        EXPECT_EQ(message.find('\n'), std::string::npos);
    }
}

TEST(ProgramParameters, EditsThePageWouldRefuseFailTheCheckAndLeaveTheProgramAsItWas) {
    struct Case {
        std::vector<std::string> edits;
        const char* reason;  // null: accepted
    };
    const std::vector<Case> cases{
        {{"in0.band2.type=Lo_EQ", "in0.band2.freq=5000"}, "a Lo_EQ band takes 20..2000 Hz"},
        {{"in0.band2.type=Lo_EQ", "in0.band2.freq=1500"}, nullptr},
        {{"out1.band7.type=Hi_EQ", "out1.band7.freq=1000"}, "a Hi_EQ band takes 2000..20000 Hz"},
        {{"in0.band2.type=Lo_EQ", "in0.band2.q=2"}, "is Lo_EQ and has no q"},
        {{"in0.band2.slope=12dB"}, "is PEQ and has no slope"},
        {{"in0.band2.type=Hi_EQ", "in0.band2.slope=12dB"}, nullptr},
        {{"out0.band1.bypass=off"}, "a band at 0.0 dB stays bypassed"},
        {{"out0.band1.gain=3", "out0.band1.bypass=off"}, nullptr},
        {{"in2.hp.freq=5000", "in2.lp.freq=4000"}, "high-pass (5000 Hz) would be above"},
        {{"out0.lp.freq=100", "out0.hp.freq=50"}, nullptr},
        {{"out0.hp.freq=500", "out0.lp.freq=400", "out0.hp.freq=300"}, nullptr},
    };
    for (const Case& c : cases) {
        CAudio_Data program;
        const auto before = Listing(program);
        const std::optional<std::string> problem = Check(program, c.edits);
        if (c.reason == nullptr) {
            EXPECT_EQ(problem, std::nullopt) << c.edits.front();
        } else {
            ASSERT_TRUE(problem.has_value()) << c.edits.front();
            EXPECT_NE(problem->find(c.reason), std::string::npos) << *problem;
        }
        EXPECT_EQ(Listing(program), before);
        EXPECT_EQ(program.GetInput(0).GetBand(1).IsDirty(), 0);
        EXPECT_EQ(program.GetOutput(0).IsGainChanged(), 0);
    }
}

TEST(ProgramParameters, EditsGoThroughThePagesSettersAndFlagTheirRows) {
    CAudio_Data program;
    Apply(program, {"in0.band3.type=Lo_EQ", "out2.delay=1.5ms", "out3.mix.music=70",
                    "fx.echo.volume=80", "in2.auto-decay=-6", "out0.hp.freq=1000"});
    // A shelf's frequency is moved into its range, as the type drop-down does.
    EXPECT_EQ(program.GetInput(0).GetBand(2).GetType(), ElementType::kLowShelf);
    EXPECT_EQ(program.GetInput(0).GetBand(2).GetFrequency(), 54);
    EXPECT_EQ(program.GetInput(0).GetBand(2).IsDirty(), 1);
    // Paths name one channel: the music page's repetition on in1 is not implied.
    EXPECT_EQ(program.GetInput(1).GetBand(2).GetType(), ElementType::kPeaking);
    EXPECT_EQ(program.GetOutput(2).GetDelay(), 71);
    EXPECT_EQ(program.GetOutput(2).IsGainChanged(), 1);
    // The subwoofer's one music level feeds both sides.
    EXPECT_EQ(program.GetOutput(3).GetMixMusicL(), 70);
    EXPECT_EQ(program.GetOutput(3).GetMixMusicR(), 70);
    EXPECT_EQ(program.GetOutput(3).IsMixChanged(), 1);
    EXPECT_EQ(program.GetEffect().GetEffectParam(EffectParam::kEchoVolume), 80);
    EXPECT_EQ(program.GetEffect().IsSecondRowChanged(), 1);
    EXPECT_EQ(program.GetInput(2).GetBassAttenuation(), 14);
    EXPECT_EQ(program.GetInput(2).IsParamsChanged(), 1);
    // The crossover walks there an octave per row, as every crossover edit does.
    EXPECT_EQ(program.GetOutput(0).GetHighPass().GetFrequency(), 1000);
    EXPECT_EQ(program.GetOutput(0).GetHighPass().IsDirty(), 1);
}

// The listing of a program, replayed as edits on a new program, gives the same listing, in
// whatever order the edits come.
TEST(ProgramParameters, AListingReplayedOnANewProgramRebuildsIt) {
    CAudio_Data edited;
    Apply(edited, {"in0.band1.type=Hi_EQ",    "in0.band1.slope=12dB",
                   "in0.band2.gain=-3.5",     "in0.band2.q=1.414",
                   "in0.band3.gain=6",        "in0.band3.bypass=on",
                   "in1.band16.freq=15000",   "in2.hp.freq=80",
                   "in2.lp.freq=12000",       "in2.feedback=FBX2",
                   "in2.auto-decay=-3",       "fx.band1.gain=2.5",
                   "fx.reverb.time=2.5",      "fx.echo.left.delay=120",
                   "fx.noisegate=-60",        "out0.gain=-6",
                   "out0.delay=12.996",       "out0.limiter.attack=5ms",
                   "out0.limiter.release=8X", "out0.lp.family=Bessel",
                   "out0.lp.slope=24dB/Oct",  "out1.mix.music=40",
                   "out1.mix.mic-on=off",     "out5.band1.type=Lo_EQ",
                   "out5.band1.freq=150"});
    // Played the other way round too, so each band starts from another kind than it ends in.
    CAudio_Data replayed;
    Apply(replayed, {"in0.band2.type=Lo_EQ", "in0.band1.freq=20000"});
    std::vector<ParameterEdit> edits;
    for (const auto& [path, value] : ReadProgramParameters(edited)) {
        edits.push_back(Edit(path + "=" + value));
    }
    std::ranges::reverse(edits);
    ASSERT_EQ(CheckParameterEdits(replayed, edits), std::nullopt);
    ApplyParameterEdits(replayed, edits);
    EXPECT_EQ(Listing(replayed), Listing(edited));
}

TEST(ProgramParameters, ValuesNoPageCanSetAreListedAsStoredAndRefusedOnTheWayBack) {
    CAudio_Data fresh;
    ASSERT_TRUE(LoadProgramFile(std::string(SONAVEL_TEST_DATA_DIR) + "/new.dia", fresh).ok);
    for (const auto& [path, value] : ReadProgramParameters(fresh)) {
        auto parsed = ParseParameterEdit(path + "=" + value);
        EXPECT_TRUE(std::holds_alternative<ParameterEdit>(parsed)) << std::get<std::string>(parsed);
    }
    // The hand-made file holds a threshold code below the page's range and a release code no
    // factor stands for: shown as they are, so a diff sees them, and never written back.
    CAudio_Data handmade;
    ASSERT_TRUE(LoadProgramFile(std::string(SONAVEL_TEST_DATA_DIR) + "/handmade.dia", handmade).ok);
    const auto listing = Listing(handmade);
    EXPECT_EQ(listing.at("out0.limiter.threshold"), "-36.0");
    EXPECT_EQ(listing.at("out0.limiter.release"), "9");
    for (const char* path : {"out0.limiter.threshold", "out0.limiter.release"}) {
        EXPECT_TRUE(std::holds_alternative<std::string>(
            ParseParameterEdit(std::string(path) + "=" + listing.at(path))));
    }
}

}  // namespace
