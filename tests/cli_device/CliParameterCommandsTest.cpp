// SPDX-License-Identifier: GPL-3.0-or-later
// `show`, `set` and `diff` in parameter paths against simulated devices over
// TCP on 127.0.0.1, and with several --link options at once.
#include <gtest/gtest.h>

#include <QTcpServer>

#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/SimulatedDevice.h"
#include "device/RunCli.h"
#include "links/TestApp.h"
#include "model/Audio_Data.h"
#include "model/ProgramFile.h"
#include "model/ProgramParameters.h"
#include "protocol/Frame.h"
#include "transport/TcpDeviceServer.h"

namespace {

const std::string kData = SONAVEL_TEST_DATA_DIR;

using Members = std::map<std::string, std::string>;

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// The JSON objects the client printed, one member per line as it prints them.
std::vector<Members> Objects(const std::string& text) {
    std::vector<Members> objects;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line == "{" || line == "{}") {
            objects.emplace_back();
            continue;
        }
        const size_t colon = line.find("\": ");
        if (!line.starts_with("  \"") || colon == std::string::npos || objects.empty()) {
            continue;
        }
        std::string value = line.substr(colon + 3);
        if (value.ends_with(',')) {
            value.pop_back();
        }
        objects.back().emplace(line.substr(3, colon - 3), value);
    }
    return objects;
}

// Turns printed members back into `set` operands.
std::vector<std::string> Assignments(const Members& members) {
    std::vector<std::string> words;
    for (const auto& [path, value] : members) {
        if (path != "link") {
            words.push_back(path + "=" + value);
        }
    }
    return words;
}

Members WithoutLink(Members members) {
    members.erase("link");
    return members;
}

// A simulated device listening on 127.0.0.1.
struct Room {
    Room() : server(device) { EXPECT_TRUE(server.Listen()); }
    std::string Link() const { return "tcp:127.0.0.1:" + std::to_string(server.Port()); }
    // Row writes the device took.
    int RowWrites() const {
        int rows = 0;
        for (const devsim::ReceivedFrame& frame : device.Log()) {
            rows += frame.valid && frame.bytes[5] == Command::kWrite ? 1 : 0;
        }
        return rows;
    }

    devsim::SimulatedDevice device;
    devsim::TcpDeviceServer server;
};

class CliParameters : public ::testing::Test {
  protected:
    CliParameters() {
        TestApp();
        environment.pumpIntervalMs = 5;
    }

    CliResult Run(std::vector<std::string> words) {
        std::ostringstream out;
        std::ostringstream err;
        CliResult result;
        result.status = cli::RunCli(words, out, err, environment);
        result.out = out.str();
        result.err = err.str();
        return result;
    }

    // "--link A --link B ... --timeout 20" followed by `words`.
    CliResult RunOn(const std::vector<std::string>& links, std::vector<std::string> words) {
        std::vector<std::string> line;
        for (const std::string& link : links) {
            line.insert(line.end(), {"--link", link});
        }
        line.insert(line.end(), {"--timeout", "20"});
        line.insert(line.end(), words.begin(), words.end());
        return Run(line);
    }

    cli::DeviceEnvironment environment;
};

