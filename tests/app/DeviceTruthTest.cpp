// SPDX-License-Identifier: GPL-3.0-or-later
// What the editor tells the user about its exchanges with the processor,
// through the real view against the simulator on 127.0.0.1: success only
// after the answer, a message naming what was refused or cut off, a progress
// window that always ends, a lost link shown at once, and offline or unsaved
// work never replaced without a question.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTemporaryDir>

#include "ShellTestRig.h"
#include "app/ConnectionIndicators.h"
#include "app/dialogs/ProgressWindow.h"
#include "model/ProgramFile.h"
#include "protocol/ChangeScanner.h"
#include "protocol/Frame.h"

namespace {

using devsim::DeviceFaults;
using devsim::FaultAction;
using devsim::FaultRule;

DeviceFaults Rule(uint8_t command, FaultAction action) {
    DeviceFaults faults;
    faults.rules.push_back(FaultRule{command, action, 0, 0});
    return faults;
}

QString English(const char* text) {
    return QString::fromUtf8(text);
}

struct DeviceTruth : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(rig.ConnectOverNetwork());
        ASSERT_TRUE(Settled());
        rig.window.SwitchLanguage(Language::English);
    }
    // Connected, and the initial read (or whatever transfer) has ended.
    bool Settled() {
        return RunUntil(
            [&] { return rig.view.IsConnected() && !rig.view.Progress()->isVisible(); });
    }
    bool Reconnect() {
        rig.view.ToggleConnection();
        return Settled();
    }
    bool DeviceReceived(uint8_t command) {
        return RunUntil([&] { return !rig.Requests(command).empty(); });
    }

    ShellTestRig rig;
};

// Names the simulator reports for its presets when the editor connects.
constexpr const char* kDeviceName4 = "Preset 04";

