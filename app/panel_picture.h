// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <vector>

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>

#include "gfx/presentation_surface.h"
#include "gfx/rect.h"
#include "gfx/qt/qt_surface.h"
#include "model/document.h"

class QPainter;
class QWidget;

namespace yhb {

// The label panel's picture: device pixels at the widget's ratio, drawn in the layout's
// coordinates, and in presentation mode magnified, on white, in the presentation palette.
// It is kept between paints and drawn again only when a label, the layout or the look
// changes: making and filling a client-sized image at every frame of an animation cost more
// than drawing the canvas. It holds only the label column, from the canvas's right edge on
// (the rest of the client is plain ground, painted as such), and is not made at all while no
// row is in use: at start-up its pages would cost more than the bare window's whole paint.
class PanelPicture {
public:
    PanelPicture();
    ~PanelPicture();

    // Begins a paint of `widget` and says which rows' labels must be drawn onto surface():
    // none when nothing changed; those whose label changed, their bands (`bands`, one per
    // row, at the magnification) cleared to the ground, when each label stands alone; else
    // every row, `labelArea` (where labels go) cleared, or the whole picture when its size
    // or look changed.
    std::vector<int> begin(const ViewSettings& view, const ExpressionTable& table, const QWidget& widget, QColor ground,
                           double magnification, const Rect& labelArea, const std::vector<Rect>& bands, bool rowsStandAlone);
    // Where the next begin() would draw, in the widget's pixels: the bands of the rows whose
    // label changed since, or all the label area when labels do not stand alone or rows came
    // or went; empty when nothing changed. The look is taken as it was.
    Rect changedArea(const ExpressionTable& table) const;
    Surface& surface();
    // Shows the picture where the painter's paint event exposes the widget.
    void paint(QPainter& painter) const;
    // Where the picture lies in the widget's pixels; empty while none is made (no row in use).
    QRect area() const;
    // How many labels were drawn so far; the tests count them.
    int labelsDrawn() const { return labelsDrawn_; }

private:
    double dpr_ = 1.0;
    int left_ = 0;       // the picture's left edge in the widget's pixels
    QSize widgetSize_;   // the widget's pixels the picture and the ground cover
    QColor fill_;        // the ground
    bool made_ = false;  // the picture is made for the present look
    QImage image_;
    QtSurface qt_;
    std::unique_ptr<PresentationSurface> presented_;
    std::vector<double> look_;   // size, ratio, magnification, modes, ground, area
    Rect labelArea_;
    std::vector<Rect> bands_;
    bool standAlone_ = true;
    std::vector<std::vector<double>> labels_; // what each row's label is made from
    int labelsDrawn_ = 0;
};

} // namespace yhb
