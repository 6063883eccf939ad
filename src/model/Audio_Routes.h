// SPDX-License-Identifier: GPL-3.0-or-later
// The program's three fixed channel containers. Each creates all its channels
// at construction, in the device's channel order, and never adds or removes
// one, so files and the device image carry no counts. The output container
// also owns the link table, which points at its outputs: containers are
// therefore neither copied nor moved.
#pragma once

#include <array>

#include "model/Audio_EffectData.h"
#include "model/Audio_InData.h"
#include "model/Audio_OutData.h"
#include "model/OutputLinkTable.h"

class CAudio_InRoute {
  public:
    static constexpr int kCount = 3;

    explicit CAudio_InRoute(std::pmr::memory_resource* memory = std::pmr::get_default_resource());
    CAudio_InRoute(const CAudio_InRoute&) = delete;
    CAudio_InRoute& operator=(const CAudio_InRoute&) = delete;

    CAudio_InData& GetAt(int index) { return channels_.at(index); }
    const CAudio_InData& GetAt(int index) const { return channels_.at(index); }
    auto begin() { return channels_.begin(); }
    auto end() { return channels_.end(); }

  private:
    std::array<CAudio_InData, kCount> channels_;
};

class CAudio_OutRoute {
  public:
    static constexpr int kCount = COutputLinkTable::kOutputCount;

    explicit CAudio_OutRoute(std::pmr::memory_resource* memory = std::pmr::get_default_resource());
    CAudio_OutRoute(const CAudio_OutRoute&) = delete;
    CAudio_OutRoute& operator=(const CAudio_OutRoute&) = delete;

    CAudio_OutData& GetAt(int index) { return channels_.at(index); }
    const CAudio_OutData& GetAt(int index) const { return channels_.at(index); }
    auto begin() { return channels_.begin(); }
    auto end() { return channels_.end(); }
    COutputLinkTable& GetLinks() { return links_; }
    const COutputLinkTable& GetLinks() const { return links_; }

  private:
    COutputLinkTable links_;
    std::array<CAudio_OutData, kCount> channels_;
};

class CAudio_EffectRoute {
  public:
    static constexpr int kCount = 1;

    explicit CAudio_EffectRoute(
        std::pmr::memory_resource* memory = std::pmr::get_default_resource())
        : channels_{CAudio_EffectData(memory)} {}

    CAudio_EffectData& GetAt(int index) { return channels_.at(index); }
    const CAudio_EffectData& GetAt(int index) const { return channels_.at(index); }
    auto begin() { return channels_.begin(); }
    auto end() { return channels_.end(); }

  private:
    std::array<CAudio_EffectData, kCount> channels_;
};
