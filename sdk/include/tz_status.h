// Result codes shared by the host and its modules.
#pragma once

#include "tz_export.h"

TZAD_SDK_BEGIN

namespace Tzad {

// Database results. 87 is fixed: modules test for it to report a locked layer.
enum [[nodiscard]] ErrorStatus : int{
    eOk = 0,
    eInvalidInput = 3,
    eNullObjectId = 5,
    eKeyNotFound = 6,
    eDuplicateKey = 7,
    eWasErased = 8,
    eNotThatKindOfClass = 9,
    eWasOpenForWrite = 10,
    eNotOpenForWrite = 11,
    eNotInDatabase = 12,
    eAlreadyInDb = 13,
    eNoDatabase = 14,
    eNotApplicable = 15,
    eFileNotFound = 20,
    eFileAccessErr = 21,
    eBadDxfFile = 22,
    eNotDxfFile = 23,
    eWriteFailed = 24,
    eOutOfMemory = 25,
    eOnLockedLayer = 87,
};

}  // namespace Tzad

// Input results of the editor functions.
constexpr int RTNORM = 5100;    // a normal answer
constexpr int RTNONE = 5000;    // the user pressed Enter
constexpr int RTERROR = -5001;  // the call failed
constexpr int RTCAN = -5002;    // the user cancelled

// Result-buffer value types.
constexpr int RTSHORT = 5003;
constexpr int RTREAL = 5001;
constexpr int RTPOINT = 5002;
constexpr int RTSTR = 5005;
constexpr int RT3DPOINT = 5009;
constexpr int RTLONG = 5010;

TZAD_SDK_END
