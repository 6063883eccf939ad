// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the entry point thin: everything the editor does lives in the app library.
#include <QApplication>
#include <cstdio>

#include "app/AppState.h"
#include "app/AudioDoc.h"
#include "app/EditorOptions.h"
#include "app/LinkSettingsMemory.h"
#include "app/MainWindow.h"
#include "app/MessageSink.h"
#include "links/HidApiBackend.h"
#include "links/LinkAddress.h"
#include "links/SystemPortSource.h"
#include "model/PresetStore.h"
#include "model/SystemData.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("sonavel"));
    QApplication::setApplicationVersion(QStringLiteral(SONAVEL_VERSION));
    const EditorCommandLine commandLine = ReadEditorCommandLine(QApplication::arguments());
    if (!commandLine.run) {
        std::fputs(commandLine.text.toLocal8Bit().constData(),
                   commandLine.exitCode == 0 ? stdout : stderr);
        return commandLine.exitCode;
    }
    const EditorOptions& options = commandLine.options;

    AppState state;
    if (options.language) {
        state.language = *options.language;
    }
    SystemData system;
    PresetStore presets;
    CAudioDoc document;
    HidApiBackend hidBackend;
    const std::unique_ptr<PortInfoSource> serialPorts = MakeSystemPortSource();
    MessageBoxSink messages;
    LinkSettingsMemory linkMemory;
    MainWindow window(
        ViewServices{state, document, presets, system, hidBackend, *serialPorts, messages});
    messages.SetParent(&window);
    messages.SetLanguage(&state.language);
    CAudioView& view = window.View();
    view.SetLinkSettingsMemory(&linkMemory);
    window.show();
    if (!options.programFile.isEmpty()) {
        view.FileCommands().LoadFrom(options.programFile);
    }
    if (options.connect) {
        ConnectionSettings settings = view.Device().Manager().Settings();
        ApplyLinkAddress(*options.connect, settings);
        view.ConnectTo(settings);
    }
    return QApplication::exec();
}
