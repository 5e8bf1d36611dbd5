#include "paint/pdf_navigation.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string_view>

namespace tzad {

namespace {

// Readers find an object in a stream by reading the stream: a thousand keeps that quick.
constexpr size_t kObjectsPerStream = 1000;
constexpr std::string_view kBlanks = " \t\r\n";

// The parts of cairo's file the update refers to: its one cross-reference table and trailer.
struct CairoFile {
  std::vector<size_t> offsets;  // by object number; 0 for a free one
  size_t xref = 0;
  long long size = 0;
  long long root = 0;
  long long info = 0;  // 0 for none
};

void skipBlanks(std::string_view text, size_t& at) {
  while (at < text.size() && kBlanks.find(text[at]) != std::string_view::npos) ++at;
}

std::optional<long long> readNumber(std::string_view text, size_t& at) {
  skipBlanks(text, at);
  size_t start = at;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
  if (at == start || at - start > 15) return std::nullopt;
  return std::stoll(std::string(text.substr(start, at - start)));
}

// The number after a key of a dictionary's text: "/Size 12", or "/Root 12 0 R" for its object.
std::optional<long long> keyNumber(std::string_view dict, std::string_view key) {
  for (size_t at = dict.find(key); at != std::string_view::npos; at = dict.find(key, at + 1)) {
    size_t end = at + key.size();
    if (end < dict.size() && std::isalnum(static_cast<unsigned char>(dict[end]))) continue;
    return readNumber(dict, end);
  }
  return std::nullopt;
}

std::optional<CairoFile> readTrailer(std::string_view pdf) {
  size_t start = pdf.rfind("startxref");
  if (start == std::string_view::npos) return std::nullopt;
  size_t at = start + 9;
  std::optional<long long> xref = readNumber(pdf, at);
  if (!xref || size_t(*xref) >= start || pdf.substr(size_t(*xref), 4) != "xref")
    return std::nullopt;
  CairoFile file;
  file.xref = size_t(*xref);
  at = file.xref + 4;
  for (skipBlanks(pdf, at); pdf.substr(at, 7) != "trailer"; skipBlanks(pdf, at)) {
    std::optional<long long> first = readNumber(pdf, at), count = readNumber(pdf, at);
    if (!first || !count || *first + *count > 10'000'000) return std::nullopt;
    if (file.offsets.size() < size_t(*first + *count)) file.offsets.resize(size_t(*first + *count));
    for (long long i = 0; i < *count; ++i) {
      std::optional<long long> offset = readNumber(pdf, at), generation = readNumber(pdf, at);
      skipBlanks(pdf, at);
      if (!offset || !generation || at >= pdf.size()) return std::nullopt;
      file.offsets[size_t(*first + i)] = pdf[at] == 'n' ? size_t(*offset) : 0;
      ++at;
    }
  }
  std::string_view trailer = pdf.substr(at, start - at);
  std::optional<long long> size = keyNumber(trailer, "/Size"), root = keyNumber(trailer, "/Root");
  if (!size || !root) return std::nullopt;
  file.size = *size;
  file.root = *root;
  file.info = keyNumber(trailer, "/Info").value_or(0);
  return file;
}

// The dictionary an object of cairo's holds (no stream), "<<" to ">>".
std::optional<std::string_view> dictionaryOf(std::string_view pdf, const CairoFile& file,
                                             long long number) {
  if (number <= 0 || size_t(number) >= file.offsets.size() || file.offsets[size_t(number)] == 0)
    return std::nullopt;
  size_t start = pdf.find("obj", file.offsets[size_t(number)]);
  size_t end = pdf.find("endobj", start);
  if (start == std::string_view::npos || end == std::string_view::npos) return std::nullopt;
  std::string_view body = pdf.substr(start + 3, end - start - 3);
  body.remove_prefix(std::min(body.find_first_not_of(kBlanks), body.size()));
  body.remove_suffix(body.size() - std::min(body.find_last_not_of(kBlanks) + 1, body.size()));
  if (!body.starts_with("<<") || !body.ends_with(">>")) return std::nullopt;
  return body;
}

// The objects of the pages in order, from the catalog's page tree (one level, as cairo writes).
std::optional<std::vector<long long>> pagesOf(std::string_view pdf, const CairoFile& file,
                                              std::string_view catalog) {
  std::optional<long long> tree = keyNumber(catalog, "/Pages");
  std::optional<std::string_view> pages = tree ? dictionaryOf(pdf, file, *tree) : std::nullopt;
  if (!pages) return std::nullopt;
  size_t open = pages->find("/Kids"), close = pages->find(']', open);
  if (open == std::string_view::npos || close == std::string_view::npos) return std::nullopt;
  std::string_view kids = pages->substr(open, close - open);
  size_t at = kids.find('[') + 1;
  std::vector<long long> numbers;
  while (std::optional<long long> number = readNumber(kids, at)) {
    if (!readNumber(kids, at)) return std::nullopt;
    skipBlanks(kids, at);
    if (at >= kids.size() || kids[at++] != 'R') return std::nullopt;
    numbers.push_back(*number);
  }
  return numbers;
}

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", std::isfinite(value) ? value : 0.0);
  std::string out(text);
  out.erase(out.find_last_not_of('0') + 1);
  if (out.back() == '.') out.pop_back();
  return out == "-0" ? "0" : out;
}

std::string reference(long long object) {
  return std::to_string(object) + " 0 R";
}

// Bytes as a PDF literal string.
std::string literal(std::string_view bytes) {
  std::string out = "(";
  for (char c : bytes) {
    if (c == '(' || c == ')' || c == '\\') out += '\\';
    if (c == '\r') {
      out += "\\r";
      continue;
    }
    out += c;
  }
  return out + ")";
}

// The bytes of a text as readers show it: plain ASCII as it is, anything else in UTF-16 with
// its byte order mark.
std::string textBytes(std::u16string_view text) {
  bool plain = std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= 32 && c < 127; });
  if (plain) return std::string(text.begin(), text.end());
  std::string bytes = "\xFE\xFF";
  for (char16_t c : text) {
    bytes += char(c >> 8);
    bytes += char(c & 0xFF);
  }
  return bytes;
}

