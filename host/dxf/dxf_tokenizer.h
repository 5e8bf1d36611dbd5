// Walks the text of a DXF file group by group, telling where each group's two lines lie, so
// that whoever keeps the file's bytes can refer to them instead of copying.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct DxfGroup {
  int code = 0;
  std::string_view value;  // the value line without its line end
  size_t begin = 0;        // offset of the code line
  size_t end = 0;          // offset just past the value line's line feed (or the text's end)
  size_t line = 0;         // number of the code line, from 1
};

class DxfTokenizer {
 public:
  enum class Step { Group, End, Error };

  explicit DxfTokenizer(std::string_view text) : text_(text) {}
  // Reads the next group. End when the text is used up (trailing blank text included); Error
  // when the text is no sequence of groups: error() and errorLine() say why and where.
  Step next(DxfGroup& group);
  // The number of the line the next group would start on.
  size_t line() const { return line_; }
  const std::string& error() const { return error_; }
  size_t errorLine() const { return errorLine_; }

 private:
  Step fail(size_t line, std::string what);

  std::string_view text_;
  size_t pos_ = 0;
  size_t line_ = 1;
  std::string error_;
  size_t errorLine_ = 0;
};

// Why the text is no ASCII DXF file (binary DXF, a DWG drawing), or nothing.
std::optional<std::string> notAsciiDxf(std::string_view text);
// The line end the file's first line uses: "\r\n" or "\n".
std::string_view lineEndOf(std::string_view text);
