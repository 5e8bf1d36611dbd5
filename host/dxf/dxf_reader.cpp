// Reading a DXF file into records. The file's text becomes the database's base text; each
// record keeps a reference to its bytes, so an unchanged drawing is written back as it came.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "db/database_impl.h"

namespace {

bool isSubEntityType(std::string_view type) {
  return type == "VERTEX" || type == "SEQEND" || type == "ATTRIB";
}

// Reads the file straight into the arena's base chunk: the drawing's text, held once.
bool readWholeFile(const std::string& path, TextArena& text, FileIdentity& identity,
                   std::string& error) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = path + ": cannot open the file (" + std::strerror(errno) + ")";
    return false;
  }
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (!ok) errno = EISDIR;
  identity = FileIdentity::of(st);
  if (ok && static_cast<uint64_t>(st.st_size) >= 0xFFFFFFF0u) {
    ::close(fd);
    error = path + ": the file is larger than 4 GiB";
    return false;
  }
  size_t size = ok ? static_cast<size_t>(st.st_size) : 0;
  char* buffer = text.resetBase(size);
  if (buffer == nullptr) {
    ::close(fd);
    error = path + ": not enough memory to read the file";
    return false;
  }
  size_t done = 0;
  while (ok && done < size) {
    ssize_t n = ::read(fd, buffer + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<size_t>(n);
  }
  int readErrno = errno;
  ::close(fd);
  if (!ok) error = path + ": cannot read the file (" + std::strerror(readErrno) + ")";
  return ok;
}

// What a record-by-record walk of the file knows about where it is.
struct ParseState {
  Section section = Section::None;
  bool sectionNamed = false;
  std::string table;  // inside TABLE ... ENDTAB
  bool inBlock = false;
  bool sawEof = false;
};

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
  return true;
}

bool TzDbDatabaseImpl::parse(std::string_view content, const std::string& name) {
  clear();
  if (!text.setBase(content)) {
    fail(name + ": not enough memory");
    return false;
  }
  return parseBase(name);
}

