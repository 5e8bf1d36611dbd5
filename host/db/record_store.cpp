#include "db/record_store.h"

#include <sys/mman.h>

#include <new>

namespace {

// A block aligned to its size: map twice the size and give back the parts before and after the
// aligned block. A block that is never touched costs no memory.
char* mapBlock() {
  constexpr size_t size = record_blocks::kBytes;
  void* mapped =
      ::mmap(nullptr, 2 * size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) return nullptr;
  auto start = reinterpret_cast<uintptr_t>(mapped);
  uintptr_t aligned = (start + size - 1) & ~(size - 1);
  if (aligned > start) ::munmap(mapped, aligned - start);
  if (uintptr_t end = start + 2 * size; end > aligned + size)
    ::munmap(reinterpret_cast<void*>(aligned + size), end - aligned - size);
  return reinterpret_cast<char*>(aligned);
}

}  // namespace

RecordStore::~RecordStore() {
  clear();
}

TzDbStub& RecordStore::emplace_back() {
  size_t block = size_ / kPerBlock;
  if (block == blocks_.size()) {
    blocks_.reserve(blocks_.size() + 1);
    char* mapped = mapBlock();
    if (mapped == nullptr) throw std::bad_alloc();
    new (mapped) record_blocks::Head{owner_, static_cast<uint32_t>(block * kPerBlock)};
    blocks_.push_back(mapped);
  }
  TzDbStub* record = new (&records(block)[size_ % kPerBlock]) TzDbStub();
  ++size_;
  return *record;
}

void RecordStore::clear() {
  for (char* block : blocks_) ::munmap(block, record_blocks::kBytes);
  blocks_.clear();
  size_ = 0;
}
