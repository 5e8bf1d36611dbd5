#include "tzlinks/link_output.h"

#include <algorithm>
#include <vector>

#include "core/link_text.h"
#include "platform/display_text.h"
#include "platform/text.h"

namespace linktools {

namespace {

struct Field {
  const char* key;
  TzString value;
};

// The columns of JSON and CSV: the same keys, in the same order, for every row of an action.
std::vector<Field> fieldsOf(const OutputRow& row, Action action) {
  std::vector<Field> fields = {{"file", platform::fromFileName(row.file)},
                               {"handle", row.link.handle},
                               {"address", row.link.address},
                               {"location", row.link.location},
                               {"description", row.link.description}};
  if (action == Action::Check && row.check) {
    fields.push_back({"status", tzutFromUtf8(statusCode(*row.check))});
    fields.push_back({"detail", row.check->detail});
  }
  if (action == Action::Replace && row.change) {
    fields.push_back({"new_address", row.change->newAddress});
    fields.push_back({"new_location", row.change->newLocation});
  }
  return fields;
}

std::vector<const char*> keysOf(Action action) {
  std::vector<const char*> keys = {"file", "handle", "address", "location", "description"};
  if (action == Action::Check) keys.insert(keys.end(), {"status", "detail"});
  if (action == Action::Replace) keys.insert(keys.end(), {"new_address", "new_location"});
  return keys;
}

void put(std::FILE* out, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), out);
}

class JsonLinesWriter : public LinkWriter {
 public:
  JsonLinesWriter(Action action, std::FILE* out) : action_(action), out_(out) {}
  void write(const OutputRow& row) override {
    std::string line = "{";
    for (const Field& field : fieldsOf(row, action_)) {
      if (line.size() > 1) line += ",";
      line += '"';
      line += field.key;
      line += "\":";
      appendJsonString(line, field.value);
    }
    line += "}\n";
    put(out_, line);
  }

 private:
  Action action_;
  std::FILE* out_;
};

class CsvWriter : public LinkWriter {
 public:
  CsvWriter(Action action, std::FILE* out) : action_(action), out_(out) {
    std::string header;
    for (const char* key : keysOf(action)) header += (header.empty() ? "" : ",") + std::string(key);
    put(out_, header + "\n");
  }
  void write(const OutputRow& row) override {
    std::string line;
    for (const Field& field : fieldsOf(row, action_)) {
      if (!line.empty()) line += ",";
      appendCsvField(line, field.value);
    }
    put(out_, line + "\n");
  }

 private:
  Action action_;
  std::FILE* out_;
};

// Cells are cut to a width a terminal line can show beside the others.
constexpr size_t kWideCell = 80, kNarrowCell = 40, kDetailCell = 160;

class TableWriter : public LinkWriter {
 public:
  TableWriter(const TzlinksOptions& options, std::FILE* out)
      : action_(options.action), locations_(options.rule.locationsToo), out_(out) {
    switch (action_) {
      case Action::List:
        rows_.push_back({linkText(u"File"), linkText(u"Handle"), linkText(u"Address"),
                         linkText(u"Location"), linkText(u"Description")});
        break;
      case Action::Check:
        rows_.push_back({linkText(u"File"), linkText(u"Handle"), linkText(u"Address"),
                         linkText(u"Status"), linkText(u"Detail")});
        break;
      case Action::Replace:
        rows_.push_back({linkText(u"File"), linkText(u"Handle"), linkText(u"Address"),
                         linkText(u"New address")});
        if (locations_)
          rows_.back().insert(rows_.back().end(),
                              {linkText(u"Location"), linkText(u"New location")});
        break;
    }
  }

  void write(const OutputRow& row) override {
    const DrawingLink& link = row.link;
    std::vector<TzString> cells = {cell(platform::fromFileName(row.file), kWideCell), link.handle};
    if (action_ == Action::List) {
      cells.insert(cells.end(), {cell(link.address, kWideCell), cell(link.location, kNarrowCell),
                                 cell(link.description, kNarrowCell)});
    } else if (action_ == Action::Check) {
      // People read the table for what is wrong; the JSON and CSV forms hold every link.
      if (row.check == nullptr || !row.check->broken()) return;
      cells.insert(cells.end(), {cell(addressWithLocation(link.address, link.location), kWideCell),
                                 statusName(*row.check), cell(row.check->detail, kDetailCell)});
    } else if (row.change) {
      cells.insert(cells.end(),
                   {cell(link.address, kWideCell), cell(row.change->newAddress, kWideCell)});
      if (locations_)
        cells.insert(cells.end(), {cell(link.location, kNarrowCell),
                                   cell(row.change->newLocation, kNarrowCell)});
    }
    rows_.push_back(std::move(cells));
  }

  void finish() override {
    if (rows_.size() < 2) return;  // no rows under the headings
    std::vector<size_t> widths(rows_.front().size(), 0);
    for (const auto& row : rows_)
      for (size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], displayWidth(row[i]));
    for (const auto& row : rows_) {
      TzString line;
      for (size_t i = 0; i < row.size(); ++i) {
        line += row[i];
        if (i + 1 < row.size()) line.append(widths[i] - displayWidth(row[i]) + 2, u' ');
      }
      while (!line.empty() && line.back() == u' ') line.pop_back();
      put(out_, tzutToUtf8(line) + "\n");
    }
  }

 private:
  static TzString cell(std::u16string_view text, size_t limit) {
    return platform::displayText(text, limit);
  }
  Action action_;
  bool locations_;
  std::FILE* out_;
  std::vector<std::vector<TzString>> rows_;
};

bool isWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
         (c >= 0x3041 && c <= 0x33FF) || (c >= 0x3400 && c <= 0x4DBF) ||
         (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F) ||
         (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD);
}

bool isCombining(char32_t c) {
  return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) ||
         (c >= 0x20D0 && c <= 0x20FF) || (c >= 0xFE20 && c <= 0xFE2F) || c == 0x200B ||
         c == 0x200C || c == 0x200D;
}

}  // namespace

std::unique_ptr<LinkWriter> makeLinkWriter(const TzlinksOptions& options, std::FILE* out) {
  switch (options.form) {
    case OutputForm::Json:
      return std::make_unique<JsonLinesWriter>(options.action, out);
    case OutputForm::Csv:
      return std::make_unique<CsvWriter>(options.action, out);
    case OutputForm::Table:
      break;
  }
  return std::make_unique<TableWriter>(options, out);
}

void appendJsonString(std::string& out, std::u16string_view text) {
  static const char kHex[] = "0123456789abcdef";
  out += '"';
  for (char c : tzutToUtf8(text)) {
    unsigned char byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (byte < 0x20) {
          out += "\\u00";
          out += kHex[byte >> 4];
          out += kHex[byte & 15];
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

void appendCsvField(std::string& out, std::u16string_view text) {
  std::string value = tzutToUtf8(text);
  bool quote = value.find_first_of(",\"\r\n") != std::string::npos ||
               (!value.empty() && (value.front() == ' ' || value.back() == ' '));
  if (!quote) {
    out += value;
    return;
  }
  out += '"';
  for (char c : value) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

size_t displayWidth(std::u16string_view text) {
  size_t width = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    width += isCombining(c) ? 0 : isWide(c) ? 2 : 1;
  }
  return width;
}

}  // namespace linktools
