// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/OutputLevelLimiter.h"

#include <QGridLayout>
#include <QLabel>

#include "app/ShellTexts.h"
#include "app/pages/OutputLevelRules.h"
#include "app/pages/OutputLevelTexts.h"
#include "app/widgets/FieldSizing.h"
#include "app/widgets/NumEdit.h"
#include "app/widgets/SpinButtons.h"

namespace {
enum ControlId { kThresholdId = 1, kAttackId, kReleaseId };

constexpr int kLongestReleaseText = 32;
}  // namespace

OutputLevelLimiter::OutputLevelLimiter(MessageFunction showMessage, QWidget* parent)
    : QGroupBox(parent),
      thresholdCaption_(new QLabel(this)),
      attackCaption_(new QLabel(this)),
      releaseCaption_(new QLabel(this)),
      thresholdBox_(new CNumEdit(kThresholdId, this)),
      attackBox_(new CNumEdit(kAttackId, this)),
      releaseBox_(new CNumEdit(kReleaseId, this)),
      thresholdArrows_(new CSpinButtons(*thresholdBox_, this)),
      attackArrows_(new CSpinButtons(*attackBox_, this)),
      releaseArrows_(new CSpinButtons(*releaseBox_, this)) {
    thresholdBox_->SetRange(0, kMaxThresholdCode);
    thresholdBox_->SetStep(kThresholdStep);
    thresholdBox_->SetOffset(kThresholdOffset);
    thresholdBox_->SetScaleType(ScaleType::kLinearDecibels);
    attackBox_->SetRange(0, kMaxAttackCode);
    attackBox_->SetScaleType(ScaleType::kLimiterAttack);
    releaseBox_->SetRange(0, kMaxReleaseCode);
    releaseBox_->SetScaleType(ScaleType::kPlain);
    // The typing limit would cut the release text ("32X(16.0ms)" is 11
    // characters) and no one types here.
    releaseBox_->setMaxLength(kLongestReleaseText);
    // Only the arrows change the release; a box that never holds the focus
    // never commits text of its own.
    releaseBox_->setReadOnly(true);
    releaseBox_->setFocusPolicy(Qt::NoFocus);
    for (CNumEdit* box : {thresholdBox_, attackBox_, releaseBox_}) {
        box->SetMessageSink(showMessage);
    }

    // One width for the three, that of the longest release text (a multiple
    // of the longest attack), so that their arrows stand in one column.
    FitEditBox(*releaseBox_, {QStringLiteral("32X(3200ms)"), QStringLiteral("32X(30.0ms)")});
    for (CNumEdit* box : {thresholdBox_, attackBox_, releaseBox_}) {
        box->setAlignment(Qt::AlignRight);
        box->setFixedWidth(releaseBox_->width());
    }
    setFlat(true);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->setColumnStretch(3, 1);
    const auto addRow = [layout](int row, QLabel* caption, CNumEdit* box, CSpinButtons* arrows) {
        layout->addWidget(caption, row, 0);
        layout->addWidget(box, row, 1);
        layout->addWidget(arrows, row, 2);
    };
    addRow(0, thresholdCaption_, thresholdBox_, thresholdArrows_);
    addRow(1, attackCaption_, attackBox_, attackArrows_);
    addRow(2, releaseCaption_, releaseBox_, releaseArrows_);

    connect(thresholdBox_, &CNumEdit::Committed, this,
            [this] { emit ThresholdChanged(thresholdBox_->GetValue()); });
    connect(attackBox_, &CNumEdit::Committed, this, [this] {
        attackCode_ = attackBox_->GetValue();
        emit AttackChanged(attackCode_);
        ShowReleaseText();
    });
    connect(releaseBox_, &CNumEdit::Committed, this, [this] {
        emit ReleaseChanged(releaseBox_->GetValue());
        ShowReleaseText();
    });
    Show(0, 0, 0);
}

void OutputLevelLimiter::Show(int32_t threshold, int32_t attack, int32_t release) {
    // The boxes name what the output holds, even a code outside their range
    // (marked): neither the previous output's value nor the nearest limit.
    // A release time cannot be given for such a code, so its text is empty.
    thresholdBox_->ShowHeldValue(threshold);
    attackCode_ = attack;
    attackBox_->ShowHeldValue(attackCode_);
    releaseBox_->ShowHeldValue(release);
    ShowReleaseText();
}

void OutputLevelLimiter::Relabel(Language language) {
    setTitle(Tr(kLimiterCaption, language));
    thresholdCaption_->setText(Tr(kThresholdCaption, language));
    attackCaption_->setText(Tr(kAttackCaption, language));
    releaseCaption_->setText(Tr(kReleaseCaption, language));
    for (CNumEdit* box : {thresholdBox_, attackBox_, releaseBox_}) {
        box->SetLanguage(language);
    }
}

void OutputLevelLimiter::ShowReleaseText() {
    releaseBox_->SetPlainText(
        QString::fromStdString(LimiterReleaseText(attackCode_, releaseBox_->GetValue())));
}
