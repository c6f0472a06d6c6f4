#include "frmSetup.h"

// The wizard arrives in a later step; until then a year is built by other means.
void ShowSetupWizard() {}
