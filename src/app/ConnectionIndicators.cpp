// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ConnectionIndicators.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "app/KeyboardShortcuts.h"
#include "app/ShellTexts.h"

namespace {
const QColor kOnline(40, 170, 70);
const QColor kOffline(150, 155, 165);
constexpr QSize kButtonSize(96, 28);
constexpr int kLampSize = 18;
constexpr BilingualText kConnectWord{"Connect", "联机"};
constexpr BilingualText kDisconnectWord{"Disconnect", "断开"};

QString ButtonStyle(bool connected) {
    return QStringLiteral(
               "QPushButton { background: %1; color: white; border: none;"
               " border-radius: 6px; font-weight: bold; }"
               " QPushButton:focus { border: 2px solid rgb(255, 210, 0); }")
        .arg((connected ? kOnline : kOffline).name());
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
    button_->setMinimumSize(kButtonSize);
    layout->addWidget(button_);
    layout->addWidget(lamp_);
    connect(button_, &QPushButton::clicked, this, &ConnectionIndicators::ConnectPressed);
    Show(false, Language::Chinese);
}

void ConnectionIndicators::Show(bool linkUp, Language language, bool linkOpen) {
    connected_ = linkUp;
    const QString word = Tr(linkOpen ? kDisconnectWord : kConnectWord, language);
    button_->setText(word);
    button_->setAccessibleName(word);
    button_->setToolTip(WithShortcut(word, Shortcut::Connection()));
    button_->setStyleSheet(ButtonStyle(linkUp));
    lamp_->setPixmap(LampPicture(linkUp));
}
