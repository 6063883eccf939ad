// SPDX-License-Identifier: GPL-3.0-or-later
// What the editor tells the user about an exchange with the processor that
// did not end with its answer, and the questions it asks before a program
// with unsaved changes is replaced: each names the operation concerned, in
// both languages of the interface.
#pragma once

#include <QString>

#include "curves/BilingualText.h"
#include "protocol/RequestOutcome.h"

// The operation a transfer carries out, for naming it in a message.
struct TransferSubject {
    enum class Kind {
        DeviceRead,
        DeviceReadKeepingProgram,
        Recall,
        Store,
        Download,
        EffectGroup,
        Volumes
    };
    Kind kind = Kind::DeviceRead;
    // The preset slot of a recall or store, the effect group 1..4.
    int number = 0;
};

// "the recall of system group SROOM.1", as it stands inside a sentence.
QString TransferName(const TransferSubject& subject, Language language);
// The message for a transfer that ended without its answer.
QString TransferFailure(const TransferSubject& subject, RequestOutcome outcome, Language language);

// What a user action replaces, for asking before it does.
struct ReplaceQuestion {
    // "Recall system group SROOM.1?"
    QString question;
    // "It replaces the processor's current program and the program in the editor." (may be empty)
    QString replaces;
};

ReplaceQuestion RecallQuestion(int slot, Language language);
ReplaceQuestion EffectGroupQuestion(int group, Language language);
ReplaceQuestion OpenFileQuestion(Language language);
ReplaceQuestion CloseQuestion(Language language);
// Closing while the compare side not live holds another program: "Side B ... Close anyway?"
QString OtherSideQuestion(bool otherIsB, Language language);
// The question with the unsaved-changes sentence added.
QString UnsavedWorkText(const ReplaceQuestion& question, Language language);
QString ConfirmText(const ReplaceQuestion& question);
QString ConnectQuestionText(Language language);
