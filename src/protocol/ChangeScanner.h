// SPDX-License-Identifier: GPL-3.0-or-later
// Turns the program's change flags into the next message for the device: the
// row write for the first pending change, visiting music inputs, microphone,
// effect and outputs in a fixed order, or a status poll when nothing is
// pending.
//
// The constraint: exactly one change is consumed per call, and a crossover
// filter moves its sent frequency by at most one octave per call, staying
// dirty until it arrives, so a long sweep is spread over several rows.
#pragma once

#include <memory>

#include "protocol/MessageSource.h"
#include "protocol/SendData.h"

class CAudio_Data;

std::unique_ptr<CSendData> NextPendingMessage(CAudio_Data& program);

// The program as the pumps' source of messages.
class ProgramChangeSource : public MessageSource {
  public:
    explicit ProgramChangeSource(CAudio_Data& program) : program_(program) {}
    std::unique_ptr<CSendData> NextPendingMessage() override;

  private:
    CAudio_Data& program_;
};
