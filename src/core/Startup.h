#pragma once

#include <QString>

// Start-up, before the settings are read: what saves cut short left behind is settled, with one
// listing of each folder (the settings file's and the menu INI file's) and no write when
// nothing was left. A Finish's staged settings go in place or are dropped as its table says.
void TidyAfterInterruptedSaves();

// The program-wide state at start-up: the first values, then the general settings and the
// school year from the settings store.
void InitGlobals();
void ReadProgramSettings();
// Settles SetupComplete from the three set-up steps.
int ComputeSetupComplete();
// A database name as the settings may hold it: a plain file name of the program folder (no
// folder, no separator of the connection string, no control character).
bool IsPlainDatabaseName(const QString& name);
