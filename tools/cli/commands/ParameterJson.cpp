// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/ParameterJson.h"

#include <algorithm>
#include <map>

namespace cli {

std::string JsonObject(const std::vector<JsonMember>& members) {
    if (members.empty()) {
        return "{}";
    }
    std::string text = "{\n";
    for (size_t i = 0; i < members.size(); ++i) {
        // Paths and link texts need no escaping beyond what their makers did.
        text += "  \"" + members[i].first + "\": " + members[i].second;
        text += i + 1 < members.size() ? ",\n" : "\n";
    }
    return text + "}";
}

std::vector<JsonMember> ParameterDifferences(const std::vector<ParameterValue>& a,
                                             const std::vector<ParameterValue>& b) {
    const std::map<std::string, std::string> inB(b.begin(), b.end());
    const std::map<std::string, std::string> inA(a.begin(), a.end());
    std::vector<JsonMember> differences;
    for (const auto& [path, value] : a) {
        const auto other = inB.find(path);
        const std::string otherValue = other == inB.end() ? "null" : other->second;
        if (otherValue != value) {
            differences.emplace_back(path, "[" + value + ", " + otherValue + "]");
        }
    }
    for (const auto& [path, value] : b) {
        if (!inA.contains(path)) {
            differences.emplace_back(path, "[null, " + value + "]");
        }
    }
    return differences;
}

}  // namespace cli
