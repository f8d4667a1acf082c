// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel_picture.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

#include "app/presentation_mode.h"
#include "plot/palette.h"

namespace yhb {

namespace {

// Everything a row's label is made from: family, colour, coefficients as stored and as
// typed exactly, and the classic label's length.
void describeRow(const ExpressionSlot& row, std::vector<double>& out) {
    out.push_back(static_cast<double>(row.kind));
    out.push_back(row.colourIndex);
    out.push_back(row.labels.charCount());
    for (int i = 0; i < 10; ++i) {
        out.push_back(row.params[i]);
        const std::optional<ExactValue>& e = row.exactParams[i];
        if (!e) {
            out.push_back(-1);
            continue;
        }
        const Rational a = e->rationalPart(), b = e->rootCoefficient();
        out.insert(out.end(), {static_cast<double>(e->kind()), static_cast<double>(a.num), static_cast<double>(a.den),
                               static_cast<double>(b.num), static_cast<double>(b.den), static_cast<double>(e->radicand()),
                               e->writtenAsDecimal() ? 1.0 : 0.0});
    }
}

// Equal, NaN included: a coefficient that is no number does not redraw every paint.
bool same(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); });
}

// The picture's left edge: the label column's, moved left to where it falls on a whole
// device pixel, so that every label pixel lands where a client-sized picture has it; 0 (the
// whole width) when no such edge is near.
int pictureLeft(int column, double dpr) {
    for (int x = column; x >= 0 && x > column - 16; --x)
        if (x * dpr == std::floor(x * dpr)) return x;
    return 0;
}

} // namespace

PanelPicture::PanelPicture() : image_(1, 1, QImage::Format_RGB32), qt_(&image_) {}
PanelPicture::~PanelPicture() = default;

std::vector<int> PanelPicture::begin(const ViewSettings& view, const ExpressionTable& table, const QWidget& widget, QColor ground,
                                     double magnification, const Rect& labelArea, const std::vector<Rect>& bands, bool rowsStandAlone) {
    const double dpr = widget.devicePixelRatioF();
    const int w = std::max(1, static_cast<int>(std::lround(widget.width() * dpr)));
    const int h = std::max(1, static_cast<int>(std::lround(widget.height() * dpr)));
    const QColor fill = view.presentation ? QColor(Qt::white) : ground;
    std::vector<double> look = {double(w), double(h), dpr, magnification, double(view.presentation), double(view.textbookNotation()),
                                double(view.fullScreen), double(fill.rgb()), double(labelArea.x), double(labelArea.y),
                                double(labelArea.width), double(labelArea.height)};
    for (const Rect& b : bands) look.insert(look.end(), {double(b.x), double(b.y), double(b.width), double(b.height)});
    std::vector<std::vector<double>> labels(static_cast<std::size_t>(table.slotCount));
    for (int r = 0; r < table.slotCount; ++r) describeRow(table.slot(r), labels[static_cast<std::size_t>(r)]);

    std::vector<int> rows;
    const bool newLook = !same(look, look_);
    const bool sameRows = labels.size() == labels_.size();
    bool all = newLook || !sameRows;
    if (!all) {
        for (std::size_t r = 0; r < labels.size(); ++r)
            if (!same(labels[r], labels_[r])) rows.push_back(static_cast<int>(r));
        if (rows.empty()) return rows;
        all = !rowsStandAlone;
    }
    if (all) {
        rows.clear();
        for (int r = 0; r < table.slotCount; ++r) rows.push_back(r);
    }

    if (newLook) {
        dpr_ = dpr;
        // Presentation mode's magnified layout has no whole-pixel column edge to count on.
        left_ = view.presentation ? 0 : std::clamp(pictureLeft(labelArea.x, dpr), 0, widget.width());
        widgetSize_ = widget.size();
        fill_ = fill;
        made_ = false;
    }
    const double leftDevice = left_ * dpr_;
    auto clear = [&](const Rect& r) {
        QPainter p(&image_);
        p.fillRect(QRectF(r.x * dpr - leftDevice, r.y * dpr, r.width * dpr, r.height * dpr), fill);
    };
    if (!made_) {
        if (!rows.empty()) {
            const int pw = std::max(1, w - static_cast<int>(leftDevice));
            if (image_.width() != pw || image_.height() != h) image_ = QImage(pw, h, QImage::Format_RGB32);
            image_.fill(fill);
            qt_.setTarget(&image_);
            qt_.setStyle(view.presentation ? RenderStyle{dpr * magnification, true, kPresentationPenWidth} : normalStyle(dpr));
            qt_.setOrigin(-left_, 0);
            presented_.reset();
            if (view.presentation) presented_ = std::make_unique<PresentationSurface>(qt_, presentationColourMap());
            made_ = true;
        }
    } else if (all) {
        clear(labelArea); // only where labels go: the rest is the ground it already has
    } else {
        for (int r : rows)
            if (static_cast<std::size_t>(r) < bands.size()) clear(bands[static_cast<std::size_t>(r)]);
    }
    look_ = std::move(look);
    labels_ = std::move(labels);
    labelArea_ = labelArea;
    bands_ = bands;
    standAlone_ = rowsStandAlone;
    labelsDrawn_ += static_cast<int>(rows.size());
    return rows;
}

