// SPDX-License-Identifier: GPL-3.0-or-later
// The kit's on/off switch: its caption, then a sliding track that reads "ON"
// or "OFF" (in the interface language) with the knob at the right or the
// left. The state shows by word, by knob position and by colour, so it reads
// at a glance in a dark room and without colour vision.
//
// The constraint: a click only asks. The switch does not change its own
// state; the owner sets what the program then holds, so a switch can never
// show a state the device was not given.
#pragma once

#include <QAbstractButton>
#include <QColor>

class KitSwitch : public QAbstractButton {
    Q_OBJECT
  public:
    explicit KitSwitch(QWidget* parent = nullptr);

    void SetOn(bool on) { setChecked(on); }
    bool IsOn() const { return isChecked(); }
    // The words in the track, in the current language.
    void SetStateTexts(const QString& on, const QString& off);
    QString StateText() const { return IsOn() ? onText_ : offText_; }
    // The track's colour while on (the kit's "on" green unless told otherwise).
    void SetOnColour(const QColor& colour);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override;

  private:
    QRectF TrackRect() const;
    int TrackWidth() const;

    QString onText_ = QStringLiteral("ON");
    QString offText_ = QStringLiteral("OFF");
    QColor onColour_;
};
