#include "projection/KinematicAnalysis.h"

#include <algorithm>
#include <cmath>

#include "projection/SphereGeometry.h"
#include "projection/StereonetCurves.h"

namespace ravelin {

namespace {

// Sine and cosine of degrees, exact at multiples of 90 so that the limits
// along the strike and of a vertical face come out as the geometry has them.
double cosDegrees(double degrees) {
    const double r = wrapDegrees(degrees);
    if (r == 90 || r == 270) return 0;
    return std::cos(r * RAD);
}
double sinDegrees(double degrees) { return cosDegrees(90 - degrees); }

// Apparent dip (degrees, -90..90) of a plane of dip `dip` in a direction at
// `offset` from its dip direction: tan = tan(dip) cos(offset).
double apparentDip(double dip, double offset) {
    if (offset == 0) return dip;
    return std::atan2(sinDegrees(dip) * cosDegrees(offset), cosDegrees(dip)) * DEG;
}

// The azimuth span (degrees, 0..90) around the dip direction over which a
// plane of dip `dip` is steeper than `friction`.
double spanSteeperThan(double dip, double friction) {
    if (dip <= friction) return 0;
    if (dip >= 90 || friction <= 0) return 90;
    return std::acos(std::tan(friction * RAD) / std::tan(dip * RAD)) * DEG;
}

struct Limits {
    double faceDirection = 0;
    double faceDip = 0;
    double friction = 0;
    double lateral = 0;
};

std::optional<Limits> limitsOf(const KinematicInputs& inputs) {
    const std::optional<Plane> face = normalisedPlane(inputs.slope);
    if (!face || !std::isfinite(inputs.frictionAngle) || !std::isfinite(inputs.lateralLimit)) return std::nullopt;
    return Limits{face->dipDirection, face->dip, std::clamp(inputs.frictionAngle, 0.0, 90.0),
                  std::min(std::fabs(inputs.lateralLimit), 180.0)};
}

Vector3 poleVector(const Plane& p) { return lineVector({p.dipDirection + 180, 90 - p.dip}); }

// Planes whose normals are closer than this sine (1e-9 radian) are parallel:
// their line of intersection would be rounding noise.
constexpr double kParallelSine = 1e-9;

// Evenly spaced values from `from` to `to` inclusive, at most 1 degree apart.
std::vector<double> degreeSteps(double from, double to) {
    const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(to - from))));
    std::vector<double> values;
    for (int k = 0; k <= steps; ++k) values.push_back(k == steps ? to : from + (to - from) * k / steps);
    return values;
}

}  // namespace

bool isPlanarCritical(const KinematicInputs& inputs, Plane plane) {
    const std::optional<Limits> l = limitsOf(inputs);
    const std::optional<Plane> p = normalisedPlane(plane);
    if (!l || !p) return false;
    const double offset = azimuthDifference(p->dipDirection, l->faceDirection);
    return std::fabs(offset) <= l->lateral && p->dip > l->friction && p->dip < apparentDip(l->faceDip, offset);
}

bool isTopplingCritical(const KinematicInputs& inputs, Plane plane) {
    const std::optional<Limits> l = limitsOf(inputs);
    const std::optional<Plane> p = normalisedPlane(plane);
    if (!l || !p) return false;
    double offset = std::fabs(azimuthDifference(p->dipDirection + 180, l->faceDirection));
    if (p->dip == 90) offset = std::min(offset, 180 - offset);
    return offset <= l->lateral && 90 - p->dip < l->faceDip - l->friction;
}

WedgeZone wedgeZone(const KinematicInputs& inputs, Line intersection) {
    const std::optional<Limits> l = limitsOf(inputs);
    const std::optional<Line> line = lowerHemisphereLine(intersection);
    if (!l || !line) return WedgeZone::None;
    double offset = azimuthDifference(line->trend, l->faceDirection);
    // A horizontal line has two ends: the one towards the face.
    if (line->plunge == 0 && std::fabs(offset) > 90) offset = azimuthDifference(line->trend + 180, l->faceDirection);
    const double plunge = line->plunge;
    if (!(plunge < apparentDip(l->faceDip, offset))) return WedgeZone::None;
    if (plunge > l->friction) return WedgeZone::Primary;
    return plunge > apparentDip(l->friction, offset) ? WedgeZone::Secondary : WedgeZone::None;
}

