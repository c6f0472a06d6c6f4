#include "frmFindReplace.h"

// Find and replace arrives in a later step.
void ShowFindReplace() {}
