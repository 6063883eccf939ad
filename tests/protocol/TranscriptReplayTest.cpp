// SPDX-License-Identifier: GPL-3.0-or-later
// The transcripts in tests/data are what `sonavel-cli -v` printed against the
// device simulator. Each is replayed through the engine, as the client wires
// it: the connect sequence, then the transcript's command. Every frame the
// engine sends must be the transcript's next "sent" line, and is answered with
// the "received" lines that follow it. Status polls are the one thing timing
// decides, so a poll on either side alone is passed over.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "ProtocolFakes.h"
#include "model/Audio_Data.h"
#include "model/ProgramFile.h"
#include "protocol/ChangeScanner.h"
#include "protocol/Command.h"
#include "protocol/DeviceTransfers.h"
#include "protocol/HexText.h"
#include "protocol/ReceivedDataLoading.h"
#include "protocol/SerialPump.h"

namespace fs = std::filesystem;

namespace {

const fs::path kDataFolder = SONAVEL_TEST_DATA_DIR;

struct TranscriptLine {
    bool sent = false;
    std::vector<uint8_t> frame;
    int lineNumber = 0;
};

struct Transcript {
    std::vector<std::string> command;  // the client's command and its operands
    std::vector<TranscriptLine> lines;
};

std::vector<uint8_t> ParseHex(const std::string& text) {
    const auto bytes = ParseHexText(text);
    EXPECT_TRUE(bytes.has_value()) << text;
    return bytes.value_or(std::vector<uint8_t>{});
}

Transcript ReadTranscript(const std::string& name) {
    Transcript transcript;
    std::ifstream in(kDataFolder / (name + ".transcript"));
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const auto startsWith = [&line](std::string_view prefix) {
            return line.starts_with(prefix);
        };
        if (startsWith("# command: ")) {
            std::istringstream words(line.substr(11));
            for (std::string word; words >> word;) {
                transcript.command.push_back(word);
            }
        } else if (startsWith("sent ")) {
            transcript.lines.push_back({true, ParseHex(line.substr(5)), number});
        } else if (startsWith("received ")) {
            transcript.lines.push_back({false, ParseHex(line.substr(9)), number});
        }
    }
    return transcript;
}

