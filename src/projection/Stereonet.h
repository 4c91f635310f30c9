#pragma once
// The stereonet: lines projected onto the Wulff (equal-angle) and Schmidt
// (equal-area) nets, the primitive circle with its rim marks, and the point
// symbols.
//
// Notation: angles are degrees at every interface unless a name says
// otherwise. A line is (trend 0..360 clockwise from north, plunge 0..90
// downwards); a plane is (dip direction, dip 0..90). Unit vectors are
// direction cosines (x north, y east, z down) as in core/Orientation.h.
// Canvas coordinates are twips with y growing downwards; (cx, cy) is the
// net's centre and R its radius; north is up and east to the right.
//
// Every construction is made on the lower hemisphere in the "view frame":
// on the upper hemisphere each given azimuth (a trend, a dip direction, a
// slope's dip direction) is first turned half a turn by viewAzimuth(), so the
// upper-hemisphere picture is the lower-hemisphere picture of the turned data.

#include <optional>
#include <string>
#include <vector>

#include "core/Canvas.h"
#include "core/Orientation.h"

namespace ravelin {

enum class NetKind { Wulff, Schmidt };
enum class Hemisphere { Lower, Upper };

// Radians per degree in the projection formulas (1 / DEG, not pi / 180 to
// the last digit: the nets keep the program's historical constant).
constexpr double RAD = 0.017453292519943278;

// Room left between the primitive circle and the nearer canvas edge (twips).
constexpr double kNetMargin = 150;

struct NetPoint {
    double x = 0;
    double y = 0;
    bool operator==(const NetPoint&) const = default;
};
// A pen path: each point after the first is reached by a straight segment.
// A closed path repeats its first point at the end.
using Polyline = std::vector<NetPoint>;

struct Line {
    double trend = 0;   // degrees
    double plunge = 0;  // degrees, downwards
};

struct Plane {
    double dipDirection = 0;  // degrees
    double dip = 0;           // degrees
};

// The lower end of the axis a (trend, plunge) names: trend in [0, 360),
// plunge in [0, 90]. A plunge outside 0..90 (an upward line, or one past the
// vertical) is read through its direction cosines, so 30/-20 gives 210/20
// and 30/120 gives 210/60. Empty when either value is not finite.
std::optional<Line> lowerHemisphereLine(Line line);
// The same plane with dip direction in [0, 360) and dip in [0, 90] (a dip
// of 120 towards 30 is a dip of 60 towards 210). Empty when not finite.
std::optional<Plane> normalisedPlane(Plane plane);

// Unit vector (x north, y east, z down) of a line; any finite angles.
Vector3 lineVector(Line line);
// The lower-hemisphere line of a non-zero vector (trend in [0, 360), plunge
// 0..90); the zero vector gives 0/0.
Line vectorLine(const Vector3& v);

// The net drawn on a canvas, and the projection of lines onto it.
class NetView {
public:
    // Centre at half the inner width and height; radius min(cx, cy) - 150.
    // A canvas too small for a net (or a non-finite size) gives radius 0.
    static NetView forCanvas(double width, double height, NetKind net, Hemisphere hemisphere);
    NetView(double cx, double cy, double radius, NetKind net, Hemisphere hemisphere);

    double cx() const { return cx_; }
    double cy() const { return cy_; }
    double radius() const { return radius_; }
    NetKind net() const { return net_; }
    Hemisphere hemisphere() const { return hemisphere_; }
    NetPoint center() const { return {cx_, cy_}; }

    // The azimuth in the view frame: unchanged on the lower hemisphere; on
    // the upper, (azimuth + 180 rounded to a whole degree, halves to even)
    // modulo 360, in [0, 360). Any finite azimuth (degrees).
    double viewAzimuth(double azimuth) const;

    // Where a line is drawn: the lower end of its axis, the view azimuth
    // rule, then x = r sin t, y = r cos t with r = R tan((90 - p) / 2)
    // (Wulff) or sqrt(2) R sin((90 - p) / 2) (Schmidt), drawn at
    // (cx + x, cy - y). Always within the net. Empty for a non-finite line.
    std::optional<NetPoint> project(Line line) const;

    // Where a lower-hemisphere unit vector of the view frame is drawn (no
    // azimuth rule: constructions that already work in the view frame use
    // it). z is clamped at 0, so a direction a rounding error above the
    // horizon lands on the primitive circle.
    NetPoint projectDirection(const Vector3& unitInViewFrame) const;

private:
    double cx_ = 0;
    double cy_ = 0;
    double radius_ = 0;
    NetKind net_ = NetKind::Wulff;
    Hemisphere hemisphere_ = Hemisphere::Lower;
};

// Unit vector in the view frame drawn at normalised net coordinates (east,
// north) with the net's radius taken as 1; radii beyond 1 continue into the
// upper hemisphere (up to sqrt(2) on the Schmidt net, without end on the
// Wulff net). Used where a field is sampled slightly beyond the rim.
Vector3 unitNetDirection(NetKind net, double east, double north);

// The primitive circle: a closed polygon of 201 points stepping the angle by
// pi / 100 from 0 to 2 pi.
Polyline primitiveCircle(const NetView& view);

// Rim marks: a tick every 10 degrees of azimuth pointing inwards from the
// primitive circle (longer at north, east, south and west), and the "N"
// label above the north point.
struct RimMarks {
    std::vector<Polyline> ticks;  // 36 two-point segments, the first at north, then clockwise
    NetPoint northLabelAnchor;    // bottom centre of the label
    std::string northLabel = "N";
};
constexpr double kRimTick = 60;           // twips: short tick
constexpr double kRimCardinalTick = 120;  // twips: tick at the four cardinal points
constexpr double kNorthLabelGap = 20;     // twips between the primitive circle and the label
RimMarks rimMarks(const NetView& view);

// The point symbols of the projection options (0..4): open and filled
// circles of radius 30 twips, and the characters "+", "x" and "*" centred on
// the point. Any other index gives the open circle.
enum class SymbolShape { OpenCircle, FilledCircle, Character };
struct PointSymbol {
    SymbolShape shape = SymbolShape::OpenCircle;
    double radius = 0;      // twips, circles only
    std::string character;  // characters only
};
constexpr double kSymbolCircleRadius = 30;
PointSymbol pointSymbol(int symbolIndex);

// Colour of the data when the net is drawn again for a new hemisphere.
Rgb replotColor(Hemisphere hemisphere);

}  // namespace ravelin