// A program away from the device's own in every kind of field, saved as a file.
std::string SaveEditedProgram(const std::string& path) {
    CAudio_Data program;
    std::vector<ParameterEdit> edits;
    for (const char* line : {"in0.band1.type=Hi_EQ",    "in0.band1.slope=12dB",
                             "in0.band2.gain=-3.5",     "in0.band2.q=1.414",
                             "in0.band3.gain=6",        "in0.band16.freq=15000",
                             "in1.band4.type=Lo_EQ",    "in1.hp.freq=40",
                             "in2.hp.freq=80",          "in2.lp.freq=12000",
                             "in2.feedback=FBX2",       "in2.auto-decay=-3",
                             "in2.band7.gain=-12.5",    "fx.band1.gain=2.5",
                             "fx.band2.q=0.667",        "fx.lp.freq=9000",
                             "fx.reverb.time=2.5",      "fx.reverb.predelay=100",
                             "fx.echo.left.delay=120",  "fx.echo.right.repeat=45",
                             "fx.noisegate=-60",        "out0.gain=-6",
                             "out0.delay=12.996",       "out0.limiter.threshold=-4.5",
                             "out0.limiter.attack=5ms", "out0.limiter.release=8X",
                             "out0.lp.freq=4000",       "out0.lp.family=Bessel",
                             "out0.lp.slope=24dB/Oct",  "out1.mix.music=40",
                             "out1.mix.mic-on=off",     "out3.hp.freq=30",
                             "out3.lp.freq=120",        "out5.band1.type=Lo_EQ",
                             "out5.band1.freq=150",     "out5.band1.gain=4"}) {
        edits.push_back(std::get<ParameterEdit>(ParseParameterEdit(line)));
    }
    EXPECT_EQ(CheckParameterEdits(program, edits), std::nullopt);
    ApplyParameterEdits(program, edits);
    EXPECT_TRUE(SaveProgramFile(path, program).ok);
    return path;
}

TEST_F(CliParameters, AFileShownAndSetOnTheDeviceReadsBackAsTheSameProgram) {
    Room room;
    const std::string file =
        SaveEditedProgram((std::filesystem::temp_directory_path() /
                           ("sonavel-round-trip-" + std::to_string(::getpid()) + ".dia"))
                              .string());
    const CliResult shown = Run({"show", file});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const std::vector<Members> fileObjects = Objects(shown.out);
    ASSERT_EQ(fileObjects.size(), 1u);
    EXPECT_EQ(RunOn({room.Link()}, {"diff", file}).status, 1);

    std::vector<std::string> set = Assignments(fileObjects[0]);
    set.insert(set.begin(), "set");
    const CliResult written = RunOn({room.Link()}, set);
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_GT(room.RowWrites(), 0);

    const CliResult readBack = RunOn({room.Link()}, {"show"});
    ASSERT_EQ(readBack.status, 0) << readBack.err;
    const std::vector<Members> deviceObjects = Objects(readBack.out);
    ASSERT_EQ(deviceObjects.size(), 1u);
    EXPECT_EQ(deviceObjects[0].at("link"), "\"" + room.Link() + "\"");
    EXPECT_EQ(WithoutLink(deviceObjects[0]), fileObjects[0]);

    const CliResult diff = RunOn({room.Link()}, {"diff", file});
    EXPECT_EQ(diff.status, 0) << diff.out << diff.err;
    std::filesystem::remove(file);
}

TEST_F(CliParameters, SetReportsWhatTheDeviceNowHoldsOnceEveryRowIsAnswered) {
    Room room;
    const CliResult set = RunOn(
        {room.Link()}, {"set", "in0.band1.gain=3.0", "out2.delay=1.5ms", "out0.hp.freq=1000"});
    ASSERT_EQ(set.status, 0) << set.err;
    const std::vector<Members> objects = Objects(set.out);
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0].at("in0.band1.gain"), "3.0");
    // The delay lands on the device's nearest step.
    EXPECT_EQ(objects[0].at("out2.delay"), "1.491");
    EXPECT_EQ(objects[0].at("out0.hp.freq"), "1000");
    // The crossover walked up an octave per row, and the device holds where it ended.
    const devsim::ProgramImage image = room.device.CurrentImage();
    const size_t crossover = devsim::kOutputRecordOffset + 16;
    EXPECT_EQ(image[crossover] | image[crossover + 1] << 8, 1000);
    EXPECT_EQ(image[devsim::kOutputRecordOffset + 2 * devsim::kOutputRecordSize + 12], 71);
    EXPECT_EQ(image[24 + 6] | image[24 + 7] << 8, 230);
}

