// Storage of drawing text. Chunk 0 is the file as read; later chunks hold the text of objects
// changed or created since. Text never moves, so views into it stay valid while the database
// lives. An unchanged object is written by copying its bytes, which keeps the file lossless.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Where a text lies in the arena. Eight bytes, since every record of a drawing holds two: a
// chunk number (up to 255), an offset, and a size of up to 16 MiB.
class TextRef {
 public:
  static constexpr uint32_t kMaxSize = (1u << 24) - 1;
  static constexpr uint32_t kMaxChunks = 256;
  TextRef() = default;
  TextRef(uint32_t chunk, uint32_t offset, uint32_t size)
      : offset_(offset), packed_((chunk << 24) | size) {}
  uint32_t chunk() const { return packed_ >> 24; }
  uint32_t offset() const { return offset_; }
  uint32_t size() const { return packed_ & kMaxSize; }

 private:
  uint32_t offset_ = 0;
  uint32_t packed_ = 0;
};

class TextArena {
 public:
  // A buffer of `size` bytes that becomes the first chunk; the caller fills it (a file is read
  // straight into it, with no copy and no zero-filling). Null when memory ran out.
  [[nodiscard]] char* resetBase(size_t size) noexcept;
  [[nodiscard]] bool setBase(std::string_view text) noexcept;
  std::string_view base() const {
    return chunks_.empty() ? std::string_view()
                           : std::string_view(chunks_[0].data.get(), baseSize());
  }
  std::string_view view(TextRef ref) const {
    if (ref.size() == 0) return {};
    return std::string_view(chunks_[ref.chunk()].data.get() + ref.offset(), ref.size());
  }
  // Stores a text of at most TextRef::kMaxSize bytes. False for a longer text or when memory
  // ran out; the arena is then as it was. Objects are committed from their close(), which
  // runs in destructors, so nothing here throws.
  [[nodiscard]] bool store(std::string_view text, TextRef& ref) noexcept;

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
  static constexpr size_t kChunkSize = 1 << 20;
  size_t stored_ = 0;  // bytes in the chunks after the base
  static bool allocate(size_t capacity, bool hugePages, Chunk& chunk) noexcept;
  std::vector<Chunk> chunks_;
};
