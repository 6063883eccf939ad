// SPDX-License-Identifier: GPL-3.0-or-later
// The view's four pages, made in one place so that a real page replaces its
// stand-in here and nowhere else.
#pragma once

#include <array>

#include "app/AppState.h"
#include "app/pages/Page.h"

class PageServices;

// Indexed by PageSlot: main, input EQ, effect EQ, output.
using PageSet = std::array<Page*, 4>;

// Children of `parent`, which owns them.
PageSet CreatePages(PageServices& services, QWidget* parent);
