#pragma once

// Setting up Pack To Go from the options dialog: the drive dialog (modal), and the first pack
// onto the folder it made. The options dialog runs them in its configure sequence:
//   ShowPackConfigDialog();
//   if (!Globals().PackConfig) untick "Use Pack To Go";
//   if (DriveDialogEndedWithOK()) { tick it, PackRun = 1, save "PackConfig" and "PackRun",
//                                   MakeFirstPack(); }
void ShowPackConfigDialog();
// The drive dialog closed through a successful OK: a drive folder is chosen and made.
bool DriveDialogEndedWithOK();
// Packs the database and settings onto the configured drive folder for the first time: no drive
// search, the folder was just made. False (after saying why) when it failed.
bool MakeFirstPack();
