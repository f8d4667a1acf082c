// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/picture_button.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "res/qt/icons.h"

namespace yhb {

PictureButton::PictureButton(const QString& className, Picture picture, bool* pressedFlag, QWidget* parent)
    : QWidget(parent), picture_(picture), baseSize_(buttonPictureSize(picture)), flag_(pressedFlag ? pressedFlag : &ownFlag_) {
    // The pictures are drawn at their first paint, at the size the layout gives: most of the
    // thirteen buttons are hidden at start-up.
    setObjectName(className);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

const QImage& PictureButton::pictureNow() {
    const double dpr = devicePixelRatioF();
    const int pixels = static_cast<int>(std::lround(std::max(width(), height()) * dpr));
    if (pixels > 0 && baseSize_ > 0 && (released_.width() != pixels || released_.devicePixelRatio() != dpr)) {
        const double scale = pixels / double(baseSize_);
        released_ = buttonPicture(picture_, false, scale);
        pressedPicture_ = buttonPicture(picture_, true, scale);
        released_.setDevicePixelRatio(dpr);
        pressedPicture_.setDevicePixelRatio(dpr);
    }
    return *flag_ ? pressedPicture_ : released_;
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(rect(), pictureNow()); // a magnified layout may round one side a pixel shorter
}

void PictureButton::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    *flag_ = true;
    update();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !*flag_) return;
    *flag_ = false;
    update();
    if (onRelease) onRelease();
}

} // namespace yhb
