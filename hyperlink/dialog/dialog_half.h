// The module's dialogs live in a library of their own, HyperLinkDialogs.so beside HyperLink.tzx:
// it brings the toolkit (wxWidgets, GTK, WebKitGTK) with it, so the module loads it only when a
// dialog is first wanted, and a session that only types commands never does. The module's
// exported dialog functions reach it through this table.
#pragma once

#include "model/hyperlink_data.h"
#include "tz_array.h"
#include "tz_string.h"
#include "tzdb_object_id.h"
#include "tzui.h"

namespace hyperlink {

struct DialogHalf {
  // HYPERLINK on the pre-selected or selected objects.
  void (*hyperlinkDialog)();
  // The dialog on the caller's objects and record (hyperlinkBlkDlg).
  void (*blockDialog)(const TzArray<TzDbObjectId>& ids, HyperlinkData& data);
  // The dialog as an editor of a target and its text (editHyperlinkInteractive).
  bool (*editTarget)(TzString& target, TzString& text, CWnd* parent);
};

inline constexpr char kDialogLibrary[] = "HyperLinkDialogs.so";
// extern "C" const DialogHalf* hyperlinkDialogHalf(): the table, in the dialog library.
inline constexpr char kDialogHalfSymbol[] = "hyperlinkDialogHalf";

// The dialog half's functions themselves, for the table and for tests that run them in-process.
void runHyperlinkDialog();
void runBlockDialog(const TzArray<TzDbObjectId>& ids, HyperlinkData& data);
bool runTargetEditor(TzString& target, TzString& text, CWnd* parent);

// What OK in a dialog writes: the record onto the objects, and an e-mail address into the
// recent e-mail links.
void writeHyperlink(const TzArray<TzDbObjectId>& ids, const HyperlinkData& data);

}  // namespace hyperlink
