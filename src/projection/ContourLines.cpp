#include "projection/ContourLines.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <deque>
#include <unordered_map>

namespace ravelin {

namespace {

struct EdgeCrossing {
    NetPoint point;
    std::array<int, 2> segments{-1, -1};
};

struct Segment {
    std::int64_t a = 0;
    std::int64_t b = 0;
};

class SegmentBuilder {
public:
    SegmentBuilder(const NodeGrid& grid, double level) : grid_(grid), level_(level) {}

    // Cell (i, j): corners 0 (i, j), 1 (i+1, j), 2 (i+1, j+1), 3 (i, j+1);
    // edges 0 (corners 0-1), 1 (1-2), 2 (3-2), 3 (0-3).
    void cell(int i, int j) {
        const std::array<double, 4> v{grid_.value(i, j), grid_.value(i + 1, j), grid_.value(i + 1, j + 1),
                                      grid_.value(i, j + 1)};
        std::array<bool, 4> above{};
        for (int k = 0; k < 4; ++k) above[k] = v[k] >= level_;
        const std::array<std::array<int, 2>, 4> ends{{{0, 1}, {1, 2}, {3, 2}, {0, 3}}};
        std::array<int, 4> crossed{};
        int count = 0;
        for (int e = 0; e < 4; ++e) {
            if (above[ends[e][0]] != above[ends[e][1]]) crossed[count++] = e;
        }
        if (count == 2) {
            add(i, j, crossed[0], crossed[1], v);
        } else if (count == 4) {
            // Saddle: the cell's mean decides whether the corners above join through the middle.
            const bool middleAbove = (v[0] + v[1] + v[2] + v[3]) / 4 >= level_;
            if (middleAbove == above[0]) {
                add(i, j, 0, 1, v);  // cut off corner 1
                add(i, j, 2, 3, v);  // and corner 3
            } else {
                add(i, j, 0, 3, v);  // cut off corner 0
                add(i, j, 1, 2, v);  // and corner 2
            }
        }
    }

    std::vector<Segment> segments;
    std::unordered_map<std::int64_t, EdgeCrossing> edges;

private:
    std::int64_t edgeId(int i, int j, int edge) const {
        const auto node = [&](int ni, int nj) {
            return static_cast<std::int64_t>(nj) * grid_.columns + static_cast<std::int64_t>(ni);
        };
        switch (edge) {
            case 0: return 2 * node(i, j);
            case 1: return 2 * node(i + 1, j) + 1;
            case 2: return 2 * node(i, j + 1);
            default: return 2 * node(i, j) + 1;
        }
    }