TEST_F(DeviceTruth, ARefusalEndsTheTransferWithOneMessageNamingItInEitherLanguage) {
    struct Case {
        Language language;
        uint8_t refused;
        std::function<void(CAudioView&)> start;
        const char* message;
    };
    const Case cases[] = {
        {Language::English, Command::kRecallPreset, [](CAudioView& v) { v.RecallPreset(13); },
         "The processor refused the recall of system group MROOM.1."},
        {Language::Chinese, Command::kRecallPreset, [](CAudioView& v) { v.RecallPreset(3); },
         "处理器拒绝了调用第3组用户数据。"},
        {Language::English, Command::kEffectGroupRead, [](CAudioView& v) { v.ReadEffectGroup(26); },
         "The processor refused the load of effect group 3."},
        {Language::English, Command::kStorePreset,
         [](CAudioView& v) { v.StoreProgramAs(4, "New", {}); },
         "The processor refused the store into user group 4."},
        {Language::Chinese, Command::kProgramWrite, [](CAudioView& v) { v.StoreProgram(0); },
         "处理器拒绝了下载程序。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(English(c.message).toStdString());
        rig.window.SwitchLanguage(c.language);
        rig.messages.shown.clear();
        rig.messages.failures.clear();
        rig.device.SetFaults(Rule(c.refused, FaultAction::Refuse));
        c.start(rig.view);
        ASSERT_TRUE(RunUntil([&] { return !rig.messages.failures.empty(); }));
        EXPECT_TRUE(RunUntil([&] { return !rig.view.Progress()->isVisible(); }))
            << "the progress window ends";
        QTest::qWait(30);
        EXPECT_EQ(rig.messages.shown, std::vector<QString>{English(c.message)})
            << "no success, no second message";
        EXPECT_EQ(rig.presets.Name(4), kDeviceName4) << "a refused name is not listed";
        rig.device.SetFaults({});
    }
}

TEST_F(DeviceTruth, DisconnectingDuringAnyTransferEndsItAndSaysWhatWasCutOff) {
    struct Case {
        uint8_t silent;
        std::function<void(CAudioView&)> start;
        const char* message;
    };
    const Case cases[] = {
        {Command::kRecallPreset, [](CAudioView& v) { v.RecallPreset(2); },
         "The link closed before the processor answered the recall of user group 2."},
        {Command::kEffectGroupRead, [](CAudioView& v) { v.ReadEffectGroup(22); },
         "The link closed before the processor answered the load of effect group 1."},
        {Command::kStorePreset, [](CAudioView& v) { v.StoreProgramAs(5, "Cut", {}); },
         "The link closed before the processor answered the store into user group 5."},
        {Command::kProgramWrite, [](CAudioView& v) { v.StoreProgram(0); },
         "The link closed before the processor answered the download of the program."},
        {Command::kWrite,
         [](CAudioView& v) {
             v.WriteSystemItems({7, 8, 9}, {});
         },
         "The link closed before the processor answered the volume settings."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        rig.messages.shown.clear();
        rig.device.ClearLog();
        const std::string listedName = rig.presets.Name(5);
        rig.device.SetFaults(Rule(c.silent, FaultAction::Silence));
        c.start(rig.view);
        ASSERT_TRUE(DeviceReceived(c.silent));
        rig.view.ToggleConnection();
        EXPECT_FALSE(rig.view.IsConnected());
        ASSERT_TRUE(RunUntil([&] { return !rig.messages.shown.empty(); }));
        EXPECT_TRUE(RunUntil([&] { return !rig.view.Progress()->isVisible(); }));
        EXPECT_EQ(rig.messages.shown, std::vector<QString>{English(c.message)});
        EXPECT_EQ(rig.presets.Name(5), listedName) << "an unanswered store lists no name";
        rig.device.SetFaults({});
        ASSERT_TRUE(Reconnect());
    }
}

TEST_F(DeviceTruth, SuccessAndTheNewNameWaitForTheProcessorsAnswer) {
    DeviceFaults slow;
    slow.replyDelay = std::chrono::milliseconds(150);
    rig.device.SetFaults(slow);
    rig.view.StoreProgramAs(4, "Party", [](Language) { return English("stored"); });
    QTest::qWait(60);
    EXPECT_TRUE(rig.messages.shown.empty());
    EXPECT_EQ(rig.presets.Name(4), kDeviceName4) << "the list keeps the old name until then";
    ASSERT_TRUE(RunUntil([&] { return !rig.messages.shown.empty(); }));
    EXPECT_EQ(rig.messages.shown, std::vector<QString>{English("stored")});
    EXPECT_EQ(rig.presets.Name(4), "Party");
    EXPECT_EQ(rig.presets.Name(0), "Party");
    ASSERT_EQ(rig.Requests(Command::kStorePreset).size(), 1u);

    rig.messages.shown.clear();
    rig.view.WriteSystemItems({7, 8, 9}, [](Language) { return English("volumes"); });
    EXPECT_TRUE(rig.messages.shown.empty());
    ASSERT_TRUE(RunUntil([&] { return !rig.messages.shown.empty(); }));
    EXPECT_EQ(rig.messages.shown, std::vector<QString>{English("volumes")});
}

TEST_F(DeviceTruth, AConnectionTheProcessorClosesIsShownLostAtOnceUntilItsReconnect) {
    ASSERT_TRUE(rig.view.Indicators()->ShowsConnected());
    DeviceFaults closing;
    closing.rules.push_back(FaultRule{Command::kStatusPoll, FaultAction::CloseConnection, 0, 1});
    rig.device.SetFaults(closing);
    ASSERT_TRUE(RunUntil([&] { return !rig.messages.failures.empty(); }, 500));
    EXPECT_FALSE(rig.view.Indicators()->ShowsConnected());
    EXPECT_EQ(rig.view.Indicators()->ConnectButton()->text(), English("Disconnect"))
        << "the button still offers what a press does";
    EXPECT_EQ(rig.messages.failures.at(0).left(18), English("Network link lost:"));
    EXPECT_NE(rig.messages.failures.at(0), English("Unable to Open Network Link!"));
    ASSERT_TRUE(RunUntil([&] { return rig.view.Indicators()->ShowsConnected(); }, 6000))
        << "the reconnect brings it back";
    EXPECT_TRUE(rig.view.IsConnected());
}

// One program file with a crossover still walking: output 3's high-pass
// targets 1000 Hz, the device was left at 80 Hz.
QString WriteWalkingFile(const QTemporaryDir& folder) {
    CAudio_Data program;
    CFilter& highPass = program.GetOutput(3).GetChain().GetHighPass();
    highPass.SetFrequency(20);
    program.ClearPendingChanges();
    while (NextPendingMessage(program)->command != Command::kStatusPoll) {
    }
    highPass.SetFrequency(1000);
    NextPendingMessage(program);
    NextPendingMessage(program);
    const QString path = folder.filePath(QStringLiteral("walking.dia"));
    EXPECT_TRUE(SaveProgramFile(path.toStdString(), program).ok);
    return path;
}

TEST_F(DeviceTruth, AWalkingCrossoverLoadedFromAFileReachesItsFrequencyOnTheProcessor) {
    QTemporaryDir folder;
    const QString path = WriteWalkingFile(folder);
    ASSERT_TRUE(rig.view.FileCommands().LoadFrom(path));
    CFilter& highPass = rig.document.Program().GetOutput(3).GetChain().GetHighPass();
    ASSERT_TRUE(RunUntil([&] {
        const auto guard = rig.view.Device().Engine().Queue().Lock();
        return highPass.GetSentFrequency() == 1000 && !highPass.IsDirty();
    }));
    ASSERT_TRUE(RunUntil([&] {
        {
            const auto guard = rig.view.Device().Engine().Queue().Lock();
            rig.document.Program().BuildImage();
        }
        const devsim::ProgramImage device = rig.device.CurrentImage();
        return std::equal(device.begin(), device.end(), rig.document.Program().GetImage().begin());
    })) << "the processor holds the file's program, crossover at 1000 Hz";
    EXPECT_FALSE(rig.view.Unsaved().IsModified()) << "a walk is no edit";
}

struct OfflineEditsCase {
    const char* name;
    ConnectChoice answer;
};

class OfflineEditsOnConnect : public ::testing::TestWithParam<OfflineEditsCase> {};

TEST_P(OfflineEditsOnConnect, ConnectingAsksBeforeTheProcessorsProgramReplacesThem) {
    ShellTestRig rig;
    rig.view.EditProgram([](CAudio_Data& program) { program.GetOutput(2).SetGain(33); });
    rig.messages.connectAnswer = GetParam().answer;
    const bool connected = rig.ConnectOverNetwork();
    ASSERT_EQ(rig.messages.questions.size(), 1u);
    CAudio_Data& program = rig.document.Program();
    switch (GetParam().answer) {
        case ConnectChoice::StayOffline:
            EXPECT_FALSE(connected);
            EXPECT_EQ(rig.server.ConnectionCount(), 0);
            EXPECT_EQ(program.GetOutput(2).GetGain(), 33);
            break;
        case ConnectChoice::TakeDeviceProgram:
            ASSERT_TRUE(connected);
            ASSERT_TRUE(RunUntil([&] { return !rig.view.Progress()->isVisible(); }));
            EXPECT_NE(program.GetOutput(2).GetGain(), 33);
            EXPECT_TRUE(rig.Requests(Command::kProgramWrite).empty());
            EXPECT_FALSE(rig.view.Unsaved().IsModified());
            break;
        case ConnectChoice::KeepEditorProgram: {
            ASSERT_TRUE(connected);
            ASSERT_TRUE(RunUntil([&] { return !rig.messages.shown.empty(); }));
            EXPECT_EQ(rig.messages.shown.back(), QStringLiteral("您已把数据下载到机器!"));
            EXPECT_EQ(program.GetOutput(2).GetGain(), 33);
            EXPECT_EQ(rig.Requests(Command::kRead).size(), 30u) << "names and system first";
            EXPECT_TRUE(rig.Requests(Command::kProgramRead).empty());
            {
                const auto guard = rig.view.Device().Engine().Queue().Lock();
                program.BuildImage();
            }
            const devsim::ProgramImage device = rig.device.CurrentImage();
            EXPECT_TRUE(std::equal(device.begin(), device.end(), program.GetImage().begin()));

            break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, OfflineEditsOnConnect,
    ::testing::Values(OfflineEditsCase{"Take", ConnectChoice::TakeDeviceProgram},
                      OfflineEditsCase{"Keep", ConnectChoice::KeepEditorProgram},
                      OfflineEditsCase{"Offline", ConnectChoice::StayOffline}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnsavedWorkTest, TheTitleNamesTheFileAndMarksUnsavedChanges) {
    ShellTestRig rig;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("show.dia"));
    rig.view.SetFileChooser([&](FileDialogKind, const QString&) { return path; });
    EXPECT_EQ(rig.window.windowTitle(), QStringLiteral("Sonavel V6.3.2"));
    rig.view.EditProgram([](CAudio_Data& program) { program.GetOutput(1).SetGain(12); });
    EXPECT_TRUE(rig.view.Unsaved().IsModified());
    EXPECT_EQ(rig.window.windowTitle(), QStringLiteral("*Sonavel V6.3.2"));
    ASSERT_TRUE(rig.view.SaveProgramFile());
    EXPECT_EQ(rig.window.windowTitle(), QStringLiteral("show.dia - Sonavel V6.3.2"));
    rig.view.EditProgram([](CAudio_Data& program) { program.GetOutput(1).SetGain(13); });
    EXPECT_TRUE(rig.view.Unsaved().IsModified());
    EXPECT_EQ(rig.window.windowTitle(), QStringLiteral("*show.dia - Sonavel V6.3.2"));
    rig.view.EditProgram([](CAudio_Data& program) { program.GetOutput(1).SetGain(12); });
    EXPECT_FALSE(rig.view.Unsaved().IsModified()) << "back to the file's program";
}

TEST(UnsavedWorkTest, OpeningOrClosingOverUnsavedChangesAsksFirst) {
    ShellTestRig rig;
    QTemporaryDir folder;
    CAudio_Data other;
    other.GetOutput(0).SetGain(77);
    const QString otherPath = folder.filePath(QStringLiteral("other.dia"));
    ASSERT_TRUE(SaveProgramFile(otherPath.toStdString(), other).ok);
    int chosen = 0;
    rig.view.SetFileChooser([&](FileDialogKind, const QString&) {
        ++chosen;
        return otherPath;
    });
    rig.view.EditProgram([](CAudio_Data& program) { program.GetOutput(0).SetGain(5); });

    rig.messages.unsavedAnswer = UnsavedChoice::Cancel;
    QTest::mouseClick(rig.view.FileOpenButton(), Qt::LeftButton);
    EXPECT_EQ(rig.messages.questions.size(), 1u);
    EXPECT_EQ(chosen, 0);
    EXPECT_EQ(rig.document.Program().GetOutput(0).GetGain(), 5);
    EXPECT_FALSE(rig.window.close()) << "cancel keeps the window open";
    EXPECT_EQ(rig.messages.questions.size(), 2u);

    rig.messages.unsavedAnswer = UnsavedChoice::Discard;
    QTest::mouseClick(rig.view.FileOpenButton(), Qt::LeftButton);
    EXPECT_EQ(rig.document.Program().GetOutput(0).GetGain(), 77);
    EXPECT_EQ(rig.window.windowTitle(), QStringLiteral("other.dia - Sonavel V6.3.2"));

    // Nothing unsaved: no question.
    QTest::mouseClick(rig.view.FileOpenButton(), Qt::LeftButton);
    EXPECT_EQ(rig.messages.questions.size(), 3u);
}

TEST_F(DeviceTruth, RecallingOverUnsavedWorkAsksAndAButtonSaysWhatItReplaces) {
    rig.view.EditProgram([](CAudio_Data& program) { program.GetOutput(0).SetGain(5); });
    rig.messages.unsavedAnswer = UnsavedChoice::Cancel;
    EXPECT_FALSE(rig.view.RecallPreset(2));
    ASSERT_EQ(rig.messages.questions.size(), 1u);
    EXPECT_TRUE(rig.messages.questions[0].startsWith(English("Recall user group 2?")));
    EXPECT_TRUE(rig.Requests(Command::kRecallPreset).empty());

    // A scene button asks even without unsaved work, naming what it replaces.
    rig.messages.unsavedAnswer = UnsavedChoice::Discard;
    ASSERT_TRUE(rig.view.RecallPreset(2));
    ASSERT_TRUE(Settled());
    EXPECT_FALSE(rig.view.Unsaved().IsModified()) << "the processor's program was read";
    rig.messages.confirmAnswer = false;
    EXPECT_FALSE(rig.view.RecallScene(11));
    EXPECT_FALSE(rig.view.ReadEffectGroup(22));
    ASSERT_EQ(rig.messages.questions.size(), 4u);
    EXPECT_EQ(rig.messages.questions[2],
              English("Recall system group SROOM.1? It replaces the processor's current program "
                      "and the program in the editor."));
    EXPECT_TRUE(rig.messages.questions[3].startsWith(English("Load effect group 1?")));
    EXPECT_EQ(rig.Requests(Command::kRecallPreset).size(), 1u);
    EXPECT_TRUE(rig.Requests(Command::kEffectGroupRead).empty());
}

}  // namespace
