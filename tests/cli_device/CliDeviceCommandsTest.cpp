// SPDX-License-Identifier: GPL-3.0-or-later
// The client's device commands in-process against the simulated device, over
// TCP on 127.0.0.1, a pseudo-terminal and the simulated HID bus.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/DeviceImage.h"
#include "device/RunCli.h"
#include "fixtures/GbkNameCases.h"
#include "fixtures/LinkTestNames.h"
#include "links/LinkTestRig.h"
#include "links/SerialPortRecord.h"
#include "model/ProgramFile.h"
#include "protocol/ChangeScanner.h"
#include "protocol/Frame.h"
#include "protocol/HexText.h"

namespace {

using devsim::DeviceFaults;
using devsim::FaultAction;
using devsim::FaultRule;

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string LowerHex(std::span<const uint8_t> bytes) {
    return HexText(bytes, "", HexCase::Lower);
}

std::string NameText(const devsim::ProgramName& name) {
    return std::string(reinterpret_cast<const char*>(name.data()),
                       strnlen(reinterpret_cast<const char*>(name.data()), name.size()));
}

// The simulated device on all three links, and the client pointed at one of them.
class CliDevice {
  public:
    CliDevice()
        : server_(device),
          pty_(device),
          hid_(std::make_shared<HidSimulatedDevice>(
              HidDeviceInfo{"/dev/hidraw3", kSonavelVendorId, kSonavelProductId,
                            kSonavelReleaseNumber},
              std::make_shared<devsim::HidBusDevice>(device))) {
        TestApp();
        hidBus_.Attach(hid_);
        environment_.hidBackend = &hidBus_;
        environment_.pumpIntervalMs = kFastPumpMs;
        environment_.usbTimingDivisor = kUsbTimingDivisor;
        directory_ = std::filesystem::temp_directory_path() /
                     ("sonavel-cli-device-" + std::to_string(::getpid()));
        std::filesystem::create_directories(directory_);
    }
    ~CliDevice() { std::filesystem::remove_all(directory_); }

    // "--link ..." for the given link kind, opening the device's side first.
    std::string LinkOption(LinkKind link) {
        switch (link) {
            case LinkKind::Network:
                if (server_.Port() == 0) {
                    EXPECT_TRUE(server_.Listen());
                }
                return "tcp:127.0.0.1:" + std::to_string(server_.Port());
            case LinkKind::Serial:
                if (!pty_.IsOpen()) {
                    EXPECT_TRUE(pty_.Open());
                }
                return "serial:" + pty_.SlavePath();
            default:
                return "usb";
        }
    }

    CliResult Run(std::vector<std::string> words) {
        std::ostringstream out;
        std::ostringstream err;
        CliResult result;
        result.status = cli::RunCli(words, out, err, environment_);
        result.out = out.str();
        result.err = err.str();
        return result;
    }

    CliResult RunOn(LinkKind link, std::vector<std::string> words) {
        words.insert(words.begin(), {"--link", LinkOption(link), "--timeout", "10"});
        return Run(std::move(words));
    }

    // Requests the device took with this command, in order, as headers.
    std::vector<FrameHeader> Requests(uint8_t command) const {
        std::vector<FrameHeader> headers;
        for (const devsim::ReceivedFrame& frame : device.Log()) {
            if (frame.valid && frame.bytes[5] == command) {
                headers.push_back(ReadFrameHeader(frame.bytes));
            }
        }
        return headers;
    }

    std::string Path(const char* name) const { return (directory_ / name).string(); }

    // The program image of a ".dia" file as `image` prints it.
    std::string FileImage(const std::string& path) {
        const CliResult image = Run({"image", path});
        EXPECT_EQ(image.status, 0) << image.err;
        return image.out.substr(0, image.out.find('\n'));
    }

    devsim::SimulatedDevice device;
    cli::DeviceEnvironment environment_;
    HidSimulatedBackend hidBus_;

  private:
    static constexpr int kFastPumpMs = 5;
    static constexpr int kUsbTimingDivisor = 20;

