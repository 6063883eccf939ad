// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TransferTexts.h"

#include "app/ShellTexts.h"
#include "app/dialogs/PresetGroupTexts.h"

namespace {
constexpr int kFirstSystemSlot = 11;
constexpr int kLastSystemSlot = 20;

constexpr BilingualText kDeviceRead{"the read of the processor's names, settings and program",
                                    "读取处理器的组名、设置和程序"};
constexpr BilingualText kDeviceReadKeeping{
    "the read of the processor's names and settings and the download of the editor's program",
    "读取处理器的组名和设置并下载编辑器的程序"};
constexpr BilingualText kSystemRecall{"the recall of system group %1", "调用系统组%1"};
constexpr BilingualText kUserRecall{"the recall of user group %1", "调用第%1组用户数据"};
constexpr BilingualText kStore{"the store into user group %1", "保存第%1组用户数据"};
constexpr BilingualText kDownload{"the download of the program", "下载程序"};
constexpr BilingualText kEffectGroup{"the load of effect group %1", "调用第%1组效果"};
constexpr BilingualText kVolumes{"the volume settings", "音量设置"};

constexpr BilingualText kRefused{"The processor refused %1.", "处理器拒绝了%1。"};
constexpr BilingualText kGaveUp{"The processor did not answer %1.", "处理器没有应答%1。"};
constexpr BilingualText kLinkClosed{"The link closed before the processor answered %1.",
                                    "处理器应答%1之前连接已断开。"};

constexpr BilingualText kRecallQuestion{"Recall %1?", "调用%1?"};
constexpr BilingualText kSystemGroup{"system group %1", "系统组%1"};
constexpr BilingualText kUserGroup{"user group %1", "第%1组用户数据"};
constexpr BilingualText kRecallReplaces{
    "It replaces the processor's current program and the program in the editor.",
    "这会替换处理器的当前程序和编辑器中的程序。"};
constexpr BilingualText kEffectGroupQuestion{"Load effect group %1?", "调用第%1组效果?"};
constexpr BilingualText kEffectGroupReplaces{
    "It replaces the effect settings of the processor's current program and of the program in "
    "the editor.",
    "这会替换处理器当前程序和编辑器程序中的效果设置。"};
constexpr BilingualText kOpenQuestion{"Open another program file?", "打开另一个程序文件?"};
constexpr BilingualText kOpenReplaces{"It replaces the program in the editor.",
                                      "这会替换编辑器中的程序。"};
constexpr BilingualText kCloseQuestion{"Close the editor?", "关闭编辑器?"};
constexpr BilingualText kOtherSideB{
    "Side B of the comparison holds a program of its own, which is in no file and is lost on "
    "closing.\n\nClose the editor anyway?",
    "比较的 B 侧保存着另一个程序,它不在任何文件中,关闭后将丢失。\n\n仍要关闭编辑器吗?"};
constexpr BilingualText kOtherSideA{
    "Side A of the comparison holds a program of its own, which is in no file and is lost on "
    "closing.\n\nClose the editor anyway?",
    "比较的 A 侧保存着另一个程序,它不在任何文件中,关闭后将丢失。\n\n仍要关闭编辑器吗?"};
constexpr BilingualText kUnsaved{"The program in the editor has unsaved changes: save them first?",
                                 "编辑器中的程序有未保存的修改,要先保存吗?"};
constexpr BilingualText kConnectQuestion{
    "The program in the editor has changed since it was last opened, saved or read from the "
    "processor, and connecting reads the processor's program in its place.\n\nTake the "
    "processor's program, keep the editor's program and download it to the processor, or stay "
    "offline?",
    "编辑器中的程序自上次打开、保存或从处理器读取以来已修改,联机会读取处理器的程序来替换它。\n\n"
    "采用处理器的程序、保留编辑器的程序并下载到处理器,还是保持脱机?"};

bool IsSystemSlot(int slot) {
    return slot >= kFirstSystemSlot && slot <= kLastSystemSlot;
}

QString GroupOfSlot(int slot, Language language) {
    if (IsSystemSlot(slot)) {
        const BilingualText& name =
            PresetGroupText::kSystemGroupNames.at(static_cast<size_t>(slot - kFirstSystemSlot));
        return Tr(kSystemGroup, language).arg(Tr(name, language));
    }
    return Tr(kUserGroup, language).arg(slot);
}

QString Sentence(const ReplaceQuestion& question) {
    return question.replaces.isEmpty() ? question.question
                                       : question.question + QLatin1Char(' ') + question.replaces;
}
}  // namespace

QString TransferName(const TransferSubject& subject, Language language) {
    using Kind = TransferSubject::Kind;
    switch (subject.kind) {
        case Kind::DeviceRead:
            return Tr(kDeviceRead, language);
        case Kind::DeviceReadKeepingProgram:
            return Tr(kDeviceReadKeeping, language);
        case Kind::Recall:
            if (IsSystemSlot(subject.number)) {
                const BilingualText& name = PresetGroupText::kSystemGroupNames.at(
                    static_cast<size_t>(subject.number - kFirstSystemSlot));
                return Tr(kSystemRecall, language).arg(Tr(name, language));
            }
            return Tr(kUserRecall, language).arg(subject.number);
        case Kind::Store:
            return Tr(kStore, language).arg(subject.number);
        case Kind::Download:
            return Tr(kDownload, language);
        case Kind::EffectGroup:
            return Tr(kEffectGroup, language).arg(subject.number);
        case Kind::Volumes:
            return Tr(kVolumes, language);
    }
    return {};
}

QString TransferFailure(const TransferSubject& subject, RequestOutcome outcome, Language language) {
    const QString name = TransferName(subject, language);
    switch (outcome) {
        case RequestOutcome::Refused:
            return Tr(kRefused, language).arg(name);
        case RequestOutcome::GaveUp:
            return Tr(kGaveUp, language).arg(name);
        default:
            return Tr(kLinkClosed, language).arg(name);
    }
}

ReplaceQuestion RecallQuestion(int slot, Language language) {
    return {Tr(kRecallQuestion, language).arg(GroupOfSlot(slot, language)),
            Tr(kRecallReplaces, language)};
}

ReplaceQuestion EffectGroupQuestion(int group, Language language) {
    return {Tr(kEffectGroupQuestion, language).arg(group), Tr(kEffectGroupReplaces, language)};
}

ReplaceQuestion OpenFileQuestion(Language language) {
    return {Tr(kOpenQuestion, language), Tr(kOpenReplaces, language)};
}

ReplaceQuestion CloseQuestion(Language language) {
    return {Tr(kCloseQuestion, language), QString()};
}

QString OtherSideQuestion(bool otherIsB, Language language) {
    return Tr(otherIsB ? kOtherSideB : kOtherSideA, language);
}

QString UnsavedWorkText(const ReplaceQuestion& question, Language language) {
    return Sentence(question) + QStringLiteral("\n\n") + Tr(kUnsaved, language);
}

QString ConfirmText(const ReplaceQuestion& question) {
    return Sentence(question);
}

QString ConnectQuestionText(Language language) {
    return Tr(kConnectQuestion, language);
}