Rect PanelPicture::changedArea(const ExpressionTable& table) const {
    if (static_cast<std::size_t>(table.slotCount) != labels_.size() || !standAlone_) {
        for (int r = 0; r < table.slotCount; ++r) {
            std::vector<double> now;
            describeRow(table.slot(r), now);
            if (static_cast<std::size_t>(r) >= labels_.size() || !same(now, labels_[static_cast<std::size_t>(r)])) return labelArea_;
        }
        return static_cast<std::size_t>(table.slotCount) == labels_.size() ? Rect{} : labelArea_;
    }
    int left = 0, top = 0, right = 0, bottom = 0;
    bool any = false;
    for (int r = 0; r < table.slotCount; ++r) {
        std::vector<double> now;
        describeRow(table.slot(r), now);
        if (same(now, labels_[static_cast<std::size_t>(r)])) continue;
        const Rect b = static_cast<std::size_t>(r) < bands_.size() ? bands_[static_cast<std::size_t>(r)] : labelArea_;
        left = any ? std::min(left, b.x) : b.x;
        top = any ? std::min(top, b.y) : b.y;
        right = any ? std::max(right, b.right()) : b.right();
        bottom = any ? std::max(bottom, b.bottom()) : b.bottom();
        any = true;
    }
    return any ? Rect::fromEdges(left, top, right, bottom) : Rect{};
}

Surface& PanelPicture::surface() {
    if (presented_) return *presented_;
    return qt_;
}

QRect PanelPicture::area() const { return made_ ? QRect(left_, 0, widgetSize_.width() - left_, widgetSize_.height()) : QRect(); }

void PanelPicture::paint(QPainter& painter) const {
    // Only the exposed part (the painter's clip, when the paint sets one): the children cover
    // most of the client, and a frame of an animation repaints it only to show a new label.
    const double dpr = dpr_;
    const QRect whole(QPoint(0, 0), widgetSize_);
    const QRegion exposed = painter.hasClipping() ? painter.clipRegion() & whole : QRegion(whole);
    const QRect picture = area();
    for (const QRect& r : exposed) {
        const QRect shown = r & picture;
        if (!shown.isEmpty())
            painter.drawImage(QRectF(shown), image_,
                              QRectF(shown.x() * dpr - left_ * dpr, shown.y() * dpr, shown.width() * dpr, shown.height() * dpr));
        for (const QRect& ground : QRegion(r).subtracted(picture)) painter.fillRect(ground, fill_);
    }
}

} // namespace yhb
