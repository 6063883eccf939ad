// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/graph/GraphNotice.h"

GraphNotice::GraphNotice(QObject* parent) : QObject(parent) {
    timer_.setInterval(kNoticePeriodMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &GraphNotice::Tick);
}

void GraphNotice::SetPeriod(int milliseconds) {
    timer_.setInterval(milliseconds);
}

void GraphNotice::Start() {
    if (!timer_.isActive()) {
        timer_.start();
    }
}

void GraphNotice::Post(int chainIndex) {
    if (pending_ && index_ != chainIndex) {
        emit Due(index_);
    }
    index_ = chainIndex;
    pending_ = true;
}

void GraphNotice::Tick() {
    if (!pending_) {
        return;
    }
    pending_ = false;
    emit Due(index_);
}
