#include "ui/views/CanvasView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>
#include <cstring>
#include <optional>

#include "ui/FormBinder.h"
#include "ui/UiContext.h"
#include "ui/render/QtCanvas.h"

namespace ravelin {

namespace {

// Four wheel notches double or halve the zoom.
const double kWheelStep = std::pow(2.0, 0.25);
// How far a navigable drawing zooms out and in, against its actual size.
constexpr double kZoomOutLimit = 1.0 / 256;
constexpr double kZoomInLimit = 64;
// Device pixels around an overlay's outline that smoothing may touch.
constexpr int kOverlaySmoothing = 2;
// Outside the drawing's extent, the kind of grey image viewers show.
const QColor kOutside(160, 160, 160);

int pointerButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return buttons::Left;
        case Qt::RightButton: return buttons::Right;
        case Qt::MiddleButton: return buttons::Middle;
        default: return 0;
    }
}

int pointerButtons(Qt::MouseButtons held) {
    int result = 0;
    if (held & Qt::LeftButton) result |= buttons::Left;
    if (held & Qt::RightButton) result |= buttons::Right;
    if (held & Qt::MiddleButton) result |= buttons::Middle;
    return result;
}

}  // namespace

CanvasView::CanvasView(Form& form, Control& surface, UiContext& context, QWidget* parent)
    : QAbstractScrollArea(parent), form_(&form), surface_(&surface), context_(context) {
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    form.drawing(surface);  // a surface shows its drawing even before the form draws
    if (!navigable()) {
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    ViewTransform view = drawing()->view();
    view.setLimits(naturalScale() * kZoomOutLimit, naturalScale() * kZoomInLimit);
    // Shown for the first time: at actual size from the drawing's corner.
    if (view.viewportWidth() == 0 && view.viewportHeight() == 0) {
        view.setScale(naturalScale());
        view.setOrigin({0, 0});
    }
    applyView(view);
    controlChanged(form, surface, ControlProperty::Pointer);
    form.addObserver(this);
    context.session().addObserver(this);
}

CanvasView::~CanvasView() {
    detach();
    context_.session().removeObserver(this);
}

void CanvasView::detach() {
    if (!form_) return;
    form_->removeObserver(this);
    form_ = nullptr;
    surface_ = nullptr;
}

void CanvasView::formDestroyed(Form& form) {
    if (&form == form_) detach();
}

const Drawing* CanvasView::drawing() const { return form_ ? form_->findDrawing(*surface_) : nullptr; }

bool CanvasView::navigable() const {
    const Drawing* shown = drawing();
    return shown && shown->navigable;
}

double CanvasView::naturalScale() const {
    const Drawing* shown = drawing();
    return context_.dpi() / 1440.0 * (shown ? shown->unitTwips : 1);
}

QSize CanvasView::sizeHint() const {
    const Drawing* shown = drawing();
    if (!shown) return QAbstractScrollArea::sizeHint();
    return QSize(static_cast<int>(std::lround(shown->width() * naturalScale())),
                 static_cast<int>(std::lround(shown->height() * naturalScale())));
}

// A fixed surface (a chart's turned label) takes the size its form gives it;
// a navigable one needs room for its scroll bars.
QSize CanvasView::minimumSizeHint() const {
    if (navigable()) return QAbstractScrollArea::minimumSizeHint();
    const int frame = 2 * frameWidth();
    return QSize(frame, frame);
}

void CanvasView::applyView(ViewTransform view) {
    if (!form_) return;
    view.setViewport(viewport()->width(), viewport()->height());
    if (!navigable()) {
        view.setScale(naturalScale());
        view.setOrigin({0, 0});
    }
    form_->setView(*surface_, view);
    syncScrollBars();
}

void CanvasView::syncScrollBars() {
    const Drawing* shown = drawing();
    if (!shown || !navigable() || syncing_) return;
    ++syncing_;
    // Scroll positions are device pixels from the drawing's origin; the range
    // covers the drawing and wherever the view stands now.
    const ViewTransform& view = shown->view();
    const double scale = view.scale();
    auto set = [](QScrollBar* bar, double position, double extent, double page) {
        const int value = static_cast<int>(std::lround(position));
        bar->setRange(std::min(0, value), std::max(value, static_cast<int>(std::lround(extent - page))));
        bar->setPageStep(static_cast<int>(page));
        bar->setSingleStep(std::max(1, static_cast<int>(page / 20)));
        bar->setValue(value);
    };
    set(horizontalScrollBar(), view.origin().x * scale, shown->width() * scale, view.viewportWidth());
    set(verticalScrollBar(), view.origin().y * scale, shown->height() * scale, view.viewportHeight());
    --syncing_;
}

void CanvasView::scrollContentsBy(int, int) {
    const Drawing* shown = drawing();
    if (!shown || syncing_) return;
    ViewTransform view = shown->view();
    view.setOrigin({horizontalScrollBar()->value() / view.scale(), verticalScrollBar()->value() / view.scale()});
    applyView(view);
}

void CanvasView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (const Drawing* shown = drawing()) applyView(shown->view());
}

