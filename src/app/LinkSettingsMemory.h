// SPDX-License-Identifier: GPL-3.0-or-later
// Remembers the Connect dialog's last choice between runs: the link kind, the
// device address and TCP port, and the serial port name or path.
//
// The constraint: the store is handed in, so tests keep their settings in a
// temporary file and never read or change the user's. A value that is
// missing or unusable in the store leaves the start value in place.
#pragma once

#include <QString>
#include <memory>

#include "links/ConnectionSettings.h"

class QSettings;

class LinkSettingsMemory {
  public:
    // Settings in an INI file at `path`.
    explicit LinkSettingsMemory(const QString& path);
    // The user's own settings of the editor.
    LinkSettingsMemory();
    ~LinkSettingsMemory();
    LinkSettingsMemory(const LinkSettingsMemory&) = delete;
    LinkSettingsMemory& operator=(const LinkSettingsMemory&) = delete;

    // `start` with every remembered value put in.
    ConnectionSettings Recall(ConnectionSettings start) const;
    void Remember(const ConnectionSettings& settings);

  private:
    std::unique_ptr<QSettings> store_;
};
