// SPDX-License-Identifier: GPL-3.0-or-later
// The band rows every EQ page shows: per row the band number, frequency, Q
// (or the shelf slope in its place), gain, kind and bypass of one band of the
// shown chain, scrolled by "first band shown". The input, output and effect
// pages differ only in the options they pass (rows, kinds offered, scrolling)
// and in where an edit goes besides the shown band.
//
// The constraint: the table never writes an element itself. It builds each
// edit as a `BandChange` and hands it to the page's `ApplyChange`, which runs
// it under the queue lock on the shown band and on every band that follows it
// (the other music channel, linked outputs); the table then re-reads the row.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "app/pages/EqBandTableEdits.h"
#include "app/widgets/NumEdit.h"
#include "curves/BilingualText.h"

class CEQ;
class EqBandTableRow;
class QHBoxLayout;
class QLabel;
class QScrollBar;
class QVBoxLayout;

struct EqBandTableOptions {
    // Rows made; `SetShownRows` may hide the last ones later.
    int rows = 7;
    // Rows stacked in one block; the rows after them start a block beside
    // it with its own headings, so a long table is read without scrolling.
    // 0 keeps every row in one block.
    int rowsPerBlock = 0;
    // Highest "first band shown" the scroll bar reaches; 0 shows no scroll bar.
    int maxFirstBand = 0;
    // The kind drop-down's texts for peaking, low shelf and high shelf.
    std::array<BilingualText, 3> kindTexts{
        {{"PEQ", "PEQ"}, {"Lo_EQ", "Lo_EQ"}, {"Hi_EQ", "Hi_EQ"}}};
    // False: the kind is shown but cannot be changed, and the frequency
    // range does not follow it (the effect page).
    bool kindEditable = true;
    // Text beside each bypass box; empty for none.
    BilingualText bypassText{"", ""};
    // First control number of the rows' number boxes (three per row).
    int firstControlId = 3000;
    // The Q column's heading; it names the shelf slope too where shelves can be chosen.
    BilingualText qualityHeading{"Q / Slope", "Q / 斜率"};
};

class EqBandTable : public QWidget {
    Q_OBJECT

  public:
    // Runs `change` on band `band` of the shown chain and of its followers,
    // under the queue lock.
    using ApplyChange = std::function<void(int band, const BandChange& change)>;

    explicit EqBandTable(const EqBandTableOptions& options, QWidget* parent = nullptr);
    ~EqBandTable() override;

    void SetApplyChange(ApplyChange apply) { apply_ = std::move(apply); }
    // Where the number boxes' range messages go (the services' ShowMessage).
    void SetMessageSink(CNumEdit::MessageFunction sink);

    // The chain whose bands the rows show; read on the interface thread only.
    void ShowChain(CEQ* chain);
    // Scrolls without telling the page (it set the position itself).
    void SetFirstBand(int firstBand);
    int FirstBand() const { return firstBand_; }
    // Rows beyond `rows` are hidden with all their controls.
    void SetShownRows(int rows);
    int ShownRows() const { return shownRows_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }

    // Every control of every row from its band.
    void RefreshRows();
    // Frequency, Q, gain and bypass of the row showing `band` (after a graph drag).
    void RefreshBand(int band);
    // Gain and bypass of every row (after "All Bypass").
    void RefreshGainAndBypass();
    // Scrolls the fewest rows that bring `band` into view; returns its row.
    int BringIntoView(int band);
    // The row's number is highlighted and every other one plain; -1 for none.
    void HighlightRow(int row);
    int HighlightedRow() const { return highlightedRow_; }

    void Relabel(Language language);

    EqBandTableRow& Row(int row) { return *rows_.at(row); }
    // The column headings, left to right over the rows' columns, block by block.
    const std::vector<QLabel*>& Headings() const { return headings_; }
    QScrollBar* ScrollBar() const { return scrollBar_; }

  signals:
    // A row's edit reached the model; the page redraws the graph and, for
    // gain and bypass edits, its "All Bypass" switch.
    void BandEdited(int band, BandEditKind kind);
    // The rows show other bands (scroll bar or `BringIntoView`); the page
    // keeps the position in its channel.
    void FirstBandChanged(int firstBand);

  private:
    void ApplyRowEdit(int row, BandEditKind kind);
    void RefreshRow(int row);
    void OnScrolled(int firstBand);
    // The highest first band the rows may start at for the shown chain.
    int LastFirstBand() const;
    void MoveTo(int firstBand);
    // A block's heading row; the block's rows go below it in the returned column.
    QVBoxLayout* AddBlock(QHBoxLayout& blocks);
    void AlignColumns();

    EqBandTableOptions options_;
    ApplyChange apply_;
    CEQ* chain_ = nullptr;
    std::vector<EqBandTableRow*> rows_;
    std::vector<QLabel*> headings_;
    QScrollBar* scrollBar_ = nullptr;
    int firstBand_ = 0;
    int shownRows_ = 0;
    int highlightedRow_ = -1;
};
