// SPDX-License-Identifier: GPL-3.0-or-later
// A program whose pending changes have all been sent, so a test sees only
// the changes it makes itself.
#pragma once

#include "model/Audio_Data.h"
#include "protocol/ChangeScanner.h"
#include "protocol/Frame.h"

inline void SendEveryPendingChange(CAudio_Data& program) {
    program.ClearPendingChanges();
    for (int guard = 0; guard < 1000; ++guard) {
        if (NextPendingMessage(program)->command == Command::kStatusPoll) {
            return;
        }
    }
}

inline std::vector<uint8_t> HeaderArguments(const CSendData& message) {
    return {message.frame.begin() + 5, message.frame.begin() + 10};
}

inline std::vector<uint8_t> Payload(const CSendData& message) {
    return {message.frame.begin() + 12, message.frame.end() - 2};
}

inline std::vector<uint8_t> ImageBytes(const CAudio_Data& program, size_t offset, size_t count) {
    const auto begin = program.GetImage().begin() + static_cast<std::ptrdiff_t>(offset);
    return {begin, begin + static_cast<std::ptrdiff_t>(count)};
}
