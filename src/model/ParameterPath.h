// SPDX-License-Identifier: GPL-3.0-or-later
// Parameter paths: the names by which scripts and the command-line client
// address what the pages edit. A path is a channel (`in0`, `in1`, `in2`, `fx`,
// `out0`..`out5`), then either an element (`band1`..`bandN`, `hp`, `lp`) and
// one of its fields, or a field of the channel itself, all joined by dots:
// "in0.band3.gain", "out2.hp.family", "out2.limiter.attack".
//
// This file knows only the shape of a path; which fields exist and what
// values they take is the parameter table's business (ProgramParameters).
#pragma once

#include <string>
#include <string_view>
#include <variant>

enum class PathChannel { Input, Effect, Output };
enum class PathElement { None, Band, HighPass, LowPass };

struct ParameterPath {
    PathChannel channel = PathChannel::Input;
    // Input 0..2, output 0..5; always 0 for the effect.
    int index = 0;
    PathElement element = PathElement::None;
    // 0-based; the path writes it 1-based ("band1" is band 0).
    int band = 0;
    // The rest of the path after the channel and element: "freq", "mix.music".
    std::string field;

    friend bool operator==(const ParameterPath&, const ParameterPath&) = default;
};

// Bands of each channel kind, which is also the highest "bandN" a path may name.
int PathBandCount(PathChannel channel);

std::string FormatParameterPath(const ParameterPath& path);
// The path, or a one-line reason it names no channel or element of a program.
std::variant<ParameterPath, std::string> ParseParameterPath(std::string_view text);