std::optional<Line> intersectionLine(Plane a, Plane b) {
    const std::optional<Plane> pa = normalisedPlane(a);
    const std::optional<Plane> pb = normalisedPlane(b);
    if (!pa || !pb) return std::nullopt;
    const Vector3 c = cross(poleVector(*pa), poleVector(*pb));
    if (norm(c) < kParallelSine) return std::nullopt;
    return vectorLine(c);
}

namespace {

// The wedge test on unit vectors, for the pair loop: the same inequalities
// as wedgeZone multiplied out of their tangents (q < s(D) becomes
// z cos sf < sin sf (c . f), f the face's horizontal dip direction), so a
// pair costs no trigonometry. Within 1e-12 of a limit the answer is left to
// wedgeZone itself, so both agree on the boundaries.
class WedgeTester {
public:
    WedgeTester(const KinematicInputs& inputs, const Limits& l) : inputs_(inputs) {
        face_ = lineVector({l.faceDirection, 0});
        sinFace_ = sinDegrees(l.faceDip);
        cosFace_ = cosDegrees(l.faceDip);
        sinFriction_ = sinDegrees(l.friction);
        cosFriction_ = cosDegrees(l.friction);
    }

    // `c`: the unit vector of an intersection line, either sense.
    WedgeZone zone(Vector3 c) const {
        if (c.z < 0 || (c.z == 0 && dot(c, face_) < 0)) c = -c;
        const double along = dot(c, face_);
        const double daylight = sinFace_ * along - c.z * cosFace_;
        const double steep = c.z - sinFriction_;
        const double aboveFrictionPlane = c.z * cosFriction_ - sinFriction_ * along;
        constexpr double kUndecided = 1e-12;
        if (std::fabs(daylight) <= kUndecided || std::fabs(steep) <= kUndecided ||
            std::fabs(aboveFrictionPlane) <= kUndecided) {
            return wedgeZone(inputs_, vectorLine(c));
        }
        if (daylight < 0) return WedgeZone::None;
        if (steep > 0) return WedgeZone::Primary;
        return aboveFrictionPlane > 0 ? WedgeZone::Secondary : WedgeZone::None;
    }

private:
    const KinematicInputs& inputs_;
    Vector3 face_;
    double sinFace_ = 0, cosFace_ = 1, sinFriction_ = 0, cosFriction_ = 1;
};

}  // namespace

KinematicResult kinematicAnalysis(const KinematicInputs& inputs, const std::vector<Plane>& planes) {
    KinematicResult result;
    const std::size_t n = planes.size();
    result.planar.total = result.toppling.total = n;
    result.planarCritical.assign(n, false);
    result.topplingCritical.assign(n, false);
    for (std::size_t i = 0; i < n; ++i) {
        result.planarCritical[i] = isPlanarCritical(inputs, planes[i]);
        result.topplingCritical[i] = isTopplingCritical(inputs, planes[i]);
        result.planar.critical += result.planarCritical[i] ? 1 : 0;
        result.toppling.critical += result.topplingCritical[i] ? 1 : 0;
    }
    if (n > kMaxWedgePlanes) {
        result.wedgesSkipped = true;
        return result;
    }
    result.wedgePrimary.total = result.wedgeSecondary.total = n * (n - (n > 0 ? 1 : 0)) / 2;
    const std::optional<Limits> limits = limitsOf(inputs);
    if (!limits) return result;
    const WedgeTester tester(inputs, *limits);

    std::vector<std::optional<Vector3>> poles(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (const std::optional<Plane> p = normalisedPlane(planes[i])) poles[i] = poleVector(*p);
    }
    double steepest = -1;  // z of the most critical pair's line
    for (std::size_t i = 0; i < n; ++i) {
        if (!poles[i]) continue;
        for (std::size_t j = i + 1; j < n; ++j) {
            if (!poles[j]) continue;
            const Vector3 c = cross(*poles[i], *poles[j]);
            const double length = norm(c);
            if (length < kParallelSine) continue;
            const Vector3 unit = (1 / length) * c;
            const WedgeZone zone = tester.zone(unit);
            if (zone == WedgeZone::None) continue;
            const bool primary = zone == WedgeZone::Primary;
            ModeCount& count = primary ? result.wedgePrimary : result.wedgeSecondary;
            std::vector<PlanePair>& listed = primary ? result.primaryPairs : result.secondaryPairs;
            ++count.critical;
            const double z = std::fabs(unit.z);
            const bool steeper = primary && z > steepest;
            if (listed.size() < kMaxListedPairs || steeper) {
                const PlanePair pair{i, j, vectorLine(unit)};
                if (listed.size() < kMaxListedPairs) listed.push_back(pair);
                if (steeper) {
                    steepest = z;
                    result.mostCriticalPair = pair;
                }
            }
        }
    }
    return result;
}

