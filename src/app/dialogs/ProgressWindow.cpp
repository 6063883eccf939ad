// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/ProgressWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "app/ShellTexts.h"

namespace {
const QColor kBackground(229, 236, 245);
const QColor kRed(255, 0, 0);
const QColor kNavy(0, 0, 128);
constexpr int kScreenX = 300;
constexpr int kScreenY = 200;
constexpr int kWidth = 260;
constexpr int kHeight = 80;
}  // namespace

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      label_(new QLabel(this)) {
    setModal(false);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kBackground);
    setPalette(colours);
    auto* layout = new QVBoxLayout(this);
    label_->setAlignment(Qt::AlignCenter);
    QFont font = label_->font();
    font.setBold(true);
    font.setPointSize(font.pointSize() + 4);
    label_->setFont(font);
    layout->addWidget(label_);
    resize(kWidth, kHeight);
    blinkTimer_.setInterval(kBlinkIntervalMs);
    connect(&blinkTimer_, &QTimer::timeout, this, &ProgressWindow::Tick);
    Relabel(Language::Chinese);
}

void ProgressWindow::Relabel(Language language) {
    setWindowTitle(Tr(ShellText::kTransmitting, language));
    label_->setText(Tr(ShellText::kTransmitting, language));
}

void ProgressWindow::Start(std::function<bool()> transferActive) {
    transferActive_ = std::move(transferActive);
    blinkTimer_.start();
    if (!isVisible()) {
        move(kScreenX, kScreenY);
        show();
    }
}

void ProgressWindow::Tick() {
    if (!transferActive_ || !transferActive_()) {
        blinkTimer_.stop();
        hide();
        return;
    }
    QPalette colours = label_->palette();
    colours.setColor(QPalette::WindowText, blinkRed_ ? kRed : kNavy);
    label_->setPalette(colours);
    blinkRed_ = !blinkRed_;
}

QColor ProgressWindow::LabelColour() const {
    return label_->palette().color(QPalette::WindowText);
}

QString ProgressWindow::LabelText() const {
    return label_->text();
}

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    // Only the user's close is refused; the editor's own shut-down still closes it.
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
