// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary device bytes as 64-byte USB report data through the USB assembler
// and the dispatcher, with the worker's reaction to each completed frame (reset
// after an error, as the recovery does): no crash, no sanitizer report, and a
// good reply is accepted afterwards.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "model/PresetStore.h"
#include "model/SystemData.h"
#include "protocol/Command.h"
#include "protocol/DeviceDataTargets.h"
#include "protocol/Frame.h"
#include "protocol/MessageSource.h"
#include "protocol/ProtocolEvents.h"
#include "protocol/Requests.h"

namespace {
constexpr size_t kReportData = 64;

class PollSource : public MessageSource {
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
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PresetStore presets;
    SystemData system;
    DeviceDataTargets targets(presets, system);
    PollSource source;
    IgnoredEvents events;
    CCommand engine(source, targets, events);

    UsbTransmission transmission;
    for (size_t offset = 0; offset < size; offset += kReportData) {
        if (!engine.TakeHeadForUsb(transmission)) {
            engine.TakeHeadForUsb(transmission);
        }
        std::array<uint8_t, kReportData> report{};
        std::copy_n(data + offset, std::min(kReportData, size - offset), report.begin());
        const UsbFeedResult result = engine.FeedUsb(report);
        if (result.frameComplete && result.error && engine.NoteUsbFailure()) {
            engine.Queue().Clear();
        }
    }

    engine.ResetUsbReceiver();
    engine.Queue().Clear();
    engine.Post(BuildStatusPoll());
    std::vector<uint8_t> accepted =
        AssembleFrame({Command::kAccepted, 0, 0, 0, 0}, std::vector<uint8_t>(8, 0));
    accepted.resize(kReportData, 0);
    const UsbFeedResult result = engine.FeedUsb(accepted);
    if (!result.frameComplete || result.error || engine.Queue().Count() != 0) {
        std::abort();
    }
    return 0;
}
