#include "app/picture_button.h"

#include <QMouseEvent>
#include <QPainter>

#include "res/icons.h"

namespace yhb {

PictureButton::PictureButton(const QString& className, int releasedId, int pressedId, int* pressedFlag, QWidget* parent)
    : QWidget(parent), released_(buttonPicture(releasedId)), pressedPicture_(buttonPicture(pressedId)),
      flag_(pressedFlag ? pressedFlag : &ownFlag_) {
    setObjectName(className);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, *flag_ ? pressedPicture_ : released_);
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
