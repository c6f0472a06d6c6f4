#pragma once

// The program-wide state at start-up: the first values, then the general settings and the
// school year from the settings store.
void InitGlobals();
void ReadProgramSettings();
// Settles SetupComplete from the three set-up steps.
int ComputeSetupComplete();
