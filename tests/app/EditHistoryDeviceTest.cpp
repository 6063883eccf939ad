// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo through the real window against the simulated device on
// 127.0.0.1: each kind of edit is one step, and after the edit, its undo and
// its redo the device holds exactly the editor's program.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QSlider>

#include "EditorDeviceRig.h"
#include "app/dialogs/SetupSliderField.h"
#include "app/graph/FStatic.h"
#include "app/pages/EqBandTable.h"
#include "app/pages/EqBandTableRow.h"
#include "app/pages/OutputCrossoverRow.h"
#include "app/pages/OutputCrossoverSection.h"
#include "app/pages/OutputEqSection.h"
#include "app/pages/OutputLevelSection.h"
#include "app/pages/OutputMixSection.h"
#include "app/widgets/SpinButtons.h"

namespace {

QPoint CentreOf(const PixelRect& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

using EditHistoryDeviceTest = EditorDeviceTest;

struct EditKind {
    const char* name;
    std::function<void(ShellTestRig& rig, OutputPage& page)> edit;
};

void DragBand(OutputPage& page, int band) {
    CFStatic& graph = page.Graph();
    const QPoint from = CentreOf(page.Program()->GetOutput(0).GetBand(band).GetMarkerRect());
    MovePointer(graph, from);
    PressPointer(graph, from);
    // Several moves, one step.
    for (int move = 1; move <= 4; ++move) {
        MovePointer(graph, from + QPoint(15 * move, -10 * move), Qt::LeftButton);
        QTest::qWait(5);
    }
    ReleasePointer(graph, from + QPoint(60, -40));
}

const EditKind kEditKinds[] = {
    {"typed value",
     [](ShellTestRig&, OutputPage& page) {
         TypeAndEnter(page.Equaliser().Table().Row(0).Gain(), "6");
     }},
    {"drag on the graph", [](ShellTestRig&, OutputPage& page) { DragBand(page, 2); }},
    {"held spin arrow",
     [](ShellTestRig&, OutputPage& page) {
         // Held past the repeat delay, the arrow steps several times.
         QAbstractButton* up = page.Equaliser().Table().Row(1).GainSpin().UpButton();
         QTest::mousePress(up, Qt::LeftButton);
         QTest::qWait(up->autoRepeatDelay() + 4 * up->autoRepeatInterval());
         QTest::mouseRelease(up, Qt::LeftButton);
     }},
    {"switch", [](ShellTestRig&, OutputPage& page) { page.Mix().MusicSwitch()->click(); }},
    {"family choice",
     [](ShellTestRig&, OutputPage& page) {
         QComboBox& family = page.Crossover().Row(CrossoverSide::HighPass).Family();
         family.setCurrentIndex(FilterFamily::kBessel);
         emit family.activated(FilterFamily::kBessel);
     }},
    {"slope choice",
     [](ShellTestRig&, OutputPage& page) {
         QComboBox& slope = page.Crossover().Row(CrossoverSide::LowPass).Slope();
         const int other = (slope.currentIndex() + 1) % slope.count();
         slope.setCurrentIndex(other);
         emit slope.activated(other);
     }},
    {"slider drag",
     [](ShellTestRig&, OutputPage& page) {
         QSlider* slider = page.Levels().GainField()->Slider();
         slider->setSliderDown(true);
         for (int step = 1; step <= 3; ++step) {
             slider->setValue(slider->value() - 4);
         }
         slider->setSliderDown(false);
     }},
    {"output link", [](ShellTestRig& rig, OutputPage&) { rig.view.LinkOutputs(0, 2); }},
    {"feedback switch", [](ShellTestRig& rig, OutputPage&) { rig.view.AdvanceFeedbackMode(); }},
    {"effect group",
     [](ShellTestRig& rig, OutputPage&) {
         rig.view.ReadEffectGroup(24);  // the device numbers its groups 22..28
         ASSERT_TRUE(RunUntil([&] {
             return rig.window.UndoAction()->text() == QStringLiteral("Undo effect group");
         }));
         ASSERT_TRUE(RunUntil([&] { return !rig.view.Progress()->isVisible(); }));
     }},
    {"program from a file",
     [](ShellTestRig& rig, OutputPage&) {
         ASSERT_TRUE(rig.view.FileCommands().LoadFrom(QStringLiteral(SONAVEL_TEST_DATA_DIR) +
                                                      QStringLiteral("/every-field.dia")));
         EXPECT_EQ(rig.window.UndoAction()->text(),
                   QStringLiteral("Undo program loaded from file"));
         ASSERT_TRUE(RunUntil([&] { return !rig.view.Progress()->isVisible(); }));
     }},
};

TEST_F(EditHistoryDeviceTest, EveryEditKindIsOneStepAndTheDeviceFollowsUndoAndRedo) {
    for (const EditKind& kind : kEditKinds) {
        SCOPED_TRACE(kind.name);
        rig.view.SelectPage(kOutput1Page);
        const devsim::ProgramImage before = Settled();
        const ProgramSnapshot programBefore = Program();
        kind.edit(rig, Output());
        ASSERT_NE(Program(), programBefore);
        const ProgramSnapshot programAfter = Program();
        Settled();
        ASSERT_TRUE(rig.window.UndoAction()->isEnabled());

        PressKeys(QKeySequence(Qt::CTRL | Qt::Key_Z));
        EXPECT_EQ(Program(), programBefore);
        EXPECT_EQ(Settled(), before);

        // A file may hold a crossover on its way to another frequency; after
        // a redo it goes all the way, so the programs are compared, and the
        // device must hold what the editor holds.
        PressKeys(QKeySequence(Qt::CTRL | Qt::Key_Y));
        EXPECT_EQ(Program(), programAfter);
        const devsim::ProgramImage after = Settled();
        PressKeys(QKeySequence(Qt::CTRL | Qt::Key_Z));
        EXPECT_EQ(Settled(), before);
        PressKeys(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        EXPECT_EQ(Program(), programAfter);
        EXPECT_EQ(Settled(), after);
    }
    // Every step is still there, oldest last.
    int undone = 0;
    while (rig.window.UndoAction()->isEnabled() && undone < 100) {
        rig.window.UndoAction()->trigger();
        ++undone;
    }
    EXPECT_EQ(undone, static_cast<int>(std::size(kEditKinds)));
}

TEST_F(EditHistoryDeviceTest, TheMenuNamesTheStepInBothLanguages) {
    QAction* undo = rig.window.UndoAction();
    EXPECT_EQ(undo->text(), QStringLiteral("Undo"));
    EXPECT_FALSE(undo->isEnabled());
    TypeAndEnter(Output().Equaliser().Table().Row(4).Gain(), "3");
    EXPECT_EQ(rig.window.UndoAction()->text(), QStringLiteral("Undo gain of band 5, output 1"));

    rig.window.SwitchLanguage(Language::Chinese);
    EXPECT_EQ(rig.window.UndoAction()->text(), QStringLiteral("撤销 输出1第5段增益"));
    rig.window.UndoAction()->trigger();
    EXPECT_EQ(rig.window.RedoAction()->text(), QStringLiteral("重做 输出1第5段增益"));
    EXPECT_EQ(Output().Equaliser().Table().Row(4).Gain().text(), QStringLiteral("0.0"));
}

TEST_F(EditHistoryDeviceTest, UndoBackToTheProgramAsReadLeavesNothingUnsaved) {
    UnsavedWork& unsaved = rig.view.Unsaved();
    ASSERT_FALSE(unsaved.IsModified());
    TypeAndEnter(Output().Equaliser().Table().Row(1).Gain(), "4");
    DragBand(Output(), 3);
    EXPECT_TRUE(unsaved.IsModified());
    PressKeys(QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_TRUE(unsaved.IsModified()) << "one of two edits taken back";
    PressKeys(QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_FALSE(unsaved.IsModified());
    EXPECT_FALSE(unsaved.WindowTitle().startsWith(QLatin1Char('*')));
    PressKeys(QKeySequence(Qt::CTRL | Qt::Key_Y));
    EXPECT_TRUE(unsaved.IsModified());
}

TEST_F(EditHistoryDeviceTest, ReadingTheProgramFromTheDeviceStartsANewHistory) {
    TypeAndEnter(Output().Equaliser().Table().Row(0).Gain(), "6");
    ASSERT_TRUE(rig.window.UndoAction()->isEnabled());
    rig.view.RecallPreset(3);
    ASSERT_TRUE(RunUntil([&] { return !rig.view.Progress()->isVisible(); }));
    ASSERT_TRUE(RunUntil([&] { return !rig.window.UndoAction()->isEnabled(); }));
    EXPECT_FALSE(rig.window.RedoAction()->isEnabled());
}

TEST(EditHistoryGestures, APressWhoseReleaseNeverCameIsAStepOfItsOwn) {
    ShellTestRig rig;
    EditHistory& history = rig.view.History();
    auto setGain = [&rig](int code) {
        rig.view.EditProgram(
            [code](CAudio_Data& program) { program.GetOutput(1).GetBand(2).SetGainIndex(code); });
    };
    history.BeginGesture();
    setGain(210);
    setGain(220);
    // The release was lost; the next drag starts.
    history.BeginGesture();
    setGain(240);
    history.EndGesture();
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(rig.view.Program().GetOutput(1).GetBand(2).GetGainIndex(), 220);
    ASSERT_TRUE(history.Undo());
    EXPECT_FALSE(history.CanUndo());
}

}  // namespace
