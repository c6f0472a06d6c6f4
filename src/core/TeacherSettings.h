#pragma once

// Loads the current teacher's view, colour, font and menu settings.
void LoadTeacherSettings();
