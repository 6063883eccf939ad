// SPDX-License-Identifier: GPL-3.0-or-later
// The editor as its screenshots show it: the real main window over the
// simulator's current program, system settings and preset names, with every
// page and dialog rendered at a given window size in a given language.
//
// The constraint: nothing here may reach a device or pop a modal box. The
// window gets a HID bus without devices and no serial ports, messages are
// dropped, and dialogs are shown and grabbed instead of run.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>

#include "curves/BilingualText.h"

class MainWindow;

// Called once per picture with a file-name stem ("02-effect") and the picture.
using ShotSink = std::function<void(const QString& stem, const QImage& picture)>;

class EditorShots {
  public:
    EditorShots();
    ~EditorShots();

    // Every page, every dialog over the window, then the File and Edit menus
    // and the compare buttons, at `windowSize`.
    void Render(QSize windowSize, Language language, const ShotSink& save);

  private:
    void RenderPages(const ShotSink& save);
    void RenderDialogs(const ShotSink& save);
    // The File and Edit menus open, and the compare buttons with side B live.
    void RenderMenus(const ShotSink& save);

    struct Editor;
    std::unique_ptr<Editor> editor_;
};
