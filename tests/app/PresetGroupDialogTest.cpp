// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "FakeDialogServices.h"
#include "app/dialogs/PresetGroupDialog.h"
#include "fixtures/GbkNameCases.h"
#include "protocol/Requests.h"

namespace {

class PresetGroupDialogTest : public ::testing::Test {
  protected:
    // Opens the dialog (shown, not modal, so the test keeps running) on the
    // row with `number`.
    PresetGroupDialog& Open(PresetGroupMode mode, int number = 0) {
        dialog_ = std::make_unique<PresetGroupDialog>(mode, services_);
        services_.dialog = dialog_.get();
        dialog_->show();
        if (number != 0) {
            const int firstNumber = mode == PresetGroupMode::AllGroups ? 1 : kFirstUserGroupNumber;
            dialog_->GroupList()->selectRow(number - firstNumber);
        }
        return *dialog_;
    }

    FakeDialogServices services_;
    std::unique_ptr<PresetGroupDialog> dialog_;
};

std::string Text(const QString& text) {
    return text.toStdString();
}

// Types `text` one character at a time, as a keyboard would (a character
// beyond 16 bits arrives whole, as one key).
void Type(QWidget* field, const QString& text) {
    for (const char32_t character : text.toUcs4()) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                        QString::fromUcs4(&character, 1));
        QApplication::sendEvent(field, &press);
    }
}

struct CallCase {
    int number;
    int slot;
    const char* message;
};

TEST_F(PresetGroupDialogTest, CallRecallsTheGroupsSlotAndLeavesItsMessageForTheAnswer) {
    const CallCase cases[] = {
        {3, 13, "You readed the Sys group reported 3!"},
        {12, 2, "You readed the User group reported 2!"},
        {20, 10, "You readed the User group reported 10!"},
    };
    for (const CallCase& one : cases) {
        SCOPED_TRACE(one.number);
        services_.calls.clear();
        services_.messages.clear();
        services_.queue.Clear();
        PresetGroupDialog& dialog = Open(PresetGroupMode::AllGroups, one.number);
        QTest::mouseClick(dialog.CallButton(), Qt::LeftButton);

        EXPECT_EQ(services_.calls,
                  std::vector<std::string>{"RecallPreset " + std::to_string(one.slot)});
        const auto frames = services_.QueuedFrames();
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(ReadFrameHeader(frames[0]).command, Command::kRecallPreset);
        EXPECT_EQ(ReadFrameHeader(frames[0]).a, one.slot);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(services_.messages.empty()) << "nothing was read yet";
        EXPECT_EQ(Text(services_.LastSuccess()), one.message);
    }
}

