// Run-time class information: isKindOf/desc as CAD SDKs offer them.
#pragma once

#include "tz_export.h"

TZAD_SDK_BEGIN

class TzRxClass {
 public:
  TzRxClass(const char* name, const TzRxClass* parent) : name_(name), parent_(parent) {}
  const char* name() const { return name_; }
  const TzRxClass* parent() const { return parent_; }
  bool isDerivedFrom(const TzRxClass* other) const;

 private:
  const char* name_;
  const TzRxClass* parent_;
};

class TzRxObject {
 public:
  virtual ~TzRxObject() = default;
  static TzRxClass* desc();
  virtual TzRxClass* isA() const { return desc(); }
  bool isKindOf(const TzRxClass* cls) const { return isA()->isDerivedFrom(cls); }
};

// Declares desc()/isA() for a class of the SDK.
#define TZRX_DECLARE_MEMBERS(CLASS)                                     \
  static TzRxClass* desc();                                             \
  TzRxClass* isA() const override;                                      \
  static CLASS* cast(TzRxObject* o) {                                   \
    return o && o->isKindOf(desc()) ? static_cast<CLASS*>(o) : nullptr; \
  }

TZAD_SDK_END
