// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/EqBandTable.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/pages/EqBandTableRow.h"
#include "app/widgets/FieldSizing.h"
#include "model/EQ.h"

namespace {
constexpr int kControlsPerRow = 3;
// Room between two blocks of rows, wider than between columns so the
// blocks read as two tables.
constexpr int kBlockGap = 24;

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Headings of the columns, left to right; the Q column's comes from the options.
constexpr BilingualText kBandHeading{"Band", "频段"};
constexpr BilingualText kFrequencyHeading{"Freq (Hz)", "频率 (Hz)"};
constexpr BilingualText kGainHeading{"Gain (dB)", "增益 (dB)"};
constexpr BilingualText kKindHeading{"Type", "类型"};
constexpr BilingualText kBypassHeading{"Bypass", "旁路"};

std::array<BilingualText, 6> HeadingTexts(const EqBandTableOptions& options) {
    return {kBandHeading, kFrequencyHeading, options.qualityHeading,
            kGainHeading, kKindHeading,      kBypassHeading};
}
}  // namespace

EqBandTable::EqBandTable(const EqBandTableOptions& options, QWidget* parent)
    : QWidget(parent), options_(options), shownRows_(options.rows) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const int rowsPerBlock = options_.rowsPerBlock > 0 ? options_.rowsPerBlock : options_.rows;
    QVBoxLayout* block = nullptr;
    // Rows are made in band order whatever block they stand in, so the Tab
    // key goes through the first block row by row before the next one.
    for (int r = 0; r < options_.rows; ++r) {
        if (r % rowsPerBlock == 0) {
            if (r > 0) {
                layout->addSpacing(kBlockGap);
            }
            block = AddBlock(*layout);
        }
        auto* row =
            new EqBandTableRow(options_, options_.firstControlId + r * kControlsPerRow, this);
        rows_.push_back(row);
        block->addWidget(row);
        connect(row, &EqBandTableRow::Edited, this,
                [this, r](BandEditKind kind) { ApplyRowEdit(r, kind); });
    }
    AlignColumns();
    if (options_.maxFirstBand > 0) {
        scrollBar_ = new QScrollBar(Qt::Vertical, this);
        scrollBar_->setRange(0, options_.maxFirstBand);
        scrollBar_->setSingleStep(1);
        scrollBar_->setPageStep(1);
        layout->addWidget(scrollBar_);
        connect(scrollBar_, &QScrollBar::valueChanged, this, &EqBandTable::OnScrolled);
    }
    // The scroll bar stays beside the rows however wide the table is.
    layout->addStretch(1);
}

QVBoxLayout* EqBandTable::AddBlock(QHBoxLayout& blocks) {
    auto* rowsColumn = new QVBoxLayout;
    rowsColumn->setContentsMargins(0, 0, 0, 0);
    rowsColumn->setSpacing(3);
    auto* headingRow = new QHBoxLayout;
    headingRow->setContentsMargins(0, 0, 0, 0);
    headingRow->setSpacing(kEqBandColumnGap);
    for (size_t column = 0; column < HeadingTexts(options_).size(); ++column) {
        auto* heading = new QLabel(this);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        heading->setAlignment(Qt::AlignCenter);
        headings_.push_back(heading);
        headingRow->addWidget(heading);
    }
    headingRow->addStretch();
    rowsColumn->addLayout(headingRow);
    // A shorter last block keeps its rows level with the first block's.
    auto* holder = new QVBoxLayout;
    holder->setContentsMargins(0, 0, 0, 0);
    holder->setSpacing(0);
    holder->addLayout(rowsColumn);
    holder->addStretch();
    blocks.addLayout(holder);
    return rowsColumn;
}

EqBandTable::~EqBandTable() {
    // Deleting a row that holds the focus commits its box; by then this
    // table is gone, so the rows may no longer reach it.
    for (EqBandTableRow* row : rows_) {
        row->disconnect(this);
    }
}

void EqBandTable::SetMessageSink(CNumEdit::MessageFunction sink) {
    for (EqBandTableRow* row : rows_) {
        for (CNumEdit* box : {&row->Frequency(), &row->Bandwidth(), &row->Gain()}) {
            box->SetMessageSink(sink);
        }
    }
}

void EqBandTable::ShowChain(CEQ* chain) {
    chain_ = chain;
}

void EqBandTable::SetFirstBand(int firstBand) {
    firstBand_ = std::clamp(firstBand, 0, LastFirstBand());
    if (scrollBar_ != nullptr) {
        const QSignalBlocker quiet(scrollBar_);
        scrollBar_->setValue(firstBand_);
    }
}

void EqBandTable::SetShownRows(int rows) {
    shownRows_ = std::clamp(rows, 0, RowCount());
    RefreshRows();
}

