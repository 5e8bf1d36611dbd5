// The DXF group codes and flag bits that the host looks up by number. A group code means
// different things in different records; each name here is the meaning the host reads it for,
// worded as the DXF reference words it, so one code may have several names. A point is named
// by its X group: its Y and Z follow 10 and 20 codes later.
#pragma once

struct DxfCode {
  static constexpr int kType = 0;            // the record's type ("LINE", "LAYER")
  static constexpr int kText = 1;            // a text's string; a layout's name
  static constexpr int kName = 2;            // a table record's name
  static constexpr int kBlockName = 2;       // the block a block reference or dimension shows
  static constexpr int kEntryName = 3;       // a dictionary entry's name
  static constexpr int kAdditionalText = 3;  // an MTEXT's text before its last 250 characters
  static constexpr int kHandle = 5;
  static constexpr int kLinetypeName = 6;
  static constexpr int kLayer = 8;
  static constexpr int kVariable = 9;  // a header variable's name
  static constexpr int kComment = 999;
  static constexpr int kX = 10;
  static constexpr int kY = 20;
  static constexpr int kZ = 30;
  static constexpr int kViewCenterX = 12;  // a viewport's centre
  static constexpr int kViewCenterY = 22;
  static constexpr int kHeight = 40;
  static constexpr int kWidth = 41;       // a view's width
  static constexpr int kColor = 62;       // colour index; negative on a layer that is off
  static constexpr int kPaperSpace = 67;  // 1 for an entity in paper space
  static constexpr int kFlags = 70;
  static constexpr int kTabOrder = 71;   // a layout's place among the tabs
  static constexpr int kCurveType = 75;  // how a polyline is smoothed
  static constexpr int kSubclass = 100;  // a subclass marker ("AcDbLayout")
  static constexpr int kOwner = 330;
  static constexpr int kSoftOwnerId = 350;  // a dictionary entry's object
  static constexpr int kHardOwnerId = 360;
  static constexpr int kXdataString = 1000;
  static constexpr int kXdataApp = 1001;      // starts an application's extended data
  static constexpr int kXdataControl = 1002;  // "{" or "}"
  static constexpr int kXdataShort = 1070;
  static constexpr int kXdataLong = 1071;

  // What every entity may carry.
  static constexpr int kLinetypeScale = 48;
  static constexpr int kVisibility = 60;  // 1: invisible
  static constexpr int kLineweight = 370;
  static constexpr int kTrueColor = 420;  // 0xRRGGBB
  static constexpr int kExtrusion = 210;  // the extrusion direction: the object's Z axis

  // Layers and line types.
  static constexpr int kPlotFlag = 290;   // a layer's: 0 does not plot
  static constexpr int kDashLength = 49;  // a line type's dash (> 0), space (< 0) or dot (0)

  // Points of entities.
  static constexpr int kStartPoint = 10;  // a line's
  static constexpr int kEndPoint = 11;
  static constexpr int kCenter = 10;             // a circle's, arc's, ellipse's, viewport's
  static constexpr int kMajorAxisEndPoint = 11;  // an ellipse's, relative to its centre
  static constexpr int kInsertionPoint = 10;     // a block reference's, an MTEXT's
  static constexpr int kBasePoint = 10;          // a block's
  static constexpr int kLocation = 10;           // a polyline vertex's
  static constexpr int kVertex = 10;             // an LWPOLYLINE's, one per vertex
  static constexpr int kControlPoint = 10;       // a spline's
  static constexpr int kFitPoint = 11;
  static constexpr int kFirstAlignmentPoint = 10;  // a text's
  static constexpr int kSecondAlignmentPoint = 11;
  static constexpr int kXAxisDirection = 11;  // an MTEXT's, in world coordinates
  static constexpr int kFirstCorner = 10;     // a solid's, trace's, 3D face's
  static constexpr int kSecondCorner = 11;
  static constexpr int kThirdCorner = 12;
  static constexpr int kFourthCorner = 13;
  static constexpr int kViewDirection = 16;  // a viewport's, from its target
  static constexpr int kViewTarget = 17;
  static constexpr int kElevation = 38;   // an LWPOLYLINE's
  static constexpr int kElevationZ = 30;  // a POLYLINE's or HATCH's elevation point

  // Numbers of entities.
  static constexpr int kRadius = 40;
  static constexpr int kTextHeight = 40;
  static constexpr int kAxisRatio = 40;  // an ellipse's minor axis to its major axis
  static constexpr int kStartParameter = 41;
  static constexpr int kEndParameter = 42;
  static constexpr int kStartAngle = 50;  // in degrees
  static constexpr int kEndAngle = 51;
  static constexpr int kRotation = 50;        // a text's, block reference's, MTEXT's, in degrees
  static constexpr int kBulge = 42;           // of the arc from a vertex to the next
  static constexpr int kKnotValue = 40;       // a spline's, one per knot
  static constexpr int kWeight = 41;          // a spline's, one per control point
  static constexpr int kDegree = 71;          // a spline's
  static constexpr int kRelativeXScale = 41;  // a text's width factor
  static constexpr int kXScale = 41;          // a block reference's
  static constexpr int kYScale = 42;
  static constexpr int kZScale = 43;
  static constexpr int kColumnCount = 70;  // a block reference's array
  static constexpr int kRowCount = 71;
  static constexpr int kColumnSpacing = 44;
  static constexpr int kRowSpacing = 45;
  static constexpr int kAttributesFollow = 66;  // 1: a block reference's attributes follow it
  static constexpr int kHorizontalJustification = 72;  // a text's
  static constexpr int kTextVerticalJustification = 73;
  static constexpr int kAttributeVerticalJustification = 74;
  static constexpr int kAttachmentPoint = 71;    // an MTEXT's, 1 (top left) to 9 (bottom right)
  static constexpr int kLineSpacingFactor = 44;  // an MTEXT's
  static constexpr int kFaceVertex1 = 71;  // a polyface mesh face's vertices, by number from 1
  static constexpr int kFaceVertex2 = 72;
  static constexpr int kFaceVertex3 = 73;
  static constexpr int kFaceVertex4 = 74;
  static constexpr int kSolidFill = 70;  // a hatch's: 1 solid, 0 a pattern

