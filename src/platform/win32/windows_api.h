#pragma once
// The one way our Windows code includes <windows.h>. The drive-type codes,
// feature bits and error numbers of the system-query seam carry the same
// names as the Windows macros, so the seam must be read before those macros
// exist; afterwards the macros expand to the same values. Use the bare names
// (DRIVE_FIXED, ERROR_NOT_READY) in Windows code, never qualified ones.

#include "platform/system_queries.h"

#include <windows.h>
