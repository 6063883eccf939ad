// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/NumEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPalette>
#include <QPointer>

#include "app/KeyboardShortcuts.h"
#include "controls/KitPalette.h"
#include "curves/ScaleConversion.h"

namespace {
const QColor kRestingText(72, 88, 120);
const QColor kRestingBackground(255, 228, 232);
const QColor kEditingText(Qt::white);
const QColor kEditingBackground(200, 0, 0);
// A held value outside the range: amber, apart from both the resting pink
// and the editing red; the tool tip says it in words.
const QColor kOutOfRangeText = KitPalette::Text();
const QColor kOutOfRangeBackground = KitPalette::Warning();

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

CNumEdit::CNumEdit(int controlId, QWidget* parent)
    : QLineEdit(parent), controlId_(controlId), messageSink_([this](const QString& text) {
          QMessageBox::information(this, window()->windowTitle(), text);
      }) {
    setMaxLength(kMaxTypedCharacters);
    connect(this, &QLineEdit::textEdited, this, &CNumEdit::OnTextEdited);
    SetEditing(false);
    ShowScaleText();
}

void CNumEdit::SetScaleType(int32_t type) {
    scale_.SetScaleType(type);
    setMaxLength(kMaxTypedCharacters);
    ShowScaleText();
}

void CNumEdit::SetRange(int32_t minimum, int32_t maximum) {
    scale_.SetRange(minimum, maximum);
    ShowState();
}

void CNumEdit::SetValue(int32_t code) {
    if (scale_.SetValue(code)) {
        ShowScaleText();
    }
}

void CNumEdit::ShowHeldValue(int32_t code) {
    scale_.ShowHeldCode(code);
    ShowScaleText();
}

void CNumEdit::SetLanguage(Language language) {
    language_ = language;
    ShowState();
}

int32_t CNumEdit::GetValue() {
    const ReadOutcome outcome = scale_.GetValue();
    if (outcome.showRangeMessage) {
        ShowMessage(ToQString(kOutOfRangeMessage.In(language_)));
    }
    return outcome.code;
}

void CNumEdit::Spin(int32_t clickStep, SpinDirection direction, bool stopAtTopFrequency) {
    // A value typed and not yet committed is where the step starts from;
    // stepping the old code would throw the typing away without a word.
    if (scale_.IsModified()) {
        const QPointer<CNumEdit> alive(this);
        CommitTypedText();
        if (!alive) {
            return;
        }
    }
    if (scale_.Spin(clickStep, direction, stopAtTopFrequency)) {
        ShowScaleText();
        emit Committed(controlId_);
    }
}

void CNumEdit::SetPlainText(const QString& text) {
    scale_.SetText(text.toStdString());
    setText(text);
}

void CNumEdit::SetMessageSink(MessageFunction sink) {
    messageSink_ = std::move(sink);
}

void CNumEdit::ShowMessage(const QString& text) const {
    if (messageSink_) {
        messageSink_(text);
    }
}

void CNumEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    CommitTypedText();
}

void CNumEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    SetEditing(true);
}

bool CNumEdit::event(QEvent* event) {
    // Undo and redo keys belong to the editor's history, where a committed
    // value is a step; the box's own text undo would only bring back text
    // that the program no longer holds.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            pressed == Shortcut::Undo() || Shortcut::Redo().contains(pressed)) {
            event->ignore();
            return false;
        }
    }
    return QLineEdit::event(event);
}

void CNumEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Enter commits as leaving the field does; it is taken here so
            // that it never also presses a dialog's default button.
            CommitTypedText();
            event->accept();
            return;
        case Qt::Key_Escape:
            if (scale_.IsModified()) {
                RestoreShownValue();
                event->accept();
                return;
            }
            // Nothing typed: Escape is the dialog's, not the field's.
            break;
        default:
            break;
    }
    QLineEdit::keyPressEvent(event);
}

void CNumEdit::RestoreShownValue() {
    scale_.RestoreText();
    ShowScaleText();
    SetEditing(false);
}

void CNumEdit::OnTextEdited(const QString& text) {
    scale_.EditText(text.toStdString());
    SetEditing(true);
}

void CNumEdit::CommitTypedText() {
    const CommitOutcome outcome = scale_.Commit();
    ShowScaleText();
    SetEditing(false);
    // The page takes the new code before the range message is shown. The
    // message is a modal box that moves the focus, and whatever runs while it
    // is open (another field's commit refreshing the page from the program)
    // would otherwise put the old value back into this field.
    const QPointer<CNumEdit> alive(this);
    if (outcome.notifyPage) {
        emit Committed(controlId_);
    }
    if (alive && outcome.showRangeMessage) {
        ShowMessage(ToQString(kOutOfRangeMessage.In(language_)));
    }
    if (alive && outcome.showNumberMessage) {
        ShowMessage(ToQString(kNotANumberMessage.In(language_)));
    }
}

void CNumEdit::ShowScaleText() {
    const QString shown = QString::fromStdString(scale_.Text());
    if (shown != text()) {
        setText(shown);
    }
    // Every change of the code passes here, so the mark follows it.
    ShowState();
}

void CNumEdit::SetEditing(bool editing) {
    editing_ = editing;
    ShowState();
}

void CNumEdit::ShowState() {
    const bool marked = !editing_ && scale_.IsOutOfRange();
    QPalette colours = palette();
    colours.setColor(QPalette::Text, editing_ ? kEditingText
                                     : marked ? kOutOfRangeText
                                              : kRestingText);
    colours.setColor(QPalette::Base, editing_ ? kEditingBackground
                                     : marked ? kOutOfRangeBackground
                                              : kRestingBackground);
    setPalette(colours);

    QString tip;
    if (scale_.IsOutOfRange()) {
        const ScaleParameters& scale = scale_.Parameters();
        const std::optional<std::string> lowest = FormatCode(scale, scale.minCode);
        const std::optional<std::string> highest = FormatCode(scale, scale.maxCode);
        tip = lowest && highest
                  ? ToQString(kHeldOutOfRangeTip.In(language_))
                        .arg(QString::fromStdString(*lowest), QString::fromStdString(*highest))
                  : ToQString(kOutOfRangeMessage.In(language_));
    }
    if (tip != toolTip()) {
        setToolTip(tip);
        setAccessibleDescription(tip);
    }
}
