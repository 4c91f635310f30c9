#pragma once
// Shows the drawing of a form's surface control (a PictureBox) through its
// view transform. The static layer is drawn once into an image kept at the
// viewport's size and drawn again only when it, the zoom or the scroll
// position changes; the overlay is painted alone on top of that image, over
// the area it covered before and covers now. Pointer presses, moves,
// releases, double clicks and wheel turns go to the form in drawing units.
// On a navigable surface the wheel zooms about the pointer (unless the form
// used the turn), the middle button drags the drawing and scroll bars move
// over it; the form's zoom and scroll position follow. The pointer takes
// the shape the form asks for.

#include <QAbstractScrollArea>
#include <QImage>

#include "core/Drawing.h"
#include "core/Form.h"
#include "core/Session.h"

namespace ravelin {

class UiContext;

class CanvasView : public QAbstractScrollArea, public FormObserver, public SessionObserver {
    Q_OBJECT
public:
    CanvasView(Form& form, Control& surface, UiContext& context, QWidget* parent);
    ~CanvasView() override;

    Control* surface() const { return surface_; }
    // Device pixels per drawing unit at actual size (100 %).
    double naturalScale() const;
    // How often the static layer has been drawn into the kept image.
    int staticRenders() const { return staticRenders_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    void controlChanged(Form&, Control& control, ControlProperty property) override;
    void drawingChanged(Form&, Control& surface, DrawingLayer layer) override;
    void formDestroyed(Form& form) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    const Drawing* drawing() const;
    bool navigable() const;
    PointerEvent pointerEvent(QPointF position, int buttons, Qt::KeyboardModifiers modifiers) const;
    // Sets the form's view to `view` for this viewport (a chart always shows at actual size).
    void applyView(ViewTransform view);
    void syncScrollBars();
    // Brings the kept image up to date with the static layer and the view:
    // a move by whole pixels at the same zoom shifts it and draws only what
    // comes into sight; anything else draws it again.
    void updateCache();
    void renderStatic(const QRect& area);
    // The device area the overlay covers now, pens and smoothing included.
    QRect overlayArea() const;
    void detach();

    Form* form_;
    Control* surface_;
    UiContext& context_;
    QImage cache_;
    bool cacheValid_ = false;   // the static layer has not changed since it was drawn
    ViewTransform cachedView_;  // the view it was drawn with
    QRect shownOverlay_;        // where the overlay was painted last
    bool panning_ = false;
    QPointF panFrom_;
    int syncing_ = 0;
    int staticRenders_ = 0;
};

}  // namespace ravelin
