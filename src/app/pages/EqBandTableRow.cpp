// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/EqBandTableRow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <algorithm>

#include "app/pages/EqBandTable.h"
#include "app/widgets/FieldSizing.h"
#include "app/widgets/NumEdit.h"
#include "app/widgets/SpinButtons.h"
#include "curves/ResponseKinds.h"
#include "curves/ScaleConversion.h"
#include "model/Filter.h"

namespace {
constexpr double kGainStep = 0.1;
constexpr double kGainOffset = 20.0;

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

CNumEdit* MakeBox(int controlId, int32_t scaleType, QWidget* parent) {
    auto* box = new CNumEdit(controlId, parent);
    box->SetScaleType(scaleType);
    box->setAlignment(Qt::AlignRight);
    return box;
}

// A column holder: its controls side by side, without margins.
QWidget* MakeColumn(std::initializer_list<QWidget*> controls, QWidget* parent,
                    Qt::Alignment alignment = {}) {
    auto* column = new QWidget(parent);
    auto* layout = new QHBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (QWidget* control : controls) {
        layout->addWidget(control, 0, alignment);
    }
    return column;
}

// The widest texts each box shows over its whole range.
const QStringList kWidestFrequencies{QStringLiteral("20000")};
const QStringList kWidestQualities{QStringLiteral("00.000"), QStringLiteral("000.0")};
const QStringList kWidestGains{QStringLiteral("-20.0"), QStringLiteral("10.0")};
}  // namespace

EqBandTableRow::EqBandTableRow(const EqBandTableOptions& options, int firstControlId,
                               QWidget* parent)
    : QWidget(parent),
      number_(new QLabel(this)),
      frequency_(MakeBox(firstControlId, ScaleType::kFrequency, this)),
      frequencySpin_(new CSpinButtons(*frequency_, this)),
      bandwidth_(MakeBox(firstControlId + 1, ScaleType::kQ, this)),
      bandwidthSpin_(new CSpinButtons(*bandwidth_, this)),
      slope_(new QComboBox(this)),
      gain_(MakeBox(firstControlId + 2, ScaleType::kLinear, this)),
      gainSpin_(new CSpinButtons(*gain_, this)),
      kind_(new QComboBox(this)),
      bypass_(new QCheckBox(this)) {
    frequency_->SetRange(kLowestBandFrequency, kHighestBandFrequency);
    frequencySpin_->SetFrequencyMode(true);
    bandwidth_->SetRange(0, kHighestBandwidthIndex);
    gain_->SetStep(kGainStep);
    gain_->SetOffset(kGainOffset);
    gain_->SetRange(0, kHighestGainIndex);
    // The shelf slopes read the same in both languages.
    slope_->addItems({QStringLiteral("6dB"), QStringLiteral("12dB")});
    for (int i = 0; i < 3; ++i) {
        kind_->addItem(QString());
    }
    kind_->setEnabled(options.kindEditable);
    number_->setAlignment(Qt::AlignCenter);
    MeasureColumns(options);

    frequencyColumn_ = MakeColumn({frequency_, frequencySpin_}, this);
    qualityColumn_ = MakeColumn({bandwidth_, bandwidthSpin_, slope_}, this);
    gainColumn_ = MakeColumn({gain_, gainSpin_}, this);
    bypassColumn_ = MakeColumn({bypass_}, this, Qt::AlignCenter);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kEqBandColumnGap);
    for (QWidget* column : {static_cast<QWidget*>(number_), frequencyColumn_, qualityColumn_,
                            gainColumn_, static_cast<QWidget*>(kind_), bypassColumn_}) {
        layout->addWidget(column);
    }
    layout->addStretch();
    SetColumnWidths(natural_);

    connect(frequency_, &CNumEdit::Committed, this,
            [this] { emit Edited(BandEditKind::Frequency); });
    connect(bandwidth_, &CNumEdit::Committed, this,
            [this] { emit Edited(BandEditKind::Bandwidth); });
    connect(gain_, &CNumEdit::Committed, this, [this] { emit Edited(BandEditKind::Gain); });
    connect(slope_, &QComboBox::activated, this, [this] { emit Edited(BandEditKind::Slope); });
    connect(kind_, &QComboBox::activated, this, [this] { emit Edited(BandEditKind::Type); });
    connect(bypass_, &QCheckBox::clicked, this, [this] { emit Edited(BandEditKind::Bypass); });
    Relabel(Language::Chinese, options);
}

void EqBandTableRow::MeasureColumns(const EqBandTableOptions& options) {
    constexpr int kInnerGap = 2;
    FitEditBox(*frequency_, kWidestFrequencies);
    FitEditBox(*bandwidth_, kWidestQualities);
    FitEditBox(*gain_, kWidestGains);
    const int arrows = frequencySpin_->sizeHint().width();
    natural_.number = LabelWidthFor(*number_, {QStringLiteral("16")});
    natural_.frequency = frequency_->width() + kInnerGap + arrows;
    natural_.quality = bandwidth_->width() + kInnerGap + arrows;
    natural_.gain = gain_->width() + kInnerGap + arrows;
    QStringList kinds;
    for (const BilingualText& text : options.kindTexts) {
        kinds << Text(text.english) << Text(text.chinese);
    }
    FitDropDown(*kind_, kinds);
    natural_.kind = kind_->width();
    QCheckBox probe;
    probe.setFont(bypass_->font());
    int bypass = 0;
    for (const std::string_view text : {options.bypassText.english, options.bypassText.chinese}) {
        probe.setText(Text(text));
        bypass = std::max(bypass, probe.sizeHint().width());
    }
    natural_.bypass = bypass;
}

