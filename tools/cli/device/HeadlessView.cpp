// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/HeadlessView.h"

#include <span>

#include "links/ConnectionManager.h"
#include "model/Audio_Data.h"
#include "protocol/Command.h"
#include "protocol/DeviceTransfers.h"
#include "protocol/ReceivedProgram.h"

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
        ProgramBlock block = engine_->ReceivedBlockCopy();
        ForceFixedFilterFields(block);
        const auto guard = engine_->Queue().Lock();
        program_.LoadBlock(block);
        ++programsLoaded_;
    });
}

void HeadlessView::OnSystemDataRead() {
    Post([this] { ++systemReads_; });
}

void HeadlessView::OnEffectRecordReceived() {
    Post([this] {
        ProgramBlock block = engine_->ReceivedBlockCopy();
        ForceFixedFilterFields(block);
        const auto guard = engine_->Queue().Lock();
        program_.GetEffect().LoadRecord(std::span<const uint8_t, kEffectRecordSize>(
            block.data() + kEffectRecordOffset, kEffectRecordSize));
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
