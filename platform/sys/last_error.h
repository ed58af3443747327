// Inside the system services: setting the last error from a C library
// failure.
#pragma once

#include "platform/sys/wintypes.h"

namespace sys {

// The last error that matches errno value e.
DWORD ErrorFromErrno(int e);

// Sets the last error and answers FALSE, for a call's failure path.
inline BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

inline BOOL Succeed() {
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

}  // namespace sys
