// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramFileCommands.h"

#include <QDir>
#include <QFileDialog>

#include "app/AppState.h"
#include "app/MessageSink.h"
#include "app/ShellTexts.h"
#include "model/ProgramFile.h"
#include "protocol/DeviceTransfers.h"
#include "protocol/SendDataQueue.h"

namespace {
constexpr BilingualText kProgramFiles{"Program files", "程序文件"};
constexpr BilingualText kAllFiles{"All files", "所有文件"};

std::filesystem::path ToPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}
}  // namespace

QString InitialProgramFileName() {
    return QDir::currentPath() + QDir::separator() + QStringLiteral("*.dia");
}

QString ProgramFileFilter(Language language) {
    return Tr(kProgramFiles, language) + QStringLiteral(" (*.dia);;") + Tr(kAllFiles, language) +
           QStringLiteral(" (*)");
}

ProgramFileCommands::ProgramFileCommands(Services services, PathChooser chooser)
    : services_(std::move(services)), chooser_(std::move(chooser)) {}

ProgramFileCommands::PathChooser ProgramFileCommands::FileDialogChooser(QWidget* parent,
                                                                        const AppState& state) {
    return [parent, &state](FileDialogKind kind, const QString& initialName) {
        const QString filter = ProgramFileFilter(state.language);
        if (kind == FileDialogKind::Open) {
            return QFileDialog::getOpenFileName(parent, QString(), initialName, filter);
        }
        return QFileDialog::getSaveFileName(parent, QString(), initialName, filter);
    };
}

void ProgramFileCommands::Load() {
    const QString path = chooser_(FileDialogKind::Open, InitialProgramFileName());
    if (!path.isEmpty()) {
        LoadFrom(path);
    }
}

bool ProgramFileCommands::Save() {
    const QString path = chooser_(FileDialogKind::Save, InitialProgramFileName());
    return !path.isEmpty() && SaveTo(path);
}

bool ProgramFileCommands::LoadFrom(const QString& path) {
    ProgramFileResult result;
    {
        const auto guard = services_.queue.Lock();
        result = LoadProgramFile(ToPath(path), services_.program);
    }
    if (!result.ok) {
        services_.messages.Show(Tr(result.error, services_.state.language));
        return false;
    }
    if (services_.fileMatchesProgram) {
        services_.fileMatchesProgram(path);
    }
    services_.refreshPages();
    if (services_.transfers.IsConnected() && services_.downloadProgram) {
        services_.downloadProgram();
    }
    return true;
}

bool ProgramFileCommands::SaveTo(const QString& path) {
    ProgramFileResult result;
    {
        // Serialising rebuilds nothing the worker reads, but the worker may be
        // clearing change flags on the same objects.
        const auto guard = services_.queue.Lock();
        result = SaveProgramFile(ToPath(path), services_.program);
    }
    if (!result.ok) {
        services_.messages.Show(Tr(result.error, services_.state.language));
        return false;
    }
    if (services_.fileMatchesProgram) {
        services_.fileMatchesProgram(QString::fromStdU16String(result.path.u16string()));
    }
    return true;
}
