// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's command line:
//   sonavel [--connect tcp:HOST:PORT | serial:PATH | usb] [--language en|zh] [FILE.dia]
// plus --help and --version, which print and end the program.
//
// The constraint: reading the options does nothing; the caller opens the file
// and the link once the window exists, so a bad option ends the program
// before any window or link is made.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "curves/BilingualText.h"
#include "links/LinkAddress.h"

struct EditorOptions {
    std::optional<LinkAddress> connect;
    std::optional<Language> language;
    QString programFile;
};

// What the command line asks for: run the editor with options, or print
// `text` and end with `exitCode` (help and version with 0, errors with 2).
struct EditorCommandLine {
    EditorOptions options;
    bool run = true;
    QString text;
    int exitCode = 0;
};

// `arguments` includes the program name first, as QCoreApplication::arguments().
EditorCommandLine ReadEditorCommandLine(const QStringList& arguments);
