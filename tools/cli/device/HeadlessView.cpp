// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/HeadlessView.h"

#include "links/ConnectionManager.h"
#include "protocol/DeviceTransfers.h"
#include "protocol/ReceivedDataLoading.h"

namespace cli {

void HeadlessView::Attach(CCommand& engine, DeviceTransfers& transfers,
                          ConnectionManager& manager) {
    engine_ = &engine;
    transfers_ = &transfers;
    manager_ = &manager;
}

void HeadlessView::Post(std::function<void()> work) {
    QMetaObject::invokeMethod(&context_, std::move(work), Qt::QueuedConnection);
}

void HeadlessView::OnProgramReceived() {
    Post([this] {
        LoadReceivedProgram(*engine_, program_);
        ++programsLoaded_;
    });
}

void HeadlessView::OnSystemDataRead() {
    Post([this] { ++systemReads_; });
}

void HeadlessView::OnEffectRecordReceived() {
    Post([this] {
        LoadReceivedEffectRecord(*engine_, program_);
        ++effectRecordsLoaded_;
    });
}

void HeadlessView::OnReadTransferFinished() {
    Post([this] { transfers_->FinishReadTransfer(); });
}

void HeadlessView::OnUsbGaveUp() {
    Post([this] { manager_->HandleUsbFailure(); });
}

}  // namespace cli
