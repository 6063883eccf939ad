// SPDX-License-Identifier: GPL-3.0-or-later
// The one Qt application object the link tests need for timers, sockets and
// queued signals; created on first use because gtest_main owns main().
#pragma once

#include <QCoreApplication>

inline QCoreApplication& TestApp() {
    static int argc = 1;
    static char name[] = "test_links";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() != nullptr
                                       ? QCoreApplication::instance()
                                       : new QCoreApplication(argc, argv);
    return *app;
}
