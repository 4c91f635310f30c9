#pragma once
// Wedge failure: a tetrahedral wedge cut out of a slope by two
// discontinuity planes, with an optional tension crack, solved with vectors.
//
// Notation: planes 1 and 2 are the sliding planes (sets A and B), plane 3 the
// upper slope surface, plane 4 the slope face, plane 5 the tension crack.
// Vectors have x east, y north, z up (not the north-east-down frame of the
// orientation routines). a, b, d, f, f5 are the unit normals of planes 1, 2,
// 3, 4, 5; i = b x a runs along the line of intersection of planes 1 and 2.
// Angles in degrees; lengths, unit weights and cohesions in any consistent
// unit system. There is no anchor and no seismic force in this model.

#include <optional>
#include <string>
#include <vector>

#include "core/Orientation.h"

namespace ravelin {

struct WedgeFailureInput {
    double slopeHeight = 0;     // H1, measured at plane 1, length
    double rockUnitWeight = 0;  // gamma_r
    double dipDirection1 = 0;   // alpha1, degrees 0..360
    double dip1 = 0;            // psi1, degrees 0..90
    double cohesion1 = 0;       // c1
    double friction1 = 0;       // phi1, degrees
    double dipDirection2 = 0;   // alpha2
    double dip2 = 0;            // psi2
    double cohesion2 = 0;       // c2
    double friction2 = 0;       // phi2
    double dipDirection3 = 0;   // upper slope surface
    double dip3 = 0;
    double dipDirection4 = 0;  // slope face
    double dip4 = 0;
    double dipDirection5 = 0;  // tension crack
    double dip5 = 0;
    double waterUnitWeight = 0;  // gamma_w
    double crackDistance = 0;    // L, from the crest along the trace of plane 1 on the upper surface
    bool overhanging = false;    // the slope face overhangs (eta = -1)
    bool drySlope = false;       // no water anywhere
    bool tensionCrack = false;   // plane 5 cuts the wedge
};

// What the five result boxes show; an empty member shows "-".
struct WedgeFailureResult {
    std::optional<double> safetyFactor;
    std::optional<double> weight;
    std::string failureMode;                 // the mode, or the message that ended the analysis
    std::optional<double> slidingDirection;  // trend of the line of intersection, -90..270 degrees
    std::optional<double> slidingPlunge;     // its plunge, degrees
    // Quantities of the solution, for checks (0 until computed).
    double height = 0;           // h, height of the wedge at plane 1's trace on the face
    double crackHeight = 0;      // h5
    double crackLimit = 0;       // M h / p: the farthest crack distance L that still cuts the wedge
    double area1 = 0;            // A1
    double area2 = 0;            // A2
    double crackArea = 0;        // A5
    double reaction1 = 0;        // Na
    double reaction2 = 0;        // Nb
    double crackWaterForce = 0;  // V
};

// The unit normal (x east, y north, z up) of a plane given by dip direction and dip in degrees.
Vector3 PlaneNormal(double dipDirection, double dip);

// H1, gamma_r, psi1, psi2, alpha4 and psi4 typed (non-zero), planes 1 and 2
// distinct, planes 3 and 4 distinct. A slope face dipping towards 0 counts as
// missing; 360 is accepted.
bool WedgeInputComplete(const WedgeFailureInput& input);

// The whole analysis. Incomplete input, identical planes written with
// different numbers (0 and 360, two horizontal planes) and every division by
// zero give an empty result ("-" in every box); no member is ever non-finite.
WedgeFailureResult ComputeWedge(const WedgeFailureInput& input);

// The weight's display pattern: "##0", then "###'##0", "###'###'##0" ... by
// thousands. The group count comes from the rounded weight, so 999999.7
// shows as 1'000'000.
std::string WeightPattern(double weight);
// The weight in its pattern; "-" for a weight of zero or below.
std::string WeightText(double weight);

// Every text the failure-mode box can show: the modes and the messages that end the analysis.
std::vector<std::string> WedgeFailureModeTexts();

}  // namespace ravelin