// Text bytes as a string of the file: ASCII literally, UTF-16 in hexadecimal.
std::string stringOf(std::string_view bytes) {
  if (!bytes.starts_with("\xFE\xFF")) return literal(bytes);
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = "<";
  for (unsigned char c : bytes) {
    out += kHex[c >> 4];
    out += kHex[c & 15];
  }
  return out + ">";
}

std::string textString(std::u16string_view text) {
  return stringOf(textBytes(text));
}

std::optional<std::string> deflated(std::string_view data) {
  uLongf length = compressBound(uLong(data.size()));
  std::string out(length, '\0');
  if (compress2(reinterpret_cast<Bytef*>(out.data()), &length,
                reinterpret_cast<const Bytef*>(data.data()), uLong(data.size()),
                Z_DEFAULT_COMPRESSION) != Z_OK)
    return std::nullopt;
  out.resize(length);
  return out;
}

// The new objects of the update, by number, and where each ends up in the file.
class Update {
 public:
  Update(std::string& pdf, const CairoFile& file) : pdf_(pdf), file_(file), next_(file.size) {}

  long long reserve() { return next_++; }
  // An object kept in a compressed object stream.
  void pack(long long number, std::string text) { packed_[number] = std::move(text); }

  std::optional<std::string> write() {
    std::vector<std::pair<long long, std::string>> objects(packed_.begin(), packed_.end());
    for (size_t first = 0; first < objects.size(); first += kObjectsPerStream) {
      size_t end = std::min(first + kObjectsPerStream, objects.size());
      if (!writeStream(objects, first, end)) return "the links cannot be compressed";
    }
    return writeCrossReferences() ? std::nullopt
                                  : std::optional<std::string>("the links cannot be compressed");
  }

