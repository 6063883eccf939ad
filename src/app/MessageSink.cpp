// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MessageSink.h"

#include <QMessageBox>
#include <QPushButton>

#include "app/ShellTexts.h"

namespace {
constexpr BilingualText kOk{"OK", "确定"};
constexpr BilingualText kCancel{"Cancel", "取消"};
constexpr BilingualText kSave{"Save...", "保存..."};
constexpr BilingualText kDiscard{"Discard changes", "放弃修改"};
constexpr BilingualText kTakeDevice{"Take the processor's program", "采用处理器的程序"};
constexpr BilingualText kKeepEditor{"Keep the editor's program", "保留编辑器的程序"};
constexpr BilingualText kStayOffline{"Stay offline", "保持脱机"};
}  // namespace

QString MessageBoxSink::Caption(const BilingualText& text) const {
    return Tr(text, language_ != nullptr ? *language_ : Language::English);
}

void MessageBoxSink::Show(const QString& text) {
    QMessageBox::information(parent_, QString::fromUtf8(kAppTitle), text, QMessageBox::Ok);
}

void MessageBoxSink::ShowFailure(const QString& text) {
    QMessageBox::critical(parent_, QString::fromUtf8(kAppTitle), text, QMessageBox::Ok);
}

bool MessageBoxSink::Confirm(const QString& text) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kAppTitle), text,
                    QMessageBox::NoButton, parent_);
    QPushButton* ok = box.addButton(Caption(kOk), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(Caption(kCancel), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == ok;
}

UnsavedChoice MessageBoxSink::AskAboutUnsavedWork(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kAppTitle), text, QMessageBox::NoButton,
                    parent_);
    QPushButton* save = box.addButton(Caption(kSave), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(Caption(kDiscard), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(Caption(kCancel), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) {
        return UnsavedChoice::Save;
    }
    return box.clickedButton() == discard ? UnsavedChoice::Discard : UnsavedChoice::Cancel;
}

ConnectChoice MessageBoxSink::AskOnConnect(const QString& text) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kAppTitle), text,
                    QMessageBox::NoButton, parent_);
    // Taking the processor's program is what connecting has always done.
    QPushButton* take = box.addButton(Caption(kTakeDevice), QMessageBox::AcceptRole);
    QPushButton* keep = box.addButton(Caption(kKeepEditor), QMessageBox::ActionRole);
    QPushButton* offline = box.addButton(Caption(kStayOffline), QMessageBox::RejectRole);
    box.setDefaultButton(take);
    box.setEscapeButton(offline);
    box.exec();
    if (box.clickedButton() == keep) {
        return ConnectChoice::KeepEditorProgram;
    }
    return box.clickedButton() == take ? ConnectChoice::TakeDeviceProgram
                                       : ConnectChoice::StayOffline;
}
