// An open drawing: its database and what the command line keeps for it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "tzap_docman.h"
#include "tzdb_database.h"
#include "tzge_point3d.h"

namespace tzad {

// The user coordinate system: an origin and a rotation about the world Z axis.
struct Ucs {
  TzGePoint3d origin;
  double angle = 0.0;  // radians
};

class Document : public TzApDocument {
 public:
  Document(std::unique_ptr<TzDbDatabase> db, std::u16string path, std::u16string title);
  const char16_t* fileName() const override { return path_.c_str(); }
  TzDbDatabase* database() const override { return db_.get(); }
  TzString docTitle() const override { return title_; }

  void setPath(const std::u16string& path);
  // Tells drawings apart for good: a drawing opened later may live where a closed one was.
  const uint64_t serial = nextSerial();
  // The command that U would take back and the one REDO would do again; empty when none.
  std::u16string nextUndo() const;
  std::u16string nextRedo() const;
  bool isUntitled() const { return path_.empty(); }

  Ucs ucs;
  TzGePoint3d viewCenter;
  double viewSize = 100.0;
  // The width of the view over its height: what a zoom that fits the drawing must allow for.
  double viewAspect = 1.5;
  // A command set the view above (a named view, ZOOM, a followed link): the window shows it,
  // even where it changes the layout or the drawing, and clears this.
  bool viewSetByCommand = false;
  std::vector<TzDbObjectId> pickfirst;
  // The drawing's last automatic save, and what it had changed by then (docs/autosave.h).
  std::filesystem::path autosaved;
  uint64_t autosavedChanges = 0;
  std::vector<TzDbObjectId> previousSelection;

 private:
  static uint64_t nextSerial() {
    static uint64_t last = 0;
    return ++last;
  }
  std::unique_ptr<TzDbDatabase> db_;
  std::u16string path_;
  std::u16string title_;
};

}  // namespace tzad
