#pragma once

#include "MainCommands.h"

#include <QString>

class MainFrame;

// Keep the main window in step with the program's state: caption and teacher texts, the Pack To
// Go line and the status texts. Each changes what it owns and asks for the one update of the
// commands; none switches a command itself.
void UpdateTeacherInfo(MainFrame& main);
// The day table was opened or emptied: the commands that need a school year follow.
void EnableDataCommands();
void RefreshMainMenus(MainFrame& main);
void ShowSchoolDaysState(MainFrame& main);

// The one update: which commands of the main window (and the day page's controls that go with
// them) can be used, computed from the program's state as it stands and applied to the window.
MainCommandState CurrentCommandState();
void UpdateMainCommands();

// A window holds the main window while it is open (the set-up wizard does), or lets it go.
void HoldMainWindow(const QString& window, bool hold);