std::vector<std::string> TranscriptNames() {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(kDataFolder)) {
        if (entry.path().extension() == ".transcript") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool IsStatusPoll(const std::vector<uint8_t>& frame) {
    return frame.size() > 5 && frame[5] == Command::kStatusPoll;
}

// What the client's view does with the engine's events. The engine reports
// them while it holds the queue lock, so, as the client posts them to its
// event loop, they run here once the engine has returned.
class ReplayView : public ProtocolEvents {
  public:
    void OnProgramReceived() override {
        later.push_back([this] { LoadProgram(); });
    }
    void OnSystemDataRead() override {}
    void OnEffectRecordReceived() override {
        later.push_back([this] { LoadEffect(); });
    }
    void OnReadTransferFinished() override {
        later.push_back([this] { transfers->FinishReadTransfer(); });
    }
    void OnUsbGaveUp() override { ADD_FAILURE() << "no USB link here"; }

    void RunPosted() {
        std::vector<std::function<void()>> work;
        work.swap(later);
        for (const auto& step : work) {
            step();
        }
    }

    CCommand* engine = nullptr;
    CAudio_Data* program = nullptr;
    DeviceTransfers* transfers = nullptr;
    int programsLoaded = 0;
    int effectRecordsLoaded = 0;

  private:
    void LoadProgram() {
        LoadReceivedProgram(*engine, *program);
        ++programsLoaded;
    }
    void LoadEffect() {
        LoadReceivedEffectRecord(*engine, *program);
        ++effectRecordsLoaded;
    }
    std::vector<std::function<void()>> later;
};

// The client's session without Qt: its program, stores, engine and transfers,
// on a link that only records, pumped by ticks.
class ReplaySession {
  public:
    ReplaySession() {
        view.engine = &engine;
        view.program = &program;
        view.transfers = &transfers;
        // What the connection manager does when a link opens.
        program.ClearPendingChanges();
        transfers.SetConnected(true);
        transfers.ReadDeviceState();
    }

    // The transcript's command, once the connect sequence has loaded the program.
    void StartCommand(const std::vector<std::string>& command) {
        ASSERT_FALSE(command.empty()) << "the transcript names no command";
        const std::string& verb = command[0];
        if (verb == "read") {
            return;
        }
        ASSERT_GE(command.size(), 2u) << verb;
        const auto guard = engine.Queue().Lock();
        if (verb == "recall") {
            transfers.RecallPreset(std::stoi(command[1]));
        } else if (verb == "store") {
            std::string name = command[2];
            for (size_t i = 3; i < command.size(); ++i) {
                name += " " + command[i];
            }
            const int slot = std::stoi(command[1]);
            stores.presets.SetName(0, name);
            stores.presets.SetName(slot, name);
            transfers.StoreProgram(slot);
        } else if (verb == "effect-group") {
            const int group = std::stoi(command[1]);
            const auto code = static_cast<uint8_t>(2 * group);
            program.GetEffect().SetEffectMode(code);
            program.GetInput(2).SetEffectCodes(code);
            transfers.ReadEffectGroup(DeviceTransfers::kEffectGroups[group - 1]);
        } else if (verb == "write") {
            ASSERT_TRUE(LoadProgramFile(kDataFolder / command[1], program).ok) << command[1];
            program.ClearPendingChanges();
            transfers.StoreProgram(0);
        } else {
            FAIL() << "no replay for the command " << verb;
        }
    }

    CAudio_Data program;
    DeviceStores stores;
    ProgramChangeSource source{program};
    ReplayView view;
    CCommand engine{source, stores.targets, view};
    DeviceTransfers transfers{engine.Queue(), program, stores.presets, stores.system};
    FakeLink link;
    SerialPump pump{engine.Wiring(link, transfers.State())};
};

class TranscriptReplay : public ::testing::TestWithParam<std::string> {};

TEST_P(TranscriptReplay, EngineSendsWhatTheTranscriptSentAndTakesEveryReply) {
    const Transcript transcript = ReadTranscript(GetParam());
    const std::vector<TranscriptLine>& lines = transcript.lines;
    ASSERT_FALSE(lines.empty());
    const std::vector<uint8_t> pollReply =
        DeviceReply(Command::kStatusPoll, 0, 0, 0, std::vector<uint8_t>(8, 0));
    ReplaySession session;
    bool commandStarted = false;
    size_t next = 0;

    // Answers the sent line at `next` with the received lines after it.
    const auto answer = [&] {
        for (++next; next < lines.size() && !lines[next].sent; ++next) {
            session.engine.FeedStream(lines[next].frame);
            session.view.RunPosted();
        }
    };
    const auto skip = [&] {
        for (++next; next < lines.size() && !lines[next].sent; ++next) {
        }
    };
    const auto pollComesNext = [&] {
        return next < lines.size() && IsStatusPoll(lines[next].frame);
    };

    constexpr int kTickLimit = 5000;
    for (int tick = 0; tick < kTickLimit && next < lines.size(); ++tick) {
        session.pump.Tick();
        for (const std::vector<uint8_t>& frame : session.link.transmitted) {
            if (IsStatusPoll(frame) && !pollComesNext()) {
                session.engine.FeedStream(pollReply);
                continue;
            }
            while (!IsStatusPoll(frame) && pollComesNext()) {
                skip();
            }
            ASSERT_LT(next, lines.size()) << "the engine sent more than the transcript";
            ASSERT_EQ(frame, lines[next].frame)
                << "the frame sent on line " << lines[next].lineNumber << " differs";
            answer();
        }
        session.link.transmitted.clear();
        if (!commandStarted && session.view.programsLoaded >= 1) {
            commandStarted = true;
            session.StartCommand(transcript.command);
        }
    }
    EXPECT_EQ(next, lines.size()) << "the engine stopped before the transcript's end";
    EXPECT_TRUE(commandStarted);
    const CSendData* head = session.engine.Queue().Head();
    EXPECT_TRUE(head == nullptr || head->pending) << "the last request is still unanswered";
    EXPECT_EQ(session.link.receiverResets, 0) << "a reply was not taken, so a request was resent";
    EXPECT_EQ(session.link.deadCount, 0);
}

INSTANTIATE_TEST_SUITE_P(TestsData, TranscriptReplay, ::testing::ValuesIn(TranscriptNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
