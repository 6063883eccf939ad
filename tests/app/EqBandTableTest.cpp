// SPDX-License-Identifier: GPL-3.0-or-later
// The shared band rows: the frequency range each kind allows, the change a
// kind edit makes, and what a page with other options (fewer rows, fixed
// kinds) gets from the same table.
#include <gtest/gtest.h>

#include <QComboBox>

#include "WidgetTestApp.h"
#include "app/pages/EqBandTable.h"
#include "app/pages/EqBandTableRow.h"
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

}  // namespace
