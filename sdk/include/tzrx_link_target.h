// Where a hyperlink leads, before it is followed: a module that follows links may export
// tzrxDescribeLinkTarget, and the host's window then shows, for the linked object under the
// mouse, what the address resolves to and whether it is there. Without such a module the
// window shows the address alone. The host finds the function in the loaded modules by its
// name, as it finds their object actions (tzrx_object_actions.h).
#pragma once

#include "tz_export.h"
#include "tzrx_module.h"

TZAD_SDK_BEGIN

// What an address leads to.
enum TzLinkTargetKind : int {
  kTzLinkTargetFile = 0,     // a file or drawing that is there
  kTzLinkTargetMissing = 1,  // a file or drawing that is not there
  kTzLinkTargetOther = 2,    // a web page, an e-mail address: for other programs to open
};

// Resolves `address` (a hyperlink's address, as the object carries it) for the current
// drawing exactly as following it would: a relative path against the drawing's hyperlink base,
// its folder, the documents folder. Copies what it leads to (an absolute path, a URL) into
// `target` (at most `size` characters including the terminator) and returns its kind; -1 when
// there is nothing to resolve (no address, no buffer). It may look at the file system (whether
// the file exists), never read a file.
TZRX_EXPORT int tzrxDescribeLinkTarget(const char16_t* address, char16_t* target, int size);
typedef decltype(&tzrxDescribeLinkTarget) TzDescribeLinkTargetFunction;
inline constexpr char kTzrxDescribeLinkTargetExport[] = "tzrxDescribeLinkTarget";

TZAD_SDK_END
