// An object while it is open: its tags, parsed from the record, and what changed.
#pragma once

#include "db/database_impl.h"
#include "db/internals.h"
#include "tzdb_object.h"
#include "tzge_point3d.h"

struct TzDbObjectData {
  TzDbDatabaseImpl* db = nullptr;
  uint32_t record = kNoRecord;  // kNoRecord while the object is new, outside any database
  TzDb::OpenMode mode = TzDb::kForWrite;
  std::string type;
  DxfTags xdata;  // extended data: from the first 1001 group on
  // The record's tags up to its extended data, group 0 first. Parsed on first use: opening an
  // entity to change only its hyperlink never decodes the rest.
  DxfTags& tags() {
    if (!bodyParsed) parseBody();
    return tags_;
  }
  const DxfTags& tags() const { return const_cast<TzDbObjectData*>(this)->tags(); }
  // The value of the first group with this code (before the extended data): as the record's
  // text holds it until the body is parsed, then as it stands. Reads no more lines than it
  // needs and decodes nothing.
  std::string_view firstValue(int code) const;
  // The entity's layer name, read without parsing the whole body.
  std::string layerName() const;
  // The same as it stands in the record (raw text until the body is parsed); a cache key.
  std::string_view layerText() const;
  bool bodyChanged = false;
  bool xdataChanged = false;
  // Erasing and un-erasing take effect when the object is closed, for the record and the
  // vertices or attributes that belong to it alike.
  bool erasing = false;
  bool unerasing = false;
  std::vector<TzGePoint3d> newVertices;  // a new polyline's vertices until it is appended

  bool isNew() const { return record == kNoRecord; }
  TzDbStub* stub() const { return isNew() ? nullptr : &db->at(record); }

  // The first tag with this code (before the extended data), or null.
  DxfTag* find(int code);
  const DxfTag* find(int code) const;
  std::string get(int code, std::string_view fallback = {}) const;
  // The first tag with this code after the subclass marker (group 100) `marker`, or null.
  const DxfTag* findAfter(std::string_view marker, int code) const;
  int getInt(int code, int fallback = 0) const;
  double getReal(int code, double fallback = 0.0) const;
  // Sets the first tag with this code; when missing, inserts it after the last tag with
  // code `after` (or at the end).
  void set(int code, const std::string& value, int after = -1);
  void setInt(int code, int value, int after = -1) { set(code, std::to_string(value), after); }
  void setReal(int code, double value, int after = -1) { set(code, formatReal(value), after); }

 private:
  friend void loadObjectData(TzDbObjectData&, TzDbDatabaseImpl&, uint32_t);
  void parseBody();
  DxfTags tags_;
  std::string_view bodyText_;  // the unparsed body, while bodyParsed is false
  std::string_view layerRaw_;  // value of the body's first group 8
  bool bodyParsed = true;
};

// The value of the first group with this code in a record's text, as the text holds it;
// empty when there is none.
std::string_view firstRawValue(std::string_view body, int code);
// Loads the tags of a record.
void loadObjectData(TzDbObjectData& data, TzDbDatabaseImpl& db, uint32_t record);
// Writes changed tags back into the record's text; eOutOfMemory leaves the record as it was.
Tzad::ErrorStatus commitObjectData(TzDbObjectData& data) noexcept;
// The flags (group 70) of an entity's layer: 1 frozen, 4 locked; 0 for anything else.
int entityLayerFlags(const TzDbObjectData& entity);
int entityLayerFlags(TzDbObjectId id);
// The tags of an open object.
inline TzDbObjectData& dataOf(const TzDbObject* object) {
  return *TzDbInternals::data(object);
}
// Creates the right SDK object for a record's type.
TzDbObject* makeObjectFor(std::unique_ptr<TzDbObjectData> data);