void EqBandTable::RefreshRows() {
    for (int r = 0; r < RowCount(); ++r) {
        RefreshRow(r);
    }
}

void EqBandTable::RefreshBand(int band) {
    const int row = band - firstBand_;
    if (chain_ == nullptr || row < 0 || row >= shownRows_ || band >= chain_->GetBandCount()) {
        return;
    }
    rows_[static_cast<size_t>(row)]->ShowFrequencyBandwidthGainBypass(chain_->GetElement(band));
}

void EqBandTable::RefreshGainAndBypass() {
    if (chain_ == nullptr) {
        return;
    }
    for (int r = 0; r < shownRows_; ++r) {
        const int band = firstBand_ + r;
        if (band < chain_->GetBandCount()) {
            rows_[static_cast<size_t>(r)]->ShowGainAndBypass(chain_->GetElement(band));
        }
    }
}

int EqBandTable::BringIntoView(int band) {
    const int lastRow = std::max(shownRows_ - 1, 0);
    if (band < firstBand_) {
        MoveTo(band);
    } else if (band > firstBand_ + lastRow) {
        MoveTo(band - lastRow);
    }
    return band - firstBand_;
}

void EqBandTable::HighlightRow(int row) {
    highlightedRow_ = row;
    for (int r = 0; r < RowCount(); ++r) {
        rows_[static_cast<size_t>(r)]->SetHighlighted(r == row);
    }
}

void EqBandTable::AlignColumns() {
    // The same widths on every row and under every heading; a heading wider
    // than its controls widens the column instead of being cut.
    EqBandColumnWidths widths = rows_.front()->NaturalWidths();
    const std::array<BilingualText, 6> texts = HeadingTexts(options_);
    std::array<int*, 6> columns = {&widths.number, &widths.frequency, &widths.quality,
                                   &widths.gain,   &widths.kind,      &widths.bypass};
    for (size_t column = 0; column < columns.size(); ++column) {
        const BilingualText& text = texts.at(column);
        const int needed =
            LabelWidthFor(*headings_.at(column), {Text(text.english), Text(text.chinese)});
        *columns.at(column) = std::max(*columns.at(column), needed);
    }
    for (size_t heading = 0; heading < headings_.size(); ++heading) {
        headings_.at(heading)->setFixedWidth(*columns.at(heading % columns.size()));
    }
    for (EqBandTableRow* row : rows_) {
        row->SetColumnWidths(widths);
    }
}

void EqBandTable::Relabel(Language language) {
    const std::array<BilingualText, 6> texts = HeadingTexts(options_);
    for (size_t heading = 0; heading < headings_.size(); ++heading) {
        headings_.at(heading)->setText(Text(texts.at(heading % texts.size()).In(language)));
    }
    for (EqBandTableRow* row : rows_) {
        row->Relabel(language, options_);
    }
}

void EqBandTable::ApplyRowEdit(int row, BandEditKind kind) {
    EqBandTableRow& controls = *rows_.at(static_cast<size_t>(row));
    const int band = firstBand_ + row;
    if (chain_ == nullptr || band >= chain_->GetBandCount()) {
        return;
    }
    const int value = controls.EditedValue(kind);
    // Leaving a box without changing it commits it too; applying that would
    // turn the gain of a bypassed band (shown as 0.0) into a real 0 dB.
    if (value != controls.ShownValue(kind) && apply_) {
        apply_(band, MakeBandChange(kind, value));
    }
    // The model may not follow (a 0 dB band stays bypassed): show what it holds.
    RefreshRow(row);
    HighlightRow(row);
    emit BandEdited(band, kind);
}

void EqBandTable::RefreshRow(int row) {
    EqBandTableRow& controls = *rows_.at(static_cast<size_t>(row));
    const int band = firstBand_ + row;
    const bool shown = chain_ != nullptr && row < shownRows_ && band < chain_->GetBandCount();
    controls.setVisible(shown);
    if (shown) {
        controls.ShowBand(chain_->GetElement(band), band + 1, options_.kindEditable);
    }
}

void EqBandTable::OnScrolled(int firstBand) {
    if (firstBand != firstBand_) {
        MoveTo(firstBand);
    }
}

int EqBandTable::LastFirstBand() const {
    if (options_.maxFirstBand > 0) {
        return options_.maxFirstBand;
    }
    const int bands = chain_ != nullptr ? chain_->GetBandCount() : 0;
    return std::max(bands - RowCount(), 0);
}

void EqBandTable::MoveTo(int firstBand) {
    SetFirstBand(firstBand);
    RefreshRows();
    emit FirstBandChanged(firstBand_);
}
