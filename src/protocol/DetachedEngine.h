// SPDX-License-Identifier: GPL-3.0-or-later
// The protocol engine on its own, with no link and no view: the application's
// real stores take the reply data, the queue is topped up with status polls,
// and nobody listens for events. Fuzzers, benchmarks and tests drive it by
// hand with bytes.
#pragma once

#include <memory>

#include "model/PresetStore.h"
#include "model/SystemData.h"
#include "protocol/Command.h"
#include "protocol/DeviceDataTargets.h"
#include "protocol/MessageSource.h"
#include "protocol/ProtocolEvents.h"
#include "protocol/Requests.h"

// An idle program: nothing has changed, so the device is only polled.
class StatusPollSource : public MessageSource {
  public:
    std::unique_ptr<CSendData> NextPendingMessage() override { return BuildStatusPoll(); }
};

class IgnoredEvents : public ProtocolEvents {
  public:
    void OnProgramReceived() override {}
    void OnSystemDataRead() override {}
    void OnEffectRecordReceived() override {}
    void OnReadTransferFinished() override {}
    void OnUsbGaveUp() override {}
};

// `Events` lets a caller that does want to hear the engine put its own listener in.
template <class Events = IgnoredEvents>
struct DetachedEngine {
    PresetStore presets;
    SystemData system;
    DeviceDataTargets targets{presets, system};
    StatusPollSource source;
    Events events;
    CCommand command{source, targets, events};
};
