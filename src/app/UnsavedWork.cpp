// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/UnsavedWork.h"

#include <QFileInfo>

#include "app/AppState.h"
#include "app/AudioDoc.h"
#include "app/MessageSink.h"
#include "app/ShellTexts.h"
#include "app/TransferTexts.h"
#include "protocol/SendDataQueue.h"

UnsavedWork::UnsavedWork(Services services, QObject* parent)
    : QObject(parent), services_(std::move(services)) {
    MarkUnchanged();
    checkTimer_.setInterval(kCheckIntervalMs);
    connect(&checkTimer_, &QTimer::timeout, this, &UnsavedWork::Recheck);
    checkTimer_.start();
}

void UnsavedWork::MarkUnchanged() {
    {
        const auto guard = services_.queue.Lock();
        baseline_.Take(services_.document.Program());
    }
    modified_ = false;
    emit TitleChanged();
}

void UnsavedWork::MarkUnchanged(const QString& filePath) {
    services_.document.SetFilePath(filePath);
    MarkUnchanged();
}

bool UnsavedWork::IsModified() {
    bool modified = false;
    {
        const auto guard = services_.queue.Lock();
        modified = baseline_.IsChanged(services_.document.Program());
    }
    if (modified != modified_) {
        modified_ = modified;
        emit TitleChanged();
    }
    return modified;
}

void UnsavedWork::Recheck() {
    IsModified();
}

bool UnsavedWork::AskBeforeReplacing(const ReplaceQuestion& question, bool confirmWhenClean) {
    const Language language = services_.state.language;
    if (!IsModified()) {
        return !confirmWhenClean || services_.messages.Confirm(ConfirmText(question));
    }
    switch (services_.messages.AskAboutUnsavedWork(UnsavedWorkText(question, language))) {
        case UnsavedChoice::Save:
            return services_.save && services_.save();
        case UnsavedChoice::Discard:
            return true;
        default:
            return false;
    }
}

QString UnsavedWork::WindowTitle() {
    QString title = QString::fromUtf8(kAppTitle);
    const QString& path = services_.document.FilePath();
    if (!path.isEmpty()) {
        title = QFileInfo(path).fileName() + QStringLiteral(" - ") + title;
    }
    return modified_ ? QLatin1Char('*') + title : title;
}
