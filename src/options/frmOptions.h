#pragma once

// Shows the options dialog and waits for it to close.
void ShowOptionsDialog();
