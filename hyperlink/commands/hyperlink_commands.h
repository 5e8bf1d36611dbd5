// The command-line commands of the module, and the flows they share.
#pragma once

#include <memory>

#include "model/hyperlink_data.h"
#include "tz_array.h"
#include "tzdb_entity.h"

namespace hyperlink {

// The commands the host finds by name. C linkage gives them plain symbol names whatever
// namespace declares them; declared here, since the command hyperlink() would otherwise clash
// with the namespace of the same name.
extern "C" {
void hyperlink();
void hyperlinkopen();
void pasteashyperlink();
void hyperlinkDlg();
}

void runHyperlinkInsert();
void runHyperlinkRemove();
// What HYPERLINKOPEN does with an address and a named location once they are answered: opens
// the target (relative to the hyperlink base) and goes to the location.
void followHyperlink(std::u16string_view address, std::u16string_view namedLocation);
// Removes one hyperlink of each entity and says how many went, as -HYPERLINK's Remove does
// with the entities chosen; the number removed.
int removeAndReport(TzArray<TzDbObjectId> ids, bool eraseAreaShapes);
// What PASTEASHYPERLINK does to the entities once they are selected: the clipboard's
// hyperlink, web address or file replaces their hyperlinks.
void pasteClipboardHyperlink(TzArray<TzDbObjectId> ids);
// Asks for the hyperlink, named location and description and writes them to the entities (or,
// when all three are empty, removes their hyperlinks). RTNORM when finished, else the status
// that ended it; RTERROR for no entities.
int promptHyperlinkFields(TzArray<TzDbObjectId> ids);
// Draws a rectangle on URLLAYER from two corners and gives it a hyperlink. RTNORM when made,
// RTCAN when a corner was cancelled, RTERROR otherwise.
int insertAreaHyperlink();
// Adds a new entity to the working drawing's current space, on `layer` when not null. `id`
// names the entity once the drawing has it; an entity that could not be added is deleted.
bool appendToCurrentSpace(std::unique_ptr<TzDbEntity> entity, TzDbObjectId layer, TzDbObjectId& id);
// The value of the answer's leading decimal digits, -1 when it does not start with a digit.
int leadingNumber(std::u16string_view answer);

}  // namespace hyperlink
