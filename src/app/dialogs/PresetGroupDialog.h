// SPDX-License-Identifier: GPL-3.0-or-later
// The preset-group dialog: a list of the device's preset groups with a name
// field and one action, "Call" (all groups: recall one into the device's
// current program) or "Save" (user groups: store the device's current
// program into one under the typed name). Its texts follow the language the
// interface had when it opened.
//
// Names are typed in Unicode and stored as the device keeps them, in GBK: a
// character GBK cannot hold is refused with a message naming it, and a name
// saved unchanged goes back to the device byte for byte.
//
// The constraint: the dialog closes before its message is shown, and only an
// action that reached the transfers closes it; Enter and Escape never do.
#pragma once

#include <QDialog>

#include "app/dialogs/PresetGroupRows.h"

class DialogServices;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class PresetGroupDialog : public QDialog {
    Q_OBJECT
  public:
    PresetGroupDialog(PresetGroupMode mode, DialogServices& services, QWidget* parent = nullptr);

    void Call();
    void Save();

    QTableWidget* GroupList() const { return list_; }
    QLabel* GroupLabel() const { return label_; }
    QLineEdit* NameField() const { return nameField_; }
    QPushButton* CallButton() const { return callButton_; }
    QPushButton* SaveButton() const { return saveButton_; }

    static constexpr int kNumberColumnWidth = 60;
    static constexpr int kNameColumnWidth = 280;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FillList();
    void FitListToRows();
    void ShowSelectedRow();
    // The selected row, or -1.
    int SelectedRow() const;
    // The selected row's shown number; selects the first row when none is.
    int SelectedNumber();
    // True when a link is open; otherwise the not-connected message is shown.
    bool CheckConnected();
    // Closes the dialog, then shows `message`.

    const PresetGroupMode mode_;
    DialogServices& services_;
    const Language language_;
    std::vector<int> numbers_;
    QTableWidget* list_;
    QLabel* label_;
    QLineEdit* nameField_;
    QPushButton* callButton_;
    QPushButton* saveButton_;
    // The selected row's name as shown, before the user changed it.
    QString shownName_;
};
