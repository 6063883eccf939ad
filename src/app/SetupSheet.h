// SPDX-License-Identifier: GPL-3.0-or-later
// What the PDF setup sheet says about each channel, in engineering units and
// the interface language: a heading, the channel's own values and one line
// per EQ element. The painting is elsewhere; this is only the words.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "curves/BilingualText.h"

class CAudio_Data;

struct SheetChannel {
    // Which channel, for the graph: 0..2 inputs, 3 the effect, 4..9 outputs.
    int channel = 0;
    QString heading;
    QStringList values;
    // A heading line, then one line per element.
    QStringList elements;
};

std::vector<SheetChannel> DescribeChannels(CAudio_Data& program, Language language);