void CanvasView::controlChanged(Form&, Control& control, ControlProperty property) {
    if (&control != surface_) return;
    if (property == ControlProperty::Pointer) {
        showPointer(viewport(), control.pointer());
    } else if (property == ControlProperty::View) {
        syncScrollBars();
        viewport()->update();
    }
}

void CanvasView::drawingChanged(Form&, Control& surface, DrawingLayer layer) {
    if (&surface != surface_) return;
    if (layer == DrawingLayer::Static) {
        cacheValid_ = false;
        syncScrollBars();
        viewport()->update();
        return;
    }
    // The overlay alone: what it covered before and what it covers now.
    viewport()->update(shownOverlay_.united(overlayArea()));
}

QRect CanvasView::overlayArea() const {
    const Drawing* shown = drawing();
    if (!shown) return {};
    const std::optional<DrawRect> bounds = shown->overlay().bounds();
    if (!bounds) return {};
    const DrawRect device = shown->view().deviceRect(*bounds);
    const double margin = shown->overlay().widestPen() * context_.dpi() / 96 + kOverlaySmoothing;
    return QRectF(QPointF(device.left, device.top), QPointF(device.right, device.bottom))
        .normalized()
        .adjusted(-margin, -margin, margin, margin)
        .toAlignedRect()
        .intersected(viewport()->rect());
}

namespace {

// The move between two views in whole device pixels, when the second shows
// the first's pixels shifted: same zoom and viewport, a move of whole
// pixels smaller than the viewport.
std::optional<QPoint> wholePixelShift(const ViewTransform& from, const ViewTransform& to, qreal ratio) {
    // Far below a pixel, far above the rounding of a few products of doubles.
    constexpr double kWhole = 1e-6;
    if (from.scale() != to.scale() || from.viewportWidth() != to.viewportWidth() ||
        from.viewportHeight() != to.viewportHeight())
        return std::nullopt;
    const double dx = (from.origin().x - to.origin().x) * to.scale() * ratio;
    const double dy = (from.origin().y - to.origin().y) * to.scale() * ratio;
    if (std::abs(dx - std::round(dx)) > kWhole || std::abs(dy - std::round(dy)) > kWhole) return std::nullopt;
    if (std::abs(dx) >= to.viewportWidth() * ratio || std::abs(dy) >= to.viewportHeight() * ratio) return std::nullopt;
    return QPoint(static_cast<int>(std::lround(dx)), static_cast<int>(std::lround(dy)));
}

// Moves an image's pixels by (dx, dy) within it; what moves in from outside is left as it was.
void shiftPixels(QImage& image, QPoint by) {
    const int width = image.width() - std::abs(by.x());
    const int bytes = width * 4;  // 32-bit pixels
    const int fromX = std::max(0, -by.x()), toX = std::max(0, by.x());
    auto moveRow = [&](int y) {
        std::memmove(image.scanLine(y) + toX * 4, image.constScanLine(y - by.y()) + fromX * 4, bytes);
    };
    // Rows are taken in the order that never overwrites one still to be moved.
    if (by.y() > 0)
        for (int y = image.height() - 1; y >= by.y(); --y) moveRow(y);
    else
        for (int y = 0; y < image.height() + by.y(); ++y) moveRow(y);
}

}  // namespace

