// SPDX-License-Identifier: GPL-3.0-or-later
// The program as it was when it was last loaded from a file, saved, or read
// from the device, so the editor can tell whether there is work that closing,
// opening or a recall would throw away.
//
// The constraint: the comparison ignores what only follows the device (a
// crossover's walk towards its frequency), and it reads the program without
// changing anything in it, so it may run while edits are waiting to be sent.
#pragma once

#include <cstdint>
#include <vector>

class CAudio_Data;

class ProgramBaseline {
  public:
    void Take(CAudio_Data& program);
    bool IsChanged(CAudio_Data& program) const;

  private:
    static std::vector<uint8_t> Content(CAudio_Data& program);

    std::vector<uint8_t> content_;
};