KinematicZones kinematicZones(const NetView& view, const KinematicInputs& inputs) {
    KinematicZones zones;
    const std::optional<Limits> limits = limitsOf(inputs);
    if (!limits) return zones;
    const Limits& l = *limits;
    const double face = view.viewAzimuth(l.faceDirection);
    const Vector3 vertical{0, 0, 1};
    auto at = [&](double trend, double plunge) { return view.projectDirection(lineVector({trend, plunge})); };
    auto close = [](Polyline& path) {
        if (!path.empty()) path.push_back(path.front());
    };
    auto cone = [&](double angle) {
        std::vector<Polyline> paths;
        for (const auto& piece : smallCircleDirections(vertical, angle)) paths.push_back(projectPath(view, piece));
        return paths;
    };
    auto radius = [&](double trend) { return Polyline{view.center(), at(trend, 0)}; };

    // Pole plot.
    for (const double offset : degreeSteps(-90, 90)) {
        zones.daylightEnvelope.push_back(at(face + offset + 180, 90 - std::max(apparentDip(l.faceDip, offset), 0.0)));
    }
    close(zones.daylightEnvelope);
    zones.poleFrictionCone = cone(l.friction);
    if (l.lateral < 180) {
        zones.planarLateralLimits = {radius(face + 180 - l.lateral), radius(face + 180 + l.lateral)};
        zones.topplingLateralLimits = {radius(face - l.lateral), radius(face + l.lateral)};
    }
    const double planarSpan = std::min(l.lateral, spanSteeperThan(l.faceDip, l.friction));
    if (planarSpan > 0) {
        const std::vector<double> offsets = degreeSteps(-planarSpan, planarSpan);
        for (const double offset : offsets) {
            zones.planarZone.push_back(
                at(face + 180 + offset, 90 - std::max(apparentDip(l.faceDip, offset), l.friction)));
        }
        for (auto it = offsets.rbegin(); it != offsets.rend(); ++it) {
            zones.planarZone.push_back(at(face + 180 + *it, 90 - l.friction));
        }
        close(zones.planarZone);
    }
    const double slipLimit = l.faceDip - l.friction;  // pole plunge
    if (slipLimit > 0) {
        zones.topplingSlipLimit = cone(90 - slipLimit);
        if (l.lateral > 0) {
            const std::vector<double> offsets = degreeSteps(-l.lateral, l.lateral);
            for (const double offset : offsets) zones.topplingZone.push_back(at(face + offset, 0));
            for (auto it = offsets.rbegin(); it != offsets.rend(); ++it) {
                zones.topplingZone.push_back(at(face + *it, slipLimit));
            }
            close(zones.topplingZone);
        }
    }

    // Intersection plot.
    zones.slopeGreatCircle = greatCircle(view, {l.faceDirection, l.faceDip});
    zones.frictionPlaneGreatCircle = greatCircle(view, {l.faceDirection, l.friction});
    zones.lineFrictionCone = cone(90 - l.friction);
    const double primarySpan = spanSteeperThan(l.faceDip, l.friction);
    if (primarySpan > 0) {
        const std::vector<double> offsets = degreeSteps(-primarySpan, primarySpan);
        for (const double offset : offsets) {
            zones.wedgePrimaryZone.push_back(at(face + offset, std::max(apparentDip(l.faceDip, offset), l.friction)));
        }
        for (auto it = offsets.rbegin(); it != offsets.rend(); ++it) {
            zones.wedgePrimaryZone.push_back(at(face + *it, l.friction));
        }
        close(zones.wedgePrimaryZone);
    }
    const std::vector<double> offsets = degreeSteps(-90, 90);
    bool secondaryHasRoom = false;
    for (const double offset : offsets) {
        const double flattest = apparentDip(l.friction, offset);
        const double steepest = std::max(flattest, std::min(l.friction, apparentDip(l.faceDip, offset)));
        secondaryHasRoom = secondaryHasRoom || steepest > flattest;
        zones.wedgeSecondaryZone.push_back(at(face + offset, steepest));
    }
    for (auto it = offsets.rbegin(); it != offsets.rend(); ++it) {
        zones.wedgeSecondaryZone.push_back(at(face + *it, apparentDip(l.friction, *it)));
    }
    close(zones.wedgeSecondaryZone);
    if (!secondaryHasRoom) zones.wedgeSecondaryZone.clear();
    return zones;
}

}  // namespace ravelin
