// SPDX-License-Identifier: GPL-3.0-or-later
// Real widget geometry of the whole editor, every page in both languages at
// 1366x768 and 1920x1080: each page shown whole (the graph from +10 to -20 dB
// with its labels and every band row inside the visible area, no scroll
// bar), frequency labels on their grid lines, no two visible sibling
// controls over each other, no text wider than the control that shows it.
// The suite runs again at scale factors 1.5 and 2 (see tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTableWidget>
#include <cmath>
#include <string>

#include "app/ShellTestRig.h"
#include "app/VolumeStrip.h"
#include "app/WindowPlacement.h"
#include "app/dialogs/PresetGroupDialog.h"
#include "app/dialogs/RoomEqDialog.h"
#include "app/dialogs/RoomEqPlot.h"
#include "app/graph/FStatic.h"
#include "app/graph/GraphFrame.h"
#include "app/pages/EqBandTable.h"
#include "app/pages/EqBandTableRow.h"
#include "app/pages/InputEqEdits.h"
#include "app/pages/InputEqPage.h"
#include "app/pages/MainPage.h"
#include "app/pages/OutputPage.h"
#include "protocol/ReceivedProgram.h"

namespace {
const std::array<QSize, 2> kWindowSizes = {QSize(1366, 768), QSize(1920, 1080)};

std::string Describe(const QWidget* widget) {
    std::string text = widget->metaObject()->className();
    if (!widget->objectName().isEmpty()) {
        text += " '" + widget->objectName().toStdString() + "'";
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        text += " \"" + label->text().toStdString() + "\"";
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        text += " \"" + button->text().toStdString() + "\"";
    } else if (const auto* box = qobject_cast<const QLineEdit*>(widget)) {
        text += " \"" + box->text().toStdString() + "\"";
    }
    return text;
}

void Settle() {
    for (int pass = 0; pass < 3; ++pass) {
        QApplication::processEvents();
    }
}

// Qt's own parts inside a composite control are laid out by the control.
bool IsCompositeInside(const QWidget* parent) {
    return qobject_cast<const QComboBox*>(parent) != nullptr ||
           qobject_cast<const QScrollBar*>(parent) != nullptr ||
           qobject_cast<const QLineEdit*>(parent) != nullptr || parent->inherits("QMenuBar");
}

// Every visible caption, label, drop-down and field under `root` has room for its text.
void ExpectEveryTextFits(QWidget& root) {
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        if (!widget->isVisible()) {
            continue;
        }
        const QFontMetrics metrics = widget->fontMetrics();
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (!label->wordWrap() && !label->text().isEmpty() &&
                label->textFormat() != Qt::RichText) {
                EXPECT_LE(metrics.horizontalAdvance(label->text()), label->contentsRect().width())
                    << Describe(label);
            }
        } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            EXPECT_LE(check->sizeHint().width(), check->width()) << Describe(check);
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            EXPECT_LE(metrics.horizontalAdvance(button->text()) + 6, button->width())
                << Describe(button);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            // The kit's painted controls ask for what their captions need.
            EXPECT_LE(button->minimumSizeHint().width(), button->width()) << Describe(button);
        } else if (auto* dropDown = qobject_cast<QComboBox*>(widget)) {
            QStyleOptionComboBox option;
            option.initFrom(dropDown);
            const QRect field = dropDown->style()->subControlRect(
                QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, dropDown);
            EXPECT_LE(metrics.horizontalAdvance(dropDown->currentText()), field.width())
                << Describe(dropDown);
        } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            const QMargins margins = box->textMargins();
            EXPECT_LE(metrics.horizontalAdvance(box->text()),
                      box->contentsRect().width() - margins.left() - margins.right() - 4)
                << Describe(box);
        }
    }
}

class EditorGeometry : public ::testing::Test {
  protected:
    void SetUp() override {
        // The simulator's program, as the editor shows it after connecting.
        ProgramBlock block{};
        const devsim::ProgramImage image = rig_.device.CurrentImage();
        const devsim::ProgramName name = rig_.device.Name(0);
        std::copy(image.begin(), image.end(), block.begin());
        std::copy(name.begin(), name.end(), block.begin() + static_cast<long>(image.size()));
        ForceFixedFilterFields(block);
        rig_.view.EditProgram([&](CAudio_Data& program) {
            program.LoadBlock(block);
            program.ResetOutputLinks();
        });
        rig_.window.show();
    }

