// SPDX-License-Identifier: GPL-3.0-or-later
// Paints the main page's signal-flow picture as vector art: the blocks, the
// signal lines with their arrows and captions, and the mixing bus, in the
// kit's palette and the interface language. Sharp at any scale factor.
#pragma once

#include "app/pages/SignalFlowLayout.h"
#include "curves/BilingualText.h"

class QPainter;

// The output rows' names, top to bottom.
void PaintSignalFlow(QPainter& painter, const SignalFlowLayout& layout, Language language,
                     const std::array<BilingualText, MainPageRules::kOutputRows>& outputNames);
