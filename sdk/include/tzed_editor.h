// The editor side of the host SDK: command-line input, selection sets, system variables,
// output and host commands. Every function runs on the user-interface thread.
#pragma once

#include <cstdint>

#include "tz_export.h"
#include "tz_status.h"
#include "tz_string.h"
#include "tzdb_object_id.h"

TZAD_SDK_BEGIN

// Calls that can fail return their status [[nodiscard]]; those that release (tzedSSFree,
// tzutRelRb) and tzutPrintf, whose failure leaves nothing to do, may be called for effect.

// A 3D point as the input functions pass it: x, y, z.
typedef double tz_point[3];
// A selection set or an entity as the selection functions pass it.
typedef int64_t tz_name[2];

// A result buffer: one typed value, chained through rbnext.
struct resbuf {
  resbuf* rbnext = nullptr;
  short restype = RTNONE;
  union {
    double rreal;
    double rpoint[3];
    short rint;
    int32_t rlong;
    char16_t* rstring;
  } resval{};
};

// Answers of tzedGetString and tzedGetKword fit a buffer of this many characters.
constexpr int TZ_ANSWER_BUFFER = 2049;

// tzedInitGet flags.
constexpr int RSG_NONULL = 1;  // Enter is not an answer

// --- input ---------------------------------------------------------------------------------
// Sets the flags and keyword list ("Local1 Local2 _Global1 Global2") of the next input call.
[[nodiscard]] int tzedInitGet(int flags, const char16_t* keywords);
// Asks for a keyword; result receives the global keyword. RTNONE when the user pressed Enter.
[[nodiscard]] int tzedGetKword(const char16_t* prompt, char16_t* result);
// Asks for a text of up to 2048 characters. With allowSpaces 0 a blank ends the answer.
// Enter gives RTNORM and an empty text.
[[nodiscard]] int tzedGetString(int allowSpaces, const char16_t* prompt, char16_t* result);
// Asks for a point ("x,y" or "x,y,z", or "@dx,dy" from base) in the current UCS.
[[nodiscard]] int tzedGetPoint(const double* base, const char16_t* prompt, double* result);
// Asks for the opposite corner of a rectangle from base.
[[nodiscard]] int tzedGetCorner(const double* base, const char16_t* prompt, double* result);
// Converts a point (or a displacement) from the current UCS to world coordinates.
[[nodiscard]] int tzdbUcs2Wcs(const double* from, double* to, bool displacement);

// --- selection -----------------------------------------------------------------------------
// mode "I" takes the pre-selection; null or a string of ":L" (leave out locked layers), ":P",
// ":C" asks "Select objects: ". points and filter are not used by this host.
[[nodiscard]] int tzedSSGet(const char16_t* mode, const void* point1, const void* point2,
                            const resbuf* filter, tz_name ss);
[[nodiscard]] int tzedSSLength(const tz_name ss, int32_t* length);
[[nodiscard]] int tzedSSName(const tz_name ss, int32_t index, tz_name entity);
int tzedSSFree(const tz_name ss);
// Adds an entity to a selection set: with ss null, result is a new set holding the entity
// alone; with entity null too, a new empty set; otherwise the entity joins ss (once) and
// result names ss. A set made here is freed with tzedSSFree.
[[nodiscard]] int tzedSSAdd(const tz_name entity, const tz_name ss, tz_name result);
// Makes a selection set the pre-selection; a null or empty set clears it.
[[nodiscard]] int tzedSSSetFirst(const tz_name pickfirst, const tz_name unused);
Tzad::ErrorStatus tzdbGetObjectId(TzDbObjectId& id, const tz_name entity);
Tzad::ErrorStatus tzdbGetTwsName(tz_name entity, TzDbObjectId id);
// Asks the host to redraw an entity.
[[nodiscard]] int tzdbEntUpd(const tz_name entity);

// --- system variables ----------------------------------------------------------------------
// Fills result; a string value is allocated for the caller (free it with tzutDelBuffer).
// The drawing's own variables (HYPERLINKBASE, DWGPREFIX, DWGNAME) are those of the current
// document. A program that reads drawings without opening them as documents (a tool going
// through a folder of drawings) makes each in turn the working database
// (tzdbHostApplicationServices()->setWorkingDatabase): these variables are then that
// drawing's, so code written for commands, such as resolving a relative hyperlink, works on
// it unchanged.
[[nodiscard]] int tzedGetVar(const char16_t* name, resbuf* result);
[[nodiscard]] int tzedSetVar(const char16_t* name, const resbuf* value);
// Reads a variable as the text the command line shows for it.
[[nodiscard]] int tzedGetVarText(const char16_t* name, TzString& value);

// --- output and host commands ----------------------------------------------------------------
// printf onto the command line: %s takes a char16_t*, %d and %i an int.
int tzutPrintf(const char16_t* format, ...);
// Runs a host command: (RTSTR, u"-view", RTSTR, u"restore", RTSTR, name, RTNONE). Each string
// is the command or one answer to its prompts.
[[nodiscard]] int tzedCommandS(int type, ...);

// --- memory and names ----------------------------------------------------------------------
resbuf* tzutNewRb(int type);
// Releases a chain of result buffers with their strings.
int tzutRelRb(resbuf* rb);
// Copies a text into a new buffer that the caller frees with tzutDelBuffer.
[[nodiscard]] int tzutNewString(const char16_t* text, char16_t*& copy);
void tzutFreeBuffer(void* buffer);
template <typename T>
void tzutDelBuffer(T*& buffer) {
  tzutFreeBuffer(buffer);
  buffer = nullptr;
}
// The host application's name ("tzad").
const char16_t* tzutHostName();

TZAD_SDK_END