 private:
  struct Entry {
    int type;  // 1: at an offset of the file, 2: in an object stream
    long long field2;
    long long field3;
  };

  bool writeStream(const std::vector<std::pair<long long, std::string>>& objects, size_t first,
                   size_t end) {
    long long stream = reserve();
    std::string header, body;
    for (size_t i = first; i < end; ++i) {
      header += std::to_string(objects[i].first) + " " + std::to_string(body.size()) + " ";
      body += objects[i].second + "\n";
      entries_[objects[i].first] = {2, stream, (long long)(i - first)};
    }
    std::optional<std::string> data = deflated(header + body);
    if (!data) return false;
    entries_[stream] = {1, (long long)pdf_.size(), 0};
    pdf_ += std::to_string(stream) + " 0 obj\n<</Type/ObjStm/N " + std::to_string(end - first) +
            "/First " + std::to_string(header.size()) + "/Filter/FlateDecode/Length " +
            std::to_string(data->size()) + ">>\nstream\n" + *data + "\nendstream\nendobj\n";
    return true;
  }

  // A cross-reference stream: the compressed objects can be found only through one.
  bool writeCrossReferences() {
    long long self = reserve();
    size_t offset = pdf_.size();
    entries_[self] = {1, (long long)offset, 0};
    std::string rows, index;
    for (auto it = entries_.begin(); it != entries_.end();) {
      long long first = it->first, count = 0;
      for (; it != entries_.end() && it->first == first + count; ++it, ++count) {
        const Entry& e = it->second;
        rows += char(e.type);
        for (int shift = 24; shift >= 0; shift -= 8) rows += char((e.field2 >> shift) & 0xFF);
        rows += char((e.field3 >> 8) & 0xFF);
        rows += char(e.field3 & 0xFF);
      }
      index += std::to_string(first) + " " + std::to_string(count) + " ";
    }
    std::optional<std::string> data = deflated(rows);
    if (!data) return false;
    index.pop_back();
    pdf_ += std::to_string(self) + " 0 obj\n<</Type/XRef/Size " + std::to_string(next_) +
            "/Index[" + index + "]/W[1 4 2]/Root " + reference(file_.root) +
            (file_.info ? "/Info " + reference(file_.info) : "") + "/Prev " +
            std::to_string(file_.xref) + "/Filter/FlateDecode/Length " +
            std::to_string(data->size()) + ">>\nstream\n" + *data + "\nendstream\nendobj\n" +
            "startxref\n" + std::to_string(offset) + "\n%%EOF\n";
    return true;
  }

  std::string& pdf_;
  const CairoFile& file_;
  long long next_;
  std::map<long long, std::string> packed_;
  std::map<long long, Entry> entries_;
};

std::string annotation(const PdfLink& link) {
  const PdfRect& r = link.area;
  std::string text = "<</Type/Annot/Subtype/Link/Rect[" + number(r.x1) + " " + number(r.y1) + " " +
                     number(r.x2) + " " + number(r.y2) + "]/Border[0 0 0]";
  if (link.uri.empty())
    text += "/Dest" + textString(link.destination);
  else
    text += "/A<</S/URI/URI" + literal(link.uri) + ">>";
  if (!link.description.empty()) text += "/Contents" + textString(link.description);
  return text + ">>";
}

// A dictionary's text with more entries at its end.
std::string extended(std::string_view dict, const std::string& entries) {
  return std::string(dict.substr(0, dict.size() - 2)) + entries + ">>";
}

