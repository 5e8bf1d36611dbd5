#include "db/undo_journal.h"

#include <algorithm>

#include "db/database_impl.h"
#include "platform/trace.h"

struct UndoJournal::Structure {
  std::map<std::string, TableIndex, std::less<>> tables;
  std::vector<BlockIndex> blocks;
};

namespace {

// Names looked up by the tables are cached; after a swap they may name other records.
void forgetCachedNames(std::map<std::string, TableIndex, std::less<>>& tables) {
  for (auto& [name, table] : tables) {
    table.byNameValid = false;
    table.byName.clear();
    table.layerFlagsByRawName.clear();
    table.lastLayer = nullptr;
  }
}

}  // namespace

UndoJournal::DrawingState UndoJournal::stateOf(const TzDbDatabaseImpl& db) {
  return {db.head,          db.tail,           db.header,
          db.entitiesBegin, db.entitiesEnd,    db.layoutDictionary,
          db.modelSpace,    db.paperSpace,     db.currentSpace,
          db.nextHandle,    db.handseedNeeded, db.registeredApps};
}

void UndoJournal::setState(TzDbDatabaseImpl& db, const DrawingState& s) {
  db.head = s.head;
  db.tail = s.tail;
  db.header = s.header;
  db.entitiesBegin = s.entitiesBegin;
  db.entitiesEnd = s.entitiesEnd;
  db.layoutDictionary = s.layoutDictionary;
  db.modelSpace = s.modelSpace;
  db.paperSpace = s.paperSpace;
  db.currentSpace = s.currentSpace;
  db.nextHandle = s.nextHandle;
  db.handseedNeeded = s.handseedNeeded;
  db.registeredApps = s.registeredApps;
}

void UndoJournal::beginCommand(TzDbDatabaseImpl& db, std::u16string name) {
  open_.reset();
  Step step;
  step.name = std::move(name);
  step.serial = ++serial_;
  step.state = stateOf(db);
  step.firstNew = static_cast<uint32_t>(db.records.size());
  step.modifiedBefore = db.modified;
  open_ = std::move(step);
}

void UndoJournal::stamp(const TzDbDatabaseImpl& db, uint32_t record, uint32_t value) {
  if (stamps_.size() <= record) stamps_.resize(std::max<size_t>(db.records.size(), record + 1));
  stamps_[record] = value;
}

void UndoJournal::takeXdataImage(TzDbDatabaseImpl& db, uint32_t record) {
  stamp(db, record, xdataStamp());
  const TzDbStub& r = db.at(record);
  open_->xdataImages.push_back(XdataImage{record, r.xdata, r.flags});
}

void UndoJournal::takeImage(TzDbDatabaseImpl& db, uint32_t record, bool created) {
  stamp(db, record, fullStamp());
  const TzDbStub& r = db.at(record);
  RecordImage image{r.handle, r.body, r.xdata, record, r.next, r.prev, r.type, r.flags};
  // Before the command, a record it created was nowhere: erased, and linked to nothing.
  if (created) {
    image.flags |= kRecErased;
    image.next = image.prev = kNoRecord;
  }
  open_->images.push_back(image);
}

void UndoJournal::structureChanges(TzDbDatabaseImpl& db) {
  if (!recording() || open_->structure) return;
  open_->structure = std::make_shared<Structure>(Structure{db.tables, db.blocks});
  forgetCachedNames(open_->structure->tables);
}

void UndoJournal::endCommand(TzDbDatabaseImpl& db) {
  if (!open_) return;
  Step step = std::move(*open_);
  open_.reset();
  step.endNew = static_cast<uint32_t>(db.records.size());
  if (!changesRecords(step) && step.state == stateOf(db)) return;  // nothing changed
  steps_.resize(done_);
  undoGroups_.clear();
  if (savedAt_ > static_cast<long>(done_)) savedAt_ = -1;  // that state can come back no more
  if (platform::traceEnabled())
    platform::trace(
        "undo step %s: %zu record images, %zu bytes\n", tzutToUtf8(step.name).c_str(),
        step.images.size() + step.xdataImages.size(),
        step.images.size() * sizeof(RecordImage) + step.xdataImages.size() * sizeof(XdataImage));
  steps_.push_back(std::move(step));
  ++done_;
  ++changes_;
}

void UndoJournal::rollBackCommand(TzDbDatabaseImpl& db) {
  if (!open_) return;
  Step step = std::move(*open_);
  open_.reset();
  step.endNew = static_cast<uint32_t>(db.records.size());
  swap(db, step, true);
  db.modified = step.modifiedBefore;
}

