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

#include <QDeadlineTimer>
#include <QThread>
#include <functional>

// Runs the event loop until `done` holds or `timeoutMs` has passed; returns `done()`.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return done();
}
