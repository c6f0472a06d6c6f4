#pragma once

#include <QList>
#include <QPair>
#include <QString>

class Recordset;

// The settings that travel with the book: one RegKeys row per setting of the sections the pack
// carries, written into the database before it is copied and read back after an unpack.
struct RegKeyRow {
    QString section;
    QString key;
    QString value;
    bool operator==(const RegKeyRow&) const = default;
};

inline constexpr int kMaxRegKeyRows = 300;

// What went wrong, as the pack's error message shows it: a number and a description.
struct PackError {
    int number = 0;
    QString description;
};

// Values of the teacher's "Settings\Effects" section that the pack stores only once the copy
// has succeeded ("PackDate", and on the first pack "PackConfig" and "PackRun"): the carried
// rows hold them already, in place of the stored ones or after the section's own keys.
using PackedEffects = QList<QPair<QString, QString>>;

// The carried settings in the order they are written: "Settings", "Settings\Dates", the
// teacher's "Settings\Effects" section, "Settings\HolidayNames" and the timetable (whose rows
// say "\Settings\TimeTable"). packDate stands for the teacher's "PackDate".
QList<RegKeyRow> CollectPackedSettings(int teacher, const QString& packDate);
QList<RegKeyRow> CollectPackedSettings(int teacher, const PackedEffects& effects);

// Fills RegKeys with the carried settings in one transaction. A table of exactly one row keeps
// that row ahead of them. More than 300 settings is an error, and the table stays as it was.
bool SaveSettingsToDataBase(Recordset& keys, int teacher, const QString& packDate, PackError* error);
bool SaveSettingsToDataBase(Recordset& keys, int teacher, const PackedEffects& effects, PackError* error);

// The section a stored row is written back to, or "" when the row is not one the pack writes
// (another section, or a key that is not a plain name).
QString RestoredSection(const QString& section, const QString& key);

// Writes the rows of RegKeys back into the settings store, in table order; rows the pack does
// not write are passed over. More than 300 rows is an error and nothing is written.
bool RestoreSettingsFromDataBase(Recordset& keys, PackError* error);
