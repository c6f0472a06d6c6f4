#pragma once

class MainFrame;
class frmSchedule;

// Keep the main window in step with the program's state: caption and teacher texts, and which
// commands work while the day table holds no school year.
void UpdateTeacherInfo(MainFrame& main);
void EnableDataCommands(frmSchedule& page);
// Print and Print Preview, on the menu and the tool bar: they need a school year, and they wait
// for the default printer's answer when start-up has not had it yet.
void EnablePrintCommands(MainFrame& main);
void RefreshMainMenus(MainFrame& main);
void ShowSchoolDaysState(MainFrame& main);
// The paired tool-bar buttons: exactly one of LowerLeft/LowerRight and of Beside/Opposite pressed.
void ShowPanelPositions(MainFrame& main);
