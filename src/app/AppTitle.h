// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

inline constexpr const char* kAppTitle = "Sonavel V6.3.2";
