// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/ConnectDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "app/ShellTexts.h"
#include "links/ConnectionManager.h"
#include "links/SerialPortEnumeration.h"

namespace {
const QColor kBackground(229, 235, 245);
// Four decimal octets 0..255; the field holds nothing else.
const QRegularExpression kDottedQuad(
    QStringLiteral("^((25[0-5]|2[0-4]\\d|1\\d\\d|[1-9]?\\d)\\.){3}"
                   "(25[0-5]|2[0-4]\\d|1\\d\\d|[1-9]?\\d)$"));
const QRegularExpression kDottedQuadWhileTyping(QStringLiteral("^[0-9.]{0,15}$"));

QPushButton* PlainButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    // Enter is the dialog's own: it opens the link chosen last.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}
}  // namespace

ConnectDialog::ConnectDialog(ConnectionManager& manager, PortInfoSource& ports, Language language,
                             QWidget* parent)
    : QDialog(parent),
      manager_(manager),
      address_(new QLineEdit(this)),
      port_(new QLineEdit(this)),
      serialPorts_(new QComboBox(this)),
      usbButton_(PlainButton(QStringLiteral("USB"), this)),
      networkButton_(PlainButton(Tr(ShellText::kNetwork, language), this)),
      cancelButton_(PlainButton(Tr(ShellText::kCancel, language), this)) {
    setWindowTitle(Tr(ShellText::kConnecting, language));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kBackground);
    setPalette(colours);

    const ConnectionSettings& settings = manager_.Settings();
    address_->setValidator(new QRegularExpressionValidator(kDottedQuadWhileTyping, address_));
    address_->setText(QString::fromStdString(settings.deviceAddress));
    port_->setValidator(new QIntValidator(0, kHighestPortEntry, port_));
    port_->setText(QString::number(settings.tcpPort));

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("IP"), this), 0, 0);
    layout->addWidget(address_, 0, 1);
    layout->addWidget(new QLabel(Tr(ShellText::kPort, language), this), 1, 0);
    layout->addWidget(port_, 1, 1);
    layout->addWidget(networkButton_, 0, 2);
    layout->addWidget(usbButton_, 1, 2);
    layout->addWidget(cancelButton_, 2, 2);
    layout->addWidget(serialPorts_, 2, 0, 1, 2);
    serialPorts_->hide();

    FillSerialPorts(ports);
    connect(serialPorts_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        manager_.Settings().serialPortName = text.toStdString();
    });
    connect(usbButton_, &QPushButton::clicked, this, &ConnectDialog::ChooseUsb);
    connect(networkButton_, &QPushButton::clicked, this, &ConnectDialog::ChooseNetwork);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void ConnectDialog::FillSerialPorts(PortInfoSource& ports) {
    const ConnectPortChoice choice = manager_.FillPortList(ports);
    for (const std::string& entry : choice.entries) {
        serialPorts_->addItem(QString::fromStdString(entry));
    }
    serialPorts_->setCurrentIndex(choice.selected);
}

void ConnectDialog::ChooseUsb() {
    manager_.Settings().linkKind = LinkKind::Usb;
    accept();
}

void ConnectDialog::ChooseNetwork() {
    // An address that is not four octets would reach nothing sensible; the
    // dialog stays open with the settings untouched.
    const QString address = address_->text().trimmed();
    bool portRead = false;
    const int port = port_->text().toInt(&portRead);
    if (!kDottedQuad.match(address).hasMatch() || !portRead || port < 0) {
        address_->setFocus();
        return;
    }
    ConnectionSettings& settings = manager_.Settings();
    settings.deviceAddress = address.toStdString();
    settings.tcpPort = port;
    settings.linkKind = LinkKind::Network;
    accept();
}

void ConnectDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
