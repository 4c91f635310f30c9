#pragma once
// Great and small circles on the stereonet, as pen paths in canvas units.
//
// Notation as in projection/Stereonet.h. Both curves are built in the view
// frame: the plane's dip direction or the axis's trend is first turned by
// NetView::viewAzimuth, then the curve is drawn on the lower hemisphere.

#include <vector>

#include "projection/Stereonet.h"

namespace ravelin {

// Stand-ins for dips the Wulff circle construction cannot take (radians): a
// vertical plane is drawn 1e-5 degree short of vertical, a horizontal one
// with a dip of 1e-6, so the circle's centre and radius stay finite.
constexpr double kWulffVerticalDip = 1.5707961522619698;
constexpr double kWulffHorizontalDip = 1e-06;

// Angular step between the sampled directions of a curve (degrees): fine
// enough that the pen path shows no corners at the size of a screen.
constexpr double kCurveStepDegrees = 1;

// The great circle of a plane (any finite angles: normalisedPlane brings
// them into range), one open path from the end of the strike on the left of
// the dip direction, through the projected dip line, to the other end.
//
// Wulff: the arc of the circle of centre at R tan d from the net's centre in
// the azimuth a + 180 and radius R / cos d, sampled every pi / 100 of its own
// angle between the two strike ends (a dip of 90 or 0 taking the stand-ins
// above). Schmidt: directions along the plane at most 1 degree apart, each
// projected as a line. Empty for a non-finite plane.
Polyline greatCircle(const NetView& view, Plane plane);

// The cone of `coneAngle` degrees around `axis` (any finite angles; an angle
// is folded into 0..180, so 200 is 160 and -30 is 30): directions around the
// axis at most 1 degree apart, each projected as a line, cut where the cone
// leaves the lower hemisphere of the view frame. Each piece ends exactly on
// the primitive circle; a cone wholly below the horizon is one closed path,
// a cone wholly above gives nothing. With `bothEnds` the cone around the
// opposite end of the axis is added, as axial data need when a cone crosses
// the rim and comes back on the opposite side. Empty for non-finite input.
std::vector<Polyline> smallCircle(const NetView& view, Line axis, double coneAngle, bool bothEnds = false);

// The same small circle as directions (unit vectors of the view frame), for
// callers that need the cone before projection. Pieces as above.
std::vector<std::vector<Vector3>> smallCircleDirections(const Vector3& axisInViewFrame, double coneAngle);

// Projects each direction of a path with NetView::projectDirection.
Polyline projectPath(const NetView& view, const std::vector<Vector3>& directions);

}  // namespace ravelin
