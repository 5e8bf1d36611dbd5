// The drawing's undo list. Every change to a record goes through one place (the record's
// before-image is taken the first time a command touches it), so whatever changes the
// drawing — the host's commands, a module, any SDK caller — can be taken back, and a command
// that fails can be rolled back to its start. Text is never overwritten in the arena, so an
// image is a few references, not a copy of the record's text.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "dxf/text_arena.h"

struct TzDbDatabaseImpl;
struct TableIndex;
struct BlockIndex;

class UndoJournal {
 public:
  // A command starts and ends: what it changes in between is one step.
  void beginCommand(TzDbDatabaseImpl& db, std::u16string name);
  void endCommand(TzDbDatabaseImpl& db);
  // Puts back what the running command changed and forgets it.
  void rollBackCommand(TzDbDatabaseImpl& db);

  // Called before a record changes (its text, flags or links) and when one is created.
  void touch(TzDbDatabaseImpl& db, uint32_t record) {
    if (recording() && stampOf(record) != fullStamp()) takeImage(db, record, false);
  }
  // Called before only a record's extended data or flags change (a hyperlink written, an
  // object erased): its image is those alone, 16 bytes instead of 40.
  void touchXdata(TzDbDatabaseImpl& db, uint32_t record) {
    if (recording() && stampOf(record) != fullStamp() && stampOf(record) != xdataStamp())
      takeXdataImage(db, record);
  }
  void created(TzDbDatabaseImpl& db, uint32_t record) {
    if (recording()) takeImage(db, record, true);
  }
  // What a save writes into the drawing itself (the handle seed) is no step of its own.
  class Pause {
   public:
    explicit Pause(UndoJournal& journal) : journal_(journal), was_(journal.paused_) {
      journal.paused_ = true;
    }
    ~Pause() { journal_.paused_ = was_; }
    Pause(const Pause&) = delete;
    Pause& operator=(const Pause&) = delete;

   private:
    UndoJournal& journal_;
    bool was_;
  };
  // Called before records are added to the file or the table and block indexes change.
  void structureChanges(TzDbDatabaseImpl& db);

  // The names of the steps that can be undone, last first, and redone, next first.
  std::vector<std::u16string> undoable() const;
  std::vector<std::u16string> redoable() const;
  // Takes the last `count` steps back (fewer when there are fewer), as one undo that a redo
  // does again; the names of the steps taken back.
  std::vector<std::u16string> undo(TzDbDatabaseImpl& db, size_t count);
  // Does again what the last undo took back; the names of the steps done.
  std::vector<std::u16string> redo(TzDbDatabaseImpl& db);
  // The drawing was saved: undoing or redoing back to this point makes it unchanged again.
  void saved() { savedAt_ = static_cast<long>(done_); }
  // No state on the list is what the file holds (a drawing recovered from a copy).
  void neverSaved() { savedAt_ = -1; }
  // Counts the steps recorded, undone and redone: the drawing changed since it last read it.
  uint64_t changes() const { return changes_; }
  // Bytes the steps hold, for the benchmarks.
  size_t memoryUsed() const;

  void clear();

 private:
  // A record as it was: what a step puts back (and, once undone, what it did).
  struct RecordImage {
    uint64_t handle;
    TextRef body;
    TextRef xdata;
    uint32_t record;
    uint32_t next;
    uint32_t prev;
    uint16_t type;
    uint8_t flags;
  };
  // A record's extended data and flags as they were.
  struct XdataImage {
    uint32_t record;
    TextRef xdata;
    uint8_t flags;
  };
  // The drawing-wide state beside the records.
  struct DrawingState {
    uint32_t head, tail, header, entitiesBegin, entitiesEnd, layoutDictionary, modelSpace,
        paperSpace, currentSpace;
    uint64_t nextHandle, handseedNeeded;
    std::set<std::string, std::less<>> registeredApps;
    bool operator==(const DrawingState&) const = default;
  };
  struct Structure;
  struct Step {
    std::u16string name;
    uint32_t serial = 0;
    // A deque grows without copying: a step over every record of a large drawing never holds
    // its images twice.
    std::deque<RecordImage> images;
    std::deque<XdataImage> xdataImages;
    DrawingState state;
    std::shared_ptr<Structure> structure;  // the table and block indexes, when records were added
    uint32_t firstNew = 0, endNew = 0;     // the records it created
    bool modifiedBefore = false;
  };

  bool recording() const { return open_ && !paused_; }
  bool differsFromSaved() const;
  static DrawingState stateOf(const TzDbDatabaseImpl& db);
  static void setState(TzDbDatabaseImpl& db, const DrawingState& state);
  void takeImage(TzDbDatabaseImpl& db, uint32_t record, bool created);
  void takeXdataImage(TzDbDatabaseImpl& db, uint32_t record);
  void stamp(const TzDbDatabaseImpl& db, uint32_t record, uint32_t value);
  // A record imaged in the open step carries its serial, doubled, plus one for an extended-data
  // image: both kinds may be taken of one record in one step.
  uint32_t stampOf(uint32_t record) const { return record < stamps_.size() ? stamps_[record] : 0; }
  uint32_t fullStamp() const { return open_->serial * 2; }
  uint32_t xdataStamp() const { return open_->serial * 2 + 1; }
  // Exchanges the drawing with what the step holds: undoing and redoing are the same swap.
  void swap(TzDbDatabaseImpl& db, Step& step, bool undoing);
  static void swapXdata(TzDbDatabaseImpl& db, Step& step);
  static void swapRecords(TzDbDatabaseImpl& db, Step& step);
  void swapState(TzDbDatabaseImpl& db, Step& step, bool undoing);
  static bool changesRecords(const Step& step) {
    return !step.images.empty() || !step.xdataImages.empty();
  }

  std::vector<Step> steps_;  // done ones first, then the undone ones that can be redone
  size_t done_ = 0;
  std::vector<size_t> undoGroups_;  // how many steps each undo command took back, last at the end
  long savedAt_ = 0;
  std::optional<Step> open_;
  std::vector<uint32_t> stamps_;  // by record: the stamp of the last step that imaged it
  uint32_t serial_ = 0;
  bool paused_ = false;
  uint64_t changes_ = 0;
};
