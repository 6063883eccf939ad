// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/RoomEqFitRunner.h"

#include <QMetaObject>

RoomEqFitRunner::RoomEqFitRunner(QObject* parent) : QObject(parent) {
    qRegisterMetaType<ChannelFit>("ChannelFit");
    qRegisterMetaType<PreparedMeasurement>("PreparedMeasurement");
}

RoomEqFitRunner::~RoomEqFitRunner() {
    Cancel();
    Join();
}

void RoomEqFitRunner::Join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

void RoomEqFitRunner::Cancel() {
    cancel_ = true;
}

void RoomEqFitRunner::Start(PreparedMeasurement measurement, ChainSnapshot chain,
                            RoomEqChannel channel, ChannelFitOptions options) {
    Cancel();
    Join();
    cancel_ = false;
    running_ = true;
    const int generation = ++generation_;
    thread_ = std::thread([this, generation, measurement = std::move(measurement),
                           chain = std::move(chain), channel, options] {
        FitControl control;
        control.cancel = &cancel_;
        control.progress = [this](double share) {
            QMetaObject::invokeMethod(
                this, [this, share] { emit Progressed(share); }, Qt::QueuedConnection);
        };
        ChannelFit fit = FitChannel(measurement, chain, channel, options, control);
        // Handed back to the window's thread; a fit replaced meanwhile is dropped there.
        QMetaObject::invokeMethod(
            this,
            [this, generation, fit = std::move(fit), measurement] {
                if (generation != generation_) {
                    return;
                }
                running_ = false;
                emit Finished(fit, measurement);
            },
            Qt::QueuedConnection);
    });
}
