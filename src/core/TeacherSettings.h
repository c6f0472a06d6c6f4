#pragma once

#include <QString>

// A teacher's own settings sections, "Settings\Effects" and "Settings\Menu" with the teacher's
// number; without a number, the logged-on teacher's.
QString EffectsSection(int teacher);
QString EffectsSection();
QString MenuSection();

// Loads the current teacher's view, colour, font and menu settings.
void LoadTeacherSettings();
// Reads teacher t's colours and fonts into the style arrays.
void LoadStyleArrays(int teacher);
