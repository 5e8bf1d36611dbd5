#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "harness.h"
#include "tzdb_database.h"
#include "tzdb_hyperlink.h"

namespace tzfuzz {

namespace {

using namespace std::string_literals;

struct Link {
  TzString address, description, location;
  int flags = 0;
  bool operator==(const Link&) const = default;
};
using Links = std::vector<Link>;

// The texts edits choose from: the ones a DXF file must escape or may misread, and one cut
// from the input itself.
const std::u16string kTexts[] = {
    u"",
    u"http://example.com/plans?id=7#top",
    u"docs\\说明.txt",
    u"^J^ ^^ carets",
    u"\\U+0041 is no escape here",
    u"line\nbreak\r\n\ttab",
    u"{",
    u"}",
    u"  padded  ",
    u"\U0001F600 astral",
    u"mailto:someone@example.com",
    u"\x7F\x01 nul \0 inside"s,
    std::u16string(300, u'x'),
    u"Entry,Layout1",
    u"1001",
    u"PE_URL",
};
constexpr size_t kTextCount = std::size(kTexts);

// A folder of this process's own for the drawings it writes, removed when the process ends.
struct WorkFolder {
  std::filesystem::path path;
  WorkFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tzad-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) abort();
    path = pattern;
  }
  ~WorkFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

bool writeBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

Links toLinks(const TzDbHyperlinkCollection* links) {
  Links out;
  for (int i = 0; links && i < links->count(); ++i) {
    const TzDbHyperlink* l = links->item(i);
    out.push_back({l->name(), l->description(), l->subLocation(), l->flags()});
  }
  return out;
}

std::unique_ptr<TzDbHyperlinkCollection> toCollection(const Links& links) {
  auto collection = std::make_unique<TzDbHyperlinkCollection>();
  for (const Link& l : links) {
    collection->addTail(l.address, l.description, l.location);
    collection->item(collection->count() - 1)->setFlags(l.flags);
  }
  return collection;
}

std::string describe(const Links& links) {
  std::string out = "[";
  for (const Link& l : links)
    out += " {\"" + tzutToUtf8(l.address) + "\" \"" + tzutToUtf8(l.description) + "\" \"" +
           tzutToUtf8(l.location) + "\" " + std::to_string(l.flags) + "}";
  return out + " ]";
}

// Every entity's hyperlinks, in drawing order, read as a browsing user would; the ways of
// asking must agree.
std::vector<Links> readAll(TzDbDatabase& db, std::string& failure) {
  std::vector<Links> all;
  for (TzDbObjectId id : db.allEntityIds()) {
    TzDbObjectPointer<TzDbEntity> e(id, TzDb::kForRead);
    if (!e) {
      failure = "an entity of the drawing cannot be opened for read";
      return all;
    }
    TzDbEntityHyperlinkPE* pe = TzDbEntityHyperlinkPE::query(e.get());
    TzDbHyperlinkCollection *raw = nullptr, *firstRaw = nullptr;
    Tzad::ErrorStatus allRead = pe->getHyperlinkCollection(e.get(), raw);
    Tzad::ErrorStatus firstRead = pe->getHyperlinkCollection(e.get(), firstRaw, true);
    Links links = toLinks(std::unique_ptr<TzDbHyperlinkCollection>(raw).get());
    Links first = toLinks(std::unique_ptr<TzDbHyperlinkCollection>(firstRaw).get());
    if (allRead != Tzad::eOk || firstRead != Tzad::eOk) {
      failure = "an entity's hyperlinks cannot be read";
      return all;
    }
    bool has = false;
    (void)pe->hasHyperlink(e.get(), has);
    if (first != Links(links.begin(), links.begin() + std::min<size_t>(links.size(), 1)) ||
        has != !links.empty())
      failure = "the first hyperlink alone is not the collection's first: " + describe(links) +
                " against " + describe(first);
    all.push_back(links);
  }
  return all;
}

// One change as three control bytes choose it: which entity, what is done, with which texts.
struct Edit {
  size_t entity;
  int operation;
  Link link;
};

std::vector<Edit> editsOf(std::string_view bytes, size_t entityCount) {
  std::vector<Edit> edits;
  std::string_view control = bytes.substr(bytes.size() - std::min<size_t>(bytes.size(), 12));
  for (size_t i = 0; i + 2 < control.size(); i += 3) {
    auto at = [&](size_t k) { return static_cast<unsigned char>(control[i + k]); };
    unsigned value = at(2);
    // The last text is cut from the input, so the fuzzer's own bytes get written too.
    size_t from = (value * 31u + i) % bytes.size();
    std::u16string cut = tzutFromUtf8(std::string(bytes.substr(from, 24)));
    auto text = [&](unsigned pick) {
      pick %= kTextCount + 1;
      return pick == kTextCount ? cut : kTexts[pick];
    };
    Link link{text(value), text(value / 3 + 1), text(value / 7 + 2), static_cast<int>(value) - 128};
    edits.push_back({at(0) % entityCount, at(1) % 6, link});
  }
  return edits;
}

Links edited(Links links, const Edit& edit) {
  switch (edit.operation) {
    case 0:  // one hyperlink instead of all
      return {edit.link};
    case 1:  // the first one changed, as a command writes it
      if (links.empty())
        links.push_back(edit.link);
      else
        links[0] = edit.link;
      return links;
    case 2:
      links.push_back(edit.link);
      return links;
    case 3:
      links.insert(links.begin(), edit.link);
      return links;
    case 4:  // the first one removed, as a command removes it
      if (!links.empty()) links.erase(links.begin());
      return links;
    default:
      return {};
  }
}

// Applies the edits through the protocol extension; what each entity should now hold.
std::vector<Links> applyEdits(TzDbDatabase& db, std::vector<Links> expected,
                              const std::vector<Edit>& edits, std::string& failure) {
  std::vector<TzDbObjectId> ids = db.allEntityIds();
  for (const Edit& edit : edits) {
    TzDbObjectPointer<TzDbEntity> e(ids[edit.entity], TzDb::kForWrite);
    if (!e) continue;  // a locked layer
    TzDbEntityHyperlinkPE* pe = TzDbEntityHyperlinkPE::query(e.get());
    Links wanted = edited(expected[edit.entity], edit);
    if (pe->setHyperlinkCollection(e.get(), toCollection(wanted).release()) != Tzad::eOk) {
      failure = "an entity open for write does not take its hyperlinks";
      return expected;
    }
    expected[edit.entity] = wanted;
  }
  return expected;
}

std::string compare(const std::vector<Links>& actual, const std::vector<Links>& expected,
                    const char* when) {
  if (actual.size() != expected.size())
    return std::string(when) + ": " + std::to_string(actual.size()) + " entities instead of " +
           std::to_string(expected.size());
  for (size_t i = 0; i < actual.size(); ++i)
    if (actual[i] != expected[i])
      return std::string(when) + ": entity " + std::to_string(i) + " holds " + describe(actual[i]) +
             " instead of " + describe(expected[i]);
  return {};
}

}  // namespace

