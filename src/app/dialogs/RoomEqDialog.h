// SPDX-License-Identifier: GPL-3.0-or-later
// Room EQ: load a measurement (one file per seat), choose the channel, the
// target and the limits, and see the bands that bring the room to the target
// on the device's own codes before anything is sent. The fit runs on a thread
// of its own and can be stopped; Apply puts the bands into the program as
// one undo step through the normal change path, Cancel leaves program and
// device as they were.
#pragma once

#include <QDialog>
#include <QStringList>
#include <memory>
#include <optional>

#include "curves/BilingualText.h"
#include "roomeq/ChannelFit.h"

class CAudio_Data;
class CFStatic;
class DialogServices;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class RoomEqFitRunner;
class RoomEqPlot;

class RoomEqDialog : public QDialog {
    Q_OBJECT
  public:
    explicit RoomEqDialog(DialogServices& services, QWidget* parent = nullptr);
    ~RoomEqDialog() override;

    // What the Add and Choose buttons do after their file dialogs; false,
    // with the reason shown, when a file cannot be used (nothing is added).
    bool AddMeasurementFiles(const QStringList& paths);
    bool SetCalibrationFile(const QString& path);
    // Starts a fit with the settings as they stand (what Fit does).
    void StartFit();

    QComboBox* ChannelBox() const { return channel_; }
    QSpinBox* BandsBox() const { return bands_; }
    QPushButton* FitButton() const { return fitButton_; }
    QPushButton* ApplyButton() const { return applyButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }
    bool IsFitting() const;
    bool HasResult() const { return fit_.has_value(); }
    const std::optional<ChannelFit>& Result() const { return fit_; }

    // As large as the editor's window allows: the plots want the room.
    QSize sizeHint() const override;

  protected:
    void reject() override;

  private:
    QWidget* BuildSettings();
    QWidget* BuildResults();
    RoomEqChannel SelectedChannel() const;
    void ChannelChosen();
    void TargetKindChosen();
    void SettingsChanged();
    void ShowResult(const ChannelFit& fit, const PreparedMeasurement& measurement);
    void ShowBands(const ChannelFit& fit);
    void ShowPreviewGraph(const ChannelFit& fit);
    void ApplyFit();
    void ShowProblem(const std::string& english, const std::string& chinese);

    DialogServices& services_;
    Language language_;
    std::vector<MeasurementCurve> positions_;
    std::optional<MeasurementCurve> calibration_;
    std::optional<MeasurementCurve> targetFile_;
    std::optional<ChannelFit> fit_;
    std::optional<PreparedMeasurement> measurement_;
    std::unique_ptr<CAudio_Data> preview_;

    QListWidget* files_ = nullptr;
    QLineEdit* column_ = nullptr;
    QLabel* calibrationName_ = nullptr;
    QComboBox* channel_ = nullptr;
    QSpinBox* bands_ = nullptr;
    QDoubleSpinBox* maxBoost_ = nullptr;
    QCheckBox* shelves_ = nullptr;
    QComboBox* targetKind_ = nullptr;
    QDoubleSpinBox* tilt_ = nullptr;
    QDoubleSpinBox* shelfGain_ = nullptr;
    QSpinBox* shelfCorner_ = nullptr;
    QLabel* targetName_ = nullptr;
    QPushButton* targetChoose_ = nullptr;
    QSpinBox* lowHertz_ = nullptr;
    QSpinBox* highHertz_ = nullptr;
    QComboBox* smoothing_ = nullptr;
    QPushButton* fitButton_ = nullptr;
    QProgressBar* progress_ = nullptr;
    RoomEqPlot* plot_ = nullptr;
    CFStatic* graph_ = nullptr;
    QLabel* errors_ = nullptr;
    QLabel* notes_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    RoomEqFitRunner* runner_ = nullptr;
};
