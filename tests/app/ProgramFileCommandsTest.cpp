// SPDX-License-Identifier: GPL-3.0-or-later
// The view's file buttons: loading a ".dia" file offline and while connected
// (which downloads it as the device's current program), a failed load, and
// saving with the extension rule.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ShellTestRig.h"
#include "app/dialogs/ProgressWindow.h"
#include "model/ProgramFile.h"

namespace {

constexpr uint8_t kWrite = 0xA1;
constexpr uint8_t kProgramWrite = 0xA7;

struct ProgramFileFixture : ::testing::Test {
    ProgramFileFixture() {
        rig.view.SetFileChooser([this](FileDialogKind kind, const QString& initialName) {
            requests.emplace_back(kind, initialName);
            return chosen;
        });
    }
    // A program file whose first output has a gain the new program has not.
    QString WriteProgramFile(const QString& name) {
        CAudio_Data program;
        program.GetOutput(0).SetGain(77);
        const QString path = folder.filePath(name);
        EXPECT_TRUE(SaveProgramFile(path.toStdString(), program).ok);
        return path;
    }
    ShellTestRig rig;
    QTemporaryDir folder;
    QString chosen;
    std::vector<std::pair<FileDialogKind, QString>> requests;
};

TEST_F(ProgramFileFixture, DialogsStartInTheCurrentDirectory) {
    QTest::mouseClick(rig.view.FileOpenButton(), Qt::LeftButton);
    QTest::mouseClick(rig.view.FileSaveButton(), Qt::LeftButton);
    const QString initial = QDir::currentPath() + QDir::separator() + QStringLiteral("*.dia");
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], std::make_pair(FileDialogKind::Open, initial));
    EXPECT_EQ(requests[1], std::make_pair(FileDialogKind::Save, initial));
    // Cancelled dialogs do nothing.
    EXPECT_TRUE(rig.messages.shown.empty());
}

TEST_F(ProgramFileFixture, OfflineLoadChangesOnlyTheEditor) {
    chosen = WriteProgramFile(QStringLiteral("show.dia"));
    QTest::mouseClick(rig.view.FileOpenButton(), Qt::LeftButton);
    EXPECT_EQ(rig.document.Program().GetOutput(0).GetGain(), 77);
    EXPECT_TRUE(rig.messages.shown.empty());
    EXPECT_EQ(rig.view.Device().Engine().Queue().Count(), 0);
}

TEST_F(ProgramFileFixture, FailedLoadSaysSoAndLeavesTheProgram) {
    QFile broken(folder.filePath(QStringLiteral("broken.dia")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray(100, '\x07'));
    broken.close();
    rig.document.Program().GetOutput(0).SetGain(55);

    for (const QString& path : {broken.fileName(), folder.filePath(QStringLiteral("none.dia"))}) {
        rig.messages.shown.clear();
        chosen = path;
        QTest::mouseClick(rig.view.FileOpenButton(), Qt::LeftButton);
        ASSERT_EQ(rig.messages.shown.size(), 1u) << path.toStdString();
        EXPECT_EQ(rig.messages.shown[0], QStringLiteral("File read Error"));
        EXPECT_EQ(rig.document.Program().GetOutput(0).GetGain(), 55);
        EXPECT_EQ(rig.document.Program().GetName(), "NewProgram");
    }
}

TEST_F(ProgramFileFixture, SaveAppendsTheExtensionUnlessThePathHasIt) {
    chosen = folder.filePath(QStringLiteral("show"));
    QTest::mouseClick(rig.view.FileSaveButton(), Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("show.dia"))));
    chosen = folder.filePath(QStringLiteral("show.dia.bak"));
    QTest::mouseClick(rig.view.FileSaveButton(), Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(chosen));
    EXPECT_TRUE(rig.messages.shown.empty());

    chosen = folder.filePath(QStringLiteral("missing/show"));
    QTest::mouseClick(rig.view.FileSaveButton(), Qt::LeftButton);
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0], QStringLiteral("MusicFile Write Error"));
}

TEST_F(ProgramFileFixture, ConnectedLoadDownloadsTheProgramAsTheCurrentOne) {
    ASSERT_TRUE(rig.ConnectOverNetwork());
    ASSERT_TRUE(RunUntil([&] { return !rig.view.Progress()->isVisible(); }));
    rig.window.SwitchLanguage(Language::English);
    const std::string deviceName = rig.presets.Name(0);
    rig.device.ClearLog();

    chosen = WriteProgramFile(QStringLiteral("show.dia"));
    QTest::mouseClick(rig.view.FileOpenButton(), Qt::LeftButton);
    EXPECT_TRUE(rig.messages.shown.empty()) << "not before the device has answered";
    ASSERT_TRUE(RunUntil([&] { return !rig.messages.shown.empty(); }));
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0],
              QStringLiteral("You have saved data according to the download!"));

    ASSERT_TRUE(RunUntil([&] { return !rig.Requests(kProgramWrite).empty(); }));
    std::vector<std::vector<uint8_t>> nameWrites;
    for (const std::vector<uint8_t>& frame : rig.Requests(kWrite)) {
        if (frame[6] == 5) {
            nameWrites.push_back(frame);
        }
    }
    ASSERT_EQ(nameWrites.size(), 1u);
    EXPECT_EQ(nameWrites[0][7], 0);  // slot 0, with the device's own name
    const ProgramName sent = rig.presets.NameBytes(0);
    EXPECT_TRUE(std::equal(sent.begin(), sent.end(), nameWrites[0].begin() + 12));
    EXPECT_EQ(rig.presets.Name(0), deviceName);
    const std::vector<uint8_t> programWrite = rig.Requests(kProgramWrite).at(0);
    EXPECT_EQ(programWrite.size(), 1046u);
    EXPECT_EQ(programWrite[7], 0);
}

}  // namespace
