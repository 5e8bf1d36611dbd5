// Run-time class descriptions: the root of the SDK's classes. The database's classes have theirs
// in db/object_classes.cpp.
#include "tzrx_object.h"

bool TzRxClass::isDerivedFrom(const TzRxClass* other) const {
  for (const TzRxClass* c = this; c != nullptr; c = c->parent())
    if (c == other) return true;
  return false;
}

TzRxClass* TzRxObject::desc() {
  static TzRxClass cls("TzRxObject", nullptr);
  return &cls;
}
