// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>

#include <QImage>
#include <QWidget>

#include "model/document.h"
#include "gfx/qt/qt_surface.h"
#include "plot/view_zoom.h"

namespace yhb {

class CanvasInput;

// The plotting canvas ("Function"). The scene is drawn at once into one backing image of
// device pixels that lives as long as the widget; paint events only show that image. In
// presentation mode the plane is magnified: its logical pixels are the widget's divided by
// the magnification, as on a screen of a higher device pixel ratio.
class CanvasWidget : public QWidget {
    Q_OBJECT
public:
    explicit CanvasWidget(Document& doc, QWidget* parent = nullptr);
    ~CanvasWidget() override;

    // Draws the whole scene now and asks the widget to show it.
    void repaintNow();
    // Applies the view's origin to the surface and repaints.
    void applyOrigin();
    // Takes up the view's presentation mode and the screen's device pixel ratio: a new
    // backing image, style and plane size, the plane point at the centre kept there.
    void restyle();

    // One zoom step about a point of the widget: the plane point there stays there.
    void zoomAt(QPointF widgetPos, bool in);
    // The same about the mouse pointer when it is over the canvas, else about the centre.
    void zoomAtPointer(bool in);
    // 适合窗口: scale and origin that show every row's curve and named points.
    void fitView();
    // Puts the plane point (in units) under a point of the widget, at a scale.
    void placeAt(UnitPoint plane, QPointF widgetPos, int pixelsPerUnit);
    UnitPoint planeAt(QPointF widgetPos) const;
    // The right button's read-out at a point of the widget.
    void readOutAt(QPointF widgetPos);
    // The left button's dragging, also the one-finger drag of a touch screen.
    void pressAt(QPointF widgetPos);
    void dragTo(QPointF widgetPos);
    void releaseDrag();

    const QImage& image() const { return image_; }
    Document& document() { return doc_; }
    QtSurface& surface() { return surface_; }
    double magnification() const;

protected:
    bool event(QEvent*) override;
    void wheelEvent(QWheelEvent*) override;
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    QPoint planePos(const QPointF& widgetPos) const;
    QPointF planePosF(const QPointF& widgetPos) const;
    bool refit(); // backing image and plane size for the widget; true when the origin was centred

    Document& doc_;
    QImage image_;
    QtSurface surface_;
    double dpr_ = 1.0;
    bool presentation_ = false;
    bool drawn_ = false; // the scene is in the image, which is not filled when it is made
    ZoomAnchor anchor_;
    std::unique_ptr<CanvasInput> input_;
};

} // namespace yhb