TEST_F(CliParameters, AValueTheDeviceMustNotGetFailsWithOneLineAndSendsNoRow) {
    Room room;
    // Wrong whatever the device holds: refused before the link opens.
    const CliResult outOfRange = RunOn({room.Link()}, {"set", "in0.band1.gain=3", "out0.gain=11"});
    EXPECT_EQ(outOfRange.status, 2);
    EXPECT_EQ(outOfRange.err, "out0.gain: 11 is out of range -40..10 dB\n");
    EXPECT_TRUE(room.device.Log().empty());

    // Wrong for what the device holds: refused after reading it, before any row.
    const CliResult crossing =
        RunOn({room.Link()}, {"set", "in2.band1.gain=2", "in2.hp.freq=15000", "in2.lp.freq=12000"});
    EXPECT_EQ(crossing.status, 1);
    EXPECT_NE(crossing.err.find("high-pass (15000 Hz) would be above the low-pass"),
              std::string::npos)
        << crossing.err;
    EXPECT_EQ(Objects(crossing.out).at(0).count("error"), 1u);
    EXPECT_FALSE(room.device.Log().empty());
    EXPECT_EQ(room.RowWrites(), 0);
}

TEST_F(CliParameters, SeveralLinksRunTheCommandOnEachRoomWithOneObjectPerLink) {
    Room first;
    Room second;
    const CliResult set =
        RunOn({first.Link(), second.Link()}, {"set", "out1.gain=-6", "fx.echo.volume=80"});
    ASSERT_EQ(set.status, 0) << set.err;
    const std::vector<Members> reports = Objects(set.out);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].at("link"), "\"" + first.Link() + "\"");
    EXPECT_EQ(reports[1].at("link"), "\"" + second.Link() + "\"");
    for (const Members& report : reports) {
        EXPECT_EQ(report.at("out1.gain"), "-6");
        EXPECT_EQ(report.at("fx.echo.volume"), "80");
    }

    const CliResult shown = RunOn({first.Link(), second.Link()}, {"show"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const std::vector<Members> programs = Objects(shown.out);
    ASSERT_EQ(programs.size(), 2u);
    EXPECT_EQ(WithoutLink(programs[0]), WithoutLink(programs[1]));

    // The first room is the reference for the others.
    EXPECT_EQ(RunOn({first.Link(), second.Link()}, {"diff"}).status, 0);
    ASSERT_EQ(RunOn({second.Link()}, {"set", "out3.band2.gain=-4.5"}).status, 0);
    const CliResult diff = RunOn({first.Link(), second.Link()}, {"diff"});
    EXPECT_EQ(diff.status, 1) << diff.err;
    const std::vector<Members> differences = Objects(diff.out);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0].at("reference"), "\"" + first.Link() + "\"");
    EXPECT_EQ(differences[0].at("out3.band2.gain"), "[0.0, -4.5]");
    EXPECT_EQ(differences[0].at("out3.band2.bypass"), "[true, false]");
}

TEST_F(CliParameters, ARoomThatCannotBeReachedIsReportedAndTheOthersStillRun) {
    Room room;
    // A port on 127.0.0.1 that nothing listens on any more.
    QTcpServer vacated;
    ASSERT_TRUE(vacated.listen(QHostAddress::LocalHost));
    const std::string closed = "tcp:127.0.0.1:" + std::to_string(vacated.serverPort());
    vacated.close();
    const CliResult set = RunOn({closed, room.Link()}, {"set", "out0.gain=-3"});
    EXPECT_EQ(set.status, 1);
    const std::vector<Members> reports = Objects(set.out);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].count("error"), 1u);
    EXPECT_EQ(reports[1].at("out0.gain"), "-3");
    EXPECT_NE(set.err.find("\n" + closed + ": Unable to Open Network Link!"), std::string::npos)
        << set.err;
    EXPECT_EQ(RunOn({room.Link()}, {"diff", kData + "/new.dia"}).status, 1);
}

}  // namespace
