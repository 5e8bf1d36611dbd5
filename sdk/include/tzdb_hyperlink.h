// Hyperlinks on entities, through the entity hyperlink protocol extension.
#pragma once

#include <memory>
#include <vector>

#include "tz_export.h"
#include "tzdb_object.h"

TZAD_SDK_BEGIN

class TzDbHyperlink {
 public:
  TzString name() const { return name_; }
  void setName(const TzString& name) { name_ = name; }
  TzString description() const { return description_; }
  void setDescription(const TzString& description) { description_ = description; }
  TzString subLocation() const { return subLocation_; }
  void setSubLocation(const TzString& subLocation) { subLocation_ = subLocation; }
  int flags() const { return flags_; }
  void setFlags(int flags) { flags_ = flags; }
  // The text a user sees for the link: its description, else its address and location.
  TzString getDisplayString() const;
  int getNestedLevel() const { return nestedLevel_; }
  bool isOutermostContainer() const { return nestedLevel_ == 0; }
  void setNestedLevel(int level) { nestedLevel_ = level; }

 private:
  TzString name_;
  TzString description_;
  TzString subLocation_;
  int flags_ = 0;
  int nestedLevel_ = 0;
};

class TzDbHyperlinkCollection {
 public:
  int count() const { return static_cast<int>(items_.size()); }
  TzDbHyperlink* item(int index) const;
  void addHead(const TzString& name, const TzString& description,
               const TzString& subLocation = TzString());
  void addTail(const TzString& name, const TzString& description,
               const TzString& subLocation = TzString());
  void addAt(int index, const TzString& name, const TzString& description,
             const TzString& subLocation = TzString());
  void removeHead();
  void removeTail();
  void removeAt(int index);

 private:
  std::vector<std::unique_ptr<TzDbHyperlink>> items_;
};

class TzDbEntityHyperlinkPE : public TzRxObject {
 public:
  TZRX_DECLARE_MEMBERS(TzDbEntityHyperlinkPE)
  // The protocol extension of an object, or null when the object cannot carry hyperlinks.
  static TzDbEntityHyperlinkPE* query(const TzRxObject* object);

  // Reads the object's hyperlinks into a new collection (the caller deletes it). With
  // oneOnly, only the first. ignoreBlockDefinitions leaves out links inside block references.
  Tzad::ErrorStatus getHyperlinkCollection(TzDbObject* object, TzDbHyperlinkCollection*& links,
                                           bool oneOnly = false,
                                           bool ignoreBlockDefinitions = true);
  // Replaces the object's hyperlinks (object open for write). Takes ownership of links.
  Tzad::ErrorStatus setHyperlinkCollection(TzDbObject* object, TzDbHyperlinkCollection* links);
  Tzad::ErrorStatus getHyperlinkCount(TzDbObject* object, unsigned int& count,
                                      bool ignoreBlockDefinitions = true);
  Tzad::ErrorStatus hasHyperlink(TzDbObject* object, bool& hasLink,
                                 bool ignoreBlockDefinitions = true);
};

TZAD_SDK_END
