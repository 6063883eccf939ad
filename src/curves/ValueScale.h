// SPDX-License-Identifier: GPL-3.0-or-later
// The state and rules of one numeric entry field, without the widget: the
// parameter code it is bound to, its scale, the text it shows, and what
// happens when typed text is committed, read silently or stepped by the spin
// arrows. The widget forwards its events here and acts on the returned
// outcome (show the range message, tell the page). Typing and stepping never
// take the code out of [minCode, maxCode]; only `ShowHeldCode` may put a code
// outside it there, so that the field names what the program really holds.
#pragma once

#include <cstdint>
#include <string>

#include "curves/BilingualText.h"
#include "curves/ScaleConversion.h"

inline constexpr BilingualText kOutOfRangeMessage{"Out of Range", "超出范围"};
// Text without a number keeps the value; the user is told why nothing happened.
inline constexpr BilingualText kNotANumberMessage{"Type a number; the value is unchanged.",
                                                  "请输入数字，数值未改变。"};

// Longest text the user may type into a field.
inline constexpr int kMaxTypedCharacters = 9;

// What the widget must do after the field lost the keyboard focus.
struct CommitOutcome {
    std::string text;  // shown from now on
    // Above or below the range: the code was clamped.
    bool showRangeMessage = false;
    // No number at all: the code is unchanged.
    bool showNumberMessage = false;
    // The code changed: the page then reads GetValue and applies it.
    bool notifyPage = false;
};

struct ReadOutcome {
    int32_t code = 0;
    bool showRangeMessage = false;
};

enum class SpinDirection { Up, Down };

class ValueScale {
  public:
    // Stores the type and shows the code in it.
    void SetScaleType(int32_t type);
    void SetRange(int32_t minimum, int32_t maximum);
    void SetStep(double step) { scale_.step = step; }
    void SetOffset(double offset) { scale_.offset = offset; }

    // Shows `code`; a code outside the range is ignored and false returned.
    bool SetValue(int32_t code);
    // Shows `code` even outside the range: a program or device may hold a
    // value the field cannot reach, and naming the nearest limit instead
    // would misreport it. It stays until the user types or steps, which
    // brings the code back into the range.
    void ShowHeldCode(int32_t code);
    // A code shown by `ShowHeldCode` lies outside the range. The code a new
    // field starts with is not a held value and is never reported here.
    bool IsOutOfRange() const { return held_ && !IsInCodeRange(code_); }
    // The code, after converting text typed since the last conversion.
    ReadOutcome GetValue();

    bool IsModified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    // The user changed the text.
    void EditText(std::string text);
    // Throws away what the user typed and shows the code again.
    void RestoreText();
    // The page wrote the text itself (plain scale): not a user edit.
    void SetText(std::string text) { text_ = std::move(text); }
    const std::string& Text() const { return text_; }

    CommitOutcome Commit();

    // One click of the spin arrows by `clickStep` codes; a field of the Q
    // scale moves the other way so that the shown value follows the arrow.
    // `stopAtTopFrequency` also stops at 20000. True when the code changed
    // and the page must be told.
    bool Spin(int32_t clickStep, SpinDirection direction, bool stopAtTopFrequency);

    int32_t Code() const { return code_; }
    const ScaleParameters& Parameters() const { return scale_; }

  private:
    void ShowCode();
    bool IsInCodeRange(int64_t code) const;

    ScaleParameters scale_;
    int32_t code_ = 0;
    // The code came from `ShowHeldCode` rather than from the range rules.
    bool held_ = false;
    bool modified_ = false;
    std::string text_;
};
