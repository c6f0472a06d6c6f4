#pragma once

// Writes the menu INI file from the current teacher's menu settings.
void WriteMenuIni();
