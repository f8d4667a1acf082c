// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

#include <QImage>
#include <QWidget>

#include "res/qt/icons.h"

namespace yhb {

// A small button drawn from a released and a pressed picture, at its size and the screen's
// device pixel ratio. The action runs on release,
// wherever the mouse is then. Modify and delete buttons share one pressed flag per kind.
class PictureButton : public QWidget {
    Q_OBJECT
public:
    PictureButton(const QString& className, Picture picture, bool* pressedFlag, QWidget* parent);

    std::function<void()> onRelease;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    // The picture drawn for the button's size at the screen's device pixel ratio.
    const QImage& pictureNow();

    Picture picture_;
    int baseSize_; // the art's own size in pixels
    QImage released_;
    QImage pressedPicture_;
    bool ownFlag_ = false;
    bool* flag_;
};

} // namespace yhb
