#pragma once
// Kinematic analysis of a rock slope on the stereonet: which discontinuity
// planes, and which pairs of them, are free to slide or topple out of the
// slope face (Markland's test for planar and wedge sliding, Goodman's
// criterion for flexural toppling).
//
// Notation: angles in degrees. The slope face has dip direction af and dip
// sf; phi is the friction angle; L the lateral limit. D(x) is the signed
// difference x - af in [-180, 180). The face's apparent dip in a direction
// at D from its dip direction is s(D) with tan s(D) = tan sf cos D, and the
// friction plane (dip direction af, dip phi) has apparent dip p(D) with
// tan p(D) = tan phi cos D.
//
// Planar sliding, plane (a, d): |D(a)| <= L, d > phi and d < s(D(a)).
//   On a pole plot the pole lies inside the daylight envelope (the poles of
//   the planes whose dip line lies in the face), outside the pole friction
//   cone (poles within phi of the vertical) and between the lateral limits.
// Wedge sliding, intersection line (t, q) of two planes, no lateral limit:
//   the line daylights when q < s(D(t));
//   primary critical zone: daylights and q > phi (the wedge slides along the
//   line of intersection, on both planes);
//   secondary critical zone: daylights, q <= phi and q > p(D(t)). The line
//   is too flat for the wedge to slide along it, but a plane dipping
//   towards the face more steeply than phi contains it, so the wedge may
//   still slide on one of its planes.
// Flexural toppling, plane (a, d) with pole (a + 180, 90 - d): |D(a + 180)|
//   <= L and 90 - d < sf - phi: the plane dips into the slope steeply
//   enough for the layers to slip on one another.
//
// Boundary conventions: lateral limits are inclusive (a plane at exactly L
// from the face's direction is counted); the friction, daylight, slip and
// secondary-zone limits are exclusive (a plane dipping exactly phi, or
// exactly as steeply as the face, is in limiting equilibrium or does not
// daylight, and is not counted), except that a wedge line plunging exactly
// phi falls in the secondary zone, so the two zones share no line and leave
// no gap. A vertical plane's pole is horizontal and either of its ends may
// stand for it: toppling takes the end nearer the face's dip direction.

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "projection/Stereonet.h"

namespace ravelin {

constexpr double kDefaultLateralLimit = 20;

struct KinematicInputs {
    Plane slope;                                 // the slope face (any finite values; normalised)
    double frictionAngle = 30;                   // 0..90, clamped
    double lateralLimit = kDefaultLateralLimit;  // 0..180, sign ignored, clamped
};

// Critical and total counts of one failure mode.
struct ModeCount {
    std::size_t critical = 0;
    std::size_t total = 0;
    double percent() const {
        return total > 0 ? 100.0 * static_cast<double>(critical) / static_cast<double>(total) : 0;
    }
};

struct PlanePair {
    std::size_t first = 0;  // indices into the planes analysed
    std::size_t second = 0;
    Line intersection;  // lower hemisphere
};

// Beyond this many planes the wedge test (one test per pair) is not run: 3000
// planes already make 4.5 million pairs.
constexpr std::size_t kMaxWedgePlanes = 3000;
// At most this many critical pairs are listed per zone (all are counted).
constexpr std::size_t kMaxListedPairs = 20000;

struct KinematicResult {
    ModeCount planar;                       // planes
    ModeCount wedgePrimary;                 // pairs of planes
    ModeCount wedgeSecondary;               // pairs of planes
    ModeCount toppling;                     // planes
    std::vector<bool> planarCritical;       // per plane, in the order given
    std::vector<bool> topplingCritical;     // per plane
    std::vector<PlanePair> primaryPairs;    // critical pairs, first kMaxListedPairs
    std::vector<PlanePair> secondaryPairs;  // idem
    // The primary-zone pair whose intersection plunges most steeply (the
    // largest excess over the friction angle); the first such pair on ties.
    std::optional<PlanePair> mostCriticalPair;
    bool wedgesSkipped = false;  // more than kMaxWedgePlanes planes: wedge counts left at 0
};

bool isPlanarCritical(const KinematicInputs& inputs, Plane plane);
bool isTopplingCritical(const KinematicInputs& inputs, Plane plane);
enum class WedgeZone { None, Primary, Secondary };
WedgeZone wedgeZone(const KinematicInputs& inputs, Line intersection);

// The line common to two planes, lower hemisphere; empty for parallel
// planes (normals within 1e-9 radian of each other) or non-finite input.
std::optional<Line> intersectionLine(Plane a, Plane b);

// Every mode for the planes (non-finite planes count in the totals and are
// never critical). Totals: n planes for planar sliding and toppling, n (n -
// 1) / 2 pairs for the wedge zones (parallel pairs included, never critical).
KinematicResult kinematicAnalysis(const KinematicInputs& inputs, const std::vector<Plane>& planes);

// What to draw, in canvas units on the given net. Boundaries are pen paths;
// zones are closed polygons (first point repeated), empty when the zone is.
struct KinematicZones {
    // Pole plot: planar sliding and toppling.
    Polyline daylightEnvelope;                    // closed, through the net's centre
    std::vector<Polyline> poleFrictionCone;       // poles within phi of the vertical
    std::array<Polyline, 2> planarLateralLimits;  // radii at pole trends af + 180 -+ L
    Polyline planarZone;
    std::vector<Polyline> topplingSlipLimit;        // poles plunging sf - phi
    std::array<Polyline, 2> topplingLateralLimits;  // radii at pole trends af -+ L
    Polyline topplingZone;
    // Intersection plot: wedge sliding.
    Polyline slopeGreatCircle;
    Polyline frictionPlaneGreatCircle;       // dip direction af, dip phi
    std::vector<Polyline> lineFrictionCone;  // lines plunging phi
    Polyline wedgePrimaryZone;
    Polyline wedgeSecondaryZone;
};
KinematicZones kinematicZones(const NetView& view, const KinematicInputs& inputs);

}  // namespace ravelin
