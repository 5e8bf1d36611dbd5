// Dictionaries of the OBJECTS section and the layouts they hold.
#pragma once

#include <utility>
#include <vector>

#include "tz_export.h"
#include "tzdb_object.h"

TZAD_SDK_BEGIN

class TzDbDictionaryIterator {
 public:
  bool done() const { return pos_ >= entries_.size(); }
  bool next() {
    if (!done()) ++pos_;
    return !done();
  }
  TzString name() const { return done() ? TzString() : entries_[pos_].first; }
  TzDbObjectId objectId() const { return done() ? TzDbObjectId() : entries_[pos_].second; }

 private:
  friend class TzDbDictionary;
  explicit TzDbDictionaryIterator(std::vector<std::pair<TzString, TzDbObjectId>> entries)
      : entries_(std::move(entries)) {}
  std::vector<std::pair<TzString, TzDbObjectId>> entries_;
  size_t pos_ = 0;
};

namespace TzRx {
enum DictIterType : int { kDictSorted = 0, kDictCollated = 1 };
}

class TzDbDictionary : public TzDbObject {
 public:
  TZRX_DECLARE_MEMBERS(TzDbDictionary)
  // Looks an entry up by name ignoring case.
  Tzad::ErrorStatus getAt(const TzString& name, TzDbObjectId& id) const;
  bool has(const TzString& name) const;
  int numEntries() const;
  // Entries in the order the drawing stores them. The iterator is the caller's to delete.
  TzDbDictionaryIterator* newIterator(TzRx::DictIterType type = TzRx::kDictSorted) const;

 protected:
  using TzDbObject::TzDbObject;
};

// Iteration of a dictionary as the host SDK offers it to modules.
inline TzDbDictionaryIterator* newIteratorDic(const TzDbDictionary* dict, int type = 0) {
  return dict ? dict->newIterator(static_cast<TzRx::DictIterType>(type)) : nullptr;
}

class TzDbPlotSettings : public TzDbObject {
 public:
  TZRX_DECLARE_MEMBERS(TzDbPlotSettings)
  // True for the model layout.
  bool modelType() const;

 protected:
  using TzDbObject::TzDbObject;
};

class TzDbLayout : public TzDbPlotSettings {
 public:
  TZRX_DECLARE_MEMBERS(TzDbLayout)
  Tzad::ErrorStatus getLayoutName(TzString& name) const;
  TzString getLayoutName() const;
  TzDbObjectId getBlockTableRecordId() const;
  int getTabOrder() const;

 protected:
  using TzDbPlotSettings::TzDbPlotSettings;
};

TZAD_SDK_END