    devsim::TcpDeviceServer server_;
    devsim::PtyDevice pty_;
    std::shared_ptr<HidSimulatedDevice> hid_;
    std::filesystem::path directory_;
};

class CliOverLink : public ::testing::TestWithParam<LinkKind> {
  protected:
    CliResult Run(std::vector<std::string> words) { return rig_.RunOn(GetParam(), words); }
    CliDevice rig_;
};

TEST_P(CliOverLink, ReadPrintsNamesAndSystemAndSavesTheDevicesProgram) {
    const std::string out = rig_.Path("read.dia");
    const CliResult result = Run({"read", "--out", out});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out.substr(0, 45), R"({"names":["Current","Preset 01","Preset 02",")");
    const devsim::SystemBytes system = rig_.device.GetSystemBytes();
    std::string systemJson = "\"system\":[";
    for (size_t i = 0; i < system.size(); ++i) {
        systemJson += (i > 0 ? "," : "") + std::to_string(system[i]);
    }
    EXPECT_NE(result.out.find(systemJson + "]}\n"), std::string::npos) << result.out;
    EXPECT_EQ(std::ranges::count(result.out, ','), 20 + 16 + 1);
    EXPECT_EQ(rig_.FileImage(out), LowerHex(rig_.device.CurrentImage()));
    EXPECT_NE(result.err.find("reading"), std::string::npos) << "a progress line";
}

TEST_P(CliOverLink, WriteDownloadsTheFileAsTheCurrentProgramUnderTheDevicesOwnName) {
    const std::string file = rig_.Path("show.dia");
    {
        CAudio_Data program;
        program.SetName("FileName");
        program.GetOutput(2).SetName("Centre");
        program.GetInput(0).GetBand(3).SetGainIndex(230);
        ASSERT_TRUE(SaveProgramFile(file, program).ok);
    }
    const CliResult result = Run({"write", file});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find("You have saved data according to the download!"), std::string::npos);
    EXPECT_EQ(LowerHex(rig_.device.CurrentImage()), rig_.FileImage(file));
    // One name write for slot 0 carrying the device's name, then the download; no row writes.
    const auto writes = rig_.Requests(Command::kWrite);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0], (FrameHeader{Command::kWrite, 5, 0, 0, 4}));
    EXPECT_EQ(NameText(rig_.device.Name(0)), "Current");
    EXPECT_EQ(rig_.Requests(Command::kProgramWrite).size(), 1u);
}

// A file saved while a crossover was walking: write returns only once the
// rows that walk it on have been accepted, so the device ends on the target.
TEST_P(CliOverLink, WriteReturnsOnceAWalkingCrossoverHasArrived) {
    const std::string file = rig_.Path("walking.dia");
    {
        CAudio_Data program;
        CFilter& highPass = program.GetInput(0).GetChain().GetHighPass();
        highPass.SetFrequency(20);
        while (NextPendingMessage(program)->command != Command::kStatusPoll) {
        }
        highPass.SetFrequency(1000);  // five octaves to walk
        ASSERT_TRUE(SaveProgramFile(file, program).ok);
    }
    const CliResult result = Run({"write", file});
    ASSERT_EQ(result.status, 0) << result.err;
    const devsim::ProgramImage image = rig_.device.CurrentImage();
    constexpr size_t kInput0CrossoverRow = 16;
    EXPECT_EQ(image[kInput0CrossoverRow] | image[kInput0CrossoverRow + 1] << 8, 1000);
    EXPECT_GE(rig_.Requests(Command::kWrite).size(), 1u + 4u) << "the name write and the steps";
}

TEST_P(CliOverLink, RecallMakesThePresetCurrentAndSavesIt) {
    const std::string out = rig_.Path("recalled.dia");
    const CliResult result = Run({"recall", "5", "--out", out});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(rig_.device.CurrentImage(), rig_.device.PresetImage(5));
    EXPECT_EQ(rig_.FileImage(out), LowerHex(rig_.device.PresetImage(5)));
}

TEST_P(CliOverLink, StoreNamesTheUserPresetAndCopiesTheCurrentProgramIntoIt) {
    ASSERT_NE(rig_.device.PresetImage(4), rig_.device.CurrentImage());
    const CliResult result = Run({"store", "4", "  Club Night  "});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(rig_.device.PresetImage(4), rig_.device.CurrentImage());
    EXPECT_EQ(NameText(rig_.device.Name(4)), "Club Night");
    const auto writes = rig_.Requests(Command::kWrite);
    ASSERT_EQ(writes.size(), 1u) << "only the slot's name is sent";
    EXPECT_EQ(writes[0].a, 4);
}