    // Calls `check` with every page shown, at both sizes, in both languages.
    template <typename Check>
    void ForEveryPage(Check check) {
        for (const QSize size : kWindowSizes) {
            for (const Language language : {Language::English, Language::Chinese}) {
                rig_.window.SwitchLanguage(language);
                rig_.window.resize(size);
                for (int page = 0; page < kPageCount; ++page) {
                    rig_.view.SelectPage(page);
                    rig_.view.RefreshPages();
                    Settle();
                    SCOPED_TRACE("page " + std::to_string(page) + " at " +
                                 std::to_string(size.width()) + "x" +
                                 std::to_string(size.height()) +
                                 (language == Language::English ? " en" : " zh"));
                    check(*rig_.view.CurrentPageWidget());
                }
            }
        }
    }

    QRect VisibleArea(Page& page) const {
        QWidget* viewport = rig_.view.PageScroller(&page)->viewport();
        return {viewport->mapTo(&rig_.window, QPoint(0, 0)), viewport->size()};
    }

    QRect InWindow(const QWidget& widget) const {
        return {widget.mapTo(&rig_.window, QPoint(0, 0)), widget.size()};
    }

    ShellTestRig rig_;
};

TEST_F(EditorGeometry, EveryPageIsShownWholeWithItsGraphAndBandRows) {
    ForEveryPage([this](Page& page) {
        QScrollArea* scroller = rig_.view.PageScroller(&page);
        ASSERT_NE(scroller, nullptr);
        EXPECT_FALSE(scroller->verticalScrollBar()->isVisible());
        EXPECT_FALSE(scroller->horizontalScrollBar()->isVisible());
        const QRect visible = VisibleArea(page).intersected(rig_.window.rect());
        for (const CFStatic* graph : page.findChildren<CFStatic*>()) {
            if (graph->isVisible()) {
                EXPECT_TRUE(visible.contains(InWindow(*graph))) << "graph";
                EXPECT_GE(graph->height(), 150);
            }
        }
        // Every row a table shows is in sight, none scrolled away inside the
        // table: the rows are numbered from band 1 on without a gap, and the
        // input pages show all 13 bands they reach.
        for (EqBandTable* table : page.findChildren<EqBandTable*>()) {
            if (!table->isVisible()) {
                continue;
            }
            EXPECT_TRUE(table->ScrollBar() == nullptr || !table->ScrollBar()->isVisible());
            EXPECT_EQ(table->FirstBand(), 0);
            int shown = 0;
            for (int r = 0; r < table->RowCount(); ++r) {
                EqBandTableRow& row = table->Row(r);
                if (!row.isVisible()) {
                    continue;
                }
                ++shown;
                EXPECT_EQ(row.Number().text(), QString::number(r + 1));
                EXPECT_TRUE(visible.contains(InWindow(row))) << "band row " << r + 1;
            }
            if (dynamic_cast<InputEqPage*>(&page) != nullptr) {
                EXPECT_EQ(shown, kInputEqLastReachableBand + 1);
            }
        }
        // The volume strip stays in the window below the page.
        EXPECT_TRUE(rig_.window.rect().contains(InWindow(*rig_.view.Volumes())));
    });
}

TEST_F(EditorGeometry, FrequencyLabelsStandOnTheirGridLinesOfTheShownGraph) {
    ForEveryPage([](Page& page) {
        for (const CFStatic* graph : page.findChildren<CFStatic*>()) {
            if (!graph->isVisible()) {
                continue;
            }
            const int width = graph->width();
            const double decade = (width - kPlotLeftMargin - kPlotRightMargin) / 3;
            ASSERT_FALSE(graph->Frame().FrequencyLabels().empty());
            for (const PlacedAxisLabel& label : graph->Frame().FrequencyLabels()) {
                const double lineX = kPlotLeftMargin + std::log10(label.value / 20.0) * decade;
                EXPECT_NEAR(label.rect.left() + label.rect.width() / 2.0, lineX, 2.0)
                    << label.text.toStdString();
                EXPECT_NEAR(label.gridLine, lineX, 1.0) << label.text.toStdString();
                EXPECT_GE(label.rect.left(), 0);
                EXPECT_LE(label.rect.right(), width);
            }
        }
    });
}

