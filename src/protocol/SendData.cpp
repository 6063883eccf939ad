// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/SendData.h"

#include <utility>

#include "protocol/Frame.h"

CSendData::CSendData(std::vector<uint8_t> frameBytes)
    : frame(std::move(frameBytes)),
      length(static_cast<int32_t>(frame.size())),
      command(frame.size() > 5 ? frame[5] : 0) {}

std::unique_ptr<CSendData> MakeMessage(std::vector<uint8_t> frame) {
    return std::make_unique<CSendData>(std::move(frame));
}