TEST_P(CliOverLink, EffectGroupLoadsTheDevicesGroupOverTheReadProgram) {
    const std::string out = rig_.Path("effect.dia");
    const CliResult result = Run({"effect-group", "3", "--out", out});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto reads = rig_.Requests(Command::kEffectGroupRead);
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(reads[0].a, 26);
    const devsim::EffectRecord group = devsim::MakeEffectGroupRecord(26);
    const devsim::ProgramImage current = rig_.device.CurrentImage();
    ASSERT_TRUE(std::equal(group.begin(), group.end(), current.begin() + 456));

    // The file is the program read from the device, with the group's effect record and
    // the microphone's four effect codes (input record 2, bytes 10..13) set to 6.
    CAudio_Data saved;
    ASSERT_TRUE(LoadProgramFile(out, saved).ok);
    saved.BuildImage();
    const auto& image = saved.GetImage();
    constexpr size_t kMicrophoneCodes = 2 * 152 + 10;
    EXPECT_TRUE(std::equal(current.begin(), current.begin() + kMicrophoneCodes, image.begin()));
    EXPECT_TRUE(std::all_of(image.begin() + kMicrophoneCodes, image.begin() + kMicrophoneCodes + 4,
                            [](uint8_t code) { return code == 6; }));
    EXPECT_TRUE(std::equal(current.begin() + kMicrophoneCodes + 4, current.end(),
                           image.begin() + kMicrophoneCodes + 4));
}

TEST_P(CliOverLink, VerboseWritesASentReceivedTranscriptOneFramePerLine) {
    const CliResult result = Run({"-v", "read"});
    ASSERT_EQ(result.status, 0) << result.err;
    std::istringstream lines(result.err);
    std::vector<std::vector<uint8_t>> sent;
    std::vector<std::vector<uint8_t>> received;
    for (std::string line; std::getline(lines, line);) {
        for (auto [prefix, frames] : {std::pair{"sent ", &sent}, {"received ", &received}}) {
            if (line.starts_with(prefix)) {
                const auto bytes = ParseHexText(line.substr(strlen(prefix)));
                ASSERT_TRUE(bytes && IsValidFrame(*bytes)) << line;
                frames->push_back(*bytes);
            }
        }
    }
    // Everything the device took was in the transcript, in the same order.
    const std::vector<devsim::ReceivedFrame> log = rig_.device.Log();
    ASSERT_GE(sent.size(), 31u);
    ASSERT_LE(log.size(), sent.size());
    for (size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].bytes, sent[i]) << i;
    }
    EXPECT_EQ(ReadFrameHeader(sent[0]), (FrameHeader{Command::kRead, 5, 0, 0, 4}));
    EXPECT_GE(received.size(), 31u);
    EXPECT_EQ(ReadFrameHeader(received[30]).command, Command::kProgramRead);
}

INSTANTIATE_TEST_SUITE_P(Links, CliOverLink,
                         ::testing::Values(LinkKind::Serial, LinkKind::Network, LinkKind::Usb),
                         [](const auto& info) { return LinkTestName(info.param); });

TEST(CliDevice, FailuresEndWithOneLineAndANonZeroStatus) {
    struct Case {
        const char* name;
        std::vector<FaultRule> faults;
        std::vector<std::string> words;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"refused store",
         {FaultRule{Command::kStorePreset, FaultAction::Refuse, 0, 0}},
         {"store", "12", "Name"},
         "the device refused the store into preset 12"},
        {"silent device",
         {FaultRule{Command::kProgramRead, FaultAction::Silence, 0, 0}},
         {"--timeout", "1", "read"},
         "timed out after 1 s waiting for the device's names"},
        {"empty name", {}, {"store", "3", "   "}, "Program Name is not empty"},
    };
    for (const Case& c : cases) {
        CliDevice rig;
        DeviceFaults faults;
        faults.rules = c.faults;
        rig.device.SetFaults(faults);
        std::vector<std::string> words = {"--link", rig.LinkOption(LinkKind::Network)};
        words.insert(words.end(), c.words.begin(), c.words.end());
        const CliResult result = rig.Run(words);
        EXPECT_EQ(result.status, 1) << c.name;
        const std::string last =
            result.err.substr(result.err.rfind('\n', result.err.size() - 2) + 1);
        EXPECT_TRUE(last.starts_with(c.message)) << c.name << ": " << result.err;
        EXPECT_TRUE(result.out.empty()) << c.name;
    }
}