TEST_F(EditorGeometry, NoTwoVisibleSiblingControlsOverlap) {
    ForEveryPage([this](Page&) {
        for (QWidget* parent : rig_.window.findChildren<QWidget*>()) {
            if (!parent->isVisible() || IsCompositeInside(parent)) {
                continue;
            }
            std::vector<QWidget*> shown;
            for (QObject* object : parent->children()) {
                auto* child = qobject_cast<QWidget*>(object);
                if (child != nullptr && !child->isWindow() && child->isVisible()) {
                    shown.push_back(child);
                }
            }
            for (size_t a = 0; a < shown.size(); ++a) {
                for (size_t b = a + 1; b < shown.size(); ++b) {
                    EXPECT_FALSE(shown[a]->geometry().intersects(shown[b]->geometry()))
                        << Describe(shown[a]) << " over " << Describe(shown[b]) << " in "
                        << Describe(parent);
                }
            }
        }
    });
}

TEST_F(EditorGeometry, NoTextIsWiderThanItsControl) {
    ForEveryPage([this](Page&) { ExpectEveryTextFits(rig_.window); });
}

TEST_F(EditorGeometry, MainPageButtonsLieInsideTheirBlocks) {
    rig_.window.resize(kWindowSizes[0]);
    rig_.view.SelectPage(0);
    Settle();
    auto& page = static_cast<MainPage&>(*rig_.view.PageWidget(PageSlot::Main));
    const SignalFlowLayout layout = page.Layout();
    const auto inside = [&page](int controlId, const QRect& block) {
        EXPECT_TRUE(block.contains(page.Button(controlId)->geometry())) << controlId;
    };
    inside(4004, layout.musicBlock);
    inside(4003, layout.micBlock);
    inside(1945, layout.effectBlock);
    inside(2335, layout.effectBlock);
    for (int group = 0; group < 4; ++group) {
        inside(5430 + group, layout.effectBlock);
        inside(2166 + group, layout.scenesBlock);
    }
    for (int row = 0; row < 6; ++row) {
        const QRect block = layout.outputs.at(static_cast<size_t>(row)).block;
        for (const int first : {4010, 4016, 4028, 5424}) {
            inside(first + row, block);
        }
    }
}

// The output row's EQ, X-Over and Level buttons open the output at that
// section, in sight and with the keyboard in it, even in a window too small
// for the whole page.
TEST_F(EditorGeometry, OutputRowButtonsBringTheirSectionIntoView) {
    struct Case {
        int controlId;
        int page;
        OutputSection section;
    };
    const Case cases[] = {{4010, 4, OutputSection::Equaliser},
                          {4016 + 2, 6, OutputSection::Crossover},
                          {4028 + 5, 9, OutputSection::Level}};
    for (const QSize size : {QSize(800, 500), kWindowSizes[0]}) {
        rig_.window.resize(size);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.controlId);
            rig_.view.SelectPage(0);
            Settle();
            auto& main = static_cast<MainPage&>(*rig_.view.PageWidget(PageSlot::Main));
            main.Button(c.controlId)->click();
            Settle();
            EXPECT_EQ(rig_.view.State().currentPage, c.page);
            auto& output = static_cast<OutputPage&>(*rig_.view.PageWidget(PageSlot::Output));
            QGroupBox* section = output.Section(c.section);
            QWidget* focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr);
            EXPECT_TRUE(section->isAncestorOf(focus)) << Describe(focus);
            const QRect visible = VisibleArea(output);
            EXPECT_TRUE(visible.contains(InWindow(*focus))) << Describe(focus);
        }
    }
}

