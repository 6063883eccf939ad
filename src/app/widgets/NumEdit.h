// SPDX-License-Identifier: GPL-3.0-or-later
// The numeric entry field every page shows parameter values through: an edit
// box bound to one integer code, showing it on its scale and turning typed
// text back into a code when the user presses Enter or the field loses the
// keyboard focus; Escape throws the typed text away. The rules live in
// `ValueScale`; this widget only forwards its events and acts on the outcome.
// The page is told through `Committed` only when the code changed, and then
// reads `GetValue`; the code it reads never leaves the field's range,
// whatever was typed. A code outside the range that the program already
// holds can be shown as it is (`ShowHeldValue`), marked as such until the
// user changes it.
#pragma once

#include <QLineEdit>
#include <cstdint>
#include <functional>

#include "curves/BilingualText.h"
#include "curves/ValueScale.h"

// The tool tip of a field showing a held value outside its range; the
// arguments are the lowest and highest values the field takes.
inline constexpr BilingualText kHeldOutOfRangeTip{
    "Out of Range: kept as it was read; this control sets %1 to %2.",
    "超出范围：保持读取到的值；本控件可设 %1 至 %2。"};

class CNumEdit : public QLineEdit {
    Q_OBJECT

  public:
    // Shows a message to the user; a modal box unless a test hands in its own.
    using MessageFunction = std::function<void(const QString& text)>;

    // `controlId` is the number the page knows this field by.
    explicit CNumEdit(int controlId, QWidget* parent = nullptr);

    int ControlId() const { return controlId_; }

    void SetScaleType(int32_t type);
    int32_t GetScaleType() const { return scale_.Parameters().scaleType; }
    void SetRange(int32_t minimum, int32_t maximum);
    int32_t MinCode() const { return scale_.Parameters().minCode; }
    int32_t MaxCode() const { return scale_.Parameters().maxCode; }
    const ScaleParameters& GetScaleParameters() const { return scale_.Parameters(); }
    void SetStep(double step) { scale_.SetStep(step); }
    void SetOffset(double offset) { scale_.SetOffset(offset); }

    // Shows `code`; a code outside the range leaves the field as it was.
    void SetValue(int32_t code);
    // Shows `code` as the program holds it, inside the range or not; outside
    // it the field is marked until the user types or steps a new value.
    // Nothing is reported, and leaving the untouched field commits nothing.
    void ShowHeldValue(int32_t code);
    bool IsOutOfRange() const { return scale_.IsOutOfRange(); }
    // The code, after silently converting text typed since the last read.
    int32_t GetValue();
    bool IsModified() const { return scale_.IsModified(); }
    void SetModified(bool modified) { scale_.SetModified(modified); }

    // One click of an attached spin arrow or arrow key; text typed and not
    // yet committed is committed first, so the step starts from it. Tells
    // the page when the code moved.
    // `stopAtTopFrequency` is the spin's frequency mode (stops at 20000 Hz).
    void Spin(int32_t clickStep, SpinDirection direction, bool stopAtTopFrequency);

    // The page writes the text of a plain-scale field itself.
    void SetPlainText(const QString& text);

    void SetLanguage(Language language);
    Language CurrentLanguage() const { return language_; }
    void SetMessageSink(MessageFunction sink);
    void ShowMessage(const QString& text) const;

    // True between a click or a typed key and the next commit.
    bool IsEditing() const { return editing_; }

    // Converts typed text as Enter and leaving the field do.
    void CommitTypedText();
    // Throws typed text away and shows the code again, as Escape does.
    void RestoreShownValue();

  signals:
    // A typed value changed the code (clamped to the range if need be), or a
    // spin moved it.
    void Committed(int controlId);

  protected:
    bool event(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void OnTextEdited(const QString& text);
    void ShowScaleText();
    void SetEditing(bool editing);
    // Colours and tool tip for the editing state and the out-of-range mark.
    void ShowState();

    const int controlId_;
    ValueScale scale_;
    Language language_ = Language::Chinese;
    MessageFunction messageSink_;
    bool editing_ = false;
};
