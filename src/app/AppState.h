// SPDX-License-Identifier: GPL-3.0-or-later
// The application-wide interface state: the language, the page the view shows
// and the channel that page shows, and the rule that maps a page number to
// the page widget and channel behind it.
//
// The constraint: pages 1 and 3 are the same widget (input EQ) for different
// channels, and pages 4..9 one widget for outputs 0..5; a page change must
// therefore hand the channel over even when the widget stays the same.
#pragma once

#include "curves/BilingualText.h"

enum class PageSlot { Main = 0, InputEq = 1, EffectEq = 2, Output = 3 };

struct PageTarget {
    PageSlot slot = PageSlot::Main;
    int channel = 0;
};

inline constexpr int kPageCount = 10;
inline constexpr int kFirstOutputPage = 4;

// Page 0 main, 1 music input EQ (channel 0), 2 effect EQ, 3 microphone input
// EQ (channel 2), 4..9 outputs 0..5.
PageTarget PageTargetOf(int page);
inline bool IsOutputPage(int page) {
    return page >= kFirstOutputPage && page < kPageCount;
}

struct AppState {
    Language language = Language::Chinese;
    int currentPage = 0;
    int pageChannel = 0;
};