TEST_F(EditorGeometry, PresetDialogOpensWithBothColumnsAndADozenRows) {
    for (const PresetGroupMode mode : {PresetGroupMode::AllGroups, PresetGroupMode::UserGroups}) {
        PresetGroupDialog dialog(mode, rig_.view, &rig_.window);
        dialog.adjustSize();
        dialog.show();
        Settle();
        QTableWidget* list = dialog.GroupList();
        EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
        const int rowsInView = list->viewport()->height() / list->rowHeight(0);
        EXPECT_GE(rowsInView, std::min(12, list->rowCount()));
        for (int column = 0; column < list->columnCount(); ++column) {
            const QString heading = list->horizontalHeaderItem(column)->text();
            EXPECT_LE(list->fontMetrics().horizontalAdvance(heading), list->columnWidth(column));
        }
        dialog.hide();
    }
}

// The room EQ dialog with a fit shown, at both window sizes in both
// languages: inside the window, every text readable, the band table whole.
TEST_F(EditorGeometry, RoomEqDialogFitsTheWindowWithEveryTextReadable) {
    const QString rooms = QStringLiteral(SONAVEL_TEST_DATA_DIR "/roomeq/");
    for (const QSize size : kWindowSizes) {
        for (const Language language : {Language::English, Language::Chinese}) {
            rig_.window.SwitchLanguage(language);
            rig_.window.resize(size);
            Settle();
            SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()) +
                         (language == Language::English ? " en" : " zh"));
            RoomEqDialog dialog(rig_.view, &rig_.window);
            ASSERT_TRUE(dialog.AddMeasurementFiles({rooms + QStringLiteral("room-rew.txt"),
                                                    rooms + QStringLiteral("room-position2.csv")}));
            dialog.ChannelBox()->setCurrentIndex(3);
            dialog.StartFit();
            ASSERT_TRUE(RunUntil([&] { return dialog.HasResult(); }, 60000));
            dialog.adjustSize();
            dialog.show();
            Settle();
            EXPECT_LE(dialog.width(), size.width());
            EXPECT_LE(dialog.height(), size.height());
            ExpectEveryTextFits(dialog);
            auto* table = dialog.findChild<QTableWidget*>();
            ASSERT_NE(table, nullptr);
            EXPECT_FALSE(table->horizontalScrollBar()->isVisible());
            for (int column = 0; column < table->columnCount(); ++column) {
                EXPECT_LE(table->fontMetrics().horizontalAdvance(
                              table->horizontalHeaderItem(column)->text()),
                          table->columnWidth(column));
            }
            for (QWidget* plot : {static_cast<QWidget*>(dialog.findChild<RoomEqPlot*>()),
                                  static_cast<QWidget*>(dialog.findChild<CFStatic*>())}) {
                ASSERT_NE(plot, nullptr);
                EXPECT_TRUE(plot->isVisible());
                EXPECT_GE(plot->width(), 400);
                EXPECT_GE(plot->height(), 180);
            }
            dialog.hide();
        }
    }
}

TEST(WindowPlacement, TheFirstSizeNeverExceedsTheAvailableArea) {
    const QSize usual(1013, 703);
    struct Case {
        QRect available;
        QRect expected;
    };
    const Case cases[] = {
        {QRect(0, 0, 1920, 1040), QRect(0, 0, 1013, 703)},
        // A 1920x1200 screen at 200 %: 960x600 logical pixels, less a panel.
        {QRect(0, 0, 960, 576), QRect(0, 0, 960, 576)},
        {QRect(0, 32, 1366, 736), QRect(0, 32, 1013, 703)},
        {QRect(1920, 0, 800, 1200), QRect(1920, 0, 800, 703)},
        {QRect(), QRect(0, 0, 1013, 703)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FirstWindowGeometry(usual, c.available), c.expected);
    }
}

TEST(WindowPlacement, TheEditorOpensInsideTheScreen) {
    ShellTestRig rig;
    const QRect available = rig.window.screen()->availableGeometry();
    EXPECT_TRUE(available.contains(rig.window.geometry()))
        << rig.window.width() << "x" << rig.window.height();
}
}  // namespace