void CanvasView::updateCache() {
    const Drawing* shown = drawing();
    const qreal ratio = viewport()->devicePixelRatioF();
    const QSize size = viewport()->size() * ratio;
    const QRect all(QPoint(0, 0), viewport()->size());
    if (cache_.size() != size) {
        cache_ = QImage(size, QImage::Format_RGB32);
        cache_.setDevicePixelRatio(ratio);
        cacheValid_ = false;
    }
    if (!shown) {
        cache_.fill(Qt::white);
        return;
    }
    const ViewTransform& view = shown->view();
    if (cacheValid_ && cachedView_ == view) return;
    if (cacheValid_) {
        if (const std::optional<QPoint> shift = wholePixelShift(cachedView_, view, ratio)) {
            shiftPixels(cache_, *shift);
            cachedView_ = view;
            const QRect kept = QRect(QPoint(0, 0), size).translated(*shift).intersected(QRect(QPoint(0, 0), size));
            const QRect keptLogical(kept.topLeft() / ratio, kept.size() / ratio);
            for (const QRect& strip : QRegion(all) - keptLogical) renderStatic(strip);
            return;
        }
    }
    cachedView_ = view;
    cacheValid_ = true;
    renderStatic(all);
}

void CanvasView::renderStatic(const QRect& area) {
    const Drawing* shown = drawing();
    QPainter painter(&cache_);
    painter.fillRect(area, navigable() ? kOutside : QColor(Qt::white));
    // A clip of the area alone: Qt's rasteriser goes through many lines much faster with one.
    painter.setClipRect(area);
    const ViewTransform& view = shown->view();
    QtCanvas canvas(painter, shown->width(), shown->height(), view, view.scale() / naturalScale());
    shown->staticLayer().replay(canvas);
    ++staticRenders_;
}

void CanvasView::paintEvent(QPaintEvent*) {
    const Drawing* shown = drawing();
    updateCache();
    QPainter painter(viewport());
    painter.drawImage(QPointF(0, 0), cache_);
    if (!shown || shown->overlay().empty()) {
        shownOverlay_ = {};
        return;
    }
    const ViewTransform& view = shown->view();
    QtCanvas canvas(painter, shown->width(), shown->height(), view, view.scale() / naturalScale());
    shown->overlay().replay(canvas);
    shownOverlay_ = overlayArea();
}

PointerEvent CanvasView::pointerEvent(QPointF position, int buttons, Qt::KeyboardModifiers modifiers) const {
    const DrawPoint at = drawing()->view().toDrawing({position.x(), position.y()});
    return PointerEvent{at.x, at.y, buttons, coreShiftState(modifiers), 0};
}

void CanvasView::mousePressEvent(QMouseEvent* event) {
    if (!form_) return;
    // The middle button of a navigable drawing drags it: navigation, not the form's.
    if (event->button() == Qt::MiddleButton && navigable()) {
        panning_ = true;
        panFrom_ = event->position();
        viewport()->setCursor(Qt::ClosedHandCursor);
        return;
    }
    form_->userPointerPress(*surface_,
                            pointerEvent(event->position(), pointerButton(event->button()), event->modifiers()));
}

void CanvasView::mouseMoveEvent(QMouseEvent* event) {
    if (!form_) return;
    if (panning_) {
        ViewTransform view = drawing()->view();
        const QPointF moved = event->position() - panFrom_;
        panFrom_ = event->position();
        view.panBy(moved.x(), moved.y());
        applyView(view);
        return;
    }
    form_->userPointerMove(*surface_,
                           pointerEvent(event->position(), pointerButtons(event->buttons()), event->modifiers()));
}

void CanvasView::mouseReleaseEvent(QMouseEvent* event) {
    if (!form_) return;
    if (panning_ && event->button() == Qt::MiddleButton) {
        panning_ = false;
        controlChanged(*form_, *surface_, ControlProperty::Pointer);
        return;
    }
    form_->userPointerRelease(*surface_,
                              pointerEvent(event->position(), pointerButton(event->button()), event->modifiers()));
}

void CanvasView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!form_ || (event->button() == Qt::MiddleButton && navigable())) return;
    form_->userPointerDoubleClick(*surface_,
                                  pointerEvent(event->position(), pointerButton(event->button()), event->modifiers()));
}

void CanvasView::wheelEvent(QWheelEvent* event) {
    if (!form_) return;
    constexpr double kNotch = 120;  // angle units of one wheel notch
    PointerEvent turn = pointerEvent(event->position(), pointerButtons(event->buttons()), event->modifiers());
    turn.wheel = event->angleDelta().y() / kNotch;
    if (form_->userPointerWheel(*surface_, turn) || !form_ || !navigable() || turn.wheel == 0) return;
    ViewTransform view = drawing()->view();
    view.zoomAbout({event->position().x(), event->position().y()}, std::pow(kWheelStep, turn.wheel));
    applyView(view);
}

}  // namespace ravelin
