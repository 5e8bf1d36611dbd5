// An open drawing: its database and what the command line keeps for it.
#pragma once

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
  // The command (by its number, Editor::commandNumber) that made a paper layout current
  // through CTAB: a model-space view it restores afterwards does not take that layout away.
  unsigned layoutChosenBy = 0;
  std::vector<TzDbObjectId> pickfirst;
  std::vector<TzDbObjectId> previousSelection;

 private:
  std::unique_ptr<TzDbDatabase> db_;
  std::u16string path_;
  std::u16string title_;
};

}  // namespace tzad
