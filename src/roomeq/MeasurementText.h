// SPDX-License-Identifier: GPL-3.0-or-later
// Measurement files as users have them: measurement-software text exports
// (comment lines starting with "*"), FRD files ("#" or "*" comments), the text
// exports of measurement rigs (quoted title lines, then a header row naming
// the columns, numbers in scientific notation or with thousands separators),
// CSV with a header row, and plain two-column text. Columns are separated by
// tabs, semicolons, commas or spaces; the first frequency/level pair is taken
// unless a column is asked for by its header name.
//
// The constraint: a file is taken whole or not at all, and a file that cannot
// be used gives one problem naming its line.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <variant>

#include "roomeq/MeasurementCurve.h"
#include "roomeq/RoomEqProblem.h"

using MeasurementRead = std::variant<MeasurementCurve, RoomEqProblem>;

// `fileName` names the curve and the file in messages; an empty `column`
// takes the first level column.
MeasurementRead ParseMeasurementText(std::string_view text, const std::string& fileName,
                                     std::string_view column = {});

MeasurementRead ReadMeasurementFile(const std::filesystem::path& path,
                                    std::string_view column = {});
