// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QWidget>

#include "model/document.h"
#include "gfx/qt/qt_surface.h"

namespace yhb {

// The plotting canvas ("Function"). The scene is drawn at once into one backing image of
// device pixels that lives as long as the widget; paint events only show that image. In
// presentation mode the plane is magnified: its logical pixels are the widget's divided by
// the magnification, as on a screen of a higher device pixel ratio.
class CanvasWidget : public QWidget {
    Q_OBJECT
public:
    explicit CanvasWidget(Document& doc, QWidget* parent = nullptr);

    // Draws the whole scene now and asks the widget to show it.
    void repaintNow();
    // Applies the view's origin to the surface and repaints.
    void applyOrigin();
    // Takes up the view's presentation mode and the screen's device pixel ratio: a new
    // backing image, style and plane size, the origin kept where it was on the screen.
    void restyle();

    const QImage& image() const { return image_; }
    QtSurface& surface() { return surface_; }
    double magnification() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    QPoint planePos(const QPointF& widgetPos) const;
    bool refit(); // backing image and plane size for the widget; true when the origin was centred

    Document& doc_;
    QImage image_;
    QtSurface surface_;
    double dpr_ = 1.0;
    bool presentation_ = false;
    struct {
        bool valid = false;
        double magnification = 1.0; // switching back to it
        Point to, from;             // restores `from` while the origin is still `to`
    } undo_;
};

} // namespace yhb
