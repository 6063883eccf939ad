// SPDX-License-Identifier: GPL-3.0-or-later
// The Connect dialog: choose USB or the network (with address and port), or
// press Enter to open the link chosen last, serial at first. The serial port
// list is filled from the port enumeration when the dialog opens but stays
// hidden; it only decides the serial port name.
//
// The constraint: the dialog changes the connection settings only through its
// buttons and the list; Cancel leaves them as they were. The address field
// starts with the stored address, which is the device's factory address until
// the user types another; nothing here connects.
#pragma once

#include <QDialog>

#include "curves/BilingualText.h"

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
    QPushButton* UsbButton() const { return usbButton_; }
    QPushButton* NetworkButton() const { return networkButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }

    // Highest value the port field takes; a port TCP cannot have fails at connect.
    static constexpr int kHighestPortEntry = 2147483647;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void FillSerialPorts(PortInfoSource& ports);
    void ChooseUsb();
    void ChooseNetwork();

    ConnectionManager& manager_;
    QLineEdit* address_;
    QLineEdit* port_;
    QComboBox* serialPorts_;
    QPushButton* usbButton_;
    QPushButton* networkButton_;
    QPushButton* cancelButton_;
};
