// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/PresetGroupDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValidator>

#include "app/ShellTexts.h"
#include "app/dialogs/DialogServices.h"
#include "app/dialogs/PresetGroupTexts.h"
#include "model/GbkText.h"
#include "model/PresetStore.h"

namespace {
// The device keeps a name in 15 GBK bytes; a longer entry would be cut
// without the user seeing it, so the field refuses it instead. Fifteen ASCII
// characters fit, or seven Chinese ones of two bytes each.
class NameLengthValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*position*/) const override {
        const QByteArray utf8 = input.toUtf8();
        return GbkLength(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size()))) <=
                       kProgramNameTextLimit
                   ? Acceptable
                   : Invalid;
    }
};

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}
}  // namespace

PresetGroupDialog::PresetGroupDialog(PresetGroupMode mode, DialogServices& services,
                                     QWidget* parent)
    : QDialog(parent),
      mode_(mode),
      services_(services),
      language_(services.GetLanguage()),
      numbers_(ShownGroupNumbers(mode)),
      list_(new QTableWidget(this)),
      label_(new QLabel(this)),
      nameField_(new QLineEdit(this)),
      callButton_(new QPushButton(Tr(PresetGroupText::kCall, language_), this)),
      saveButton_(new QPushButton(Tr(PresetGroupText::kSave, language_), this)) {
    setWindowTitle(Tr(PresetGroupText::kTitle, language_));
    nameField_->setMaxLength(static_cast<int>(kProgramNameTextLimit));
    nameField_->setValidator(new NameLengthValidator(nameField_));
    nameField_->installEventFilter(this);
    // An auto-default button would take Enter in the name field as a click.
    for (QPushButton* button : {callButton_, saveButton_}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    callButton_->setVisible(mode_ == PresetGroupMode::AllGroups);
    saveButton_->setVisible(mode_ == PresetGroupMode::UserGroups);
    FillList();
    FitListToRows();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(nameField_, 1);
    buttons->addWidget(callButton_);
    buttons->addWidget(saveButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    connect(list_, &QTableWidget::itemSelectionChanged, this, &PresetGroupDialog::ShowSelectedRow);
    connect(callButton_, &QPushButton::clicked, this, &PresetGroupDialog::Call);
    connect(saveButton_, &QPushButton::clicked, this, &PresetGroupDialog::Save);
    list_->selectRow(0);
    ShowSelectedRow();
}

void PresetGroupDialog::FillList() {
    list_->setColumnCount(2);
    list_->setHorizontalHeaderLabels({Tr(PresetGroupText::kNumberColumn, language_),
                                      Tr(PresetGroupText::kNameColumn, language_)});
    list_->setColumnWidth(0, kNumberColumnWidth);
    list_->setColumnWidth(1, kNameColumnWidth);
    list_->verticalHeader()->hide();
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(true);
    list_->setRowCount(static_cast<int>(numbers_.size()));
    const PresetStore& presets = services_.Presets();
    for (int row = 0; row < list_->rowCount(); ++row) {
        const int number = numbers_.at(static_cast<size_t>(row));
        list_->setItem(row, 0, new QTableWidgetItem(QString::number(number)));
        list_->setItem(row, 1,
                       new QTableWidgetItem(FromUtf8(GroupName(number, presets, language_))));
    }
}

void PresetGroupDialog::FitListToRows() {
    // Opens large enough for both columns and a dozen groups without a
    // horizontal scroll bar; a longer list scrolls down only.
    constexpr int kRowsInView = 12;
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * list_->frameWidth();
    const int width = frame + kNumberColumnWidth + kNameColumnWidth +
                      list_->verticalScrollBar()->sizeHint().width();
    const int height = frame + list_->horizontalHeader()->sizeHint().height() +
                       kRowsInView * list_->verticalHeader()->defaultSectionSize();
    list_->setMinimumSize(width, height);
}

int PresetGroupDialog::SelectedRow() const {
    const int row = list_->currentRow();
    return row >= 0 && list_->selectionModel()->isRowSelected(row, QModelIndex()) ? row : -1;
}

int PresetGroupDialog::SelectedNumber() {
    int row = SelectedRow();
    if (row < 0) {
        row = 0;
        list_->selectRow(row);
    }
    return numbers_.at(static_cast<size_t>(row));
}

void PresetGroupDialog::ShowSelectedRow() {
    // A cleared selection keeps showing the row last shown; an action then takes the first row.
    const int row = SelectedRow();
    if (row < 0) {
        return;
    }
    const int number = numbers_.at(static_cast<size_t>(row));
    label_->setText(Tr(PresetGroupText::kLabelPrefix, language_) + QString::number(number) +
                    QLatin1Char(':'));
    shownName_ = FromUtf8(GroupName(number, services_.Presets(), language_));
    nameField_->setText(shownName_);
    nameField_->setReadOnly(mode_ != PresetGroupMode::UserGroups || number == kDanceGroupNumber);
}

bool PresetGroupDialog::CheckConnected() {
    if (services_.IsConnected()) {
        return true;
    }
    services_.ShowMessage(Tr(PresetGroupText::kNotConnected, language_));
    return false;
}

void PresetGroupDialog::Call() {
    if (mode_ != PresetGroupMode::AllGroups) {
        return;
    }
    const int number = SelectedNumber();
    if (!CheckConnected()) {
        return;
    }
    // The message says the group was read, so it waits for the processor's answer.
    const bool started = services_.RecallPreset(
        DeviceSlotOfGroup(number),
        [number](Language language) { return FromUtf8(CalledMessage(number, language)); });
    if (started) {
        accept();
    }
}

void PresetGroupDialog::Save() {
    // Saving is offered on user groups only; a system group is never overwritten.
    if (mode_ != PresetGroupMode::UserGroups) {
        return;
    }
    const int number = SelectedNumber();
    if (!CheckConnected()) {
        return;
    }
    const std::string typed = ToUtf8(nameField_->text());
    const std::string_view trimmed = TrimSpaces(typed);
    if (trimmed.empty()) {
        services_.ShowMessage(Tr(PresetGroupText::kEmptyName, language_));
        ShowSelectedRow();
        return;
    }
    const int slot = DeviceSlotOfGroup(number);
    PresetStore& presets = services_.Presets();
    std::string name;
    if (number != kDanceGroupNumber && trimmed == TrimSpaces(ToUtf8(shownName_))) {
        // The name as the device holds it, byte for byte, even where it is
        // no GBK its decoding could give back.
        name = presets.Name(slot);
    } else {
        GbkEncoding encoding = EncodeGbk(trimmed);
        if (!encoding.Ok()) {
            services_.ShowMessage(
                QString::fromStdString(NotGbkMessage(encoding.refused, language_)));
            return;
        }
        name = std::move(encoding.bytes);
    }
    // The list shows the new name, and the message says it was stored, only
    // once the processor has taken it.
    services_.StoreProgramAs(slot, name, [number](Language language) {
        return FromUtf8(SavedMessage(number, language));
    });
    accept();
}

bool PresetGroupDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == nameField_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && !nameField_->isReadOnly() &&
        nameField_->text() != shownName_) {
        // Escape throws the typed name away, as it does in every field.
        nameField_->setText(shownName_);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void PresetGroupDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}
