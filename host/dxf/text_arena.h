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
  // Makes text the first chunk; the base of every object read from a file.
  void setBase(std::string text);
  const std::string& base() const { return *chunks_.front(); }
  std::string_view view(TextRef ref) const;
  TextRef store(std::string_view text);
  // A ref to a part of text that lies inside a stored chunk.
  TextRef refOf(std::string_view text) const;

 private:
  static constexpr size_t kChunkSize = 1 << 20;
  std::vector<std::unique_ptr<std::string>> chunks_;
  size_t tailUsed_ = 0;
};
