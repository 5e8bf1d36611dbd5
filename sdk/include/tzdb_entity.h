// Entities: the drawing's visible objects.
#pragma once

#include <vector>

#include "tz_export.h"
#include "tzdb_object.h"
#include "tzge_point3d.h"

TZAD_SDK_BEGIN

class TzDbEntity : public TzDbObject {
 public:
  TZRX_DECLARE_MEMBERS(TzDbEntity)

  TzString layer() const;
  TzDbObjectId layerId() const;
  // Puts the entity on a layer (by layer record id).
  Tzad::ErrorStatus setLayer(TzDbObjectId layerId, bool doSubents = true,
                             bool allowHiddenLayer = false);
  Tzad::ErrorStatus setLayer(const TzString& layerName, bool doSubents = true);
  int colorIndex() const;
  Tzad::ErrorStatus setColorIndex(int index);
  // Gives a new entity the database's current layer and colour.
  void setDatabaseDefaults(TzDbDatabase* db = nullptr);
  // True when the entity lies in paper space.
  bool isInPaperSpace() const;

 protected:
  TzDbEntity();
  using TzDbObject::TzDbObject;
};

namespace TzDb {
enum Poly3dType : int { k3dSimplePoly = 0, k3dQuadSplinePoly = 1, k3dCubicSplinePoly = 2 };
}

class TzDb3dPolyline : public TzDbEntity {
 public:
  TZRX_DECLARE_MEMBERS(TzDb3dPolyline)
  TzDb3dPolyline();
  TzDb3dPolyline(TzDb::Poly3dType type, const std::vector<TzGePoint3d>& vertices,
                 bool closed = false);

  TzDb::Poly3dType polyType() const;
  bool isClosed() const;
  Tzad::ErrorStatus makeClosed();
  Tzad::ErrorStatus makeOpen();
  // The vertices in world coordinates.
  std::vector<TzGePoint3d> vertices() const;

 protected:
  using TzDbEntity::TzDbEntity;
};

TZAD_SDK_END
