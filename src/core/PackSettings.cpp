#include "PackSettings.h"

#include "PackHistory.h"
#include "TeacherSettings.h"
#include "platform/Recordset.h"
#include "platform/SettingsStore.h"

#include <QRegularExpression>

namespace {
const QString kTimeTable = QStringLiteral("Settings\\TimeTable");
const QString kCarriedTimeTable = QStringLiteral("\\Settings\\TimeTable");

// The sections whose rows may be written back, in the spelling the store is given.
const QStringList& RestorableSections() {
    static const QStringList sections{QStringLiteral("Settings"),
                                      QStringLiteral("Settings\\Dates"),
                                      QStringLiteral("Settings\\Effects1"),
                                      QStringLiteral("Settings\\Effects2"),
                                      QStringLiteral("Settings\\HolidayNames"),
                                      kTimeTable};
    return sections;
}

PackError DatabaseError(const Recordset& keys) {
    return {75, QStringLiteral("Path/File access error\r\n\r\n") + keys.LastError()};
}
} // namespace

QList<RegKeyRow> CollectPackedSettings(int teacher, const QString& packDate) {
    return CollectPackedSettings(teacher, PackedEffects{{QStringLiteral("PackDate"), packDate}});
}

QList<RegKeyRow> CollectPackedSettings(int teacher, const PackedEffects& effects) {
    QList<RegKeyRow> rows;
    const QString section = EffectsSection(teacher);
    const QStringList sections{QStringLiteral("Settings"), QStringLiteral("Settings\\Dates"), section,
                               QStringLiteral("Settings\\HolidayNames"), kTimeTable};
    for (const QString& name : sections) {
        const QString carried = name == kTimeTable ? kCarriedTimeTable : name;
        QList<bool> given(effects.size(), false);
        for (const auto& [key, value] : GetAllSettings(AppKey, name)) {
            QString text = value;
            for (qsizetype i = 0; name == section && i < effects.size(); ++i) {
                if (key.compare(effects[i].first, Qt::CaseInsensitive) == 0) {
                    text = effects[i].second;
                    given[i] = true;
                }
            }
            rows.append({carried, key, text});
        }
        // A value not stored yet (the first pack's date) goes where saving it would put it.
        for (qsizetype i = 0; name == section && i < effects.size(); ++i) {
            if (!given[i]) {
                rows.append({carried, effects[i].first, effects[i].second});
            }
        }
    }
    return rows;
}

bool SaveSettingsToDataBase(Recordset& keys, int teacher, const QString& packDate, PackError* error) {
    return SaveSettingsToDataBase(keys, teacher, PackedEffects{{QStringLiteral("PackDate"), packDate}},
                                  error);
}

bool SaveSettingsToDataBase(Recordset& keys, int teacher, const PackedEffects& effects, PackError* error) {
    const QList<RegKeyRow> rows = CollectPackedSettings(teacher, effects);
    if (rows.size() > kMaxRegKeyRows) {
        // The table holds at most 300 settings; the 301st is where the pack stops.
        *error = {9, QStringLiteral("Subscript out of range\r\n\r\nThere are more than %1 settings to carry.")
                         .arg(kMaxRegKeyRows)};
        return false;
    }
    if (!keys.IsOpen() && !keys.Refresh()) {
        *error = DatabaseError(keys);
        return false;
    }
    // One transaction: the table holds either the old rows or all the new ones.
    if (!keys.BeginTrans()) {
        *error = DatabaseError(keys);
        return false;
    }
    auto fail = [&keys, error] {
        *error = DatabaseError(keys);
        keys.RollbackTrans();
        return false;
    };
    const int n = keys.RecordCount();
    if (n > 1) {
        keys.MoveLast();
        for (int i = 0; i < n; ++i) {
            if (!keys.Delete()) {
                return fail();
            }
            keys.MoveNext();
            if (keys.AtEOF()) {
                keys.MovePrevious();
            }
        }
    }
    for (const RegKeyRow& row : rows) {
        if (!keys.AddNew() || !keys.setField(QStringLiteral("Section"), row.section) ||
            !keys.setField(QStringLiteral("Key"), row.key) ||
            !keys.setField(QStringLiteral("Value"), row.value) || !keys.Update()) {
            return fail();
        }
    }
    if (!keys.CommitTrans()) {
        return fail();
    }
    return true;
}

QString RestoredSection(const QString& section, const QString& key) {
    // Only plain key names reach the settings file: nothing that could end a line, open a
    // section or split a key from its value.
    static const QRegularExpression plainKey(QStringLiteral("^[A-Za-z0-9_.-]+(?: [A-Za-z0-9_.-]+)*$"));
    if (key.size() > 64 || !plainKey.match(key).hasMatch()) {
        return {};
    }
    const QString name = section.compare(kCarriedTimeTable, Qt::CaseInsensitive) == 0 ? kTimeTable : section;
    for (const QString& known : RestorableSections()) {
        if (name.compare(known, Qt::CaseInsensitive) == 0) {
            return known;
        }
    }
    return {};
}

bool RestoreSettingsFromDataBase(Recordset& keys, PackError* error) {
    if (!keys.IsOpen() && !keys.Refresh()) {
        *error = DatabaseError(keys);
        return false;
    }
    // The book's own history rows travel beside the carried settings and are not counted.
    int carried = 0;
    for (keys.MoveFirst(); !keys.AtEOF(); keys.MoveNext()) {
        carried +=
            keys.Field(QStringLiteral("Section")).toString().compare(kHistorySection, Qt::CaseInsensitive) !=
            0;
    }
    if (carried > kMaxRegKeyRows) {
        *error = {9, QStringLiteral("Subscript out of range\r\n\r\nThe file carries more than %1 settings.")
                         .arg(kMaxRegKeyRows)};
        return false;
    }
    // One write of the settings file for all the carried settings, whole or not at all.
    SettingsStore::BeginBatch();
    keys.MoveFirst();
    for (; !keys.AtEOF(); keys.MoveNext()) {
        const QString key = keys.Field(QStringLiteral("Key")).toString();
        const QString section = RestoredSection(keys.Field(QStringLiteral("Section")).toString(), key);
        if (!section.isEmpty()) {
            SaveSetting(AppKey, section, key, keys.Field(QStringLiteral("Value")).toString());
        }
    }
    if (!SettingsStore::EndBatch()) {
        *error = {75,
                  QStringLiteral("Path/File access error\r\n\r\nThe carried settings could not be saved.")};
        keys.MoveFirst();
        return false;
    }
    keys.MoveFirst();
    return true;
}
