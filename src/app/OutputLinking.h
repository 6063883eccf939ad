// SPDX-License-Identifier: GPL-3.0-or-later
// Linking two outputs from the system setup: the target output joins the
// source's link group and takes over the settings of the first other output
// already in it; and the page the view moves to when the output it shows has
// just become the follower of a linked pair.
//
// The constraint: only the first other member of the group is copied, and the
// caller must hold the queue lock, as the USB worker reads the outputs.
#pragma once

#include <optional>

class CAudio_Data;
class COutputLinkTable;

// True when the target took over another output's settings, so its whole
// record has to reach the device.
bool JoinOutputLinkGroup(CAudio_Data& program, int sourceGroup, int targetOutput);

// Page 4 when main right (page 5) shows and is linked with main left; page 8
// when surround right (page 9) shows and is linked with surround left.
std::optional<int> PageAfterLinking(const COutputLinkTable& links, int currentPage);
