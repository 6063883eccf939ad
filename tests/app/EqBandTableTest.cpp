// SPDX-License-Identifier: GPL-3.0-or-later
// The shared band rows: the frequency range each kind allows, the change a
// kind edit makes, and what a page with other options (fewer rows, fixed
// kinds, rows in blocks side by side) gets from the same table.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "WidgetTestApp.h"
#include "app/pages/EqBandTable.h"
#include "app/pages/EqBandTableRow.h"
#include "app/widgets/NumEdit.h"
#include "curves/ResponseKinds.h"
#include "model/EQ.h"

namespace {

TEST(EqBandTableEditsTest, KindChangeKeepsTheFrequencyOnTheShelfsSide) {
    struct Case {
        int kind;
        int frequency;
        int expectedFrequency;
        FrequencyRange range;
    };
    const Case cases[] = {
        {ElementType::kLowShelf, 5000, 2000, {20, 2000}},
        {ElementType::kLowShelf, 300, 300, {20, 2000}},
        {ElementType::kHighShelf, 500, 2000, {2000, 20000}},
        {ElementType::kHighShelf, 9000, 9000, {2000, 20000}},
        {ElementType::kPeaking, 15000, 15000, {20, 20000}},
    };
    for (const Case& c : cases) {
        CFilter band;
        band.SetFrequency(c.frequency);
        band.SetDirty(0);
        MakeBandChange(BandEditKind::Type, c.kind)(band);
        EXPECT_EQ(band.GetType(), c.kind);
        EXPECT_EQ(band.GetFrequency(), c.expectedFrequency)
            << "kind " << c.kind << " at " << c.frequency;
        EXPECT_TRUE(band.IsDirty());
        EXPECT_EQ(BandFrequencyRange(c.kind), c.range) << "kind " << c.kind;
    }
}

TEST(EqBandTableTest, FixedKindTableShowsTheQBoxForShelvesAndHidesExtraRows) {
    WidgetTestApp();
    EqBandTableOptions options;
    options.rows = 3;
    options.kindEditable = false;
    options.kindTexts = {
        {{"PEQ", "PEQ"}, {"Low Shelf", "Low Shelf"}, {"High Shelf", "High Shelf"}}};
    EqBandTable table(options);
    CEQ chain(ChainLayout::Effect);
    chain.GetElement(1).SetType(ElementType::kLowShelf);
    chain.GetElement(1).SetFrequency(5000);
    int applied = 0;
    table.SetApplyChange([&](int band, const BandChange& change) {
        ++applied;
        change(chain.GetElement(band));
    });
    table.ShowChain(&chain);
    table.RefreshRows();
    EqBandTableRow& shelf = table.Row(1);
    EXPECT_FALSE(shelf.Kind().isEnabled());
    EXPECT_FALSE(shelf.Bandwidth().isHidden());
    EXPECT_TRUE(shelf.Slope().isHidden());
    // The range does not follow the kind where the kind is fixed.
    EXPECT_EQ(shelf.Frequency().MaxCode(), 20000);
    EXPECT_EQ(shelf.Kind().itemText(1), QStringLiteral("Low Shelf"));

    table.SetShownRows(2);
    EXPECT_TRUE(table.Row(2).isHidden());
    EXPECT_EQ(table.ScrollBar(), nullptr);

    shelf.Bandwidth().SetValue(99);
    emit shelf.Bandwidth().Committed(shelf.Bandwidth().ControlId());
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(chain.GetElement(1).GetBandwidthIndex(), 99);
}

TEST(EqBandTableTest, ABandHeldOutsideItsKindsRangeIsNamedAndMarkedNotReplaced) {
    WidgetTestApp();
    EqBandTable table{EqBandTableOptions{}};
    CEQ chain(ChainLayout::Output);
    // As a file or a device may hold it: a low shelf above the shelf boundary.
    chain.GetElement(0).SetType(ElementType::kLowShelf);
    chain.GetElement(0).SetFrequency(5000);
    chain.GetElement(1).SetFrequency(300);
    int applied = 0;
    table.SetApplyChange([&](int, const BandChange&) { ++applied; });
    table.ShowChain(&chain);
    table.RefreshRows();

    const CNumEdit& shelf = table.Row(0).Frequency();
    EXPECT_EQ(shelf.MaxCode(), 2000);
    EXPECT_EQ(shelf.text(), QStringLiteral("5000"));
    EXPECT_TRUE(shelf.IsOutOfRange());
    EXPECT_FALSE(table.Row(1).Frequency().IsOutOfRange());
    EXPECT_EQ(table.Row(1).Frequency().text(), QStringLiteral("300"));
    EXPECT_EQ(applied, 0);
    EXPECT_EQ(chain.GetElement(0).GetFrequency(), 5000);
}

// The widget the Tab key moves to from `from`.
QWidget* NextTabStop(QWidget* from) {
    for (QWidget* next = from->nextInFocusChain(); next != from; next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) != 0 && next->isVisible() && next->isEnabled()) {
            return next;
        }
    }
    return nullptr;
}

TEST(EqBandTableTest, RowsInBlocksSideBySideLineUpAndTabRowByRow) {
    WidgetTestApp();
    EqBandTableOptions options;
    options.rows = 5;
    options.rowsPerBlock = 3;
    EqBandTable table(options);
    CEQ chain(ChainLayout::MusicInput);
    chain.GetElement(3).SetType(ElementType::kLowShelf);
    table.ShowChain(&chain);
    table.RefreshRows();
    table.show();
    table.adjustSize();

    // Block 2 (rows 3, 4) stands right of block 1, level with it, under headings of its own.
    ASSERT_EQ(table.Headings().size(), 12U);
    const auto at = [&table](const QWidget& widget) { return widget.mapTo(&table, QPoint()); };
    EXPECT_GT(at(table.Row(3)).x(), at(table.Row(0)).x() + table.Row(0).width());
    EXPECT_EQ(at(table.Row(3)).y(), at(table.Row(0)).y());
    EXPECT_EQ(at(table.Row(4)).y(), at(table.Row(1)).y());
    EXPECT_EQ(table.Headings().at(6)->y(), table.Headings().at(0)->y());
    for (const size_t column : {1U, 3U, 4U}) {
        EXPECT_EQ(table.Headings().at(6 + column)->width(), table.Headings().at(column)->width());
    }
    // The same columns in both blocks, a shelf row's too.
    EXPECT_EQ(at(table.Row(3).Gain()).x() - at(table.Row(3)).x(),
              at(table.Row(0).Gain()).x() - at(table.Row(0)).x());
    EXPECT_EQ(at(table.Row(3).Kind()).x() - at(table.Row(3)).x(),
              at(table.Row(0).Kind()).x() - at(table.Row(0)).x());

    // Tab leaves the first block's last row for the second block's first.
    EXPECT_EQ(NextTabStop(&table.Row(1).Bypass()), &table.Row(2).Frequency());
    EXPECT_EQ(NextTabStop(&table.Row(2).Bypass()), &table.Row(3).Frequency());
    EXPECT_EQ(table.Row(4).Number().text(), QStringLiteral("5"));
}

}  // namespace
