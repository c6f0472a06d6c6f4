#pragma once

#include "support/TestSupport.h"

class QWidget;

// Tests of the windows: every TestEnvironment also records help and shell calls, skips the
// splash's pause, answers the first-use welcome at once, and closes the main window and the day
// page at its end.
bool InstallUiTestHooks();
inline const bool kUiTestHooksInstalled = InstallUiTestHooks();

// Whether an X11 window manager keeps `window` in front of the window of `owner`: it keeps a
// window over another only when it is a dialog-type window whose chain of transient parents
// (WM_TRANSIENT_FOR) reaches the other.
bool StaysInFrontOf(const QWidget* window, const QWidget* owner);

// Whether the control that has the focus looks different without it: its focus mark.
bool ShowsFocusMark(QWidget* focused);
