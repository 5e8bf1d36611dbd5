// Storage of drawing text. Chunk 0 is the file as read; later chunks hold the text of objects
// changed or created since. Text never moves, so views into it stay valid while the database
// lives. An unchanged object is written by copying its bytes, which keeps the file lossless.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct TextRef {
  uint32_t chunk = 0;
  uint32_t offset = 0;
  uint32_t size = 0;
};

class TextArena {
 public:
  // A buffer of `size` bytes that becomes the first chunk; the caller fills it (a file is read
  // straight into it, with no copy and no zero-filling).
  char* resetBase(size_t size);
  void setBase(std::string_view text);
  std::string_view base() const { return view(TextRef{0, 0, static_cast<uint32_t>(baseSize())}); }
  std::string_view view(TextRef ref) const {
    if (ref.size == 0) return {};
    return std::string_view(chunks_[ref.chunk].data.get() + ref.offset, ref.size);
  }
  TextRef store(std::string_view text);

 private:
  struct Free {
    void operator()(char* p) const;
  };
  struct Chunk {
    std::unique_ptr<char, Free> data;
    size_t size = 0;
    size_t capacity = 0;
  };
  size_t baseSize() const { return chunks_.empty() ? 0 : chunks_.front().size; }
  static constexpr size_t kChunkSize = 2 << 20;
  static Chunk allocate(size_t capacity);
  std::vector<Chunk> chunks_;
};
