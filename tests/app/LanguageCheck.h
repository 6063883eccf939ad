// SPDX-License-Identifier: GPL-3.0-or-later
// Finds text of the wrong language in a window: every text a user can read
// in a widget and its visible children (labels, buttons, group titles,
// drop-down entries, table headings and cells, menus, window titles,
// tooltips, placeholders), and a judge per language. In English, any Chinese
// character is wrong; in Chinese, any Latin word that is not a unit, an
// acronym or a name that reads the same in both languages.
#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTableWidget>

#include "curves/BilingualText.h"

namespace language_check {

inline void AddText(QStringList& texts, QString text) {
    text.remove(QLatin1Char('&'));
    if (!text.trimmed().isEmpty()) {
        texts.append(text);
    }
}

inline void AddMenu(QStringList& texts, const QList<QAction*>& actions) {
    for (const QAction* action : actions) {
        AddText(texts, action->text());
        AddText(texts, action->toolTip() == action->text() ? QString() : action->toolTip());
        if (action->menu() != nullptr) {
            AddMenu(texts, action->menu()->actions());
        }
    }
}

inline void AddWidget(QStringList& texts, const QWidget& widget) {
    AddText(texts, widget.toolTip());
    AddText(texts, widget.accessibleName());
    if (widget.isWindow()) {
        AddText(texts, widget.windowTitle());
    }
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        AddText(texts, label->text());
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        AddText(texts, button->text());
    } else if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) {
        AddText(texts, group->title());
    } else if (const auto* combo = qobject_cast<const QComboBox*>(&widget)) {
        for (int i = 0; i < combo->count(); ++i) {
            AddText(texts, combo->itemText(i));
        }
    } else if (const auto* line = qobject_cast<const QLineEdit*>(&widget)) {
        AddText(texts, line->placeholderText());
    } else if (const auto* table = qobject_cast<const QTableWidget*>(&widget)) {
        for (int column = 0; column < table->columnCount(); ++column) {
            if (const QTableWidgetItem* heading = table->horizontalHeaderItem(column)) {
                AddText(texts, heading->text());
            }
            for (int row = 0; row < table->rowCount(); ++row) {
                if (const QTableWidgetItem* cell = table->item(row, column)) {
                    AddText(texts, cell->text());
                }
            }
        }
    } else if (const auto* bar = qobject_cast<const QMenuBar*>(&widget)) {
        AddMenu(texts, bar->actions());
    } else if (const auto* header = qobject_cast<const QHeaderView*>(&widget)) {
        for (int section = 0; header->model() != nullptr && section < header->count(); ++section) {
            AddText(texts, header->model()->headerData(section, header->orientation()).toString());
        }
    }
}

}  // namespace language_check

// Every text a user can read in `root` and its children that are not hidden.
inline QStringList VisibleTexts(const QWidget& root) {
    QStringList texts;
    language_check::AddWidget(texts, root);
    for (const QWidget* child : root.findChildren<QWidget*>()) {
        if (child->isVisibleTo(&root) || child->isWindow()) {
            if (!child->isWindow() || child->isVisible()) {
                language_check::AddWidget(texts, *child);
            }
        }
    }
    return texts;
}

inline bool HasChinese(const QString& text) {
    static const QRegularExpression kHan(
        QStringLiteral("[\\x{3000}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return text.contains(kHan);
}

// Latin words a Chinese interface shows as they are: units, acronyms,
// the product's name, the pictures of the source-mode button, the keys
// named in tooltips and the file patterns of the save dialogs.
inline bool IsNeutralWord(const QString& word) {
    static const QSet<QString> kNeutral = {
        QStringLiteral("dB"),    QStringLiteral("Hz"),    QStringLiteral("HZ"),
        QStringLiteral("kHz"),   QStringLiteral("ms"),    QStringLiteral("Oct"),
        QStringLiteral("USB"),   QStringLiteral("IP"),    QStringLiteral("EQ"),
        QStringLiteral("PEQ"),   QStringLiteral("DVD"),   QStringLiteral("VOD"),
        QStringLiteral("BGM"),   QStringLiteral("AUTO"),  QStringLiteral("Sonavel"),
        QStringLiteral("dia"),   QStringLiteral("Pos"),   QStringLiteral("TCP"),
        QStringLiteral("Lo_EQ"), QStringLiteral("Hi_EQ"), QStringLiteral("English"),
        QStringLiteral("FBX"),   QStringLiteral("Ctrl"),  QStringLiteral("Shift"),
        QStringLiteral("PNG"),   QStringLiteral("CSV"),   QStringLiteral("PDF"),
        QStringLiteral("png"),   QStringLiteral("csv"),   QStringLiteral("pdf"),
    };
    return kNeutral.contains(word);
}

// The texts that belong to the other language than `language`.
inline QStringList OtherLanguageTexts(const QStringList& texts, Language language) {
    static const QRegularExpression kLatinWord(QStringLiteral("[A-Za-z][A-Za-z_]+"));
    QStringList wrong;
    for (const QString& text : texts) {
        if (language == Language::English) {
            if (HasChinese(text)) {
                wrong.append(text);
            }
            continue;
        }
        for (auto match = kLatinWord.globalMatch(text); match.hasNext();) {
            if (!IsNeutralWord(match.next().captured())) {
                wrong.append(text);
                break;
            }
        }
    }
    return wrong;
}
