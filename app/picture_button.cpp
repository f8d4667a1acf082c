// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/picture_button.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "res/qt/icons.h"

namespace yhb {

PictureButton::PictureButton(const QString& className, int releasedId, int pressedId, int* pressedFlag, QWidget* parent)
    : QWidget(parent), releasedId_(releasedId), pressedId_(pressedId), baseSize_(buttonPicture(releasedId).width()),
      released_(buttonPicture(releasedId)), pressedPicture_(buttonPicture(pressedId)),
      flag_(pressedFlag ? pressedFlag : &ownFlag_) {
    setObjectName(className);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

const QImage& PictureButton::pictureNow() {
    const double dpr = devicePixelRatioF();
    const int pixels = static_cast<int>(std::lround(std::max(width(), height()) * dpr));
    if (pixels > 0 && baseSize_ > 0 && (released_.width() != pixels || released_.devicePixelRatio() != dpr)) {
        const double scale = pixels / double(baseSize_);
        released_ = buttonPicture(releasedId_, scale);
        pressedPicture_ = buttonPicture(pressedId_, scale);
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
    *flag_ = 1;
    update();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || *flag_ != 1) return;
    *flag_ = 0;
    update();
    if (onRelease) onRelease();
}

} // namespace yhb
