#pragma once

// Setting up Pack To Go from the options dialog: the drive dialog (modal), and the first pack
// onto the folder it made. The options dialog runs them in its configure sequence:
//   ShowPackConfigDialog();
//   if (!Globals().PackConfig) untick "Use Pack To Go";
//   if (DriveDialogEndedWithOK()) { tick it, PackRun = 1, MakeFirstPack(), and when it did not
//                                   pack, PackConfig and PackRun go back to what they were; }
void ShowPackConfigDialog();
// The drive dialog closed through a successful OK: a drive folder is chosen and made.
bool DriveDialogEndedWithOK();
// Packs the database and settings onto the configured drive folder for the first time: no drive
// search, the folder was just made. Once the copy is on the drive "PackConfig" (True), "PackRun"
// (1) and "PackDate" are saved. Where the folder already holds another book, the teacher may take
// that book instead (Pack To Go is then set up with it). False when Pack To Go was not set up:
// it failed (and said why), or the teacher left both books as they were.
bool MakeFirstPack();
