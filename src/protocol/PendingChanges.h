// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the program still holds an edit the change scanner has not turned
// into a row write: a flagged row of a channel, a dirty band, or a crossover
// filter still stepping towards its frequency. Flags that are never sent by
// themselves (an output's miscellaneous flag, the effect mode) do not count.
#pragma once

class CAudio_Data;

bool HasPendingChange(const CAudio_Data& program);
