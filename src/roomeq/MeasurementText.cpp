// SPDX-License-Identifier: GPL-3.0-or-later
#include "roomeq/MeasurementText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

namespace {
std::string_view Trim(std::string_view text) {
    const auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view Unquote(std::string_view field) {
    field = Trim(field);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
        field = Trim(field.substr(1, field.size() - 2));
    }
    return field;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

bool IsComment(std::string_view line) {
    return line.starts_with('*') || line.starts_with('#') || line.starts_with(';') ||
           line.starts_with("//");
}

std::vector<std::string_view> SplitOn(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (start <= line.size()) {
        const size_t end = std::min(line.find(separator, start), line.size());
        fields.push_back(Unquote(line.substr(start, end - start)));
        start = end + 1;
    }
    return fields;
}

std::vector<std::string_view> SplitOnSpaces(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i])) != 0) {
            ++i;
        }
        const size_t start = i;
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i])) == 0) {
            ++i;
        }
        if (i > start) {
            fields.push_back(Unquote(line.substr(start, i - start)));
        }
    }
    return fields;
}

// "1,234.5" as exports write large numbers: commas only between groups of three digits.
std::optional<std::string> WithoutThousandsSeparators(std::string_view text) {
    const size_t firstComma = text.find(',');
    if (firstComma == std::string_view::npos) {
        return std::string(text);
    }
    size_t digitsStart = (text.front() == '-' || text.front() == '+') ? 1 : 0;
    const size_t integerEnd =
        std::min({text.find('.'), text.find('e'), text.find('E'), text.size()});
    const std::string_view integer = text.substr(digitsStart, integerEnd - digitsStart);
    const size_t lead = integer.find(',');
    if (lead == 0 || lead > 3 ||
        integer.find_first_not_of("0123456789,") != std::string_view::npos) {
        return std::nullopt;
    }
    for (size_t comma = lead; comma < integer.size(); comma += 4) {
        if (integer[comma] != ',' || (integer.size() - comma - 1) % 4 != 3) {
            return std::nullopt;
        }
    }
    if (text.substr(integerEnd).find(',') != std::string_view::npos) {
        return std::nullopt;
    }
    std::string plain;
    std::ranges::copy_if(text, std::back_inserter(plain), [](char c) { return c != ','; });
    return plain;
}

// A number as the exports write it, or nothing; NaN and infinities come back
// as themselves so that the caller can name them.
std::optional<double> ParseNumber(std::string_view field) {
    if (field.empty()) {
        return std::nullopt;
    }
    const std::optional<std::string> plain = WithoutThousandsSeparators(field);
    if (!plain) {
        return std::nullopt;
    }
    std::string_view digits = *plain;
    if (digits.starts_with('+')) {
        digits.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}

bool AllNumbers(const std::vector<std::string_view>& fields) {
    return std::ranges::all_of(fields,
                               [](std::string_view f) { return ParseNumber(f).has_value(); });
}

// Tabs and semicolons separate columns whenever they appear; otherwise spaces,
// when every word is a number (commas being thousands separators), else commas.
std::vector<std::string_view> SplitFields(std::string_view line) {
    if (line.find('\t') != std::string_view::npos) {
        auto fields = SplitOn(line, '\t');
        std::erase_if(fields, [](std::string_view f) { return f.empty(); });
        return fields;
    }
    if (line.find(';') != std::string_view::npos) {
        return SplitOn(line, ';');
    }
    auto words = SplitOnSpaces(line);
    if (line.find(',') == std::string_view::npos || (words.size() >= 2 && AllNumbers(words))) {
        return words;
    }
    return SplitOn(line, ',');
}

bool NamesFrequency(std::string_view name) {
    const std::string lower = Lower(name);
    return lower.starts_with("freq") || lower == "f" || lower == "hz" || lower.starts_with("f(") ||
           lower.starts_with("f[");
}

bool NamesPhase(std::string_view name) {
    const std::string lower = Lower(name);
    return lower.find("phase") != std::string::npos || lower.find("deg") != std::string::npos;
}

bool NamesLevel(std::string_view name) {
    const std::string lower = Lower(name);
    return lower == "raw" || lower == "spl" || lower == "db" || lower == "magnitude";
}

struct Columns {
    size_t frequency = 0;
    size_t level = 1;
};

std::optional<Columns> ChooseColumns(const std::vector<std::string>& header,
                                     std::string_view wanted) {
    if (header.empty()) {
        return wanted.empty() ? std::optional<Columns>(Columns{}) : std::nullopt;
    }
    if (!wanted.empty()) {
        const std::string lowerWanted = Lower(Trim(wanted));
        const auto found = std::ranges::find_if(
            header, [&](const std::string& name) { return Lower(name) == lowerWanted; });
        if (found == header.end()) {
            return std::nullopt;
        }
        Columns columns{0, static_cast<size_t>(found - header.begin())};
        for (size_t i = columns.level; i-- > 0;) {
            if (NamesFrequency(header[i])) {
                columns.frequency = i;
                break;
            }
        }
        return columns;
    }
    Columns columns;
    const auto frequency = std::ranges::find_if(header, NamesFrequency);
    columns.frequency =
        frequency == header.end() ? 0 : static_cast<size_t>(frequency - header.begin());
    const auto named = std::ranges::find_if(header, NamesLevel);
    if (named != header.end()) {
        columns.level = static_cast<size_t>(named - header.begin());
        return columns;
    }
    for (size_t i = columns.frequency + 1; i < header.size(); ++i) {
        if (!NamesFrequency(header[i]) && !NamesPhase(header[i])) {
            columns.level = i;
            return columns;
        }
    }
    columns.level = columns.frequency + 1;
    return columns;
}

RoomEqProblem Problem(RoomEqProblemKind kind, const std::string& file, int line,
                      std::string detail = {}) {
    return RoomEqProblem{kind, file, line, std::move(detail)};
}
}  // namespace