    NetPoint crossing(int i, int j, int edge, const std::array<double, 4>& v) const {
        const std::array<std::array<int, 2>, 4> ends{{{0, 1}, {1, 2}, {3, 2}, {0, 3}}};
        const std::array<std::array<int, 2>, 4> offset{{{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
        const int from = ends[edge][0];
        const int to = ends[edge][1];
        const double t = (level_ - v[from]) / (v[to] - v[from]);
        const double x = i + offset[from][0] + t * (offset[to][0] - offset[from][0]);
        const double y = j + offset[from][1] + t * (offset[to][1] - offset[from][1]);
        return {grid_.x0 + x * grid_.step, grid_.y0 + y * grid_.step};
    }

    void add(int i, int j, int edgeA, int edgeB, const std::array<double, 4>& v) {
        const int index = static_cast<int>(segments.size());
        const Segment s{edgeId(i, j, edgeA), edgeId(i, j, edgeB)};
        segments.push_back(s);
        for (const auto& [id, edge] : {std::pair{s.a, edgeA}, std::pair{s.b, edgeB}}) {
            auto [it, fresh] = edges.try_emplace(id);
            if (fresh) it->second.point = crossing(i, j, edge, v);
            it->second.segments[it->second.segments[0] < 0 ? 0 : 1] = index;
        }
    }

    const NodeGrid& grid_;
    double level_;
};

}  // namespace

std::vector<Polyline> contourPaths(const NodeGrid& grid, double level) {
    if (grid.columns < 2 || grid.rows < 2 || !std::isfinite(level)) return {};
    SegmentBuilder builder(grid, level);
    for (int j = 0; j + 1 < grid.rows; ++j) {
        for (int i = 0; i + 1 < grid.columns; ++i) builder.cell(i, j);
    }

    std::vector<bool> used(builder.segments.size(), false);
    // From `edge`, reached by `segment`, the segment on the edge's other side.
    auto following = [&](std::int64_t edge, int segment) {
        const auto& owners = builder.edges.at(edge).segments;
        const int other = owners[0] == segment ? owners[1] : owners[0];
        return other >= 0 && !used[static_cast<std::size_t>(other)] ? other : -1;
    };
    auto otherEnd = [&](int segment, std::int64_t edge) {
        const Segment& s = builder.segments[static_cast<std::size_t>(segment)];
        return s.a == edge ? s.b : s.a;
    };

    std::vector<Polyline> paths;
    for (std::size_t start = 0; start < builder.segments.size(); ++start) {
        if (used[start]) continue;
        used[start] = true;
        const int first = static_cast<int>(start);
        std::deque<std::int64_t> chain{builder.segments[start].a, builder.segments[start].b};
        for (int s = first, next; (next = following(chain.back(), s)) >= 0; s = next) {
            used[static_cast<std::size_t>(next)] = true;
            chain.push_back(otherEnd(next, chain.back()));
        }
        for (int s = first, next; (next = following(chain.front(), s)) >= 0; s = next) {
            used[static_cast<std::size_t>(next)] = true;
            chain.push_front(otherEnd(next, chain.front()));
        }
        Polyline path;
        path.reserve(chain.size());
        for (std::int64_t edge : chain) path.push_back(builder.edges.at(edge).point);
        paths.push_back(std::move(path));
    }
    return paths;
}

namespace {

// The part of segment p -> q inside the disk, as parameters 0 <= s <= e <= 1.
bool insideInterval(NetPoint p, NetPoint q, NetPoint c, double r, double& s, double& e) {
    const double dx = q.x - p.x, dy = q.y - p.y;
    const double fx = p.x - c.x, fy = p.y - c.y;
    const double a = dx * dx + dy * dy;
    const double cc = fx * fx + fy * fy - r * r;
    if (a == 0) {
        s = 0;
        e = 1;
        return cc <= 0;
    }
    const double b = 2 * (fx * dx + fy * dy);
    const double disc = b * b - 4 * a * cc;
    if (disc < 0) return false;
    const double root = std::sqrt(disc);
    s = std::max(0.0, (-b - root) / (2 * a));
    e = std::min(1.0, (-b + root) / (2 * a));
    // A vertex on the circle comes out a rounding error off it; keep the path whole there.
    constexpr double kOnVertex = 1e-12;
    if (s < kOnVertex) s = 0;
    if (e > 1 - kOnVertex) e = 1;
    return s < e;
}

}  // namespace

std::vector<Polyline> clipToDisk(const std::vector<Polyline>& paths, NetPoint center, double radius) {
    std::vector<Polyline> out;
    for (const Polyline& path : paths) {
        const std::size_t firstOut = out.size();
        bool startsAtPathStart = false;
        bool endsAtPathEnd = false;
        Polyline piece;
        auto finish = [&]() {
            if (piece.size() >= 2) out.push_back(std::move(piece));
            piece.clear();
        };
        for (std::size_t k = 0; k + 1 < path.size(); ++k) {
            const NetPoint p = path[k], q = path[k + 1];
            double s = 0, e = 0;
            if (!insideInterval(p, q, center, radius, s, e)) {
                finish();
                continue;
            }
            auto at = [&](double t) { return NetPoint{p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)}; };
            if (piece.empty() || s > 0) {
                finish();
                if (k == 0 && s == 0) startsAtPathStart = true;
                piece.push_back(at(s));
            }
            piece.push_back(at(e));
            if (e < 1) finish();
            endsAtPathEnd = k + 2 == path.size() && e == 1;
        }
        finish();
        // A closed path cut by the circle: its last piece runs on into its first.
        const bool closed = path.size() > 2 && path.front() == path.back();
        if (closed && startsAtPathStart && endsAtPathEnd && out.size() - firstOut >= 2) {
            Polyline& last = out.back();
            Polyline& head = out[firstOut];
            last.insert(last.end(), head.begin() + 1, head.end());
            head = std::move(last);
            out.pop_back();
        }
    }
    return out;
}

}  // namespace ravelin
