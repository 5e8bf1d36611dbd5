// The inside of a drawing database: its records in file order, their indexes, and the
// drawing-wide settings read from the header.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "db/drawing_file.h"
#include "db/internals.h"
#include "db/record_store.h"
#include "db/undo_journal.h"
#include "dxf/dxf_tag.h"
#include "dxf/text_arena.h"
#include "dxf/text_codec.h"
#include "tzdb_database.h"

// The type of the record that holds the comments (group 999) ahead of a file's first object.
constexpr std::string_view kCommentRecord = "999";

// Record flags.
enum : uint8_t {
  kRecErased = 1,
  kRecEntity = 2,       // an entity of a space or block (not BLOCK/ENDBLK, not a sub-entity)
  kRecSubEntity = 4,    // VERTEX, SEQEND, ATTRIB: written with their main entity
  kRecVirtual = 8,      // stands in for what an older release does not store; never written
  kRecPaper = 16,       // an entity of the ENTITIES section that lies in paper space
  kRecNoHandle = 32,    // its handle is internal: the file does not carry it
  kRecPackedLink = 64,  // its extended data is a packed hyperlink (db/packed_link.h)
};

struct TableIndex {
  uint32_t table = kNoRecord;   // the TABLE record
  uint32_t endtab = kNoRecord;  // the ENDTAB record
  std::vector<uint32_t> records;
  // Records by case-folded name, with their flags (group 70): every entity opened for write
  // asks whether its layer is locked, and every selection whether it is frozen, so names are
  // not parsed again each time.
  struct Entry {
    uint32_t record;
    int flags;
  };
  std::unordered_map<std::u16string, Entry> byName;
  std::map<std::string, int, std::less<>> layerFlagsByRawName;   // layers only; see byNameValid
  const std::pair<const std::string, int>* lastLayer = nullptr;  // the last one asked for
  bool byNameValid = false;
};

// A block definition of the BLOCKS section.
struct BlockIndex {
  std::u16string name;
  uint32_t begin = kNoRecord;  // BLOCK
  uint32_t end = kNoRecord;    // ENDBLK
  uint32_t blockRecord = kNoRecord;
};

enum class Section : uint8_t { None, Header, Classes, Tables, Blocks, Entities, Objects, Other };

struct TzDbDatabaseImpl {
  explicit TzDbDatabaseImpl(TzDbDatabase* owner);
  ~TzDbDatabaseImpl();
  TzDbDatabaseImpl(const TzDbDatabaseImpl&) = delete;
  TzDbDatabaseImpl& operator=(const TzDbDatabaseImpl&) = delete;

  TzDbDatabase* self;
  // A number no other database of the process has had: the names of its records outside the
  // host carry it (db/record_names.h).
  const uint32_t serial;
  TextArena text;
  // The last packed hyperlink stored: objects given one hyperlink together share its text
  // (stored text is never overwritten), so linking every entity costs no text per entity.
  std::string lastPackedLink;
  TextRef lastPackedLinkRef;
  TextCodec codec;
  RecordStore records{this};
  uint32_t head = kNoRecord;
  uint32_t tail = kNoRecord;
  std::vector<std::string> typeNames;
  std::map<std::string, uint16_t, std::less<>> typeIds;
  // Records with a handle, in handle order (sorted on the first lookup after a change); the
  // handles themselves stay in the records.
  mutable std::vector<uint32_t> handleIndex;
  mutable bool handleIndexSorted = true;

  std::u16string fileName;
  // The file as it was when the drawing was read from or last saved to it.
  std::optional<FileIdentity> fileOnDisk;
  // Whether the drawing's own path was a symbolic link then.
  bool fileWasLink = false;
  // The file the last save wrote: the drawing's path, or the file a link there names.
  std::string savedFile;
  std::string lastError;
  std::string eol = "\n";
  TzDb::DwgVersion version = TzDb::kDHL_R2018;
  std::string codePage = "ANSI_1252";
  bool fileHasHandles = true;
  uint64_t nextHandle = 1;
  uint64_t handseedNeeded = 0;  // past the highest handle a new record writes
  bool modified = false;
  std::set<std::string, std::less<>> registeredApps;  // application names known registered
  UndoJournal journal;

  uint32_t header = kNoRecord;
  // Some writers end the header early and go on with more variables after its ENDSEC: the
  // records (ENDSEC) that carry those, in file order.
  std::vector<uint32_t> headerContinuations;
  uint32_t entitiesBegin = kNoRecord;                     // SECTION of ENTITIES
  uint32_t entitiesEnd = kNoRecord;                       // its ENDSEC
  std::map<std::string, TableIndex, std::less<>> tables;  // by table name ("LAYER")
  std::vector<BlockIndex> blocks;
  uint32_t layoutDictionary = kNoRecord;
  uint32_t modelSpace = kNoRecord;  // block records
  uint32_t paperSpace = kNoRecord;
  uint32_t currentSpace = kNoRecord;