// What the device refused or never answered is named, on every link, and
// nothing it did not send is printed.
TEST(CliDevice, RefusedOrUnansweredRequestsFailByName) {
    struct Case {
        const char* name;
        LinkKind link;
        FaultRule fault;
        bool writesFile;
        const char* message;
    };
    const FaultRule refuseNames{Command::kRead, FaultAction::Refuse, 0, 0};
    const FaultRule refuseProgramRead{Command::kProgramRead, FaultAction::Refuse, 0, 0};
    const FaultRule refuseDownload{Command::kProgramWrite, FaultAction::Refuse, 0, 0};
    const FaultRule silentProgramRead{Command::kProgramRead, FaultAction::Silence, 0, 0};
    const std::vector<Case> cases = {
        {"names over serial", LinkKind::Serial, refuseNames, false,
         "the device refused the read of the name of slot 0"},
        {"names over TCP", LinkKind::Network, refuseNames, false,
         "the device refused the read of the name of slot 0"},
        {"program read over serial", LinkKind::Serial, refuseProgramRead, false,
         "the device refused the read of the current program"},
        {"program read over TCP", LinkKind::Network, refuseProgramRead, false,
         "the device refused the read of the current program"},
        // USB sends a refused request again and gives up on the third refusal.
        {"program read over USB", LinkKind::Usb, refuseProgramRead, false,
         "the device refused the read of the current program; Unable to Open USB Link!"},
        {"download over TCP", LinkKind::Network, refuseDownload, true,
         "the device refused the program download"},
        {"unanswered program read over serial", LinkKind::Serial, silentProgramRead, false,
         "Unable to Open Com Link! (while waiting for the device's names"},
    };
    for (const Case& c : cases) {
        CliDevice rig;
        DeviceFaults faults;
        faults.rules = {c.fault};
        rig.device.SetFaults(faults);
        std::vector<std::string> words = {"--link", rig.LinkOption(c.link)};
        if (c.writesFile) {
            const std::string file = rig.Path("refused.dia");
            ASSERT_EQ(rig.Run({"new", file}).status, 0);
            words.insert(words.end(), {"write", file});
        } else {
            words.insert(words.end(), {"read", "--out", rig.Path("never.dia")});
        }
        const CliResult result = rig.Run(words);
        EXPECT_EQ(result.status, 1) << c.name;
        const std::string last =
            result.err.substr(result.err.rfind('\n', result.err.size() - 2) + 1);
        EXPECT_TRUE(last.starts_with(c.message)) << c.name << ": " << result.err;
        EXPECT_EQ(result.out, "") << c.name;
        EXPECT_FALSE(std::filesystem::exists(rig.Path("never.dia"))) << c.name;
    }
}

// The summary stands for the whole read: a save that fails prints none.
TEST(CliDevice, ReadPrintsNothingWhenItsSaveFails) {
    CliDevice rig;
    const std::string unwritable = rig.Path("no-such-folder/read.dia");
    const CliResult result =
        rig.Run({"--link", rig.LinkOption(LinkKind::Network), "read", "--out", unwritable});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(unwritable), std::string::npos) << result.err;
}

