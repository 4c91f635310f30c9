#pragma once
// Points and rectangles of drawings: in a form's drawing units (twips for
// charts, canvas units for the acquisition window) or in device pixels,
// y growing downwards in both.

#include <algorithm>

namespace ravelin {

struct DrawPoint {
    double x = 0;
    double y = 0;
    bool operator==(const DrawPoint&) const = default;
};

// Edges as given; empty when right <= left or bottom <= top.
struct DrawRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    static DrawRect spanning(DrawPoint a, DrawPoint b) {
        return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    }
    double width() const { return right - left; }
    double height() const { return bottom - top; }
    bool empty() const { return !(right > left && bottom > top); }
    bool contains(DrawPoint p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
    DrawRect intersected(const DrawRect& other) const {
        return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    DrawRect united(const DrawRect& other) const {
        if (other.empty()) return *this;
        if (empty()) return other;
        return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                std::max(bottom, other.bottom)};
    }
    DrawRect grown(double margin) const { return {left - margin, top - margin, right + margin, bottom + margin}; }
    bool operator==(const DrawRect&) const = default;
};

}  // namespace ravelin
