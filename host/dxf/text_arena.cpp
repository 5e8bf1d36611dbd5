#include "dxf/text_arena.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

void TextArena::Free::operator()(char* p) const {
  std::free(p);
}

// A drawing's text is large and read at once: the base chunk is aligned for transparent huge
// pages, which saves the kernel hundreds of small page faults per megabyte. Only whole huge
// pages are asked for, so the tail costs no more memory than it holds.
bool TextArena::allocate(size_t capacity, bool hugePages, Chunk& chunk) noexcept {
  constexpr size_t kHuge = 2 << 20;
  constexpr size_t kPage = 4096;
  size_t rounded = std::max<size_t>((capacity + kPage - 1) / kPage * kPage, kPage);
  void* memory = nullptr;
  if (posix_memalign(&memory, hugePages ? kHuge : kPage, rounded) != 0) return false;
  chunk.data.reset(static_cast<char*>(memory));
  if (hugePages && capacity >= kHuge)
    madvise(chunk.data.get(), capacity / kHuge * kHuge, MADV_HUGEPAGE);
  chunk.capacity = capacity;
  chunk.size = 0;
  return true;
}

char* TextArena::resetBase(size_t size) noexcept {
  chunks_.clear();
  stored_ = 0;
  Chunk base;
  if (!allocate(size, true, base)) return nullptr;
  base.size = size;
  // The table of chunks is reserved whole, so adding a chunk never allocates it again.
  try {
    chunks_.reserve(TextRef::kMaxChunks);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  chunks_.push_back(std::move(base));
  return chunks_.front().data.get();
}

bool TextArena::setBase(std::string_view text) noexcept {
  char* buffer = resetBase(text.size());
  if (buffer == nullptr) return false;
  std::memcpy(buffer, text.data(), text.size());
  return true;
}

bool TextArena::store(std::string_view text, TextRef& ref) noexcept {
  ref = {};
  if (text.empty()) return true;
  if (text.size() > TextRef::kMaxSize) return false;
  if (chunks_.empty() && resetBase(0) == nullptr) return false;
  // The base chunk is always full; later chunks have fixed capacity, so nothing ever moves.
  if (chunks_.size() == 1 || chunks_.back().capacity - chunks_.back().size < text.size()) {
    // Chunks grow with the arena, so the table's 255 hold any drawing's changes.
    if (chunks_.size() == TextRef::kMaxChunks) return false;
    Chunk chunk;
    if (!allocate(std::max({kChunkSize, text.size(), stored_ / 8}), false, chunk)) return false;
    chunks_.push_back(std::move(chunk));
  }
  Chunk& tail = chunks_.back();
  std::memcpy(tail.data.get() + tail.size, text.data(), text.size());
  ref = TextRef{static_cast<uint32_t>(chunks_.size() - 1), static_cast<uint32_t>(tail.size),
                static_cast<uint32_t>(text.size())};
  tail.size += text.size();
  stored_ += text.size();
  return true;
}