std::string checkDrawing(std::string_view bytes) {
  static const WorkFolder work;
  const std::filesystem::path& folder = work.path;
  std::filesystem::path input = folder / "input.dxf";
  std::filesystem::path same = folder / "same.dxf";
  std::filesystem::path changed = folder / "changed.dxf";
  if (!writeBytes(input, bytes)) return "the input cannot be written to " + input.string();

  TzDbDatabase db(false);
  if (db.readDwgFile(tzutFromUtf8(input.string())) != Tzad::eOk)
    return db.lastErrorText().empty() ? "a drawing is refused without a reason" : "";
  std::string failure;
  std::vector<Links> before = readAll(db, failure);
  if (!failure.empty()) return failure;
  TzDbLayerTable* layers = nullptr;
  if (db.getSymbolTable(layers, TzDb::kForWrite) == Tzad::eOk && layers->close() != Tzad::eOk)
    return "an unchanged layer table cannot be closed";
  if (db.isModified()) return "reading the drawing marked it changed";
  if (db.saveAs(tzutFromUtf8(same.string())) != Tzad::eOk)
    return "the unchanged drawing cannot be saved: " + tzutToUtf8(db.lastErrorText());
  if (readBytes(same) != bytes) return "the unchanged drawing is not saved byte for byte";
  if (before.empty()) return {};

  std::vector<Links> expected = applyEdits(db, before, editsOf(bytes, before.size()), failure);
  if (!failure.empty()) return failure;
  std::vector<Links> inMemory = readAll(db, failure);
  if (!failure.empty()) return failure;
  failure = compare(inMemory, expected, "read back before saving");
  if (!failure.empty()) return failure;
  // A save that cannot be written says why and loses nothing: the next one has every change.
  if (db.saveAs(tzutFromUtf8((folder / "missing" / "changed.dxf").string())) == Tzad::eOk ||
      db.lastErrorText().empty())
    return "a save into a missing folder does not fail with a reason";
  if (db.saveAs(tzutFromUtf8(changed.string())) != Tzad::eOk)
    return "the changed drawing cannot be saved: " + tzutToUtf8(db.lastErrorText());

  TzDbDatabase again(false);
  if (again.readDwgFile(tzutFromUtf8(changed.string())) != Tzad::eOk)
    return "the saved drawing cannot be read again: " + tzutToUtf8(again.lastErrorText());
  std::vector<Links> after = readAll(again, failure);
  if (!failure.empty()) return failure;
  return compare(after, expected, "read back from the saved drawing");
}

}  // namespace tzfuzz
