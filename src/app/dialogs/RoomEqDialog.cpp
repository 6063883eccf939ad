// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/RoomEqDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "app/ShellTexts.h"
#include "app/dialogs/DialogServices.h"
#include "app/dialogs/RoomEqFitRunner.h"
#include "app/dialogs/RoomEqPlot.h"
#include "app/dialogs/RoomEqTexts.h"
#include "app/graph/FStatic.h"
#include "app/graph/GraphMapping.h"
#include "curves/BandwidthTable.h"
#include "model/Audio_Data.h"
#include "model/ProgramSnapshot.h"
#include "roomeq/MeasurementText.h"
#include "roomeq/RoomEqEdits.h"

namespace {
constexpr int kSmoothingChoices[] = {1, 3, 6, 12, 24, 0};
constexpr int kDefaultSmoothingChoice = 2;  // 1/6 octave
constexpr int kSettingsWidth = 330;
constexpr int kResultsWidth = 340;

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Decibels(double db) {
    return QString::number(db, 'f', 1);
}
}  // namespace

RoomEqDialog::RoomEqDialog(DialogServices& services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      language_(services.GetLanguage()),
      runner_(new RoomEqFitRunner(this)) {
    setWindowTitle(Tr(RoomEqText::kTitle, language_));
    auto* columns = new QHBoxLayout;
    columns->addWidget(BuildSettings());
    auto* middle = new QVBoxLayout;
    plot_ = new RoomEqPlot(this);
    plot_->SetLanguage(language_);
    graph_ = new CFStatic(this);
    graph_->SetLanguage(language_);
    graph_->setMinimumHeight(180);
    // The proposed bands are shown, not dragged: Apply takes the fit as it is.
    graph_->setAttribute(Qt::WA_TransparentForMouseEvents);
    middle->addWidget(plot_, 3);
    middle->addWidget(graph_, 2);
    columns->addLayout(middle, 1);
    columns->addWidget(BuildResults());

    applyButton_ = new QPushButton(Tr(RoomEqText::kApply, language_), this);
    cancelButton_ = new QPushButton(Tr(RoomEqText::kCancel, language_), this);
    applyButton_->setEnabled(false);
    applyButton_->setAccessibleName(applyButton_->text());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(applyButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);

    connect(applyButton_, &QPushButton::clicked, this, &RoomEqDialog::ApplyFit);
    connect(cancelButton_, &QPushButton::clicked, this, &RoomEqDialog::reject);
    connect(runner_, &RoomEqFitRunner::Progressed, this,
            [this](double share) { progress_->setValue(static_cast<int>(share * 100.0)); });
    connect(runner_, &RoomEqFitRunner::Finished, this, &RoomEqDialog::ShowResult);
    ChannelChosen();
    TargetKindChosen();
}

QSize RoomEqDialog::sizeHint() const {
    const QSize wanted(1240, 700);
    const QWidget* window = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    const QSize room = window != nullptr ? window->size() * 0.96 : wanted;
    return room.expandedTo(minimumSizeHint());
}

RoomEqDialog::~RoomEqDialog() = default;

QWidget* RoomEqDialog::BuildSettings() {
    auto* panel = new QWidget(this);
    panel->setFixedWidth(kSettingsWidth);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* measurements = new QGroupBox(Tr(RoomEqText::kMeasurements, language_), panel);
    auto* measurementLayout = new QVBoxLayout(measurements);
    files_ = new QListWidget(measurements);
    files_->setMaximumHeight(files_->fontMetrics().height() * 4 + 8);
    auto* add = new QPushButton(Tr(RoomEqText::kAdd, language_), measurements);
    auto* remove = new QPushButton(Tr(RoomEqText::kRemove, language_), measurements);
    auto* fileButtons = new QHBoxLayout;
    fileButtons->addWidget(add);
    fileButtons->addWidget(remove);
    column_ = new QLineEdit(measurements);
    column_->setPlaceholderText(Tr(RoomEqText::kColumnHint, language_));
    calibrationName_ = new QLabel(Tr(RoomEqText::kNone, language_), measurements);
    auto* calibrationChoose = new QPushButton(Tr(RoomEqText::kChoose, language_), measurements);
    auto* calibrationClear = new QPushButton(Tr(RoomEqText::kClear, language_), measurements);
    auto* calibrationRow = new QHBoxLayout;
    calibrationRow->addWidget(calibrationName_, 1);
    calibrationRow->addWidget(calibrationChoose);
    calibrationRow->addWidget(calibrationClear);
    auto* fileForm = new QFormLayout;
    fileForm->addRow(Tr(RoomEqText::kColumn, language_), column_);
    fileForm->addRow(Tr(RoomEqText::kCalibration, language_), calibrationRow);
    measurementLayout->addWidget(files_);
    measurementLayout->addLayout(fileButtons);
    measurementLayout->addLayout(fileForm);
    layout->addWidget(measurements);

    auto* form = new QFormLayout;
    channel_ = new QComboBox(panel);
    for (const BilingualText& name : RoomEqText::kChannels) {
        channel_->addItem(Tr(name, language_));
    }
    bands_ = new QSpinBox(panel);
    maxBoost_ = new QDoubleSpinBox(panel);
    maxBoost_->setRange(0.0, kHighestMaxBoostDb);
    maxBoost_->setSingleStep(0.5);
    maxBoost_->setDecimals(1);
    maxBoost_->setValue(kDefaultMaxBoostDb);
    maxBoost_->setSuffix(QStringLiteral(" dB"));
    shelves_ = new QCheckBox(Tr(RoomEqText::kShelves, language_), panel);
    shelves_->setChecked(true);
    targetKind_ = new QComboBox(panel);
    for (const BilingualText* kind :
         {&RoomEqText::kFlat, &RoomEqText::kHouseCurve, &RoomEqText::kTargetFile}) {
        targetKind_->addItem(Tr(*kind, language_));
    }
    tilt_ = new QDoubleSpinBox(panel);
    tilt_->setRange(-6.0, 6.0);
    tilt_->setSingleStep(0.5);
    tilt_->setDecimals(1);
    tilt_->setValue(-1.0);
    tilt_->setSuffix(Tr(RoomEqText::kPerDecade, language_));
    shelfGain_ = new QDoubleSpinBox(panel);
    shelfGain_->setRange(-10.0, 12.0);
    shelfGain_->setDecimals(1);
    shelfGain_->setSuffix(Tr(RoomEqText::kBelow, language_));
    shelfCorner_ = new QSpinBox(panel);
    shelfCorner_->setRange(20, 2000);
    shelfCorner_->setValue(120);
    shelfCorner_->setSuffix(QStringLiteral(" Hz"));
    auto* shelfRow = new QHBoxLayout;
    shelfRow->addWidget(shelfGain_, 1);
    shelfRow->addWidget(shelfCorner_, 1);
    targetName_ = new QLabel(Tr(RoomEqText::kNone, language_), panel);
    targetChoose_ = new QPushButton(Tr(RoomEqText::kChoose, language_), panel);
    auto* targetFileRow = new QHBoxLayout;
    targetFileRow->addWidget(targetName_, 1);
    targetFileRow->addWidget(targetChoose_);
    lowHertz_ = new QSpinBox(panel);
    highHertz_ = new QSpinBox(panel);
    for (QSpinBox* box : {lowHertz_, highHertz_}) {
        box->setRange(20, 20000);
        box->setSuffix(QStringLiteral(" Hz"));
    }
    lowHertz_->setValue(static_cast<int>(kDefaultLowHertz));
    highHertz_->setValue(static_cast<int>(kDefaultHighHertz));
    auto* rangeRow = new QHBoxLayout;
    rangeRow->addWidget(lowHertz_, 1);
    rangeRow->addWidget(highHertz_, 1);
    smoothing_ = new QComboBox(panel);
    for (int fraction : kSmoothingChoices) {
        smoothing_->addItem(fraction == 0 ? Tr(RoomEqText::kSmoothingNone, language_)
                                          : QStringLiteral("1/%1").arg(fraction));
    }
    smoothing_->setCurrentIndex(kDefaultSmoothingChoice);
    form->addRow(Tr(RoomEqText::kChannel, language_), channel_);
    form->addRow(Tr(RoomEqText::kBands, language_), bands_);
    form->addRow(Tr(RoomEqText::kMaxBoost, language_), maxBoost_);
    form->addRow(QString(), shelves_);
    form->addRow(Tr(RoomEqText::kTarget, language_), targetKind_);
    form->addRow(Tr(RoomEqText::kTilt, language_), tilt_);
    form->addRow(Tr(RoomEqText::kBassShelf, language_), shelfRow);
    form->addRow(QString(), targetFileRow);
    form->addRow(Tr(RoomEqText::kRange, language_), rangeRow);
    form->addRow(Tr(RoomEqText::kSmoothing, language_), smoothing_);
    layout->addLayout(form);

    fitButton_ = new QPushButton(Tr(RoomEqText::kFit, language_), panel);
    progress_ = new QProgressBar(panel);
    progress_->setRange(0, 100);
    progress_->setVisible(false);
    auto* fitRow = new QHBoxLayout;
    fitRow->addWidget(fitButton_);
    fitRow->addWidget(progress_, 1);
    layout->addLayout(fitRow);
    layout->addStretch(1);

    connect(add, &QPushButton::clicked, this, [this] {
        AddMeasurementFiles(
            QFileDialog::getOpenFileNames(this, Tr(RoomEqText::kMeasurements, language_), QString(),
                                          Tr(RoomEqText::kMeasurementFilter, language_)));
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = files_->currentRow();
        if (row >= 0 && row < static_cast<int>(positions_.size())) {
            positions_.erase(positions_.begin() + row);
            delete files_->takeItem(row);
            SettingsChanged();
        }
    });
    connect(calibrationChoose, &QPushButton::clicked, this, [this] {
        const QString path =
            QFileDialog::getOpenFileName(this, Tr(RoomEqText::kCalibration, language_), QString(),
                                         Tr(RoomEqText::kMeasurementFilter, language_));
        if (!path.isEmpty()) {
            SetCalibrationFile(path);
        }
    });
    connect(calibrationClear, &QPushButton::clicked, this, [this] {
        calibration_.reset();
        calibrationName_->setText(Tr(RoomEqText::kNone, language_));
        SettingsChanged();
    });
    connect(targetChoose_, &QPushButton::clicked, this, [this] {
        const QString path =
            QFileDialog::getOpenFileName(this, Tr(RoomEqText::kTarget, language_), QString(),
                                         Tr(RoomEqText::kMeasurementFilter, language_));
        if (path.isEmpty()) {
            return;
        }
        MeasurementRead read = ReadMeasurementFile(path.toStdString());
        if (const RoomEqProblem* problem = std::get_if<RoomEqProblem>(&read)) {
            ShowProblem(DescribeProblem(*problem, Language::English),
                        DescribeProblem(*problem, Language::Chinese));
            return;
        }
        targetFile_ = std::get<MeasurementCurve>(std::move(read));
        targetName_->setText(QFileInfo(path).fileName());
        SettingsChanged();
    });
    connect(fitButton_, &QPushButton::clicked, this, [this] {
        if (IsFitting()) {
            runner_->Cancel();
        } else {
            StartFit();
        }
    });
    connect(channel_, &QComboBox::currentIndexChanged, this, &RoomEqDialog::ChannelChosen);
    connect(targetKind_, &QComboBox::currentIndexChanged, this, &RoomEqDialog::TargetKindChosen);
    connect(column_, &QLineEdit::editingFinished, this, &RoomEqDialog::SettingsChanged);
    for (QSpinBox* box : {bands_, shelfCorner_, lowHertz_, highHertz_}) {
        connect(box, &QSpinBox::valueChanged, this, &RoomEqDialog::SettingsChanged);
    }
    for (QDoubleSpinBox* box : {maxBoost_, tilt_, shelfGain_}) {
        connect(box, &QDoubleSpinBox::valueChanged, this, &RoomEqDialog::SettingsChanged);
    }
    connect(shelves_, &QCheckBox::toggled, this, &RoomEqDialog::SettingsChanged);
    connect(smoothing_, &QComboBox::currentIndexChanged, this, &RoomEqDialog::SettingsChanged);
    return panel;
}

QWidget* RoomEqDialog::BuildResults() {
    auto* panel = new QWidget(this);
    panel->setFixedWidth(kResultsWidth);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    errors_ = new QLabel(panel);
    notes_ = new QLabel(panel);
    for (QLabel* label : {errors_, notes_}) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    table_ = new QTableWidget(0, static_cast<int>(RoomEqText::kColumns.size()), panel);
    QStringList headings;
    for (const BilingualText& heading : RoomEqText::kColumns) {
        headings << Tr(heading, language_);
    }
    table_->setHorizontalHeaderLabels(headings);
    table_->verticalHeader()->setVisible(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    layout->addWidget(errors_);
    layout->addWidget(table_, 1);
    layout->addWidget(notes_);
    return panel;
}

bool RoomEqDialog::AddMeasurementFiles(const QStringList& paths) {
    std::vector<MeasurementCurve> read;
    for (const QString& path : paths) {
        MeasurementRead file =
            ReadMeasurementFile(path.toStdString(), column_->text().toStdString());
        if (const RoomEqProblem* problem = std::get_if<RoomEqProblem>(&file)) {
            ShowProblem(DescribeProblem(*problem, Language::English),
                        DescribeProblem(*problem, Language::Chinese));
            return false;
        }
        read.push_back(std::get<MeasurementCurve>(std::move(file)));
    }
    for (MeasurementCurve& curve : read) {
        files_->addItem(FromUtf8(curve.name));
        positions_.push_back(std::move(curve));
    }
    SettingsChanged();
    return true;
}

bool RoomEqDialog::SetCalibrationFile(const QString& path) {
    MeasurementRead read = ReadMeasurementFile(path.toStdString());
    if (const RoomEqProblem* problem = std::get_if<RoomEqProblem>(&read)) {
        ShowProblem(DescribeProblem(*problem, Language::English),
                    DescribeProblem(*problem, Language::Chinese));
        return false;
    }
    calibration_ = std::get<MeasurementCurve>(std::move(read));
    calibrationName_->setText(QFileInfo(path).fileName());
    SettingsChanged();
    return true;
}

RoomEqChannel RoomEqDialog::SelectedChannel() const {
    const std::vector<RoomEqChannel> channels = RoomEqChannels();
    return channels.at(static_cast<size_t>(std::max(0, channel_->currentIndex())));
}

void RoomEqDialog::ChannelChosen() {
    const RoomEqChannel channel = SelectedChannel();
    const QSignalBlocker blocker(bands_);
    bands_->setRange(1, UsableBandCount(channel));
    bands_->setValue(UsableBandCount(channel));
    shelves_->setEnabled(ShelvesPossible(channel));
    SettingsChanged();
}

void RoomEqDialog::TargetKindChosen() {
    const int kind = targetKind_->currentIndex();
    tilt_->setEnabled(kind == 1);
    shelfGain_->setEnabled(kind == 1);
    shelfCorner_->setEnabled(kind == 1);
    targetName_->setEnabled(kind == 2);
    targetChoose_->setEnabled(kind == 2);
    SettingsChanged();
}

// A result stands for the settings it was fitted with: any change drops it.
void RoomEqDialog::SettingsChanged() {
    if (IsFitting()) {
        runner_->Cancel();
    }
    fit_.reset();
    applyButton_->setEnabled(false);
    errors_->clear();
    notes_->clear();
    table_->setRowCount(0);
    graph_->setVisible(false);
    if (positions_.empty()) {
        plot_->Clear();
        return;
    }
    MeasurementSettings settings;
    settings.positions = positions_;
    settings.calibration = calibration_;
    settings.lowHertz = lowHertz_->value();
    settings.highHertz = highHertz_->value();
    settings.smoothing = kSmoothingChoices[std::max(0, smoothing_->currentIndex())];
    if (targetKind_->currentIndex() == 1) {
        settings.target = {TargetKind::HouseCurve,
                           tilt_->value(),
                           shelfGain_->value(),
                           static_cast<double>(shelfCorner_->value()),
                           {}};
    } else if (targetKind_->currentIndex() == 2 && targetFile_) {
        settings.target.kind = TargetKind::File;
        settings.target.curve = *targetFile_;
    }
    auto prepared = PrepareMeasurement(settings);
    if (const RoomEqProblem* problem = std::get_if<RoomEqProblem>(&prepared)) {
        measurement_.reset();
        plot_->Clear();
        notes_->setText(FromUtf8(DescribeProblem(*problem, language_)));
        return;
    }
    measurement_ = std::get<PreparedMeasurement>(std::move(prepared));
    plot_->ShowMeasurement(*measurement_);
}

bool RoomEqDialog::IsFitting() const {
    return runner_->IsRunning();
}

void RoomEqDialog::StartFit() {
    if (!measurement_) {
        ShowProblem(std::string(RoomEqText::kNoMeasurement.english),
                    std::string(RoomEqText::kNoMeasurement.chinese));
        return;
    }
    const RoomEqChannel channel = SelectedChannel();
    const ChannelFitOptions options{bands_->value(), maxBoost_->value(),
                                    shelves_->isChecked() && ShelvesPossible(channel)};
    ChainSnapshot chain;
    services_.EditProgram([&](CAudio_Data& program) { chain = SnapshotChain(program, channel); });
    fitButton_->setText(Tr(RoomEqText::kStop, language_));
    progress_->setValue(0);
    progress_->setVisible(true);
    errors_->setText(Tr(RoomEqText::kFitting, language_));
    runner_->Start(*measurement_, std::move(chain), channel, options);
}

void RoomEqDialog::ShowResult(const ChannelFit& fit, const PreparedMeasurement& measurement) {
    fitButton_->setText(Tr(RoomEqText::kFit, language_));
    progress_->setVisible(false);
    if (fit.cancelled) {
        errors_->setText(Tr(RoomEqText::kStopped, language_));
        return;
    }
    fit_ = fit;
    plot_->ShowPrediction(fit.chainAfter);
    errors_->setText(Tr(RoomEqText::kErrors, language_)
                         .arg(Decibels(fit.before.rmsDb), Decibels(fit.after.rmsDb),
                              Decibels(fit.before.maxAbsDb), Decibels(fit.after.maxAbsDb)));
    const ChannelFitOptions options{bands_->value(), maxBoost_->value(), shelves_->isChecked()};
    QStringList notes;
    if (fit.largestBoostDb > 0.05) {
        notes
            << (fit.channel.channel == PathChannel::Output
                    ? Tr(RoomEqText::kGainLowered, language_)
                          .arg(Decibels(fit.largestBoostDb))
                          .arg(-fit.outputGainChangeDb)
                    : Tr(RoomEqText::kBoostNoOutput, language_).arg(Decibels(fit.largestBoostDb)));
    }
    const std::vector<UncorrectedPart> parts = UncorrectedParts(measurement, fit, options);
    for (const UncorrectedPart& part : parts) {
        notes << FromUtf8(DescribeUncorrected(part, options, language_));
    }
    if (parts.empty()) {
        notes << Tr(RoomEqText::kAllCorrected, language_);
    }
    notes_->setText(notes.join(QStringLiteral("\n")));
    ShowBands(fit);
    ShowPreviewGraph(fit);
    applyButton_->setEnabled(true);
}

void RoomEqDialog::ShowBands(const ChannelFit& fit) {
    static const char* const kTypes[] = {"PEQ", "Lo_EQ", "Hi_EQ"};
    table_->setRowCount(static_cast<int>(fit.bands.size()));
    for (int row = 0; row < static_cast<int>(fit.bands.size()); ++row) {
        const BandCode& band = fit.bands[static_cast<size_t>(row)];
        const bool flat = band.gainIndex == kFlatGainIndex;
        QStringList cells{QString::number(fit.bandIndices[static_cast<size_t>(row)] + 1)};
        if (flat) {
            cells << Tr(RoomEqText::kBypassed, language_) << QString() << QString()
                  << QStringLiteral("0.0");
        } else {
            const double q = BandwidthIndexToQ(band.bandwidthIndex);
            cells << QString::fromLatin1(kTypes[band.type]) << QString::number(band.frequency)
                  << (band.type == ElementType::kPeaking
                          ? QString::number(q, 'f', q > 100.0 ? 1 : 3)
                          : (band.slope == 0 ? QStringLiteral("6dB") : QStringLiteral("12dB")))
                  << Decibels(band.GainDb());
        }
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(column == 1 ? Qt::AlignLeft | Qt::AlignVCenter
                                               : Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(row, column, item);
        }
    }
}

void RoomEqDialog::ShowPreviewGraph(const ChannelFit& fit) {
    // The live program with the fit applied, drawn on the editor's own graph.
    ProgramSnapshot snapshot;
    services_.EditProgram([&](CAudio_Data& program) { snapshot = TakeSnapshot(program); });
    preview_ = std::make_unique<CAudio_Data>();
    RestoreSnapshot(*preview_, snapshot);
    ApplyParameterEdits(*preview_, RoomEqEdits(*preview_, fit));
    graph_->SetSource(*preview_);
    switch (fit.channel.channel) {
        case PathChannel::Input:
            graph_->SetMode(GraphMode::kInput);
            graph_->SelectInputChannel(fit.channel.index);
            break;
        case PathChannel::Effect:
            graph_->SetMode(GraphMode::kEffect);
            graph_->SelectEffect();
            break;
        case PathChannel::Output:
            graph_->SetMode(GraphMode::kOutput);
            graph_->SelectOutput(fit.channel.index);
            break;
    }
    graph_->setVisible(true);
    graph_->Layout();
    graph_->Redraw(-1);
}

void RoomEqDialog::ApplyFit() {
    if (!fit_ || IsFitting()) {
        return;
    }
    std::optional<std::string> problem;
    services_.EditProgram([&](CAudio_Data& program) {
        const std::vector<ParameterEdit> edits = RoomEqEdits(program, *fit_);
        problem = CheckParameterEdits(program, edits);
        if (!problem) {
            ApplyParameterEdits(program, edits);
        }
    });
    if (problem) {
        services_.ShowMessage(Tr(RoomEqText::kApplyRefused, language_).arg(FromUtf8(*problem)));
        return;
    }
    accept();
}

void RoomEqDialog::reject() {
    runner_->Cancel();
    QDialog::reject();
}

void RoomEqDialog::ShowProblem(const std::string& english, const std::string& chinese) {
    services_.ShowMessage(FromUtf8(language_ == Language::Chinese ? chinese : english));
}
