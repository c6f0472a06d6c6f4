#pragma once

// The start of the program: refuses a second running copy, sets the program-wide state, reads
// the settings, lets a teacher log on and shows the main window on today's page (or the set-up
// wizard while the school year is not set up). False when the program ended during start-up.
bool Main();
