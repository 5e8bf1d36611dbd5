// The records of a drawing and where they are kept. A drawing holds hundreds of thousands of
// records, so each one is kept small: it does not carry its database or its own number, which
// the block it lies in knows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "dxf/text_arena.h"

struct TzDbDatabaseImpl;

constexpr uint32_t kNoRecord = 0xFFFFFFFF;

namespace record_blocks {
// Records live in blocks of this many bytes, each aligned to its size, so that a record finds
// the head of its block by clearing the low bits of its address.
constexpr size_t kBytes = size_t{64} << 10;
struct Head {
  TzDbDatabaseImpl* db;
  uint32_t first;  // the number of the block's first record
};
constexpr size_t kHeadBytes = 16;
static_assert(sizeof(Head) <= kHeadBytes);
}  // namespace record_blocks

// One record of the drawing: the text from a group 0 up to the next. The text is split in
// two, body and extended data (from the first group 1001 on), from the moment the record is
// read: a change to extended data leaves the rest of the record's bytes untouched, and
// opening an object finds its extended data without reading the body line by line.
struct TzDbStub {
  TextRef body;
  TextRef xdata;
  uint32_t next = kNoRecord;
  uint32_t prev = kNoRecord;
  // Packed: with no member needing eight-byte alignment, a record takes 36 bytes, not 40.
  uint64_t handle [[gnu::packed]] = 0;
  uint16_t type = 0;
  uint8_t flags = 0;
  uint8_t openedForWrite = 0;
  bool has(uint8_t f) const { return (flags & f) != 0; }

  TzDbDatabaseImpl* db() const { return head().db; }
  uint32_t index() const {
    auto first = reinterpret_cast<const TzDbStub*>(reinterpret_cast<const char*>(&head()) +
                                                   record_blocks::kHeadBytes);
    return head().first + static_cast<uint32_t>(this - first);
  }

 private:
  const record_blocks::Head& head() const {
    return *reinterpret_cast<const record_blocks::Head*>(reinterpret_cast<uintptr_t>(this) &
                                                         ~(record_blocks::kBytes - 1));
  }
};

static_assert(sizeof(TzDbStub) == 36);

// The records in the order they were made, numbered from 0. A record never moves: object ids
// point at it for as long as the drawing lives.
class RecordStore {
 public:
  static constexpr uint32_t kPerBlock =
      (record_blocks::kBytes - record_blocks::kHeadBytes) / sizeof(TzDbStub);

  explicit RecordStore(TzDbDatabaseImpl* owner) : owner_(owner) {}
  ~RecordStore();
  RecordStore(const RecordStore&) = delete;
  RecordStore& operator=(const RecordStore&) = delete;

  TzDbStub& operator[](uint32_t i) { return records(i / kPerBlock)[i % kPerBlock]; }
  const TzDbStub& operator[](uint32_t i) const { return records(i / kPerBlock)[i % kPerBlock]; }
  size_t size() const { return size_; }
  // A new record at the end, as a default TzDbStub. Throws std::bad_alloc when no memory is
  // left for a new block.
  TzDbStub& emplace_back();
  void clear();

 private:
  TzDbStub* records(size_t block) const {
    return reinterpret_cast<TzDbStub*>(blocks_[block] + record_blocks::kHeadBytes);
  }
  TzDbDatabaseImpl* owner_;
  std::vector<char*> blocks_;  // mapped, each kBytes long and aligned to kBytes
  size_t size_ = 0;
};
