// SPDX-License-Identifier: GPL-3.0-or-later
// A whole program kept aside (for undo, redo and the second side of a
// comparison) and put back into the live program as an edit would: the
// device rows that come out different are flagged, so a connected device
// receives exactly those rows through the normal change path.
//
// The constraint: putting a snapshot back never loses a change still waiting
// to be sent, and crossover filters keep the frequency the device has, so
// they step towards the restored frequency an octave at a time as after any
// other edit.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/OutputLinkTable.h"

class CAudio_Data;

struct ProgramSnapshot {
    // The program's file bytes, with every crossover's sent frequency equal to its target.
    std::vector<uint8_t> archive;
    std::array<int, COutputLinkTable::kOutputCount> linkGroups{};
    // The page values, for naming the difference between two snapshots.
    std::vector<int32_t> fields;

    bool operator==(const ProgramSnapshot& other) const {
        return archive == other.archive && linkGroups == other.linkGroups;
    }
};

// The caller holds the queue lock: the sender reads the same objects.
ProgramSnapshot TakeSnapshot(CAudio_Data& program);
// Makes `program` equal to `snapshot`, flagging every device row that changes.
void RestoreSnapshot(CAudio_Data& program, const ProgramSnapshot& snapshot);
