// SPDX-License-Identifier: GPL-3.0-or-later
// Widths that come from the texts a control must hold, measured in its own
// font, so that a column of boxes lines up from row to row and no value or
// caption is ever cut, in either language and at any scale factor.
#pragma once

#include <QString>
#include <QStringList>

class CNumEdit;
class QComboBox;
class QLabel;
class QLineEdit;

// Room for the widest of `texts` inside an edit box's frame and margins.
int EditBoxWidthFor(const QLineEdit& box, const QStringList& texts);
// Fixes the box's width to `EditBoxWidthFor`.
void FitEditBox(QLineEdit& box, const QStringList& texts);
// Fixes a number box's width to the texts of the ends of its range on its
// current scale and to `alsoFits` (texts of other scales it may switch to).
void FitNumberBox(CNumEdit& box, const QStringList& alsoFits = {});
// Fixes a drop-down's width to its widest possible item plus its arrow.
void FitDropDown(QComboBox& dropDown, const QStringList& texts);
// Room for the widest of `texts` as a label in `label`'s font.
int LabelWidthFor(const QLabel& label, const QStringList& texts);
