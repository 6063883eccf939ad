// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppState.h"

PageTarget PageTargetOf(int page) {
    switch (page) {
        case 1:
            return {PageSlot::InputEq, 0};
        case 2:
            return {PageSlot::EffectEq, 0};
        case 3:
            return {PageSlot::InputEq, 2};
        default:
            break;
    }
    if (IsOutputPage(page)) {
        return {PageSlot::Output, page - kFirstOutputPage};
    }
    return {PageSlot::Main, 0};
}
