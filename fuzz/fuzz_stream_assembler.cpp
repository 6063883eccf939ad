// SPDX-License-Identifier: GPL-3.0-or-later
// Device bytes through the serial/network assembler and the dispatcher. First
// garbage in reads of any size up to a network receive: no crash, no
// sanitizer report, nothing written outside the stores. Then the receiver
// reset a pump does before resending, and a good reply after noise, in any
// split, with stray bytes after it in its last read: it must be dispatched
// exactly once and as if it had come whole (ReplyOracle.h).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "ReplyOracle.h"

namespace {
constexpr size_t kLargestRead = 1500;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    oracle::Rig rig;
    CCommand& engine = rig.engine.command;

    const std::vector<uint8_t> garbage =
        input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<size_t>(0, 4 * kLargestRead));
    for (std::span<const uint8_t> read : oracle::Cut(input, garbage, kLargestRead)) {
        if (engine.Queue().Count() == 0) {
            engine.Post(BuildStatusPoll());
        }
        engine.FeedStream(read);
    }

    engine.ResetReceiver();
    oracle::QueueTwoPolls(rig);
    oracle::Rig twin;
    oracle::MakeTwin(rig, twin);

    const std::vector<uint8_t> reply = oracle::ConsumeReply(input);
    std::vector<uint8_t> stream = oracle::ConsumeNoise(input, 300);
    stream.insert(stream.end(), reply.begin(), reply.end());
    std::vector<std::span<const uint8_t>> reads = oracle::Cut(input, stream, kLargestRead);
    // Whatever follows the reply in its own read is dropped with it.
    std::vector<uint8_t> lastRead(reads.back().begin(), reads.back().end());
    const std::vector<uint8_t> trailing = input.ConsumeBytes<uint8_t>(64);
    lastRead.insert(lastRead.end(), trailing.begin(), trailing.end());
    reads.back() = lastRead;
    for (std::span<const uint8_t> read : reads) {
        engine.FeedStream(read);
    }

    twin.engine.command.FeedStream(reply);
    oracle::RequireDispatchedOnce(rig, reply, oracle::Capture(rig), oracle::Capture(twin));
    return 0;
}
