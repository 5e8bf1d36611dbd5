// Stable identities of database objects.
#pragma once

#include <cstdint>
#include <functional>
#include "tz_export.h"

// The host's own types, which the SDK names only by pointer: declared outside the exported
// region, they stay inside libtzad.
struct TzDbStub;

TZAD_SDK_BEGIN

class TzDbDatabase;
class TzDbObjectId;
template <>
struct std::hash<TzDbObjectId>;

// A DXF handle: the object's persistent name inside its drawing.
class TzDbHandle {
 public:
  TzDbHandle() = default;
  explicit TzDbHandle(uint64_t value) : value_(value) {}
  uint64_t value() const { return value_; }
  bool isNull() const { return value_ == 0; }
  bool operator==(const TzDbHandle&) const = default;
  auto operator<=>(const TzDbHandle&) const = default;

 private:
  uint64_t value_ = 0;
};

class TzDbObjectId {
 public:
  TzDbObjectId() = default;

  bool isNull() const { return stub_ == nullptr; }
  bool isValid() const { return stub_ != nullptr; }
  bool isErased() const;
  TzDbHandle handle() const;
  TzDbDatabase* database() const;

  bool operator==(const TzDbObjectId&) const = default;
  auto operator<=>(const TzDbObjectId&) const = default;

  static const TzDbObjectId kNull;

  // The host's record behind an id, and the id of a record.
  TZAD_HOST_ONLY TzDbStub* stub() const;
  TZAD_HOST_ONLY static TzDbObjectId of(TzDbStub* stub);

 private:
  friend struct std::hash<TzDbObjectId>;
  explicit TzDbObjectId(TzDbStub* stub) : stub_(stub) {}
  TzDbStub* stub_ = nullptr;
};

template <>
struct std::hash<TzDbObjectId> {
  size_t operator()(const TzDbObjectId& id) const noexcept {
    return std::hash<const void*>()(id.stub_);
  }
};

TZAD_SDK_END
