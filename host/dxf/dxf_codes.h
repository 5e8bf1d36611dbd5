// The DXF group codes and flag bits that the host looks up by number. A group code means
// different things in different records; each name here is the meaning the host reads it for.
#pragma once

struct DxfCode {
  static constexpr int kType = 0;       // the record's type ("LINE", "LAYER")
  static constexpr int kText = 1;       // a layout's name
  static constexpr int kName = 2;       // a table record's name
  static constexpr int kEntryName = 3;  // a dictionary entry's name
  static constexpr int kHandle = 5;
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
};

// Bits of a layer's flags.
enum LayerFlag : int { kLayerFrozen = 1, kLayerLocked = 4 };
// Bits of a view's flags.
enum ViewFlag : int { kViewInPaperSpace = 1 };
// Bits of a polyline's and its vertices' flags.
enum PolylineFlag : int { kPolylineClosed = 1, kPolyline3d = 8, kVertexOf3dPolyline = 32 };
