#pragma once

// Keep the main window in step with the program's state: caption and teacher texts, and which
// commands work while the day table holds no school year.
void UpdateTeacherInfo();
void EnableDataCommands();
