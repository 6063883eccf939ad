// SPDX-License-Identifier: GPL-3.0-or-later
// The sections of an output page, as the main page's buttons of an output
// row name them (EQ, X-Over, Level) together with its mix.
#pragma once

enum class OutputSection { Equaliser, Crossover, Mix, Level };
