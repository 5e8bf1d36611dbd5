// Curves as point runs: arcs, ellipses, polyline bulges and B-splines, tessellated finely
// enough to look smooth at any zoom a user works at, coarse enough to keep scenes small.
#pragma once

#include <vector>

#include "view/view_types.h"

namespace tzad {

// An arc of a circle from `startAngle` sweeping `sweep` radians (negative: clockwise),
// appended to `out` (its first point included).
void appendArc(std::vector<ViewPoint>& out, ViewPoint centre, double radius, double startAngle,
               double sweep);
// An elliptical arc between two parameters (counter-clockwise): centre, the major axis'
// end point relative to the centre, and the ratio of minor to major axis.
void appendEllipse(std::vector<ViewPoint>& out, ViewPoint centre, ViewPoint majorAxis, double ratio,
                   double startParameter, double endParameter);
// The arc a polyline segment from `from` to `to` with this bulge (tan of a quarter of the
// included angle) draws, without `from`, ending with `to`.
void appendBulge(std::vector<ViewPoint>& out, ViewPoint from, ViewPoint to, double bulge);
// The points of a polyline whose segments may be arcs (`bulges[i]` belongs to the segment
// from vertex i); a closed one's closing arc included, without repeating the first point.
std::vector<ViewPoint> bulgedPolyline(const std::vector<ViewPoint>& vertices,
                                      const std::vector<double>& bulges, bool closed);
// A (rational) B-spline of the given degree from its control points, knots and weights (no
// weights: all 1; no or wrong knots: a clamped uniform vector).
std::vector<ViewPoint> tessellateSpline(int degree, const std::vector<ViewPoint>& control,
                                        std::vector<double> knots,
                                        const std::vector<double>& weights);

// A smooth curve through the given points (a spline known only by its fit points): a
// Catmull-Rom curve, which passes through every point.
std::vector<ViewPoint> curveThrough(const std::vector<ViewPoint>& points, bool closed);

}  // namespace tzad
