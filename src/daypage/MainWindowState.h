#pragma once

class frmMain;
class frmSchedule;

// Keep the main window in step with the program's state: caption and teacher texts, and which
// commands work while the day table holds no school year.
void UpdateTeacherInfo(frmMain& main);
void EnableDataCommands(frmSchedule& page);
// Print and Print Preview, on the menu and the tool bar: they need a school year, and they wait
// for the default printer's answer when start-up has not had it yet.
void EnablePrintCommands(frmMain& main);
void RefreshMainMenus(frmMain& main);
void ShowSchoolDaysState(frmMain& main);
// The paired tool-bar buttons: exactly one of LowerLeft/LowerRight and of Beside/Opposite pressed.
void ShowPanelPositions(frmMain& main);
