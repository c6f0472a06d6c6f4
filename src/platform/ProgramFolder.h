#pragma once

#include <QString>

// The program folder: where the executable, its supplied database, help and read-me files
// and the menu INI file live. Tests point it at a temporary folder.
QString ProgramFolder();
void SetProgramFolderForTests(const QString& folder);

// The program builds paths as folder & "\name"; on Linux the separator is "/".
QString NativePath(const QString& path);
