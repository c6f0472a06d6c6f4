#pragma once

// Shows the find and replace dialog without waiting.
void ShowFindReplace();
