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
#include "app/dialogs/ConnectTexts.h"
#include "app/widgets/FocusedButton.h"
#include "links/ConnectionManager.h"
#include "links/SerialPortEnumeration.h"

namespace {
const QColor kBackground(229, 235, 245);
const QColor kProblemText(160, 0, 0);
// Four decimal octets 0..255; the field holds nothing else.
const QRegularExpression kDottedQuad(
    QStringLiteral("^((25[0-5]|2[0-4]\\d|1\\d\\d|[1-9]?\\d)\\.){3}"
                   "(25[0-5]|2[0-4]\\d|1\\d\\d|[1-9]?\\d)$"));
const QRegularExpression kDottedQuadWhileTyping(QStringLiteral("^[0-9.]{0,15}$"));
constexpr int kHighestTcpPort = 65535;
constexpr int kOtherRole = Qt::UserRole + 1;

QPushButton* PlainButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    // Enter is the dialog's own: it opens the link being edited.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QString PortEntryText(const SerialPortRecord& port, Language language) {
    QString text = QString::fromStdString(port.displayName);
    if (!port.description.empty() && port.description != port.displayName) {
        text += QStringLiteral(" - ") + QString::fromStdString(port.description);
    }
    if (port.usbBridge == 1) {
        text += QStringLiteral(" [") + Tr(ConnectText::kBridgeMark, language) + QStringLiteral("]");
    }
    return text;
}
}  // namespace

ConnectDialog::ConnectDialog(ConnectionManager& manager, PortInfoSource& ports, Language language,
                             QWidget* parent)
    : QDialog(parent),
      manager_(manager),
      language_(language),
      address_(new QLineEdit(this)),
      port_(new QLineEdit(this)),
      serialPorts_(new QComboBox(this)),
      serialPath_(new QLineEdit(this)),
      serialButton_(PlainButton(Tr(ConnectText::kSerial, language), this)),
      usbButton_(PlainButton(QStringLiteral("USB"), this)),
      networkButton_(PlainButton(Tr(ShellText::kNetwork, language), this)),
      cancelButton_(PlainButton(Tr(ShellText::kCancel, language), this)),
      pathLabel_(new QLabel(Tr(ConnectText::kPath, language), this)),
      problem_(new QLabel(this)) {
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
    problem_->setWordWrap(true);
    QPalette problemColours = problem_->palette();
    problemColours.setColor(QPalette::WindowText, kProblemText);
    problem_->setPalette(problemColours);
    problem_->hide();

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("IP"), this), 0, 0);
    layout->addWidget(address_, 0, 1);
    layout->addWidget(networkButton_, 0, 2);
    layout->addWidget(new QLabel(Tr(ShellText::kPort, language), this), 1, 0);
    layout->addWidget(port_, 1, 1);
    layout->addWidget(new QLabel(Tr(ConnectText::kSerialPort, language), this), 2, 0);
    layout->addWidget(serialPorts_, 2, 1);
    layout->addWidget(serialButton_, 2, 2);
    layout->addWidget(pathLabel_, 3, 0);
    layout->addWidget(serialPath_, 3, 1);
    layout->addWidget(usbButton_, 4, 2);
    layout->addWidget(problem_, 5, 0, 1, 3);
    layout->addWidget(cancelButton_, 6, 2);
    layout->setColumnStretch(1, 1);
    layout->setColumnMinimumWidth(1, 320);

    FillSerialPorts(ports);
    ShowPathFieldForSelection();
    connect(serialPorts_, &QComboBox::currentIndexChanged, this,
            &ConnectDialog::ShowPathFieldForSelection);

    // Typing in a link's fields makes Enter open that link.
    connect(address_, &QLineEdit::textEdited, this, [this] { edited_ = LinkKind::Network; });
    connect(port_, &QLineEdit::textEdited, this, [this] { edited_ = LinkKind::Network; });
    connect(serialPorts_, &QComboBox::activated, this, [this] { edited_ = LinkKind::Serial; });
    connect(serialPath_, &QLineEdit::textEdited, this, [this] { edited_ = LinkKind::Serial; });
    connect(serialButton_, &QPushButton::clicked, this, &ConnectDialog::ChooseSerial);
    connect(usbButton_, &QPushButton::clicked, this, &ConnectDialog::ChooseUsb);
    connect(networkButton_, &QPushButton::clicked, this, &ConnectDialog::ChooseNetwork);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void ConnectDialog::FillSerialPorts(PortInfoSource& ports) {
    const ConnectPortChoice choice = manager_.FillPortList(ports);
    for (const SerialPortRecord& port : choice.ports) {
        serialPorts_->addItem(PortEntryText(port, language_),
                              QString::fromStdString(port.displayName));
    }
    serialPorts_->addItem(Tr(ConnectText::kOther, language_));
    serialPorts_->setItemData(serialPorts_->count() - 1, true, kOtherRole);
    serialPath_->setText(QString::fromStdString(choice.otherPath));
    serialPorts_->setCurrentIndex(choice.selected == ConnectPortChoice::kOtherPort
                                      ? serialPorts_->count() - 1
                                      : choice.selected);
}

void ConnectDialog::ShowPathFieldForSelection() {
    const bool other = serialPorts_->currentData(kOtherRole).toBool();
    serialPath_->setVisible(other);
    pathLabel_->setVisible(other);
}

void ConnectDialog::Refuse(const BilingualText& why, QWidget* field) {
    problem_->setText(Tr(why, language_));
    problem_->show();
    field->setFocus();
}

void ConnectDialog::ChooseSerial() {
    const bool other = serialPorts_->currentData(kOtherRole).toBool();
    const QString name =
        (other ? serialPath_->text() : serialPorts_->currentData().toString()).trimmed();
    if (name.isEmpty()) {
        Refuse(ConnectText::kNoSerialPort,
               other ? static_cast<QWidget*>(serialPath_) : static_cast<QWidget*>(serialPorts_));
        return;
    }
    ConnectionSettings& settings = manager_.Settings();
    settings.serialPortName = name.toStdString();
    settings.linkKind = LinkKind::Serial;
    accept();
}

void ConnectDialog::ChooseUsb() {
    manager_.Settings().linkKind = LinkKind::Usb;
    accept();
}

void ConnectDialog::ChooseNetwork() {
    const QString address = address_->text().trimmed();
    if (!kDottedQuad.match(address).hasMatch()) {
        Refuse(ConnectText::kBadAddress, address_);
        return;
    }
    bool portRead = false;
    const int port = port_->text().toInt(&portRead);
    if (!portRead || port < 1 || port > kHighestTcpPort) {
        Refuse(ConnectText::kBadPort, port_);
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
        // A button the user tabbed to is the one Enter presses, as everywhere
        // else in the editor; the edited link is only the guess for the fields.
        if (PressFocusedButton(*this)) {
            return;
        }
        const LinkKind link = edited_ != LinkKind::None ? edited_ : manager_.Settings().linkKind;
        switch (link) {
            case LinkKind::Network:
                ChooseNetwork();
                break;
            case LinkKind::Usb:
                ChooseUsb();
                break;
            default:
                ChooseSerial();
                break;
        }
        return;
    }
    QDialog::keyPressEvent(event);
}
