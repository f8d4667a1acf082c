#pragma once
#include <functional>

#include <QImage>
#include <QWidget>

namespace yhb {

// A small button drawn from a released and a pressed picture. The action runs on release,
// wherever the mouse is then. Modify and delete buttons share one pressed flag per kind.
class PictureButton : public QWidget {
    Q_OBJECT
public:
    PictureButton(const QString& className, int releasedId, int pressedId, int* pressedFlag, QWidget* parent);

    std::function<void()> onRelease;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    QImage released_;
    QImage pressedPicture_;
    int ownFlag_ = 0;
    int* flag_;
};

} // namespace yhb