  // Records.
  TzDbStub& at(uint32_t i) { return records[i]; }
  const TzDbStub& at(uint32_t i) const { return records[i]; }
  const std::string& typeName(const TzDbStub& r) const { return typeNames[r.type]; }
  uint16_t internType(std::string_view name);
  TzDbObjectId idOf(uint32_t i) {
    return i == kNoRecord ? TzDbObjectId() : TzDbInternals::idOf(&at(i));
  }
  uint32_t indexOf(TzDbObjectId id) const;
  // A new record, not yet linked into the file order.
  uint32_t newRecord(std::string_view type, uint8_t flags);
  // Appends a record after `after` (or at the end) with the given text; kNoRecord when the
  // text could not be stored.
  uint32_t insertRecord(uint32_t after, std::string_view type, std::string_view body,
                        uint64_t handle, uint8_t flags);
  // Inserts a record before `before` (kNoRecord: at the end).
  uint32_t insertBefore(uint32_t before, std::string_view type, std::string_view body,
                        uint64_t handle, uint8_t flags);
  // Moves a record, linked or not, to stand before `before` (kNoRecord: at the end).
  void linkBefore(uint32_t index, uint32_t before);
  uint32_t previousOf(uint32_t i) const;
  uint32_t findByHandle(uint64_t handle) const;
  void addHandle(uint32_t index);
  void sortHandleIndex() const;
  uint64_t allocateHandle() { return nextHandle++; }

  // Tables and names.
  TableIndex* table(std::string_view name);
  uint32_t findTableRecord(std::string_view table, std::u16string_view name,
                           bool includeErased = false) const;
  // The cached entry of a live record by name, or null.
  const TableIndex::Entry* findTableEntry(std::string_view table, std::u16string_view name) const;
  // Forgets cached names after a record of this type changed.
  void tableChanged(std::string_view recordType);
  std::u16string recordName(uint32_t i) const;
  uint32_t blockOfRecord(uint32_t blockRecord) const;
  bool isPaperLayoutRecord(uint32_t blockRecord) const;

  // Header variables (first value of the variable).
  std::optional<std::string> headerVar(std::string_view name) const;
  uint32_t headerRecordOf(std::string_view name) const;
  // False when the drawing has no header or the new text could not be stored.
  [[nodiscard]] bool setHeaderVar(std::string_view name, int code, const std::string& value);

  // Sections and tables the file does not have (db/missing_structure.cpp).
  Section sectionOfRecord(uint32_t i) const;  // None for a record that starts no section
  uint32_t findSection(Section which) const;
  uint32_t endOfSection(uint32_t section) const;
  // The section's SECTION record, added in its place when the drawing has none.
  uint32_t addSection(Section which);
  // Makes the table the drawing lacks part of the file; false for a table that cannot be.
  bool addTable(std::string_view name);
  std::string recordText(const DxfTags& tags) const;

  // Reading and writing.
  bool load(const std::u16string& path);
  // Saves to `path`; with `keepBackup`, a file replaced there is kept as its ".bak". A
  // read-only file is not replaced.
  bool save(const std::u16string& path, bool keepBackup = false);
  // Writes the drawing, whole and atomically, to another file: the drawing stays the file's,
  // changed as it was.
  bool writeCopy(const std::string& file) const;
  // Takes `path` as the drawing's file, as if read from it, with the changes it holds unsaved:
  // a drawing recovered from its automatic save.
  void adoptFile(const std::u16string& path);
  // True when another program replaced or changed the drawing's file since it was read or
  // last saved.
  bool fileChangedOnDisk() const;
  // True when the drawing's path, a file when it was read or last saved, is now a symbolic
  // link: not the user's way of keeping the drawing elsewhere but another program's doing.
  bool fileBecameLink() const;
  // The file that saving to `path` writes: a link there is followed to the drawing it names,
  // unless the link took the place of the drawing's own file since it was read or saved; then
  // the link itself is replaced, and the file it names left alone.
  std::string saveTarget(const std::u16string& path) const;
  void buildDefault();
  void clear();
  bool parse(std::string_view content, const std::string& displayName);
  bool parseBase(const std::string& displayName);  // parses the arena's base text
  // Indexes what the records hold once the file is read: settings, handles, blocks, layouts.
  bool indexStructure(const std::string& displayName);
  void readDrawingSettings();
  bool indexHandles(const std::string& displayName);
  void indexBlocks();
  void findLayoutDictionary();
  bool addVirtualRecords();
  bool updateHandseedForSave();
  bool writeRecords(int fd) const;
  // The text of a new record: type, handle and owner as the release writes them, the
  // subclass markers, then the given groups.
  std::string newRecordText(std::string_view type, uint64_t handle, uint64_t owner,
                            std::initializer_list<std::string_view> markers,
                            const DxfTags& groups) const;
  void fail(std::string message) { lastError = std::move(message); }
};

// The file name the system uses for a path (see platform::toFileName).
std::string u16ToPath(const std::u16string& path);
// Whether a record's extended data holds a hyperlink (application PE_URL), read from its text
// without opening the object: what the view marks as linked.
bool recordHasHyperlink(const TzDbDatabaseImpl& db, const TzDbStub& r);
TzDb::DwgVersion versionOf(std::string_view acadver);
std::string sectionName(Section s);
Section sectionOf(std::string_view name);