// A record may have both kinds of image in one step, the extended-data one taken first: its
// values are the older ones. Undoing puts the whole record back and then those older values;
// redoing goes the other way round, so that each image ends up holding what it replaced.
void UndoJournal::swap(TzDbDatabaseImpl& db, Step& step, bool undoing) {
  if (!undoing) swapXdata(db, step);
  swapRecords(db, step);
  if (undoing) swapXdata(db, step);
  swapState(db, step, undoing);
}

void UndoJournal::swapXdata(TzDbDatabaseImpl& db, Step& step) {
  for (XdataImage& image : step.xdataImages) {
    TzDbStub& r = db.at(image.record);
    std::swap(r.xdata, image.xdata);
    std::swap(r.flags, image.flags);
  }
}

void UndoJournal::swapRecords(TzDbDatabaseImpl& db, Step& step) {
  for (RecordImage& image : step.images) {
    TzDbStub& r = db.at(image.record);
    RecordImage now{r.handle, r.body, r.xdata, image.record, r.next, r.prev, r.type, r.flags};
    r.handle = image.handle;
    r.body = image.body;
    r.xdata = image.xdata;
    r.next = image.next;
    r.prev = image.prev;
    r.type = image.type;
    r.flags = image.flags;
    image = now;
  }
}

void UndoJournal::swapState(TzDbDatabaseImpl& db, Step& step, bool undoing) {
  DrawingState now = stateOf(db);
  setState(db, step.state);
  step.state = std::move(now);
  if (step.structure) {
    std::swap(db.tables, step.structure->tables);
    std::swap(db.blocks, step.structure->blocks);
  }
  forgetCachedNames(db.tables);
  if (step.endNew == step.firstNew) return;
  // The records the step created leave the handle index with it, and come back with it.
  if (undoing) {
    std::erase_if(db.handleIndex,
                  [&](uint32_t i) { return i >= step.firstNew && i < step.endNew; });
  } else {
    for (uint32_t i = step.firstNew; i < step.endNew; ++i)
      if (db.at(i).handle != 0) db.addHandle(i);
  }
}

std::vector<std::u16string> UndoJournal::undo(TzDbDatabaseImpl& db, size_t count) {
  std::vector<std::u16string> names;
  while (names.size() < count && done_ > 0) {
    Step& step = steps_[--done_];
    swap(db, step, true);
    names.push_back(step.name);
    ++changes_;
  }
  if (!names.empty()) undoGroups_.push_back(names.size());
  db.modified = differsFromSaved();
  return names;
}

std::vector<std::u16string> UndoJournal::redo(TzDbDatabaseImpl& db) {
  std::vector<std::u16string> names;
  if (undoGroups_.empty()) return names;
  size_t count = undoGroups_.back();
  undoGroups_.pop_back();
  while (names.size() < count && done_ < steps_.size()) {
    Step& step = steps_[done_++];
    swap(db, step, false);
    names.push_back(step.name);
    ++changes_;
  }
  db.modified = differsFromSaved();
  return names;
}

// Whether a step that changed records lies between the saved state and this one: a step that
// only switched the layout leaves the drawing as its file holds it.
bool UndoJournal::differsFromSaved() const {
  if (savedAt_ < 0) return true;
  size_t saved = static_cast<size_t>(savedAt_);
  for (size_t i = std::min(saved, done_); i < std::max(saved, done_); ++i)
    if (changesRecords(steps_[i])) return true;
  return false;
}

std::vector<std::u16string> UndoJournal::undoable() const {
  std::vector<std::u16string> names;
  for (size_t i = done_; i > 0; --i) names.push_back(steps_[i - 1].name);
  return names;
}

std::vector<std::u16string> UndoJournal::redoable() const {
  std::vector<std::u16string> names;
  if (undoGroups_.empty()) return names;
  for (size_t i = done_; i < steps_.size() && names.size() < undoGroups_.back(); ++i)
    names.push_back(steps_[i].name);
  return names;
}

size_t UndoJournal::memoryUsed() const {
  size_t bytes = 0;
  for (const Step& step : steps_)
    bytes +=
        step.images.size() * sizeof(RecordImage) + step.xdataImages.size() * sizeof(XdataImage);
  return bytes;
}

void UndoJournal::clear() {
  steps_.clear();
  undoGroups_.clear();
  done_ = 0;
  savedAt_ = 0;
  open_.reset();
  stamps_.clear();
}
