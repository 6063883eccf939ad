// SPDX-License-Identifier: GPL-3.0-or-later
// The program: three inputs, six outputs, the effect engine and a name, plus
// the 1048-byte program block exchanged with the device (the 1032-byte image
// of all ten records, then a 16-byte stored name). The image is only a cache
// of the channel objects: anything that sends it, or part of it, must rebuild
// that part first.
#pragma once

#include <array>
#include <cstdint>
#include <memory_resource>
#include <span>
#include <string>

#include "model/Audio_Routes.h"

class CArchive;

class CAudio_Data {
  public:
    static constexpr size_t kImageSize = 1032;
    static constexpr size_t kStoredNameSize = 16;
    static constexpr size_t kBlockSize = kImageSize + kStoredNameSize;
    static constexpr size_t kEffectRecordOffset = 456;
    static constexpr size_t kFirstOutputRecordOffset = 504;
    using Block = std::array<uint8_t, kBlockSize>;

    static constexpr size_t InputRecordOffset(int index) {
        return CAudio_InData::kRecordSize * static_cast<size_t>(index);
    }
    static constexpr size_t OutputRecordOffset(int index) {
        return kFirstOutputRecordOffset + CAudio_OutData::kRecordSize * static_cast<size_t>(index);
    }

    CAudio_Data() = default;
    CAudio_Data(const CAudio_Data&) = delete;
    CAudio_Data& operator=(const CAudio_Data&) = delete;

    const std::string& GetName() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    CAudio_InData& GetInput(int index) { return inputs_.GetAt(index); }
    const CAudio_InData& GetInput(int index) const { return inputs_.GetAt(index); }
    CAudio_OutData& GetOutput(int index) { return outputs_.GetAt(index); }
    const CAudio_OutData& GetOutput(int index) const { return outputs_.GetAt(index); }
    CAudio_EffectData& GetEffect(int index = 0) { return effects_.GetAt(index); }
    const CAudio_EffectData& GetEffect(int index = 0) const { return effects_.GetAt(index); }
    CAudio_InRoute& GetInputs() { return inputs_; }
    CAudio_OutRoute& GetOutputs() { return outputs_; }
    CAudio_EffectRoute& GetEffects() { return effects_; }
    COutputLinkTable& GetOutputLinks() { return outputs_.GetLinks(); }

    // The program block; bytes past the image hold the stored name of the last block loaded.
    Block& GetImage() { return image_; }
    const Block& GetImage() const { return image_; }
    void BuildImage();
    // Rebuild one record inside the image.
    void BuildInputRecord(int index);
    void BuildOutputRecord(int index);
    void BuildEffectRecord();
    // Takes a program received from the device; the program name stays as it is.
    void LoadBlock(std::span<const uint8_t, kBlockSize> block);

    // Drops every edit made while no link was open, so none of it is sent row by row.
    void ClearPendingChanges();
    void ResetOutputLinks();
    // Links or unlinks two outputs; on linking, `second` takes `first`'s settings.
    void LinkOutputs(int first, int second, bool linked);

    void Serialize(CArchive& archive);
    void SetPlotRect(const PixelRect& plot);

  private:
    // Room for the elements of all ten chains.
    static size_t ElementBytes();

    std::string name_ = "NewProgram";
    // One block for every element of the program, taken at once and given
    // back at once: the same size each time, so the allocator keeps it ready
    // for the next program (a file load builds a scratch program each time)
    // instead of returning it to the system and faulting it in again.
    // Declared before the channels, so it outlives them.
    std::pmr::monotonic_buffer_resource elementMemory_{ElementBytes()};
    CAudio_InRoute inputs_{&elementMemory_};
    CAudio_OutRoute outputs_{&elementMemory_};
    CAudio_EffectRoute effects_{&elementMemory_};
    Block image_{};
};