TEST(CliDevice, NamesAreStoredAsGbkAndReadBackAsUnicode) {
    CliDevice rig;
    int slot = 0;
    // What `read` must print for presets 1, 2, ...: the typed name, or the old one where refused.
    std::string expectedNames;
    for (const GbkNameCase& c : kGbkNameCases) {
        SCOPED_TRACE(std::string(c.label));
        ++slot;
        const devsim::ProgramName before = rig.device.Name(slot);
        rig.device.ClearLog();
        const CliResult result =
            rig.RunOn(LinkKind::Network, {"store", std::to_string(slot), std::string(c.typed)});
        if (c.fate == NameFate::Stored) {
            ASSERT_EQ(result.status, 0) << result.err;
            EXPECT_EQ(NameText(rig.device.Name(slot)), c.gbk);
            expectedNames += ",\"" + std::string(c.typed) + "\"";
            continue;
        }
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(std::ranges::count(result.err, '\n'), 1) << result.err;
        if (c.fate == NameFate::NotGbk) {
            EXPECT_NE(result.err.find(c.refused), std::string::npos) << result.err;
        } else {
            EXPECT_NE(result.err.find("16 bytes"), std::string::npos) << result.err;
        }
        EXPECT_TRUE(rig.device.Log().empty()) << "refused before the link opened";
        EXPECT_EQ(rig.device.Name(slot), before);
        expectedNames += ",\"" + NameText(before) + "\"";
    }
    const CliResult read = rig.RunOn(LinkKind::Network, {"read"});
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_TRUE(read.out.starts_with(R"({"names":["Current")" + expectedNames + ",")) << read.out;
}

TEST(CliDevice, ABadFileFailsBeforeAnythingIsSent) {
    CliDevice rig;
    const std::string file = rig.Path("broken.dia");
    std::ofstream(file) << "short";
    const CliResult result = rig.RunOn(LinkKind::Network, {"write", file});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "File read Error: " + file + "\n");
    EXPECT_TRUE(rig.device.Log().empty());
}

TEST(CliDevice, ALinkThatCannotOpenNamesItsKind) {
    CliDevice rig;
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const std::string port = std::to_string(closed.serverPort());
    closed.close();
    EXPECT_NE(rig.Run({"--link", "tcp:127.0.0.1:" + port, "read"})
                  .err.find("Unable to Open Network Link!"),
              std::string::npos);
    rig.hidBus_.Detach("/dev/hidraw3");
    const CliResult usb = rig.Run({"--link", "usb", "recall", "3"});
    EXPECT_EQ(usb.status, 1);
    EXPECT_NE(usb.err.find("Unable to Open USB Link!"), std::string::npos);
}

TEST(CliDevice, DeviceCommandsNeedALinkAndValidOperands) {
    CliDevice rig;
    for (const std::vector<std::string>& words : {std::vector<std::string>{"read"},
                                                  {"store", "3", "x"},
                                                  {"--link", "usb", "recall", "21"},
                                                  {"--link", "usb", "recall", "0"},
                                                  {"--link", "usb", "effect-group", "5"},
                                                  {"--link", "usb", "store", "3"},
                                                  {"--link", "usb", "write"},
                                                  {"--link", "usb", "frobnicate"}}) {
        EXPECT_EQ(rig.Run(words).status, 2) << words.back();
    }
    EXPECT_TRUE(rig.device.Log().empty());
    EXPECT_EQ(rig.hidBus_.Enumerate().size(), 1u);
}

class ListedPorts : public PortInfoSource {
  public:
    PortListing List() override {
        PortListing listing;
        listing.ports.push_back({"/dev/ttyUSB0", "ttyUSB0",
                                 "Silicon Labs CP2102 USB to UART Bridge Controller (ttyUSB0)",
                                 "CP2102", true});
        listing.ports.push_back({"/dev/ttyS0", "ttyS0", std::nullopt, std::nullopt, false});
        return listing;
    }
};

TEST(CliDevice, ListingsShowSerialPortsWithTheirBridgeMarkAndOnlyMatchingHidDevices) {
    CliDevice rig;
    ListedPorts ports;
    rig.environment_.portSource = &ports;
    const CliResult listed = rig.Run({"ports"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out,
              "/dev/ttyUSB0\tbridge\tSilicon Labs CP2102 USB to UART Bridge Controller (ttyUSB0)\n"
              "/dev/ttyS0\t-\t\n");

    rig.hidBus_.Attach(std::make_shared<HidSimulatedDevice>(
        HidDeviceInfo{"/dev/hidraw9", kSonavelVendorId, kSonavelProductId, 0x0100}, nullptr));
    const CliResult usb = rig.Run({"usb"});
    EXPECT_EQ(usb.status, 0);
    EXPECT_EQ(usb.out, "/dev/hidraw3\t0483:5750\t0200\n");
}

}  // namespace
