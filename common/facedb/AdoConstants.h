// The ADO enumeration values that the access layer and its callers pass around.
#pragma once
#include <cstdint>

enum : int32_t {
    adStateClosed = 0, adStateOpen = 1,
    adCmdText = 1, adCmdTable = 2, adCmdUnknown = 8,
    adConnectUnspecified = -1,
    adOpenStatic = 3, adLockOptimistic = 3,
    adUseServer = 2, adUseClient = 3,
    adEditNone = 0, adEditInProgress = 1, adEditAdd = 2,
    adBookmarkCurrent = 0, adBookmarkFirst = 1, adBookmarkLast = 2,
    adPosUnknown = -1, adPosBOF = -2, adPosEOF = -3,
};

// Field attribute bits.
enum : int32_t {
    adFldUpdatable = 0x4, adFldFixed = 0x10, adFldIsNullable = 0x20, adFldMayBeNull = 0x40,
    adFldLong = 0x80, adFldKeyColumn = 0x8000,
};
