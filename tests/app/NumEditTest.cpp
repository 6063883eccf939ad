// SPDX-License-Identifier: GPL-3.0-or-later
// The numeric field as a widget: typed text is committed when the field
// loses the focus, out-of-range text is reported and clamped, the page is
// told, and the spin arrows step the code.
#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>
#include <QToolButton>

#include "WidgetTestApp.h"
#include "app/widgets/NumEdit.h"
#include "app/widgets/SpinButtons.h"
#include "curves/ScaleConversion.h"

namespace {
constexpr int kFieldId = 1234;

class NumEditTest : public testing::Test {
  protected:
    NumEditTest() {
        field.SetMessageSink([this](const QString& text) { messages.append(text); });
    }

    void Configure(int32_t type, int32_t minimum, int32_t maximum, double step = 0,
                   double offset = 0) {
        field.SetRange(minimum, maximum);
        field.SetStep(step);
        field.SetOffset(offset);
        field.SetScaleType(type);
    }

    // Replaces the text as the user would and moves the focus away.
    void TypeAndLeave(const QString& text) {
        field.selectAll();
        QTest::keyClicks(&field, text);
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&field, &leave);
    }

    QApplication& app = WidgetTestApp();
    CNumEdit field{kFieldId};
    QStringList messages;
};

TEST_F(NumEditTest, OutOfRangeTextIsReportedAndClampedInTheFieldsLanguage) {
    struct Case {
        Language language;
        const char* typed;
        int32_t code;
        const char* shown;
        const char* message;
    };
    const Case cases[] = {
        {Language::English, "15", 300, "10.0", "Out of Range"},
        {Language::Chinese, "-30", 0, "-20.0", "超出范围"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        messages.clear();
        Configure(ScaleType::kLinear, 0, 300, 0.1, 20);
        field.SetValue(200);
        field.SetLanguage(c.language);
        QSignalSpy committed(&field, &CNumEdit::Committed);
        TypeAndLeave(QString::fromUtf8(c.typed));
        EXPECT_EQ(messages, QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(field.GetValue(), c.code);
        EXPECT_EQ(field.text(), QString::fromUtf8(c.shown));
        ASSERT_EQ(committed.count(), 1);
        EXPECT_EQ(committed.at(0).at(0).toInt(), kFieldId);
    }
}

TEST_F(NumEditTest, FocusLossCommitsTypedTextAndTellsThePage) {
    Configure(ScaleType::kFrequency, 20, 20000);
    field.SetValue(1000);
    QSignalSpy committed(&field, &CNumEdit::Committed);
    TypeAndLeave("1234");
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(field.GetValue(), 1234);
    EXPECT_EQ(field.text(), "1234");
    ASSERT_EQ(committed.count(), 1);
    EXPECT_EQ(committed.at(0).at(0).toInt(), kFieldId);
}

TEST_F(NumEditTest, GetValueReadsTypedTextBeforeAnyCommit) {
    Configure(ScaleType::kLinear, 0, 300, 0.1, 20);
    field.SetValue(200);
    field.selectAll();
    QTest::keyClicks(&field, "-3.5");
    EXPECT_TRUE(field.IsModified());
    EXPECT_EQ(field.GetValue(), 165);
    EXPECT_FALSE(field.IsModified());
}

TEST_F(NumEditTest, TypingStopsAtNineCharacters) {
    Configure(ScaleType::kFrequency, 20, 20000);
    field.selectAll();
    QTest::keyClicks(&field, "123456789012");
    EXPECT_EQ(field.text().size(), 9);
}

TEST_F(NumEditTest, ClickOrTypingShowsEditingColoursUntilTheCommit) {
    Configure(ScaleType::kFrequency, 20, 20000);
    const QColor resting = field.palette().color(QPalette::Base);
    QTest::mouseClick(&field, Qt::LeftButton);
    EXPECT_TRUE(field.IsEditing());
    EXPECT_EQ(field.palette().color(QPalette::Base), QColor(200, 0, 0));
    EXPECT_EQ(field.palette().color(QPalette::Text), QColor(Qt::white));
    TypeAndLeave("500");
    EXPECT_FALSE(field.IsEditing());
    EXPECT_EQ(field.palette().color(QPalette::Base), resting);

    QTest::keyClicks(&field, "7");
    EXPECT_TRUE(field.IsEditing());
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_FALSE(field.IsEditing());
}

TEST_F(NumEditTest, SetValueOutsideTheRangeKeepsTheShownCode) {
    Configure(ScaleType::kFrequency, 20, 20000);
    field.SetValue(500);
    field.SetValue(30000);
    EXPECT_EQ(field.GetValue(), 500);
    EXPECT_EQ(field.text(), "500");
}

TEST_F(NumEditTest, HeldValueOutsideTheRangeIsNamedAndMarkedInTheFieldsLanguage) {
    struct Case {
        Language language;
        int32_t held;
        const char* shown;
        const char* tip;
    };
    const Case cases[] = {
        {Language::English, 60, "20",
         "Out of Range: kept as it was read; this control sets -40 to 10."},
        {Language::Chinese, -3, "-43", "超出范围：保持读取到的值；本控件可设 -40 至 10。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.held);
        Configure(ScaleType::kLinearWhole, 0, 50, 1, 40);
        field.SetValue(40);
        const QPalette resting = field.palette();
        field.SetLanguage(c.language);
        QSignalSpy committed(&field, &CNumEdit::Committed);
        field.ShowHeldValue(c.held);
        EXPECT_EQ(field.text(), QString::fromUtf8(c.shown));
        EXPECT_TRUE(field.IsOutOfRange());
        EXPECT_EQ(field.toolTip(), QString::fromUtf8(c.tip));
        EXPECT_NE(field.palette().color(QPalette::Base), resting.color(QPalette::Base));

        // Focus passing through and Enter on the untouched field send nothing.
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&field, &leave);
        QTest::keyClick(&field, Qt::Key_Return);
        EXPECT_EQ(committed.count(), 0);
        EXPECT_EQ(field.GetValue(), c.held);
        EXPECT_TRUE(field.IsOutOfRange());

        // While the user types, the editing colours show; the commit brings
        // the code into the range and takes the mark away.
        TypeAndLeave("5");
        EXPECT_EQ(committed.count(), 1);
        EXPECT_EQ(field.GetValue(), 45);
        EXPECT_FALSE(field.IsOutOfRange());
        EXPECT_TRUE(field.toolTip().isEmpty());
        EXPECT_EQ(field.palette().color(QPalette::Base), resting.color(QPalette::Base));
        EXPECT_TRUE(messages.isEmpty());
    }

    // Switching the language while the mark shows retells it.
    field.SetLanguage(Language::English);
    field.ShowHeldValue(60);
    field.SetLanguage(Language::Chinese);
    EXPECT_TRUE(field.toolTip().startsWith(QString::fromUtf8("超出范围")));

    // A held value inside the range is shown as SetValue shows it.
    field.ShowHeldValue(50);
    EXPECT_EQ(field.text(), "10");
    EXPECT_FALSE(field.IsOutOfRange());
    EXPECT_TRUE(field.toolTip().isEmpty());
}

TEST_F(NumEditTest, SpinArrowsStepTheCodeAndQFieldsGoTheOtherWay) {
    struct Case {
        const char* name;
        int32_t type;
        int32_t start;
        bool up;
        int32_t expected;
    };
    const Case cases[] = {
        {"frequency up", ScaleType::kFrequency, 1000, true, 1001},
        {"frequency down", ScaleType::kFrequency, 1000, false, 999},
        // A smaller bandwidth index is a larger Q: up raises the shown Q.
        {"Q up", ScaleType::kQ, 100, true, 99},
        {"Q down", ScaleType::kQ, 100, false, 101},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Configure(c.type, 0, c.type == ScaleType::kQ ? 299 : 20000);
        field.SetValue(c.start);
        CSpinButtons spin(field);
        QSignalSpy committed(&field, &CNumEdit::Committed);
        QTest::mouseClick(c.up ? spin.UpButton() : spin.DownButton(), Qt::LeftButton);
        EXPECT_EQ(field.GetValue(), c.expected);
        EXPECT_EQ(committed.count(), 1);
    }
}

TEST_F(NumEditTest, FrequencySpinStopsAt20000AndAtTheRangeWithoutTellingThePage) {
    Configure(ScaleType::kHighPassFrequency, 20, 30000);
    field.SetValue(19995);
    CSpinButtons spin(field);
    spin.SetFrequencyMode(true);
    spin.SetClickStep(10);
    QSignalSpy committed(&field, &CNumEdit::Committed);
    spin.StepUp();
    EXPECT_EQ(field.GetValue(), 20000);
    spin.StepUp();
    EXPECT_EQ(field.GetValue(), 20000);
    EXPECT_EQ(committed.count(), 1);

    field.SetValue(25);
    spin.StepDown();
    EXPECT_EQ(field.GetValue(), 20);
}

TEST_F(NumEditTest, SpinPositionOutsideTheRangeIsReportedAndIgnored) {
    Configure(ScaleType::kPercent, 0, 99);
    field.SetValue(50);
    CSpinButtons spin(field);
    spin.SetPosition(120);
    EXPECT_EQ(messages, QStringList{QString::fromUtf8("Pos设定错误")});
    EXPECT_EQ(field.GetValue(), 50);
    spin.SetPosition(70);
    EXPECT_EQ(field.GetValue(), 70);
    EXPECT_EQ(field.text(), "70%");
}
}  // namespace