bool TzDbDatabaseImpl::parseBase(const std::string& name) {
  std::string_view content = text.base();
  if (content.rfind("AutoCAD Binary DXF", 0) == 0) {
    fail(name + ": line 1: binary DXF is not supported; save the drawing as ASCII DXF");
    return false;
  }
  if (content.size() >= 6 && content.compare(0, 4, "AC10") == 0 &&
      isdigit((unsigned char)content[4])) {
    fail(name +
         ": line 1: this is a binary DWG drawing, not DXF; save it as DXF in the program "
         "that made it");
    return false;
  }
  std::string_view s = content;
  size_t firstLineEnd = s.find('\n');
  eol = firstLineEnd != std::string::npos && firstLineEnd > 0 && s[firstLineEnd - 1] == '\r'
            ? "\r\n"
            : "\n";

  ParseState st;
  std::vector<uint32_t> tableStack;
  uint32_t current = kNoRecord;
  size_t recordStart = 0;
  size_t xdataStart = 0;  // where the record's extended data begins; 0 while it has none
  size_t recordLine = 1;
  bool handleTaken = false;
  bool inXdata = false;
  size_t pos = 0;
  size_t line = 1;
  auto error = [&](size_t at, const std::string& what) {
    fail(name + ": line " + std::to_string(at) + ": " + what);
    return false;
  };

  bool sawObject = false;
  auto startRecord = [&](std::string_view type, uint8_t flags) {
    uint32_t index = newRecord(type, flags);
    TzDbStub& r = at(index);
    if (tail != kNoRecord) at(tail).next = index;
    r.prev = tail;
    if (head == kNoRecord) head = index;
    tail = index;
    current = index;
    recordStart = pos;
    handleTaken = false;
    inXdata = false;
    xdataStart = 0;
    return index;
  };

  auto finishRecord = [&](size_t end) {
    if (current == kNoRecord) return true;
    if (end - recordStart > TextRef::kMaxSize)
      return error(recordLine, "an object of more than 16 MiB: this is no drawing tzad can read");
    // The extended data is kept apart from the rest of the record, so that opening an object
    // finds it without reading the record line by line.
    size_t bodyEnd = xdataStart ? xdataStart : end;
    at(current).body = TextRef{0, static_cast<uint32_t>(recordStart),
                               static_cast<uint32_t>(bodyEnd - recordStart)};
    at(current).xdata =
        TextRef{0, static_cast<uint32_t>(bodyEnd), static_cast<uint32_t>(end - bodyEnd)};
    return true;
  };

  while (pos < s.size()) {
    size_t codeEnd = findLineEnd(s, pos);
    if (codeEnd == std::string::npos) codeEnd = s.size();
    std::string_view codeLine(s.data() + pos, codeEnd - pos);
    if (codeEnd >= s.size() && trimBlanks(codeLine).empty()) break;  // trailing blank text
    int code = 0;
    if (!parseGroupCode(codeLine, code)) {
      std::string shown(trimBlanks(codeLine).substr(0, 40));
      for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
      return error(line, "group code '" + shown + "' is not a number");
    }
    if (codeEnd + 1 >= s.size())
      return error(line,
                   "the file ends after a group code: it has an odd number of lines (truncated?)");
    size_t valueEnd = findLineEnd(s, codeEnd + 1);
    size_t next = valueEnd == std::string::npos ? s.size() : valueEnd + 1;
    std::string_view value =
        trimLineEnd(std::string_view(s.data() + codeEnd + 1, next - codeEnd - 1));

    if (code == 0) {
      if (!finishRecord(pos)) return false;
      recordLine = line;
      std::string_view type = trimBlanks(value);
      if (type.empty() || type.size() > 64)
        return error(line + 1, "'" + std::string(type.substr(0, 40)) + "' is not an object type");
      // Structure checks happen as each record starts, so the error names the right line.
      if (type == "SECTION") {
        if (st.section != Section::None)
          return error(line,
                       "SECTION inside section " + sectionName(st.section) + " (missing ENDSEC)");
        st.section = Section::Other;
        st.sectionNamed = false;
      } else if (type == "ENDSEC") {
        if (st.section == Section::None) return error(line, "ENDSEC without SECTION");
        if (!st.table.empty()) return error(line, "table " + st.table + " has no ENDTAB");
        if (st.inBlock) return error(line, "block definition has no ENDBLK");
      } else if (type == "EOF") {
        if (st.section != Section::None)
          return error(line, "EOF inside section " + sectionName(st.section) + " (missing ENDSEC)");
        st.sawEof = true;
      } else if (st.section == Section::None) {
        return error(line, std::string(type) + " outside of any section");
      }
      uint8_t flags = 0;
      if (st.section == Section::Entities && type != "ENDSEC") {
        flags = isSubEntityType(type) ? kRecSubEntity : kRecEntity;
      } else if (st.section == Section::Blocks) {
        if (type == "BLOCK") {
          if (st.inBlock) return error(line, "BLOCK inside a block definition (missing ENDBLK)");
          st.inBlock = true;
        } else if (type == "ENDBLK") {
          if (!st.inBlock) return error(line, "ENDBLK without BLOCK");
          st.inBlock = false;
        } else if (type != "ENDSEC") {
          if (!st.inBlock) return error(line, std::string(type) + " outside of a block definition");
          flags = isSubEntityType(type) ? kRecSubEntity : kRecEntity;
        }
      } else if (st.section == Section::Tables) {
        if (type == "TABLE") {
          if (!st.table.empty())
            return error(line, "TABLE inside table " + st.table + " (missing ENDTAB)");
          st.table = "?";
        } else if (type == "ENDTAB") {
          if (st.table.empty()) return error(line, "ENDTAB without TABLE");
        } else if (type != "ENDSEC" && st.table.empty()) {
          return error(line, std::string(type) + " outside of a table");
        }
      }
      uint32_t index = startRecord(type, flags);
      sawObject = true;
      if (type == "ENDSEC") {
        if (st.section == Section::Entities) entitiesEnd = index;
        st.section = Section::None;
      } else if (type == "ENDTAB") {
        if (auto* t = table(st.table)) t->endtab = index;
        st.table.clear();
      } else if (st.section == Section::Tables && type != "TABLE") {
        if (auto* t = table(st.table)) t->records.push_back(index);
      } else if (type == "EOF") {
        pos = next;  // whatever follows EOF stays with it, byte for byte
        break;
      }
    } else if (!sawObject) {
      if (code != 999) return error(line, "the file does not start with a group 0");
      // Comments ahead of the first object: a record of their own, written back as they came.
      if (current == kNoRecord) {
        recordLine = line;
        startRecord(kCommentRecord, 0);
      }
    } else {
      TzDbStub& r = at(current);
      if (code == 1001 && !inXdata) {
        inXdata = true;
        xdataStart = pos;
      }
      if (code != 2 && code != 5 && code != 105 && code != 67) {
        line += 2;
        pos = next;
        continue;  // most groups need no look: only names, handles and the paper flag do
      }
      const std::string& type = typeName(r);
      if (type == "SECTION" && code == 2 && !st.sectionNamed) {
        st.sectionNamed = true;
        st.section = sectionOf(trimBlanks(value));
        if (st.section == Section::Header) header = current;
        if (st.section == Section::Entities) entitiesBegin = current;
      } else if (type == "TABLE" && code == 2 && st.table == "?") {
        st.table = std::string(trimBlanks(value));
        if (st.table.empty() || st.table.size() > 64)
          return error(line + 1, "table without a name");
        TableIndex& t = tables[st.table];
        if (t.table != kNoRecord) return error(line + 1, "a second " + st.table + " table");
        t.table = current;
      } else if (!inXdata && !handleTaken && type != "SECTION" &&
                 (code == 5 || (code == 105 && type == "DIMSTYLE"))) {
        unsigned long long h = 0;
        if (!parseHandle(value, h) || h == 0)
          return error(line + 1,
                       "'" + std::string(trimBlanks(value).substr(0, 40)) + "' is not a handle");
        r.handle = h;
        handleIndex.push_back(current);
        handleTaken = true;
      } else if (code == 67 && (r.flags & kRecEntity) && st.section == Section::Entities &&
                 trimBlanks(value) == "1") {
        r.flags |= kRecPaper;
      }
    }
    line += 2;
    pos = next;
  }
  if (!sawObject) return error(1, "the file holds no DXF data");
  if (!st.sawEof) {
    if (st.section != Section::None)
      return error(line, "the file ends inside section " + sectionName(st.section) +
                             " (missing ENDSEC and EOF): it is truncated");
    return error(line, "the file has no EOF: it is truncated");
  }
  if (!finishRecord(s.size())) return false;
  // Minimal writers leave out the HEADER and TABLES sections: the drawing then has the
  // defaults, and a change that needs them adds them (db/missing_structure.cpp).
  return indexStructure(name);
}