TEST_F(PresetGroupDialogTest, CallKeepsTheDialogOpenWhenTheUserKeepsUnsavedWork) {
    services_.recallGoesAhead = false;
    PresetGroupDialog& dialog = Open(PresetGroupMode::AllGroups, 3);
    dialog.Call();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST_F(PresetGroupDialogTest, CallWithoutSelectionTakesTheFirstRow) {
    PresetGroupDialog& dialog = Open(PresetGroupMode::AllGroups);
    dialog.GroupList()->clearSelection();
    dialog.Call();
    EXPECT_EQ(services_.calls, std::vector<std::string>{"RecallPreset 11"});
    EXPECT_EQ(dialog.GroupList()->currentRow(), 0);
}

TEST_F(PresetGroupDialogTest, SaveTrimsTheNameStoresItInSlotAndCurrentThenSendsNameAndStore) {
    services_.presets.SetName(0, "current");
    PresetGroupDialog& dialog = Open(PresetGroupMode::UserGroups, 14);
    dialog.NameField()->setText("  name  ");
    QTest::mouseClick(dialog.SaveButton(), Qt::LeftButton);

    EXPECT_EQ(services_.lastStoredName, "name");
    EXPECT_EQ(services_.presets.Name(4), "") << "the list waits for the device's answer";
    EXPECT_EQ(services_.presets.Name(0), "current");
    EXPECT_EQ(services_.calls, std::vector<std::string>{"StoreProgramAs 4"});
    const auto frames = services_.QueuedFrames();
    ASSERT_EQ(frames.size(), 2u);
    const FrameHeader nameWrite = ReadFrameHeader(frames[0]);
    EXPECT_EQ(nameWrite.command, Command::kWrite);
    EXPECT_EQ(nameWrite.subCommand, SubCommand::kProgramName);
    EXPECT_EQ(nameWrite.a, 4);
    const std::string sentName(frames[0].begin() + kFrameHeaderSize,
                               frames[0].begin() + kFrameHeaderSize + 16);
    EXPECT_EQ(sentName, std::string("name\0\0\0\0\0\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(ReadFrameHeader(frames[1]).command, Command::kStorePreset);
    EXPECT_EQ(ReadFrameHeader(frames[1]).a, 4);

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(services_.messages.empty());
    EXPECT_EQ(Text(services_.LastSuccess()), "You have saved 14 groups according to the download!");
}

TEST_F(PresetGroupDialogTest, SavingOnDanceSendsTheNameOfTheInterfaceLanguage) {
    struct Case {
        Language language;
        std::string shown;
        std::string name;  // as the device keeps it, in GBK
    };
    const Case cases[] = {{Language::English, "Dance", "Dance"},
                          {Language::Chinese, "热舞", "\xC8\xC8\xCE\xE8"}};
    for (const auto& [language, shown, name] : cases) {
        SCOPED_TRACE(shown);
        services_.language = language;
        services_.queue.Clear();
        services_.presets.SetName(10, "Other");
        PresetGroupDialog& dialog = Open(PresetGroupMode::UserGroups, kDanceGroupNumber);
        EXPECT_TRUE(dialog.NameField()->isReadOnly());
        EXPECT_EQ(Text(dialog.NameField()->text()), shown);
        dialog.Save();

        EXPECT_EQ(services_.lastStoredName, name);
        const auto frames = services_.QueuedFrames();
        ASSERT_EQ(frames.size(), 2u);
        EXPECT_EQ(ReadFrameHeader(frames[0]).a, 10);
        const std::string sent(frames[0].begin() + kFrameHeaderSize,
                               frames[0].begin() + kFrameHeaderSize + name.size());
        EXPECT_EQ(sent, name);
        EXPECT_EQ(frames[0][kFrameHeaderSize + name.size()], 0);
    }
}

TEST_F(PresetGroupDialogTest, SaveWithOnlySpacesChangesNothingAndShowsTheRowAgain) {
    services_.presets.SetName(3, "Kept");
    PresetGroupDialog& dialog = Open(PresetGroupMode::UserGroups, 13);
    dialog.NameField()->setText("   ");
    dialog.Save();

    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(Text(services_.messages[0].text), "Program Name is not empty");
    EXPECT_TRUE(services_.messages[0].dialogOpen);
    EXPECT_EQ(services_.presets.Name(3), "Kept");
    EXPECT_TRUE(services_.QueuedFrames().empty());
    EXPECT_EQ(Text(dialog.NameField()->text()), "Kept");
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(PresetGroupDialogTest, NotConnectedShowsTheMessageQueuesNothingAndStaysOpen) {
    services_.Disconnect();
    for (PresetGroupMode mode : {PresetGroupMode::AllGroups, PresetGroupMode::UserGroups}) {
        services_.messages.clear();
        PresetGroupDialog& dialog = Open(mode, 15);
        dialog.NameField()->setText("typed");
        mode == PresetGroupMode::AllGroups ? dialog.Call() : dialog.Save();

        ASSERT_EQ(services_.messages.size(), 1u);
        EXPECT_EQ(Text(services_.messages[0].text), "You didn't go online, online!");
        EXPECT_TRUE(services_.calls.empty());
        EXPECT_TRUE(services_.QueuedFrames().empty());
        EXPECT_EQ(services_.presets.Name(5), "");
        EXPECT_TRUE(dialog.isVisible());
    }
}

TEST_F(PresetGroupDialogTest, EnterAndEscapeInTheNameFieldNeitherCloseNorSave) {
    PresetGroupDialog& dialog = Open(PresetGroupMode::UserGroups, 12);
    dialog.NameField()->setFocus();
    dialog.NameField()->setText("typed");
    QTest::keyClick(dialog.NameField(), Qt::Key_Return);
    QTest::keyClick(dialog.NameField(), Qt::Key_Enter);
    QTest::keyClick(dialog.NameField(), Qt::Key_Escape);
    dialog.SaveButton()->setFocus();
    QTest::keyClick(dialog.SaveButton(), Qt::Key_Return);

    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(services_.calls.empty());
    EXPECT_TRUE(services_.messages.empty());
}

TEST_F(PresetGroupDialogTest, ShowsStoredNamesUpToFifteenBytesAndFixedSystemNames) {
    const std::string sixteen = "ABCDEFGHIJKLMNOP";
    services_.presets.StoreNameReply(
        3, std::span(reinterpret_cast<const uint8_t*>(sixteen.data()), sixteen.size()));
    PresetGroupDialog& dialog = Open(PresetGroupMode::AllGroups, 13);

    EXPECT_EQ(Text(dialog.NameField()->text()), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(Text(dialog.GroupList()->item(12, 1)->text()), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(Text(dialog.GroupLabel()->text()), "ID13:");
    EXPECT_TRUE(dialog.NameField()->isReadOnly());
    EXPECT_EQ(Text(dialog.GroupList()->item(8, 1)->text()), "LOCALE.1");
    EXPECT_EQ(Text(dialog.GroupList()->item(19, 1)->text()), "Dance");
}

TEST_F(PresetGroupDialogTest, OpensInTheLanguageOfTheInterfaceOnItsFirstRow) {
    services_.language = Language::Chinese;
    PresetGroupDialog& all = Open(PresetGroupMode::AllGroups);
    EXPECT_EQ(all.GroupList()->rowCount(), 20);
    EXPECT_EQ(Text(all.windowTitle()), "系统数据");
    EXPECT_EQ(Text(all.GroupLabel()->text()), "组号1:");
    EXPECT_EQ(Text(all.NameField()->text()), "小房一");
    EXPECT_EQ(Text(all.GroupList()->horizontalHeaderItem(1)->text()), "组名");
    EXPECT_TRUE(all.CallButton()->isVisible());
    EXPECT_FALSE(all.SaveButton()->isVisible());

    services_.language = Language::English;
    PresetGroupDialog& user = Open(PresetGroupMode::UserGroups);
    EXPECT_EQ(user.GroupList()->rowCount(), 10);
    EXPECT_EQ(Text(user.GroupList()->item(0, 0)->text()), "11");
    EXPECT_EQ(Text(user.GroupLabel()->text()), "ID11:");
    EXPECT_FALSE(user.NameField()->isReadOnly());
    EXPECT_FALSE(user.CallButton()->isVisible());
    EXPECT_EQ(Text(user.SaveButton()->text()), "Save");
}

TEST_F(PresetGroupDialogTest, NameFieldRefusesANameLongerThanTheDeviceKeeps) {
    PresetGroupDialog& dialog = Open(PresetGroupMode::UserGroups, 11);
    dialog.NameField()->clear();
    Type(dialog.NameField(), "ABCDEFGHIJKLMNOPQ");
    EXPECT_EQ(Text(dialog.NameField()->text()), "ABCDEFGHIJKLMNO");

    // Chinese characters take two bytes each in GBK: seven fit into fifteen.
    dialog.NameField()->clear();
    Type(dialog.NameField(), QString::fromUtf8("一二三四五六七八"));
    EXPECT_EQ(Text(dialog.NameField()->text()), "一二三四五六七");
}

// The shared table of names, typed into the field of user group 14 (slot 4)
// and saved: stored and sent as their GBK bytes, or refused with a message
// naming the character, or cut by the field at the device's 15 bytes.
TEST_F(PresetGroupDialogTest, TypedNamesAreSavedAsTheirGbkBytes) {
    for (const GbkNameCase& c : kGbkNameCases) {
        SCOPED_TRACE(std::string(c.label));
        services_.messages.clear();
        services_.queue.Clear();
        services_.presets.SetName(4, "Old");
        PresetGroupDialog& dialog = Open(PresetGroupMode::UserGroups, 14);
        dialog.NameField()->clear();
        Type(dialog.NameField(), QString::fromUtf8(c.typed.data(), c.typed.size()));
        dialog.Save();

        if (c.fate == NameFate::NotGbk) {
            ASSERT_EQ(services_.messages.size(), 1u);
            const std::string message = Text(services_.messages[0].text);
            EXPECT_NE(message.find(c.refused), std::string::npos) << message;
            EXPECT_TRUE(services_.messages[0].dialogOpen);
            EXPECT_TRUE(services_.QueuedFrames().empty());
            EXPECT_EQ(services_.presets.Name(4), "Old");
            EXPECT_EQ(dialog.NameField()->text().toStdString(), c.typed) << "kept for mending";
            continue;
        }
        // A name over 15 bytes never reaches Save whole: the field stops at the last character
        // that fits.
        const std::string stored =
            c.fate == NameFate::Stored ? std::string(c.gbk) : std::string(c.gbk.substr(0, 14));
        EXPECT_EQ(services_.lastStoredName, stored);
        const auto frames = services_.QueuedFrames();
        ASSERT_EQ(frames.size(), 2u);
        std::string sent(frames[0].begin() + kFrameHeaderSize,
                         frames[0].begin() + kFrameHeaderSize + 16);
        EXPECT_EQ(sent, stored + std::string(16 - stored.size(), '\0'));
    }
}

TEST_F(PresetGroupDialogTest, ANameSavedUnchangedGoesBackByteForByte) {
    // A GBK name, and bytes that are no GBK (shown as replacement characters).
    for (const std::string& held :
         {std::string("\xD6\xD0\xCE\xC4"), std::string("A\xFF\x80\x81")}) {
        services_.queue.Clear();
        services_.presets.SetName(4, held);
        PresetGroupDialog& dialog = Open(PresetGroupMode::UserGroups, 14);
        dialog.Save();
        EXPECT_EQ(services_.lastStoredName, held);
        const auto frames = services_.QueuedFrames();
        ASSERT_EQ(frames.size(), 2u);
        EXPECT_EQ(std::string(frames[0].begin() + kFrameHeaderSize,
                              frames[0].begin() + kFrameHeaderSize + held.size()),
                  held);
    }
    services_.presets.SetName(4, "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(Text(Open(PresetGroupMode::UserGroups, 14).NameField()->text()), "中文");
}

TEST_F(PresetGroupDialogTest, EscapeInTheNameFieldRestoresTheShownName) {
    services_.presets.SetName(2, "Kept");
    PresetGroupDialog& dialog = Open(PresetGroupMode::UserGroups, 12);
    dialog.NameField()->setFocus();
    dialog.NameField()->clear();
    Type(dialog.NameField(), "typed");
    QTest::keyClick(dialog.NameField(), Qt::Key_Escape);
    EXPECT_EQ(Text(dialog.NameField()->text()), "Kept");
    EXPECT_TRUE(dialog.isVisible());
}

}  // namespace
