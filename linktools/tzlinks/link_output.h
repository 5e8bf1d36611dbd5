// What tzlinks prints for each hyperlink, in the form asked for: an aligned table for people,
// JSON lines or CSV for programs. JSON lines of several runs concatenate into one result.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "core/drawing_links.h"
#include "core/link_replace.h"
#include "core/link_status.h"
#include "tzlinks/tzlinks_options.h"

namespace linktools {

// One hyperlink of a drawing, with what a check found or what a replace changes.
struct OutputRow {
  const std::string& file;  // the drawing's path as given or found
  const DrawingLink& link;
  const CheckResult* check = nullptr;
  const LinkChange* change = nullptr;
};

class LinkWriter {
 public:
  virtual ~LinkWriter() = default;
  virtual void write(const OutputRow& row) = 0;
  // Ends the output: the table is printed only now, when its columns' widths are known.
  virtual void finish() {}
};

std::unique_ptr<LinkWriter> makeLinkWriter(const TzlinksOptions& options, std::FILE* out);

// Appends text as a JSON string (quoted, escaped; UTF-8, with U+FFFD for what is no text).
void appendJsonString(std::string& out, std::u16string_view text);
// Appends text as a CSV field, quoted when it must be.
void appendCsvField(std::string& out, std::u16string_view text);
// How many columns of a terminal the text takes: East Asian wide characters take two,
// combining marks none.
size_t displayWidth(std::u16string_view text);

}  // namespace linktools