// Each page's destination, by name in the byte order the name tree needs.
std::string destinationTree(const std::vector<std::u16string>& names,
                            const std::vector<long long>& pages) {
  std::vector<std::pair<std::string, long long>> sorted;
  for (size_t i = 0; i < names.size(); ++i) sorted.emplace_back(textBytes(names[i]), pages[i]);
  std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
    return std::lexicographical_compare(
        a.first.begin(), a.first.end(), b.first.begin(), b.first.end(),
        [](char x, char y) { return (unsigned char)x < (unsigned char)y; });
  });
  std::string tree = "<</Names[";
  for (const auto& [name, page] : sorted) tree += stringOf(name) + "[" + reference(page) + "/Fit]";
  return tree + "]>>";
}

constexpr std::string_view kUnexpected = "the PDF cairo wrote has an unexpected form";

// Packs the links of each page, and the page again with the list of its links.
std::optional<std::string> addLinks(Update& update, std::string_view pdf, const CairoFile& file,
                                    const std::vector<long long>& pages,
                                    const std::vector<PdfLink>& links) {
  std::vector<std::string> lists(pages.size());
  for (const PdfLink& link : links) {
    if (link.page >= pages.size()) continue;
    long long number = update.reserve();
    update.pack(number, annotation(link));
    lists[link.page] += reference(number) + " ";
  }
  for (size_t i = 0; i < pages.size(); ++i) {
    if (lists[i].empty()) continue;
    std::optional<std::string_view> page = dictionaryOf(pdf, file, pages[i]);
    if (!page || page->find("/Annots") != std::string::npos) return std::string(kUnexpected);
    long long list = update.reserve();
    update.pack(list, "[" + lists[i] + "]");
    update.pack(pages[i], extended(*page, "/Annots " + reference(list)));
  }
  return std::nullopt;
}

// A bookmark for each page, in page order, each showing its whole page; the outline's root.
long long addBookmarks(Update& update, const std::vector<std::u16string>& names,
                       const std::vector<long long>& pages) {
  long long root = update.reserve();
  std::vector<long long> items;
  for (size_t i = 0; i < names.size(); ++i) items.push_back(update.reserve());
  for (size_t i = 0; i < names.size(); ++i) {
    std::string text = "<</Title" + textString(names[i]) + "/Parent " + reference(root) + "/Dest[" +
                       reference(pages[i]) + "/Fit]";
    if (i > 0) text += "/Prev " + reference(items[i - 1]);
    if (i + 1 < names.size()) text += "/Next " + reference(items[i + 1]);
    update.pack(items[i], text + ">>");
  }
  update.pack(root, "<</Type/Outlines/First " + reference(items.front()) + "/Last " +
                        reference(items.back()) + "/Count " + std::to_string(items.size()) + ">>");
  return root;
}

}  // namespace

std::optional<std::string> addNavigation(std::string& pdf,
                                         const std::vector<std::u16string>& pageNames,
                                         const std::vector<PdfLink>& links) {
  std::optional<CairoFile> file = readTrailer(pdf);
  std::optional<std::string_view> catalog =
      file ? dictionaryOf(pdf, *file, file->root) : std::nullopt;
  std::optional<std::vector<long long>> pages =
      catalog ? pagesOf(pdf, *file, *catalog) : std::nullopt;
  if (!pages || pages->empty() || pages->size() != pageNames.size() ||
      catalog->find("/Names") != std::string::npos ||
      catalog->find("/Outlines") != std::string::npos)
    return std::string(kUnexpected);
  Update update(pdf, *file);
  if (std::optional<std::string> error = addLinks(update, pdf, *file, *pages, links)) return error;
  long long tree = update.reserve();
  update.pack(tree, destinationTree(pageNames, *pages));
  long long outline = addBookmarks(update, pageNames, *pages);
  // With more than one page the bookmarks open beside them: they list the layouts.
  update.pack(
      file->root,
      extended(*catalog, "/Names<</Dests " + reference(tree) + ">>/Outlines " + reference(outline) +
                             (pageNames.size() > 1 ? "/PageMode/UseOutlines" : "")));
  return update.write();
}

}  // namespace tzad
