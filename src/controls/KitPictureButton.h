// SPDX-License-Identifier: GPL-3.0-or-later
// A button that shows a state as a picture with its caption beside it, such
// as the source mode (a disc and "DVD") or the feedback suppression (a
// microphone with two arcs and "FBX2"). A press asks the owner for the next
// state; the owner then sets the picture and caption it holds.
#pragma once

#include <QAbstractButton>

#include "controls/KitPictures.h"

class KitPictureButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit KitPictureButton(QWidget* parent = nullptr);

    void SetPicture(KitPicture picture, const QString& caption);
    KitPicture Picture() const { return picture_; }
    // Captions the button may show, so that its width never jumps between states.
    void SetWidestCaptions(const QStringList& captions);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int PictureSide() const;

    KitPicture picture_ = KitPicture::Disc;
    QStringList captions_;
};
