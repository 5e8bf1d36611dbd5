#include "dxf/text_arena.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

void TextArena::Free::operator()(char* p) const {
  std::free(p);
}

// Drawings are large and read once: chunks are aligned for transparent huge pages, which
// saves the kernel hundreds of small page faults per megabyte.
TextArena::Chunk TextArena::allocate(size_t capacity) {
  constexpr size_t kHuge = 2 << 20;
  size_t rounded = std::max<size_t>((capacity + kHuge - 1) / kHuge * kHuge, kHuge);
  Chunk chunk;
  chunk.data.reset(static_cast<char*>(std::aligned_alloc(kHuge, rounded)));
  if (!chunk.data) throw std::bad_alloc();
  madvise(chunk.data.get(), rounded, MADV_HUGEPAGE);
  chunk.capacity = capacity;
  return chunk;
}

char* TextArena::resetBase(size_t size) {
  chunks_.clear();
  Chunk base = allocate(size);
  base.size = size;
  chunks_.push_back(std::move(base));
  return chunks_.front().data.get();
}

void TextArena::setBase(std::string_view text) {
  char* buffer = resetBase(text.size());
  std::memcpy(buffer, text.data(), text.size());
}

TextRef TextArena::store(std::string_view text) {
  if (text.empty()) return {};
  if (chunks_.empty()) resetBase(0);
  // The base chunk is always full; later chunks have fixed capacity, so nothing ever moves.
  if (chunks_.size() == 1 || chunks_.back().capacity - chunks_.back().size < text.size()) {
    chunks_.push_back(allocate(std::max(kChunkSize, text.size())));
  }
  Chunk& tail = chunks_.back();
  std::memcpy(tail.data.get() + tail.size, text.data(), text.size());
  TextRef ref{static_cast<uint32_t>(chunks_.size() - 1), static_cast<uint32_t>(tail.size),
              static_cast<uint32_t>(text.size())};
  tail.size += text.size();
  return ref;
}
