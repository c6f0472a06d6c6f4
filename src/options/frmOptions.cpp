#include "frmOptions.h"

// The options dialog arrives in a later step.
void ShowOptionsDialog() {}
