#pragma once

#include <QString>

// Starting the program when the teacher logs on to the desktop: an XDG autostart entry named
// after the product ("Quillmarsh.desktop") whose command is the program's executable in the
// program folder. Both calls are silent: a folder that cannot be written to just leaves things
// as they were.
void AddRunAtStartup();
void RemoveRunAtStartup();

// The executable the entry starts: the program folder & "/quillmarsh".
QString ProgramExecutablePath();

// Where autostart entries live: $XDG_CONFIG_HOME/autostart, or ~/.config/autostart when that
// variable is unset, empty or not an absolute path.
QString AutostartFolderFor(const QString& xdgConfigHome, const QString& home);
QString AutostartFolder();
QString AutostartEntryPath();
// Tests point the entry at a folder of their own (an empty text goes back to the real one).
void SetAutostartFolderForTests(const QString& folder);

// The entry's text for an executable; the path is quoted and escaped as the desktop-entry
// format asks, so blanks, quotes, backslashes and percent signs in folder names survive.
QString AutostartEntryText(const QString& executable);
QString DesktopExecArgument(const QString& argument);
