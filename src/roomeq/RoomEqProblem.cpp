// SPDX-License-Identifier: GPL-3.0-or-later
#include "roomeq/RoomEqProblem.h"

namespace {
BilingualText Reason(RoomEqProblemKind kind) {
    switch (kind) {
        case RoomEqProblemKind::CannotRead:
            return {"cannot be read", "无法读取"};
        case RoomEqProblemKind::NoNumbers:
            return {"holds no frequency and level numbers", "不含频率和电平数值"};
        case RoomEqProblemKind::NotANumber:
            return {"a value is not a number", "有一个值不是数字"};
        case RoomEqProblemKind::TooFewColumns:
            return {"the row has fewer columns than the header", "该行的列数少于表头"};
        case RoomEqProblemKind::NotIncreasing:
            return {"the frequencies do not increase", "频率没有递增"};
        case RoomEqProblemKind::BadFrequency:
            return {"a frequency is zero or negative", "频率为零或负数"};
        case RoomEqProblemKind::NoSuchColumn:
            return {"no column has this name", "没有这个名称的列"};
        case RoomEqProblemKind::TooFewPoints:
            return {"fewer than 10 points lie inside the fitting range",
                    "拟合范围内的点少于 10 个"};
        case RoomEqProblemKind::NoOverlap:
            return {"the positions share too little of the fitting range",
                    "各测量位置在拟合范围内重叠太少"};
        case RoomEqProblemKind::BadSetting:
            return {"setting out of range", "设置超出范围"};
    }
    return {"cannot be used", "无法使用"};
}
}  // namespace

std::string DescribeProblem(const RoomEqProblem& problem, Language language) {
    const bool chinese = language == Language::Chinese;
    std::string text = problem.file;
    if (problem.line > 0) {
        text += chinese ? "，第 " + std::to_string(problem.line) + " 行"
                        : ", line " + std::to_string(problem.line);
    }
    if (!text.empty()) {
        text += chinese ? "：" : ": ";
    }
    text += std::string(Reason(problem.kind).In(language));
    if (!problem.detail.empty()) {
        text += chinese ? "（" + problem.detail + "）" : " (" + problem.detail + ")";
    }
    return text;
}
