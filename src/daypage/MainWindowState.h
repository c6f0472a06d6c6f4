#pragma once

class frmMain;
class frmSchedule;

// Keep the main window in step with the program's state: caption and teacher texts, and which
// commands work while the day table holds no school year.
void UpdateTeacherInfo(frmMain& main);
void EnableDataCommands(frmSchedule& page);
