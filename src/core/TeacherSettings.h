#pragma once

// Loads the current teacher's view, colour, font and menu settings.
void LoadTeacherSettings();
// Reads teacher t's colours and fonts into the style arrays.
void LoadStyleArrays(int teacher);
