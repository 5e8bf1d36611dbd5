#include "dxf/text_arena.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

void TextArena::Free::operator()(char* p) const {
  std::free(p);
}

// A drawing's text is large and read at once: the base chunk is aligned for transparent huge
// pages, which saves the kernel hundreds of small page faults per megabyte. Only whole huge
// pages are asked for, so the tail costs no more memory than it holds.
TextArena::Chunk TextArena::allocate(size_t capacity, bool hugePages) {
  constexpr size_t kHuge = 2 << 20;
  constexpr size_t kPage = 4096;
  size_t rounded = std::max<size_t>((capacity + kPage - 1) / kPage * kPage, kPage);
  Chunk chunk;
  void* memory = nullptr;
  if (posix_memalign(&memory, hugePages ? kHuge : kPage, rounded) != 0) throw std::bad_alloc();
  chunk.data.reset(static_cast<char*>(memory));
  if (hugePages && capacity >= kHuge)
    madvise(chunk.data.get(), capacity / kHuge * kHuge, MADV_HUGEPAGE);
  chunk.capacity = capacity;
  return chunk;
}

char* TextArena::resetBase(size_t size) {
  chunks_.clear();
  Chunk base = allocate(size, true);
  base.size = size;
  chunks_.push_back(std::move(base));
  stored_ = 0;
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
  if (text.size() > TextRef::kMaxSize) throw std::length_error("a drawing record over 16 MiB");
  if (chunks_.size() == 1 || chunks_.back().capacity - chunks_.back().size < text.size()) {
    // Chunks grow with the arena, so 255 of them hold any drawing's changes.
    size_t capacity = std::max({kChunkSize, text.size(), stored_ / 8});
    chunks_.push_back(allocate(capacity, false));
  }
  Chunk& tail = chunks_.back();
  std::memcpy(tail.data.get() + tail.size, text.data(), text.size());
  TextRef ref{static_cast<uint32_t>(chunks_.size() - 1), static_cast<uint32_t>(tail.size),
              static_cast<uint32_t>(text.size())};
  tail.size += text.size();
  stored_ += text.size();
  return ref;
}
