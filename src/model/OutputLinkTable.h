// SPDX-License-Identifier: GPL-3.0-or-later
// Which outputs are linked: a link-group number per output. Outputs in one
// group receive each other's level, mix, equaliser and crossover edits. The
// table points at the outputs it links, so it lives in the container that
// owns them and is neither copied nor moved.
#pragma once

#include <array>
#include <functional>

class CAudio_OutData;

class COutputLinkTable {
  public:
    static constexpr int kOutputCount = 6;

    COutputLinkTable();
    COutputLinkTable(const COutputLinkTable&) = delete;
    COutputLinkTable& operator=(const COutputLinkTable&) = delete;

    void Attach(int index, CAudio_OutData* output);
    // Puts every output in a group of its own.
    void Reset();
    void SetGroup(int index, int group) { groups_.at(index) = group; }
    int GetGroup(int index) const { return groups_.at(index); }
    // Calls `visit` for every other output in the group of output `index`.
    void ForEachPartner(int index, const std::function<void(CAudio_OutData&)>& visit) const;

  private:
    std::array<int, kOutputCount> groups_{};
    std::array<CAudio_OutData*, kOutputCount> outputs_{};
};
