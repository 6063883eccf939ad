// SPDX-License-Identifier: GPL-3.0-or-later
// The client's --link option reads the same address forms as the editor's --connect.
#pragma once

#include "links/LinkAddress.h"

namespace cli {
using ::DescribeLinkAddress;
using ::LinkAddress;
using ::ParseLinkAddress;
}  // namespace cli
