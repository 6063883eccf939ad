// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/FieldSizing.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <algorithm>

#include "app/widgets/NumEdit.h"
#include "curves/ScaleConversion.h"

namespace {
int WidestText(const QFontMetrics& metrics, const QStringList& texts) {
    int widest = 0;
    for (const QString& text : texts) {
        widest = std::max(widest, metrics.horizontalAdvance(text));
    }
    return widest;
}
}  // namespace

int EditBoxWidthFor(const QLineEdit& box, const QStringList& texts) {
    const QMargins margins = box.textMargins();
    // The cursor and the style's inner text margin on each side.
    constexpr int kInnerRoom = 6;
    const int text =
        WidestText(box.fontMetrics(), texts) + margins.left() + margins.right() + kInnerRoom;
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.lineWidth = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box);
    const QSize framed = box.style()->sizeFromContents(
        QStyle::CT_LineEdit, &option, QSize(text, box.fontMetrics().height()), &box);
    return framed.width();
}

void FitEditBox(QLineEdit& box, const QStringList& texts) {
    box.setFixedWidth(EditBoxWidthFor(box, texts));
}

void FitNumberBox(CNumEdit& box, const QStringList& alsoFits) {
    QStringList texts = alsoFits;
    const ScaleParameters& scale = box.GetScaleParameters();
    for (const int32_t code : {scale.minCode, scale.maxCode}) {
        if (const std::optional<std::string> text = FormatCode(scale, code)) {
            texts << QString::fromStdString(*text);
        }
    }
    FitEditBox(box, texts);
}

void FitDropDown(QComboBox& dropDown, const QStringList& texts) {
    QStyleOptionComboBox option;
    option.initFrom(&dropDown);
    option.editable = false;
    const int text = WidestText(dropDown.fontMetrics(), texts);
    const QSize framed = dropDown.style()->sizeFromContents(
        QStyle::CT_ComboBox, &option, QSize(text, dropDown.fontMetrics().height()), &dropDown);
    // Room on the right for the style's drop-down arrow, which some styles
    // leave out of the contents size.
    constexpr int kArrowRoom = 4;
    dropDown.setFixedWidth(framed.width() + kArrowRoom);
}

int LabelWidthFor(const QLabel& label, const QStringList& texts) {
    const int margins =
        2 * label.margin() + label.contentsMargins().left() + label.contentsMargins().right();
    return WidestText(label.fontMetrics(), texts) + margins;
}
