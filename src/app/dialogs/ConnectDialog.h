// SPDX-License-Identifier: GPL-3.0-or-later
// The Connect dialog: the network link (address and port), the serial link
// (every serial port, the device's USB-to-UART bridges first and marked, or a
// typed path under "Other..."), or USB. Enter opens the link whose fields the
// user was editing, or the one chosen last when nothing was edited.
//
// The constraint: the dialog changes the connection settings only when it
// closes with a link chosen; Cancel, and any choice it refuses (an address
// that is not four octets, a port TCP cannot have, no serial port at all),
// leave them as they were and say why in the dialog. Nothing here connects.
#pragma once

#include <QDialog>

#include "curves/BilingualText.h"
#include "links/LinkKind.h"

class ConnectionManager;
class PortInfoSource;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class ConnectDialog : public QDialog {
    Q_OBJECT
  public:
    ConnectDialog(ConnectionManager& manager, PortInfoSource& ports, Language language,
                  QWidget* parent = nullptr);

    QLineEdit* AddressField() const { return address_; }
    QLineEdit* PortField() const { return port_; }
    QComboBox* SerialPortList() const { return serialPorts_; }
    // The typed path, shown while "Other..." is selected.
    QLineEdit* SerialPathField() const { return serialPath_; }
    QPushButton* SerialButton() const { return serialButton_; }
    QPushButton* UsbButton() const { return usbButton_; }
    QPushButton* NetworkButton() const { return networkButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }
    // Why the last choice was refused; hidden while there is nothing to say.
    QLabel* ProblemLabel() const { return problem_; }

    // Highest value the port field takes; the dialog refuses what TCP cannot have.
    static constexpr int kHighestPortEntry = 2147483647;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void FillSerialPorts(PortInfoSource& ports);
    void ShowPathFieldForSelection();
    void ChooseSerial();
    void ChooseUsb();
    void ChooseNetwork();
    void Refuse(const BilingualText& why, QWidget* field);

    ConnectionManager& manager_;
    Language language_;
    // The link whose fields were edited last; None until the user types or picks.
    LinkKind edited_ = LinkKind::None;
    QLineEdit* address_;
    QLineEdit* port_;
    QComboBox* serialPorts_;
    QLineEdit* serialPath_;
    QPushButton* serialButton_;
    QPushButton* usbButton_;
    QPushButton* networkButton_;
    QPushButton* cancelButton_;
    QLabel* pathLabel_;
    QLabel* problem_;
};
