#include "dxf/dxf_tokenizer.h"

#include <cctype>

#include "dxf/dxf_tag.h"
#include "platform/translation.h"

DxfTokenizer::Step DxfTokenizer::fail(size_t line, std::string what) {
  errorLine_ = line;
  error_ = std::move(what);
  return Step::Error;
}

DxfTokenizer::Step DxfTokenizer::next(DxfGroup& group) {
  if (pos_ >= text_.size()) return Step::End;
  size_t codeEnd = findLineEnd(text_, pos_);
  if (codeEnd == std::string_view::npos) codeEnd = text_.size();
  std::string_view codeLine = text_.substr(pos_, codeEnd - pos_);
  if (codeEnd >= text_.size() && trimBlanks(codeLine).empty()) return Step::End;
  int code = 0;
  if (!parseGroupCode(codeLine, code)) {
    std::string shown(trimBlanks(codeLine).substr(0, 40));
    for (char& c : shown)
      if (static_cast<unsigned char>(c) < 0x20) c = '?';
    return fail(line_, platform::trf("group code '{0}' is not a number", {shown}));
  }
  if (codeEnd + 1 >= text_.size())
    return fail(
        line_, platform::tr(
                   "the file ends after a group code: it has an odd number of lines (truncated?)"));
  size_t valueEnd = findLineEnd(text_, codeEnd + 1);
  size_t end = valueEnd == std::string_view::npos ? text_.size() : valueEnd + 1;
  group.code = code;
  group.value = trimLineEnd(text_.substr(codeEnd + 1, end - codeEnd - 1));
  group.begin = pos_;
  group.end = end;
  group.line = line_;
  pos_ = end;
  line_ += 2;
  return Step::Group;
}

std::optional<std::string> notAsciiDxf(std::string_view text) {
  if (text.starts_with("AutoCAD Binary DXF"))
    return platform::tr("binary DXF is not supported; save the drawing as ASCII DXF");
  if (text.size() >= 6 && text.starts_with("AC10") &&
      std::isdigit(static_cast<unsigned char>(text[4])))
    return platform::tr(
        "this is a binary DWG drawing, not DXF; save it as DXF in the program that made it");
  return std::nullopt;
}

std::string_view lineEndOf(std::string_view text) {
  size_t firstLineEnd = text.find('\n');
  return firstLineEnd != std::string_view::npos && firstLineEnd > 0 &&
                 text[firstLineEnd - 1] == '\r'
             ? "\r\n"
             : "\n";
}
