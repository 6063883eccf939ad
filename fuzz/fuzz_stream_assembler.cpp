// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary device bytes through the serial/network assembler and the
// dispatcher, cut into reads whose sizes the input chooses: no crash, no
// sanitizer report, the system bytes and names stay inside their arrays, and
// the assembler always finds a good reply again afterwards.
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

    std::span<const uint8_t> input(data, size);
    while (!input.empty()) {
        // The first byte of each piece chooses its read size, up to 1500 as on the network.
        const size_t length = std::min(input.size() - 1, size_t{input[0]} * 6);
        if (engine.Queue().Count() == 0) {
            engine.Post(BuildStatusPoll());
        }
        engine.FeedStream(input.subspan(1, length));
        input = input.subspan(1 + length);
    }

    // Whatever came before, an abandoned frame is dropped on reset and a good
    // reply is then accepted.
    engine.ResetReceiver();
    engine.Queue().Clear();
    engine.Post(BuildStatusPoll());
    const std::vector<uint8_t> accepted =
        AssembleFrame({Command::kAccepted, 0, 0, 0, 0}, std::vector<uint8_t>(8, 0));
    engine.FeedStream(accepted);
    if (engine.Queue().Count() != 0) {
        std::abort();
    }
    return 0;
}
