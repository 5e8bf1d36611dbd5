// The exported functions that run the hyperlink dialog on objects or for a caller. HYPERLINK's
// command function, hyperlinkDlg, is declared with the module's other commands
// (commands/hyperlink_commands.h). These keep C++ linkage: their arguments are the SDK's types,
// and the two forms of editHyperlinkInteractive share one name.
#pragma once

#include "model/hyperlink_data.h"
#include "tz_array.h"
#include "tz_string.h"
#include "tzdb_object_id.h"
#include "tzui.h"

#define HYPERLINK_DIALOG_EXPORT __attribute__((visibility("default")))

// The dialog on the caller's objects with the caller's hyperlink values: `data` prefills the
// dialog when ids is empty and receives the written hyperlink after OK.
HYPERLINK_DIALOG_EXPORT void hyperlinkBlkDlg(const TzArray<TzDbObjectId>& ids,
                                             hyperlink::HyperlinkData& data);
// The dialog as an editor of a target and its text to display; nothing is written to the
// drawing. True after OK, with both arguments updated; otherwise they keep their values.
HYPERLINK_DIALOG_EXPORT bool editHyperlinkInteractive(TzString& target, TzString& text,
                                                      CWnd* parent);
// Without a dialog: writes target and text as the hyperlink of the object.
HYPERLINK_DIALOG_EXPORT void editHyperlinkInteractive(TzString& target, TzString& text,
                                                      TzDbObjectId id);
