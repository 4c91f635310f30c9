#include "acquisition/PlaneGeometry.h"

#include <algorithm>
#include <cmath>

namespace ravelin {

namespace {

// Band entries allowed per vertex before the index is given up: a hand-drawn
// contour needs two or three; a comb of long teeth would need one per tooth per band.
constexpr std::size_t kBandEntriesPerVertex = 32;
// Below this many entries the index is always built, whatever its shape.
constexpr std::size_t kBandEntriesAlwaysAllowed = std::size_t{1} << 20;

}  // namespace

std::optional<FloatPoint> SegmentsIntersect(CanvasPoint a1, CanvasPoint a2, CanvasPoint b1, CanvasPoint b2) {
    const float a1x = static_cast<float>(a1.x), a1y = static_cast<float>(a1.y);
    const float b1x = static_cast<float>(b1.x), b1y = static_cast<float>(b1.y);
    const float dAx = static_cast<float>(a2.x) - a1x, dAy = static_cast<float>(a2.y) - a1y;
    const float dBx = static_cast<float>(b2.x) - b1x, dBy = static_cast<float>(b2.y) - b1y;
    const float d = dAy * dBx - dBy * dAx;
    if (d == 0) return std::nullopt;
    const float t = ((a1x - b1x) * dAy + (b1y - a1y) * dAx) / d;                        // along B
    const float s = ((b1x - a1x) * dBy + (a1y - b1y) * dBx) / (dBy * dAx - dAy * dBx);  // along A
    if (t < 0 || t > 1 || s < 0 || s > 1) return std::nullopt;
    return FloatPoint{a1x + s * dAx, a1y + s * dAy};
}

ContourRegion::ContourRegion(std::span<const CanvasPoint> polygon) {
    const std::size_t n = polygon.size();
    if (n < 3) return;
    for (std::size_t i = 0; i < n; ++i) {
        const CanvasPoint a = polygon[i];
        const CanvasPoint b = polygon[(i + 1) % n];
        if (a.y == b.y) continue;  // a horizontal edge never crosses a horizontal ray
        edges_.push_back(a.y < b.y ? Edge{a.x, a.y, b.x, b.y, 1} : Edge{b.x, b.y, a.x, a.y, -1});
        bandTops_.push_back(a.y);
        bandTops_.push_back(b.y);
    }
    std::sort(bandTops_.begin(), bandTops_.end());
    bandTops_.erase(std::unique(bandTops_.begin(), bandTops_.end()), bandTops_.end());

    // An edge from yLow to yHigh spans the bands from yLow's up to the one ending at yHigh.
    auto bandOf = [this](std::int32_t y) {
        return static_cast<std::size_t>(std::lower_bound(bandTops_.begin(), bandTops_.end(), y) - bandTops_.begin());
    };
    const std::size_t bands = bandTops_.empty() ? 0 : bandTops_.size() - 1;
    std::vector<std::uint32_t> counts(bands + 1, 0);
    std::size_t total = 0;
    for (const Edge& e : edges_) {
        const std::size_t first = bandOf(e.yLow), last = bandOf(e.yHigh);
        total += last - first;
        for (std::size_t k = first; k < last; ++k) ++counts[k];
        if (total > std::max(kBandEntriesAlwaysAllowed, kBandEntriesPerVertex * n)) return;
    }
    bandFirst_.assign(bands + 1, 0);
    for (std::size_t k = 0; k < bands; ++k) bandFirst_[k + 1] = bandFirst_[k] + counts[k];
    bandEdges_.resize(total);
    std::vector<std::uint32_t> fill(bandFirst_.begin(), bandFirst_.end() - 1);
    for (std::uint32_t i = 0; i < edges_.size(); ++i) {
        for (std::size_t k = bandOf(edges_[i].yLow), last = bandOf(edges_[i].yHigh); k < last; ++k)
            bandEdges_[fill[k]++] = i;
    }
    indexed_ = true;
}

// The edge's winding when it crosses the horizontal ray going right from the
// point (its lower end included, its upper end not), 0 otherwise.
int ContourRegion::crossing(const Edge& e, CanvasPoint p) const {
    if (p.y < e.yLow || p.y >= e.yHigh) return 0;
    // The crossing lies strictly right of p when the point is left of the
    // edge; the products need 66 bits for coordinates across the 32-bit range.
    using Wide = __int128;
    const Wide lhs = Wide{e.xHigh - static_cast<long long>(e.xLow)} * (static_cast<long long>(p.y) - e.yLow);
    const Wide rhs = Wide{p.x - static_cast<long long>(e.xLow)} * (static_cast<long long>(e.yHigh) - e.yLow);
    return lhs > rhs ? e.winding : 0;
}

bool ContourRegion::contains(CanvasPoint p) const {
    int winding = 0;
    if (!indexed_) {
        for (const Edge& e : edges_) winding += crossing(e, p);
        return winding != 0;
    }
    if (bandTops_.size() < 2 || p.y < bandTops_.front() || p.y >= bandTops_.back()) return false;
    const auto band =
        static_cast<std::size_t>(std::upper_bound(bandTops_.begin(), bandTops_.end(), p.y) - bandTops_.begin() - 1);
    for (std::uint32_t k = bandFirst_[band]; k < bandFirst_[band + 1]; ++k)
        winding += crossing(edges_[bandEdges_[k]], p);
    return winding != 0;
}

bool PointInContour(std::span<const CanvasPoint> polygon, CanvasPoint point) {
    return ContourRegion(polygon).contains(point);
}

double ContourSurface(std::span<const CanvasPoint> polygon, double metresPerUnit) {
    const std::size_t n = polygon.size();
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const CanvasPoint a = polygon[i];
        const CanvasPoint b = polygon[(i + 1) % n];
        const long long xs = static_cast<long long>(a.x) + b.x;
        const long long dy = static_cast<long long>(a.y) - b.y;
        sum += static_cast<double>(xs) * static_cast<double>(dy);
    }
    return metresPerUnit * metresPerUnit * std::abs(sum) / 2;
}

}  // namespace ravelin
