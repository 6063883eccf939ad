// SPDX-License-Identifier: GPL-3.0-or-later
#include "transport/ReplyWriter.h"

#include <QTimer>

namespace devsim {
namespace {
// Long enough for a reader to see split pieces as separate reads most of the time.
constexpr int kPieceGapMs = 2;
}  // namespace

ReplyWriter::ReplyWriter(Write write, Close close, QObject* parent)
    : QObject(parent), write_(std::move(write)), close_(std::move(close)) {}

void ReplyWriter::Enqueue(std::vector<DeviceResponse> responses) {
    for (DeviceResponse& response : responses) {
        queue_.push_back(std::move(response));
    }
    if (!busy_) {
        ServeNext();
    }
}

void ReplyWriter::Drop() {
    queue_.clear();
    busy_ = false;
    ++generation_;  // timers already started for the old line do nothing
}

void ReplyWriter::ServeNext() {
    if (queue_.empty()) {
        busy_ = false;
        return;
    }
    busy_ = true;
    nextPiece_ = 0;
    const unsigned generation = generation_;
    QTimer::singleShot(static_cast<int>(queue_.front().delay.count()), this, [this, generation] {
        if (generation == generation_) {
            WriteNextPiece();
        }
    });
}

void ReplyWriter::WriteNextPiece() {
    DeviceResponse& response = queue_.front();
    if (response.closeConnection) {
        queue_.clear();
        busy_ = false;
        close_();
        return;
    }
    if (nextPiece_ < response.pieces.size()) {
        const std::vector<uint8_t>& piece = response.pieces[nextPiece_++];
        write_(QByteArray(reinterpret_cast<const char*>(piece.data()),
                          static_cast<qsizetype>(piece.size())));
        if (nextPiece_ < response.pieces.size()) {
            const unsigned generation = generation_;
            QTimer::singleShot(kPieceGapMs, this, [this, generation] {
                if (generation == generation_) {
                    WriteNextPiece();
                }
            });
            return;
        }
    }
    queue_.pop_front();
    ServeNext();
}

}  // namespace devsim
