// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ConnectionIndicators.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace {
const QColor kOnline(40, 170, 70);
const QColor kOffline(150, 155, 165);
constexpr QSize kButtonPicture(96, 28);
constexpr int kLampSize = 18;
constexpr BilingualText kButtonWord{"ONLINE", "联机"};

QPixmap ButtonPicture(bool connected, Language language) {
    QPixmap picture(kButtonPicture);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(connected ? kOnline : kOffline);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(picture.rect().adjusted(1, 1, -1, -1), 6, 6);
    painter.setPen(Qt::white);
    const std::string_view word = kButtonWord.In(language);
    painter.drawText(picture.rect(), Qt::AlignCenter,
                     QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size())));
    return picture;
}

QPixmap LampPicture(bool connected) {
    QPixmap picture(kLampSize, kLampSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(connected ? kOnline : QColor(200, 40, 40));
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.drawEllipse(picture.rect().adjusted(1, 1, -1, -1));
    return picture;
}
}  // namespace

ConnectionIndicators::ConnectionIndicators(QWidget* parent)
    : QWidget(parent), button_(new QPushButton(this)), lamp_(new QLabel(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    button_->setIconSize(kButtonPicture);
    button_->setFlat(true);
    layout->addWidget(button_);
    layout->addWidget(lamp_);
    connect(button_, &QPushButton::clicked, this, &ConnectionIndicators::ConnectPressed);
    Show(false, Language::Chinese);
}

void ConnectionIndicators::Show(bool connected, Language language) {
    connected_ = connected;
    button_->setIcon(QIcon(ButtonPicture(connected, language)));
    lamp_->setPixmap(LampPicture(connected));
}
