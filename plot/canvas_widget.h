#pragma once
#include <QImage>
#include <QWidget>

#include "dialogs/document.h"
#include "gfx/qt_surface.h"

namespace yhb {

// The plotting canvas ("Function"). The scene is drawn at once into one backing image that
// lives as long as the widget; paint events only show that image.
class CanvasWidget : public QWidget {
    Q_OBJECT
public:
    explicit CanvasWidget(Document& doc, QWidget* parent = nullptr);

    // Draws the whole scene now and asks the widget to show it.
    void repaintNow();
    // Applies the view's origin to the surface and repaints.
    void applyOrigin();

    const QImage& image() const { return image_; }
    QtSurface& surface() { return surface_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    Document& doc_;
    QImage image_;
    QtSurface surface_;
};

} // namespace yhb
