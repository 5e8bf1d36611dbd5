// Loading a drawing from a DXF file. The file's text becomes the database's base text; each
// record keeps a reference to its bytes, so an unchanged drawing is written back as it came.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "base/translation.h"
#include "db/database_impl.h"
#include "dxf/dxf_codes.h"
#include "dxf/dxf_tokenizer.h"
#include "platform/regular_file.h"

using tzad::tr;
using tzad::tr8;

namespace {

bool isSubEntityType(std::string_view type) {
  return type == "VERTEX" || type == "SEQEND" || type == "ATTRIB";
}

// Reads the file straight into the arena's base chunk: the drawing's text, held once.
bool readWholeFile(const std::string& path, TextArena& text, FileIdentity& identity,
                   std::string& error) {
  platform::RegularFile file(path);
  if (!file.ok()) {
    error = path + ": " + file.error();
    return false;
  }
  const struct stat& st = file.status();
  identity = FileIdentity::of(st);
  if (static_cast<uint64_t>(st.st_size) >= 0xFFFFFFF0u) {
    error = tr8("{0}: the file is larger than 4 GiB", {path});
    return false;
  }
  size_t size = static_cast<size_t>(st.st_size);
  char* buffer = text.resetBase(size);
  if (buffer == nullptr) {
    error = tr8("{0}: not enough memory to read the file", {path});
    return false;
  }
  size_t done = 0;
  while (done < size) {
    ssize_t n = ::read(file.fd(), buffer + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = tr8("{0}: cannot read the file ({1})", {path, std::strerror(n < 0 ? errno : EIO)});
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::string sectionName(Section s) {
  switch (s) {
    case Section::Header:
      return "HEADER";
    case Section::Classes:
      return "CLASSES";
    case Section::Tables:
      return "TABLES";
    case Section::Blocks:
      return "BLOCKS";
    case Section::Entities:
      return "ENTITIES";
    case Section::Objects:
      return "OBJECTS";
    default:
      return "?";
  }
}

Section sectionOf(std::string_view name) {
  if (name == "HEADER") return Section::Header;
  if (name == "CLASSES") return Section::Classes;
  if (name == "TABLES") return Section::Tables;
  if (name == "BLOCKS") return Section::Blocks;
  if (name == "ENTITIES") return Section::Entities;
  if (name == "OBJECTS") return Section::Objects;
  return Section::Other;
}

TzDb::DwgVersion versionOf(std::string_view acadver) {
  static const std::pair<const char*, TzDb::DwgVersion> kVersions[] = {
      {"AC1009", TzDb::kDHL_R12},   {"AC1012", TzDb::kDHL_R13},   {"AC1014", TzDb::kDHL_R14},
      {"AC1015", TzDb::kDHL_R2000}, {"AC1018", TzDb::kDHL_R2004}, {"AC1021", TzDb::kDHL_R2007},
      {"AC1024", TzDb::kDHL_R2010}, {"AC1027", TzDb::kDHL_R2013}, {"AC1032", TzDb::kDHL_R2018}};
  for (auto& [name, v] : kVersions)
    if (acadver == name) return v;
  // Releases before R12 are read as R12; unknown newer ones as the newest we know.
  return acadver < "AC1009" ? TzDb::kDHL_R12 : TzDb::kDHL_R2018;
}

bool TzDbDatabaseImpl::load(const std::u16string& path) {
  std::string file = u16ToPath(path);
  clear();
  FileIdentity identity;
  if (!readWholeFile(file, text, identity, lastError)) return false;
  if (!parseBase(file)) return false;
  fileName = path;
  fileOnDisk = identity;
  fileWasLink = isSymbolicLink(file);
  return true;
}

bool TzDbDatabaseImpl::parse(std::string_view content, const std::string& name) {
  clear();
  if (!text.setBase(content)) {
    fail(tr8("{0}: not enough memory", {name}));
    return false;
  }
  return parseBase(name);
}

namespace {

// What a record-by-record walk of the file knows about where it is.
struct ParseState {
  Section section = Section::None;
  bool sectionNamed = false;
  std::string table;  // inside TABLE ... ENDTAB
  bool inBlock = false;
  bool sawEof = false;
  uint32_t headerEnd = kNoRecord;  // the ENDSEC that closed the header, until the next record
  bool headerGoesOn = false;       // variables came after that ENDSEC
};

// Turns the file's groups into records: checks that sections, tables and blocks nest as they
// must, and indexes what the database looks up (sections, tables, handles, the paper flag).
class DrawingLoader {
 public:
  DrawingLoader(TzDbDatabaseImpl& db, const std::string& name) : db_(db), name_(name) {}
  bool run(std::string_view text);

 private:
  bool error(size_t line, const std::string& what) {
    db_.fail(tr8("{0}: line {1}: {2}", {name_, std::to_string(line), what}));
    return false;
  }
  bool startObject(const DxfGroup& g);
  bool checkStructure(std::string_view type, size_t line, uint8_t& flags);
  void indexObject(std::string_view type, uint32_t index);
  bool readLeadingGroup(const DxfGroup& g);
  bool indexGroup(const DxfGroup& g);
  uint32_t startRecord(std::string_view type, uint8_t flags, size_t pos);
  bool finishRecord(size_t end);
  bool finish(size_t line, size_t textEnd);

  TzDbDatabaseImpl& db_;
  const std::string& name_;
  ParseState st_;
  uint32_t current_ = kNoRecord;
  size_t recordStart_ = 0;
  size_t xdataStart_ = 0;  // where the record's extended data begins; 0 while it has none
  size_t recordLine_ = 1;
  bool handleTaken_ = false;
  bool inXdata_ = false;
  bool sawObject_ = false;
};

bool DrawingLoader::run(std::string_view text) {
  DxfTokenizer tokens(text);
  DxfGroup g;
  while (!st_.sawEof) {
    DxfTokenizer::Step step = tokens.next(g);
    if (step == DxfTokenizer::Step::End) break;
    if (step == DxfTokenizer::Step::Error) return error(tokens.errorLine(), tokens.error());
    bool ok = g.code == 0 ? startObject(g) : sawObject_ ? indexGroup(g) : readLeadingGroup(g);
    if (!ok) return false;
  }
  return finish(tokens.line(), text.size());
}

uint32_t DrawingLoader::startRecord(std::string_view type, uint8_t flags, size_t pos) {
  uint32_t index = db_.newRecord(type, flags);
  TzDbStub& r = db_.at(index);
  if (db_.tail != kNoRecord) db_.at(db_.tail).next = index;
  r.prev = db_.tail;
  if (db_.head == kNoRecord) db_.head = index;
  db_.tail = index;
  current_ = index;
  recordStart_ = pos;
  handleTaken_ = false;
  inXdata_ = false;
  xdataStart_ = 0;
  return index;
}

bool DrawingLoader::finishRecord(size_t end) {
  if (current_ == kNoRecord) return true;
  if (end - recordStart_ > TextRef::kMaxSize)
    return error(recordLine_,
                 tr("an object of more than 16 MiB: this is no drawing tzad can read"));
  // The extended data is kept apart from the rest of the record, so that opening an object
  // finds it without reading the record line by line.
  size_t bodyEnd = xdataStart_ ? xdataStart_ : end;
  TzDbStub& r = db_.at(current_);
  r.body = TextRef{0, static_cast<uint32_t>(recordStart_),
                   static_cast<uint32_t>(bodyEnd - recordStart_)};
  r.xdata = TextRef{0, static_cast<uint32_t>(bodyEnd), static_cast<uint32_t>(end - bodyEnd)};
  return true;
}

bool DrawingLoader::startObject(const DxfGroup& g) {
  if (!finishRecord(g.begin)) return false;
  recordLine_ = g.line;
  std::string_view type = trimBlanks(g.value);
  if (type.empty() || type.size() > 64)
    return error(g.line + 1, tr8("'{0}' is not an object type", {type.substr(0, 40)}));
  uint8_t flags = 0;
  // Structure checks happen as each record starts, so the error names the right line.
  if (!checkStructure(type, g.line, flags)) return false;
  uint32_t index = startRecord(type, flags, g.begin);
  sawObject_ = true;
  indexObject(type, index);
  return true;
}

bool DrawingLoader::checkStructure(std::string_view type, size_t line, uint8_t& flags) {
  // Variables after the header's ENDSEC end where the next section or the file begins, when
  // no second ENDSEC comes.
  if (st_.headerGoesOn && (type == "SECTION" || type == "EOF")) {
    st_.section = Section::None;
    st_.headerGoesOn = false;
  }
  if (type == "SECTION") {
    if (st_.section != Section::None)
      return error(line,
                   tr8("SECTION inside section {0} (missing ENDSEC)", {sectionName(st_.section)}));
    st_.section = Section::Other;
    st_.sectionNamed = false;
  } else if (type == "ENDSEC") {
    if (st_.section == Section::None) return error(line, tr("ENDSEC without SECTION"));
    if (!st_.table.empty()) return error(line, tr8("table {0} has no ENDTAB", {st_.table}));
    if (st_.inBlock) return error(line, tr("block definition has no ENDBLK"));
  } else if (type == "EOF") {
    if (st_.section != Section::None)
      return error(line,
                   tr8("EOF inside section {0} (missing ENDSEC)", {sectionName(st_.section)}));
  } else if (st_.section == Section::None) {
    return error(line, tr8("{0} outside of any section", {type}));
  }
  if (st_.section == Section::Entities && type != "ENDSEC") {
    flags = isSubEntityType(type) ? kRecSubEntity : kRecEntity;
  } else if (st_.section == Section::Blocks) {
    if (type == "BLOCK") {
      if (st_.inBlock) return error(line, tr("BLOCK inside a block definition (missing ENDBLK)"));
      st_.inBlock = true;
    } else if (type == "ENDBLK") {
      if (!st_.inBlock) return error(line, tr("ENDBLK without BLOCK"));
      st_.inBlock = false;
    } else if (type != "ENDSEC") {
      if (!st_.inBlock) return error(line, tr8("{0} outside of a block definition", {type}));
      flags = isSubEntityType(type) ? kRecSubEntity : kRecEntity;
    }
  } else if (st_.section == Section::Tables) {
    if (type == "TABLE") {
      if (!st_.table.empty())
        return error(line, tr8("TABLE inside table {0} (missing ENDTAB)", {st_.table}));
      st_.table = "?";
    } else if (type == "ENDTAB") {
      if (st_.table.empty()) return error(line, tr("ENDTAB without TABLE"));
    } else if (type != "ENDSEC" && st_.table.empty()) {
      return error(line, tr8("{0} outside of a table", {type}));
    }
  }
  return true;
}

void DrawingLoader::indexObject(std::string_view type, uint32_t index) {
  st_.headerEnd = kNoRecord;
  if (type == "ENDSEC") {
    st_.headerGoesOn = false;
    if (st_.section == Section::Entities) db_.entitiesEnd = index;
    if (st_.section == Section::Header) st_.headerEnd = index;
    st_.section = Section::None;
  } else if (type == "ENDTAB") {
    if (auto* t = db_.table(st_.table)) t->endtab = index;
    st_.table.clear();
  } else if (st_.section == Section::Tables && type != "TABLE") {
    if (auto* t = db_.table(st_.table)) t->records.push_back(index);
  } else if (type == "EOF") {
    st_.sawEof = true;  // whatever follows EOF stays with it, byte for byte
  }
}

bool DrawingLoader::readLeadingGroup(const DxfGroup& g) {
  if (g.code != DxfCode::kComment)
    return error(g.line, tr("the file does not start with a group 0"));
  // Comments ahead of the first object: a record of their own, written back as they came.
  if (current_ == kNoRecord) {
    recordLine_ = g.line;
    startRecord(kCommentRecord, 0, g.begin);
  }
  return true;
}

bool DrawingLoader::indexGroup(const DxfGroup& g) {
  TzDbStub& r = db_.at(current_);
  if (g.code == DxfCode::kVariable && current_ == st_.headerEnd) {
    // Variables after the header's ENDSEC: the header goes on up to the next ENDSEC, and this
    // record stays where it is, holding them.
    st_.section = Section::Header;
    st_.headerEnd = kNoRecord;
    st_.headerGoesOn = true;
    db_.headerContinuations.push_back(current_);
  }
  if (g.code == 1001 && !inXdata_) {
    inXdata_ = true;
    xdataStart_ = g.begin;
  }
  // Most groups need no look: only names, handles and the paper flag do.
  if (g.code != 2 && g.code != 5 && g.code != 105 && g.code != 67) return true;
  const std::string& type = db_.typeName(r);
  if (type == "SECTION" && g.code == 2 && !st_.sectionNamed) {
    st_.sectionNamed = true;
    st_.section = sectionOf(trimBlanks(g.value));
    if (st_.section == Section::Header) db_.header = current_;
    if (st_.section == Section::Entities) db_.entitiesBegin = current_;
  } else if (type == "TABLE" && g.code == 2 && st_.table == "?") {
    st_.table = std::string(trimBlanks(g.value));
    if (st_.table.empty() || st_.table.size() > 64)
      return error(g.line + 1, tr("table without a name"));
    TableIndex& t = db_.tables[st_.table];
    if (t.table != kNoRecord) return error(g.line + 1, tr8("a second {0} table", {st_.table}));
    t.table = current_;
  } else if (!inXdata_ && !handleTaken_ && type != "SECTION" && st_.section != Section::Header &&
             (g.code == 5 || (g.code == 105 && type == "DIMSTYLE"))) {
    unsigned long long h = 0;
    if (!parseHandle(g.value, h) || h == 0)
      return error(g.line + 1, tr8("'{0}' is not a handle", {trimBlanks(g.value).substr(0, 40)}));
    r.handle = h;
    db_.handleIndex.push_back(current_);
    handleTaken_ = true;
  } else if (g.code == 67 && (r.flags & kRecEntity) && st_.section == Section::Entities &&
             trimBlanks(g.value) == "1") {
    r.flags |= kRecPaper;
  }
  return true;
}

bool DrawingLoader::finish(size_t line, size_t textEnd) {
  if (!sawObject_) return error(1, tr("the file holds no DXF data"));
  if (!st_.sawEof) {
    if (st_.section != Section::None)
      return error(line, tr8("the file ends inside section {0} (missing ENDSEC and EOF): it is "
                             "truncated",
                             {sectionName(st_.section)}));
    return error(line, tr("the file has no EOF: it is truncated"));
  }
  return finishRecord(textEnd);
}

}  // namespace

bool TzDbDatabaseImpl::parseBase(const std::string& name) {
  std::string_view content = text.base();
  if (auto why = notAsciiDxf(content)) {
    fail(tr8("{0}: line {1}: {2}", {name, "1", *why}));
    return false;
  }
  eol = lineEndOf(content);
  if (!DrawingLoader(*this, name).run(content)) return false;
  // The index grew by doubling while the file was read; the room left over would stay unused.
  handleIndex.shrink_to_fit();
  // Minimal writers leave out the HEADER and TABLES sections: the drawing then has the
  // defaults, and a change that needs them adds them (db/missing_structure.cpp).
  return indexStructure(name);
}
