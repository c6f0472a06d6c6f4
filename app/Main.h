#pragma once

// The start of the program: refuses a second running copy, sets the program-wide state, reads
// the settings, lets a teacher log on and shows the main window on today's page (or the set-up
// wizard while the school year is not set up). False when the program ended during start-up.
bool Main();

// How the windows below the main window reach it: they know it as its frame, and the frame is
// loaded as the main window. Main does this first; tests that build windows without it call it.
void WireMainWindow();

// The program run as one of its own helpers, without a window: the default printer's question,
// or a job's hand-over. True, with the helper's exit code, when the arguments ask for one.
bool RunAsHelper(int& argc, char** argv, int* exitCode);
