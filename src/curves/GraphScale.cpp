// SPDX-License-Identifier: GPL-3.0-or-later
#include "curves/GraphScale.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kDbSpan = kPlotTopDb - kPlotBottomDb;
}  // namespace

int GraphScale::FrequencyToX(double hertz) const {
    return TruncateToPixel(std::log10(hertz / kPlotLowestHertz) * decadeWidth_);
}

int GraphScale::YToDb(int y) const {
    if (height_ <= 0) {
        return 0;
    }
    return static_cast<int>(std::round(kPlotTopDb - y * kDbSpan / height_));
}

double GraphScale::XToFrequency(int x) const {
    if (decadeWidth_ <= 0) {
        return kPlotLowestHertz;
    }
    double hertz = kPlotLowestHertz * std::pow(10.0, static_cast<double>(x) / decadeWidth_);
    return std::clamp(hertz, kPlotLowestHertz, kPlotHighestHertz);
}
