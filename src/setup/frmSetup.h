#pragma once

// Shows the school-year set-up wizard without waiting for it.
void ShowSetupWizard();