MeasurementRead ParseMeasurementText(std::string_view text, const std::string& fileName,
                                     std::string_view column) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    MeasurementCurve curve;
    curve.name = fileName;
    std::vector<std::string> header;
    std::optional<Columns> columns;
    int lineNumber = 0;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        ++lineNumber;
        if (line.empty() || IsComment(line)) {
            continue;
        }
        const std::vector<std::string_view> fields = SplitFields(line);
        if (!columns) {
            // Title and header lines come before the numbers; the last line of
            // two or more names before them is the header.
            if (!AllNumbers(fields) || fields.size() < 2) {
                if (fields.size() >= 2 && !ParseNumber(fields.front())) {
                    header.assign(fields.begin(), fields.end());
                }
                continue;
            }
            columns = ChooseColumns(header, column);
            if (!columns) {
                return Problem(RoomEqProblemKind::NoSuchColumn, fileName, 0, std::string(column));
            }
        }
        if (fields.size() <= std::max(columns->frequency, columns->level)) {
            return Problem(RoomEqProblemKind::TooFewColumns, fileName, lineNumber,
                           std::string(line));
        }
        const std::optional<double> hertz = ParseNumber(fields[columns->frequency]);
        const std::optional<double> db = ParseNumber(fields[columns->level]);
        if (!hertz || !db || !std::isfinite(*hertz) || !std::isfinite(*db)) {
            const std::string_view bad = (!hertz || !std::isfinite(*hertz))
                                             ? fields[columns->frequency]
                                             : fields[columns->level];
            return Problem(RoomEqProblemKind::NotANumber, fileName, lineNumber, std::string(bad));
        }
        if (*hertz <= 0.0) {
            return Problem(RoomEqProblemKind::BadFrequency, fileName, lineNumber,
                           std::string(fields[columns->frequency]));
        }
        if (!curve.hertz.empty() && *hertz <= curve.hertz.back()) {
            return Problem(RoomEqProblemKind::NotIncreasing, fileName, lineNumber,
                           std::string(fields[columns->frequency]));
        }
        curve.hertz.push_back(*hertz);
        curve.db.push_back(*db);
    }
    if (curve.hertz.empty()) {
        return Problem(RoomEqProblemKind::NoNumbers, fileName, 0);
    }
    return curve;
}

MeasurementRead ReadMeasurementFile(const std::filesystem::path& path, std::string_view column) {
    const std::string name = path.filename().string();
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return Problem(RoomEqProblemKind::CannotRead, path.string(), 0);
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    if (file.bad()) {
        return Problem(RoomEqProblemKind::CannotRead, path.string(), 0);
    }
    return ParseMeasurementText(bytes.str(), name, column);
}