void EqBandTableRow::SetColumnWidths(const EqBandColumnWidths& widths) {
    number_->setFixedWidth(std::max(widths.number, natural_.number));
    frequencyColumn_->setFixedWidth(std::max(widths.frequency, natural_.frequency));
    const int quality = std::max(widths.quality, natural_.quality);
    qualityColumn_->setFixedWidth(quality);
    // The drop-down fills the Q column, so a shelf row's slope stands where
    // a peaking row's Q does.
    slope_->setFixedWidth(quality);
    gainColumn_->setFixedWidth(std::max(widths.gain, natural_.gain));
    kind_->setFixedWidth(std::max(widths.kind, natural_.kind));
    bypassColumn_->setFixedWidth(std::max(widths.bypass, natural_.bypass));
}

void EqBandTableRow::ShowBand(const CFilter& band, int bandNumber, bool rangeFollowsKind) {
    number_->setText(QString::number(bandNumber));
    const int kind = band.GetType();
    SetFrequencyRange(kind, rangeFollowsKind);
    shownKind_ = kind;
    kind_->setCurrentIndex(kind >= 0 && kind < kind_->count() ? kind : -1);
    shownSlope_ = band.GetSlope();
    slope_->setCurrentIndex(shownSlope_ >= 0 && shownSlope_ < slope_->count() ? shownSlope_ : -1);
    ShowKindControls(rangeFollowsKind ? kind : ElementType::kPeaking);
    ShowFrequencyBandwidthGainBypass(band);
}

void EqBandTableRow::ShowFrequencyBandwidthGainBypass(const CFilter& band) {
    shownFrequency_ = band.GetFrequency();
    frequency_->ShowHeldValue(shownFrequency_);
    shownBandwidth_ = band.GetBandwidthIndex();
    bandwidth_->ShowHeldValue(shownBandwidth_);
    ShowGainAndBypass(band);
}

void EqBandTableRow::ShowGainAndBypass(const CFilter& band) {
    shownGain_ = band.GetGainIndex();
    gain_->ShowHeldValue(shownGain_);
    shownBypass_ = band.GetBypassState() != 0 ? 1 : 0;
    bypass_->setChecked(shownBypass_ != 0);
}

void EqBandTableRow::SetHighlighted(bool highlighted) {
    highlighted_ = highlighted;
    number_->setStyleSheet(highlighted
                               ? QStringLiteral("background: rgb(255, 200, 0); font-weight: bold;")
                               : QString());
}

void EqBandTableRow::Relabel(Language language, const EqBandTableOptions& options) {
    for (int i = 0; i < kind_->count(); ++i) {
        kind_->setItemText(i, Text(options.kindTexts.at(static_cast<size_t>(i)).In(language)));
    }
    bypass_->setText(Text(options.bypassText.In(language)));
    for (CNumEdit* box : {frequency_, bandwidth_, gain_}) {
        box->SetLanguage(language);
    }
}

int EqBandTableRow::EditedValue(BandEditKind kind) {
    switch (kind) {
        case BandEditKind::Type:
            return kind_->currentIndex();
        case BandEditKind::Slope:
            return slope_->currentIndex();
        case BandEditKind::Frequency:
            return frequency_->GetValue();
        case BandEditKind::Bandwidth:
            return bandwidth_->GetValue();
        case BandEditKind::Gain:
            return gain_->GetValue();
        case BandEditKind::Bypass:
            return bypass_->isChecked() ? 1 : 0;
    }
    return 0;
}

int EqBandTableRow::ShownValue(BandEditKind kind) const {
    switch (kind) {
        case BandEditKind::Type:
            return shownKind_;
        case BandEditKind::Slope:
            return shownSlope_;
        case BandEditKind::Frequency:
            return shownFrequency_;
        case BandEditKind::Bandwidth:
            return shownBandwidth_;
        case BandEditKind::Gain:
            return shownGain_;
        case BandEditKind::Bypass:
            return shownBypass_;
    }
    return 0;
}

void EqBandTableRow::ShowKindControls(int kind) {
    const bool shelf = kind == ElementType::kLowShelf || kind == ElementType::kHighShelf;
    bandwidth_->setVisible(!shelf);
    bandwidthSpin_->setVisible(!shelf);
    slope_->setVisible(shelf);
}

void EqBandTableRow::SetFrequencyRange(int kind, bool rangeFollowsKind) {
    const FrequencyRange range =
        BandFrequencyRange(rangeFollowsKind ? kind : ElementType::kPeaking);
    frequency_->SetRange(range.lowest, range.highest);
}
