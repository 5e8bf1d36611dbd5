#include "dxf/text_arena.h"

#include <cstring>

void TextArena::setBase(std::string text) {
  chunks_.clear();
  chunks_.push_back(std::make_unique<std::string>(std::move(text)));
  tailUsed_ = chunks_.back()->size();
}

std::string_view TextArena::view(TextRef ref) const {
  if (ref.size == 0) return {};
  return std::string_view(chunks_[ref.chunk]->data() + ref.offset, ref.size);
}

TextRef TextArena::store(std::string_view text) {
  if (text.empty()) return {};
  if (chunks_.empty()) setBase(std::string());
  std::string* tail = chunks_.back().get();
  // The base chunk is full by definition; a new chunk is fixed-capacity so it never moves.
  if (chunks_.size() == 1 || tail->capacity() - tailUsed_ < text.size()) {
    auto chunk = std::make_unique<std::string>();
    chunk->reserve(std::max(kChunkSize, text.size()));
    chunks_.push_back(std::move(chunk));
    tail = chunks_.back().get();
    tailUsed_ = 0;
  }
  tail->append(text);
  TextRef ref{static_cast<uint32_t>(chunks_.size() - 1), static_cast<uint32_t>(tailUsed_),
              static_cast<uint32_t>(text.size())};
  tailUsed_ += text.size();
  return ref;
}

TextRef TextArena::refOf(std::string_view text) const {
  for (size_t i = 0; i < chunks_.size(); ++i) {
    const char* begin = chunks_[i]->data();
    if (text.data() >= begin && text.data() + text.size() <= begin + chunks_[i]->size()) {
      return TextRef{static_cast<uint32_t>(i), static_cast<uint32_t>(text.data() - begin),
                     static_cast<uint32_t>(text.size())};
    }
  }
  return {};
}
