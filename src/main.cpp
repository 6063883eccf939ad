// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the entry point thin: everything the editor does lives in the app library.
#include <QApplication>

#include "app/AppState.h"
#include "app/AudioDoc.h"
#include "app/MainWindow.h"
#include "app/MessageSink.h"
#include "links/HidApiBackend.h"
#include "links/SysfsPortSource.h"
#include "model/PresetStore.h"
#include "model/SystemData.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    AppState state;
    SystemData system;
    PresetStore presets;
    CAudioDoc document;
    HidApiBackend hidBackend;
    SysfsPortSource serialPorts;
    MessageBoxSink messages;
    MainWindow window(
        ViewServices{state, document, presets, system, hidBackend, serialPorts, messages});
    messages.SetParent(&window);
    window.show();
    return QApplication::exec();
}
