#pragma once

#include <QString>

// Writes the database file the program is supplied with: table QLM holding its single blank
// day row, and the empty table RegKeys. The program itself never creates tables; the build and
// the tests use this to make the file. An existing file is left alone.
bool CreateSuppliedDatabase(const QString& path, QString* error = nullptr);
