// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/SpinButtons.h"

#include <QKeyEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "app/widgets/NumEdit.h"
#include "controls/KitArrowButton.h"

CSpinButtons::CSpinButtons(CNumEdit& field, QWidget* parent)
    : QWidget(parent),
      field_(field),
      upButton_(new KitArrowButton(KitArrowButton::Direction::Up, this)),
      downButton_(new KitArrowButton(KitArrowButton::Direction::Down, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // As tall as the box beside it, never stretched by a taller row.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    layout->addWidget(upButton_);
    layout->addWidget(downButton_);
    connect(upButton_, &QAbstractButton::clicked, this, &CSpinButtons::StepUp);
    connect(downButton_, &QAbstractButton::clicked, this, &CSpinButtons::StepDown);
    field_.installEventFilter(this);
}

void CSpinButtons::SetClickStep(int32_t step) {
    clickStep_ = std::max<int32_t>(step, 1);
}

void CSpinButtons::SetPosition(int32_t code) {
    if (code < field_.MinCode() || code > field_.MaxCode()) {
        const std::string_view text = kSpinPositionMessage.In(field_.CurrentLanguage());
        field_.ShowMessage(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        return;
    }
    field_.SetValue(code);
}

void CSpinButtons::StepUp() {
    field_.Spin(clickStep_, SpinDirection::Up, frequencyMode_);
}

void CSpinButtons::StepDown() {
    field_.Spin(clickStep_, SpinDirection::Down, frequencyMode_);
}

bool CSpinButtons::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &field_ || event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier) {
        return false;
    }
    switch (key->key()) {
        case Qt::Key_Up:
            field_.Spin(clickStep_, SpinDirection::Up, frequencyMode_);
            return true;
        case Qt::Key_Down:
            field_.Spin(clickStep_, SpinDirection::Down, frequencyMode_);
            return true;
        case Qt::Key_PageUp:
            field_.Spin(clickStep_ * kPageClicks, SpinDirection::Up, frequencyMode_);
            return true;
        case Qt::Key_PageDown:
            field_.Spin(clickStep_ * kPageClicks, SpinDirection::Down, frequencyMode_);
            return true;
        default:
            return false;
    }
}
