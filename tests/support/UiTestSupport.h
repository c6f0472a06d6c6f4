#pragma once

#include "support/TestSupport.h"

// Tests of the windows: every TestEnvironment also records help and shell calls, skips the
// splash's pause, answers the first-use welcome at once, and closes the main window and the day
// page at its end.
bool InstallUiTestHooks();
inline const bool kUiTestHooksInstalled = InstallUiTestHooks();