  // A viewport's view.
  static constexpr int kPaperWidth = 40;  // its frame, in paper space units
  static constexpr int kPaperHeight = 41;
  static constexpr int kViewHeight = 45;           // what it shows, in model space units
  static constexpr int kTwistAngle = 51;           // in degrees
  static constexpr int kViewportStatus = 68;       // 0: off
  static constexpr int kViewportId = 69;           // 1: the sheet's own viewport
  static constexpr int kViewportStatusFlags = 90;  // ViewportStatusFlag bits
  static constexpr int kFrozenLayer = 331;         // a layer frozen in it, one per layer

  // A hatch's boundary paths (loops), in the order they come.
  static constexpr int kBoundaryPathCount = 91;
  static constexpr int kBoundaryPathType = 92;  // BoundaryPathFlag bits
  static constexpr int kHatchStyle = 75;        // follows the boundary paths
  static constexpr int kHasBulge = 72;          // a polyline path's
  static constexpr int kIsClosed = 73;
  static constexpr int kVertexCount = 93;
  static constexpr int kEdgeCount = 93;         // an edge path's
  static constexpr int kEdgeType = 72;          // HatchEdgeType
  static constexpr int kCounterclockwise = 73;  // an arc edge's: 0 runs clockwise
  static constexpr int kRational = 73;          // a spline edge's
  static constexpr int kPeriodic = 74;
  static constexpr int kEdgeWeight = 42;  // a spline edge's, one per control point
  static constexpr int kSplineDegree = 94;
  static constexpr int kKnotCount = 95;
  static constexpr int kControlPointCount = 96;
  static constexpr int kSourceObjectCount = 97;  // follows a path's edges

  // A layout's plot settings (subclass AcDbPlotSettings, ahead of AcDbLayout's), lengths in
  // millimetres.
  static constexpr int kMarginLeft = 40;  // what the printer cannot print on
  static constexpr int kMarginBottom = 41;
  static constexpr int kMarginRight = 42;
  static constexpr int kMarginTop = 43;
  static constexpr int kPaperSizeWidth = 44;
  static constexpr int kPaperSizeHeight = 45;
  static constexpr int kPlotOriginX = 46;
  static constexpr int kPlotOriginY = 47;
  static constexpr int kPrintScaleNumerator = 142;    // paper units
  static constexpr int kPrintScaleDenominator = 143;  // drawing units
  static constexpr int kPlotLayoutFlags = 70;         // PlotLayoutFlag bits
  static constexpr int kPlotPaperUnits = 72;          // 0 inches, 1 millimetres
  static constexpr int kStandardScaleType = 75;       // 0: scaled to fit
  static constexpr int kStandardScaleFactor = 147;
};

// The Y and Z groups of a point named by its X group.
constexpr int dxfYCode(int xCode) {
  return xCode + 10;
}
constexpr int dxfZCode(int xCode) {
  return xCode + 20;
}

// A text's justification: horizontal, and vertical (0, the baseline, when not given).
enum HorizontalJustification : int {
  kJustifyLeft = 0,
  kJustifyCenter = 1,
  kJustifyRight = 2,
  kJustifyAligned = 3,  // between the two alignment points, its height kept
  kJustifyMiddle = 4,   // centred both ways
  kJustifyFit = 5,      // between the two alignment points, its width factor kept
};
enum VerticalJustification : int {
  kJustifyBaseline = 0,
  kJustifyBottom = 1,
  kJustifyVerticalMiddle = 2,
  kJustifyTop = 3,
};

// Bits of a layer's flags.
enum LayerFlag : int { kLayerFrozen = 1, kLayerLocked = 4 };
// Bits of a view's flags.
enum ViewFlag : int { kViewInPaperSpace = 1 };
// Bits of a polyline's and its vertices' flags. A vertex with kVertexOfPolyfaceMesh but not
// kVertexOfPolygonMesh is a polyface mesh's face, not a point.
enum PolylineFlag : int {
  kPolylineClosed = 1,
  kPolyline3d = 8,
  kPolygonMesh = 16,
  kPolyfaceMesh = 64,
  kVertexSplineFrame = 16,
  kVertexOf3dPolyline = 32,
  kVertexOfPolygonMesh = 64,
  kVertexOfPolyfaceMesh = 128,
};
// Bits of a spline's flags.
enum SplineFlag : int { kSplineClosed = 1 };
// Bits of an attribute's flags.
enum AttributeFlag : int { kAttributeInvisible = 1 };
// Bits of a viewport's status flags.
enum ViewportStatusFlag : int { kViewportOff = 0x20000 };
// Bits of a hatch boundary path's type.
enum BoundaryPathFlag : int { kBoundaryPolyline = 2 };
// The edges of a hatch boundary path.
enum HatchEdgeType : int {
  kLineEdge = 1,
  kCircularArcEdge = 2,
  kEllipticArcEdge = 3,
  kSplineEdge = 4
};
// Bits of a layout's plot settings flags.
enum PlotLayoutFlag : int { kUseStandardScale = 16 };
